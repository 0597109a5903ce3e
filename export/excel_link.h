#pragma once
// The Excel link over the program's own workbook (which stands in for Excel): making the export
// workbook ready (excOpen and its stage numbers), the live capture link switched on and off, the
// workbook window's double-click and close events, the release at exit, and the live capture
// rows written as shot lines arrive. The workbook is saved through the .xlsx writer (built
// beside the file, renamed over it) after every export, every live block and at unlink; live
// rows in between are kept in a journal beside it (book_journal.h).
// A workbook another program wrote is never written over: its sheets are read and the program
// writes them, with its own, into a copy beside it ("<name> Zentrix.xlsx", then
// "<name> Zentrix 2.xlsx", ...), and the user is told once. Only the program's own workbooks
// (xlsx_origin.h) are updated in place.
#include "export/book_journal.h"
#include "export/export_visibility.h"
#include "export/shot_sheet_writer.h"
#include "export/workbook_view.h"
#include "platform/program_files.h"

#include <functional>
#include <memory>
#include <vector>

namespace zx {
class FileChooser;
class Prompter;
} // namespace zx

namespace zx::xls {

inline constexpr const char *kTemplateFile = "CBoox.xlsx";
inline constexpr const char *kSecondTemplateFile = "CBook.xlsx";
// A user's workbook called "CBoox.xlsx" is copied to the first free one of CBook1, CBook2, ...
inline constexpr const char *kRenamedTemplateFile = "CBook1.xlsx";
inline constexpr const char *kHelpPageFile = "zenthlpx.htm";

// The first free "<name> Zentrix.xlsx", "<name> Zentrix 2.xlsx", ... beside a workbook another
// program wrote, which is never written over.
QString copyBesidePath(const QString &source);

// What the link needs of the program around it; every hook may be left empty.
struct ExcelLinkHooks {
    std::function<void()> refreshMain;            // main window command state
    std::function<void(bool minimise)> mainWindow; // minimise, or restore when minimised
    std::function<void(int note)> postNote;       // a note for the notes window
    std::function<bool()> chronoWarnings;         // ShowWarnRV
    std::function<bool()> chronoReady;            // valid status and sensors on
    std::function<bool()> recordingShots;         // valid status, sensors on and the capture switch set
    std::function<void()> calibrate;              // the chronograph's calibration
    std::function<void(bool on)> liveQueue;       // the receive path's workbook queue on or off
    std::function<QString()> chronoModel;         // the selected chronograph's model name
    std::function<void(bool visible)> progressVisible; // progress window around the file choice
    std::function<double()> bulletGrains;         // the user's bullet weight (0: the sheet's own)
    std::function<QString()> newBookPath;         // where a new workbook goes ("" the program folder)
    std::function<void(const QString &path)> newBookSaved; // a new workbook's first save
};

// Makes sure the templates exist in the program folder: "zentboox.ixi" built when missing,
// "CBoox.xlsx" and "CBook.xlsx" copied from it when missing. False when one cannot be made.
bool prepareTemplateFiles(const ProgramFiles &files);

class ExcelLink : public WorkbookEvents {
public:
    ExcelLink(Prompter &prompter, FileChooser &chooser, ProgramFiles files);
    ~ExcelLink() override;

    ExcelLinkHooks hooks;
    void setView(WorkbookView *view) { m_view = view; }
    // Where a new workbook (mode other than 1) is saved; default: a dated name in the program folder.
    void setNewBookPath(const QString &path) { m_newBookPath = path; }
    // The user's own workbook for mode 1, opened without a file choice (zentrix-cli --out).
    void setOwnBookPath(const QString &path) { m_ownBookPath = path; }
    // While held, save() writes nothing and reports success: zentrix-cli writes its --out file
    // once, after the whole export succeeded.
    void holdSaves(bool held) { m_holdSaves = held; }
    bool savesHeld() const { return m_holdSaves; }
    // The user's workbook when the linked one is a copy written beside it ("" otherwise).
    QString copiedFrom() const
    {
        return m_books.empty() || m_books.front().target == Target::NewFree ? QString() : m_books.front().source;
    }
    // Where the last file choice starts ("" the chooser's own).
    const ProgramFiles &programFiles() const { return m_files; }

