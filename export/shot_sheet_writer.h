#pragma once
// Shot rows on the export sheets: the begin rows of a block (copied from the template's rows 3
// and 4), one row per shot with its running statistics as formulas, the end line of an export.
// Remembers for each sheet where the next row goes and where the current block started.
#include "link/shot_line.h"

#include <QDateTime>

#include <array>
#include <functional>

namespace zx::wb {
class Workbook;
class Worksheet;
} // namespace zx::wb

namespace zx::xls {

struct BlockHead {
    QString kind;        // "MMR", "CAP", "LGR"
    int counter = 0;     // the sheet's export counter
    QString position;    // "    Folder=1    String=4" or "Pause(12)"
    ShotRecord units;    // the block's units
};

class ShotSheetWriter {
public:
    // templ: the template; rows 3 and 4 of its sheet of the same name are copied above every
    // block (of its "Capture" sheet for a sheet it lacks).
    ShotSheetWriter(wb::Workbook &book, const wb::Workbook &templ);

    // A new link: every sheet's next row after what it holds (row 5 at the least), sequence 0.
    void reset();
    int sequence = 0;                // running shot sequence number
    // The user's bullet weight in grains (0: none entered). A block begun while it is set
    // writes it into the sheet's grains cell first, so the block computes with it.
    std::function<double()> blockGrains;

    // Sheets by their 1-based index. The export counter of Q1 raised and written back, and the
    // source line into E1; returns the new counter.
    int beginExport(int sheet, const QString &sourceLine);
    void beginBlock(int sheet, const BlockHead &head);
    // One shot row; the block is the one begun last, or (markerSearch) the rows below the
    // nearest "BLK" marker in column K.
    void writeShot(int sheet, const ShotRecord &shot, bool markerSearch = false);
    void skipRow(int sheet) { ++state(sheet).nextRow; }
    // True while the last rows of the sheet are a block's begin rows with no shot under them.
    bool blockHasNoShots(int sheet);
    // The next block goes where that empty block's begin rows are (they are written over).
    void reopenEmptyBlock(int sheet) { state(sheet).nextRow -= 2; }
    void endExport(int sheet, const QString &kind, int counter, const QDateTime &when);

    int nextRow(int sheet) const { return m_state[std::size_t(sheet - 1)].nextRow; }
    bool blockInGrams(int sheet) const { return m_state[std::size_t(sheet - 1)].grams; }
    // Picks a sheet up where a journal left it (see book_journal.h): the next row and the
    // block's units; the block's first row is then found by its marker.
    void resumeAt(int sheet, int nextRow, bool grams);
    wb::Worksheet &sheet(int sheet);

    static QString positionText(int folder, int string);

private:
    struct SheetState {
        int nextRow = 5;
        int blockStart = 0; // 0: no block begun since the reset
        double weight = 0;
        bool grams = false;
    };
    SheetState &state(int sheet) { return m_state[std::size_t(sheet - 1)]; }

    const wb::Worksheet &templateSheet(int sheet) const;
    wb::Workbook &m_book;
    const wb::Workbook &m_templ;
    std::array<SheetState, 7> m_state{};
    std::array<std::uint16_t, 16> m_fmt{};
};

} // namespace zx::xls