    // 0 when the export workbook is ready, else the stage that failed. mode 1: the user's own
    // workbook (file choice); other modes: a new workbook.
    int excOpen(int mode, const QString &callerTitle = QStringLiteral("Zentrix Export"));
    // excOpen with the failure told: 0, or 1000 + the stage after "Zentrix to Excel Connection
    // Failed...!".
    int connect(int mode);
    // The menu's link on and off (the live capture link).
    void linkOn();
    void linkOff();
    // The options window's Close: saves and closes the linked workbook; false when none is linked.
    bool closeWorkbook();
    // At exit: the linked workbook saved, the window closed without a note.
    void release();
    // Writes the linked workbook to its file; false (and lastError, also shown through the
    // prompter with the path and the reason) when that failed.
    bool save();
    // Why the last excOpen or save failed, in words for a message ("" when there is nothing to
    // explain, as after a cancelled file choice).
    QString lastError() const { return m_lastError; }

    // Link state.
    bool connected = false;
    bool linked = false;
    bool closingByProgram = false;
    bool exporting = false;
    bool newBlockRequest = false;
    bool liveLink = false;        // captured shot lines become rows of "Capture"
    int liveSkipped = 0;          // queued lines that were not shots

    // The linked workbook (nullptr when none), its file and its writer.
    wb::Workbook *book() const { return m_books.empty() ? nullptr : m_books.front().book.get(); }
    QString bookPath() const { return m_books.empty() ? QString() : m_books.front().path; }
    ShotSheetWriter *writer() const { return m_writer.get(); }
    IdentifierWidths identifierWidths() const { return m_widths; }
    // Tells the window that a sheet (1-based) was written to.
    void sheetChanged(int sheet);

    // One line from the receive path's workbook queue: a shot line becomes a "Capture" row.
    // While an export runs the line waits for its end.
    void captureLine(const QString &line);
    // An export into sheet `sheet` (1-based) has ended: exporting is cleared and the live lines
    // that waited are written; after an export onto "Capture" they start a block of their own.
    void exportEnded(int sheet);

    // WorkbookEvents
    bool sheetBeforeDoubleClick(const QString &sheetName, int row, int col) override;
    void workbookBeforeClose(const QString &bookName) override;
    void workbookSaved(const QString &filePath) override;

private:
    enum class Target { InPlace, CopyBeside, Reserved, NewFree };
    struct OpenBook {
        std::unique_ptr<wb::Workbook> book;
        QString path;
        QString source;                  // the user's file a copy is made of; a new book's wanted path
        Target target = Target::InPlace;
        bool written = false;            // the copy's name is taken (first save done)
    };
    static QString freeTargetPath(Target target, const QString &source);
    void applyShot(const ShotRecord &shot);
    int replayJournal();
    void journal(const BookJournal::Entry &e);
    int fail(int stage);
    int abandon(int stage);
    int chooseOwnBook(OpenBook &out);
    int prepare(wb::Workbook &book, bool newBook);
    std::unique_ptr<wb::Workbook> readTemplateFile();
    static void applyTemplateEdits(const wb::Workbook &file, wb::Workbook &templ);
    void dropBooks();
    void writeLinkStatus(const QString &text);
    void beginCapture();

    Prompter &m_prompter;
    FileChooser &m_chooser;
    ProgramFiles m_files;
    WorkbookView *m_view = nullptr;
    QString m_newBookPath;
    QString m_ownBookPath;
    bool m_holdSaves = false;
    bool m_opening = false; // inside excOpen
    BookJournal m_journal;
    bool m_journalFailTold = false;
    QString m_lastError;
    std::vector<OpenBook> m_books;          // Workbooks(1) first
    std::unique_ptr<wb::Workbook> m_template;
    std::unique_ptr<ShotSheetWriter> m_writer;
    IdentifierWidths m_widths;
    int m_captureCounter = 0;
    QStringList m_waiting; // live lines that arrived during an export
};

} // namespace zx::xls
