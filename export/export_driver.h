#pragma once
// The export driver: shots of a chronograph memory listing (a string, a folder, the eDisk), of
// the logger's text or of a CFile's "CAP:" lines written as shot rows into the linked workbook,
// with the begin and end lines, the LogPad lines and the progress window around it. The menu
// commands, the remote panel and zentrix-cli run exactly this.
#include "export/export_options.h"

#include <QStringList>

#include <functional>

namespace zx {
class LogPadSink;
class ProgressSink;
} // namespace zx

namespace zx::xls {

// The text split into lines at CR and LF, blank lines dropped.
QStringList textLines(const QString &text);

class ExcelLink;

// Export types and the sheets and source kinds their callers pass.
enum ExportType { ExpString = 1, ExpFolder = 2, ExpEDisk = 3, ExpLogger = 4, ExpCFile = 5 };
enum SourceKind { SrcLogger = 0, SrcMemory = 1, SrcCapture = 2, SrcText = 3 };

// Where the shots come from; every function may be left empty (nothing to read).
struct ExportSources {
    std::function<bool()> busy;                                 // the chronograph link is busy (refused)
    std::function<int(int scope, QStringList &lines)> download; // memory listing lines; 0 on success
    std::function<QString()> loggerText;                        // the terminal (iLoger) text
    std::function<QString()> cfileText;                         // the active CFile's text
    std::function<QString()> chronoModel;                       // for the source line
    std::function<bool()> abortRequested;                       // the progress window's Abort
    std::function<void()> pumpEvents;                           // lets Abort and repaints through
    std::function<void()> showLogPad;                           // bring the LogPad to the front
};

// Results besides 0: 1 refused (busy), 2 download failed, 3 aborted, 4 settings sheet unreadable,
// 5 the workbook could not be saved, 6 no shots to export (nothing written), 101 to 104 listing
// errors, 1000 + stage when the workbook could not be made ready.
enum ExportResult {
    ExportOk = 0,
    ExportBusy = 1,
    ExportNoDownload = 2,
    ExportAborted = 3,
    ExportBadSetup = 4,
    ExportNotSaved = 5,
    ExportNoShots = 6
};

class ExportDriver {
public:
    ExportDriver(ExcelLink &link, const ExportSources &sources, LogPadSink &logPad, ProgressSink &progress,
                 const ExportOptions &options);

    // Export(workbook mode, source kind, sheet index, export type).
    int run(int mode, int sourceKind, int sheet, int type);
    // The menu commands' calls (workbook mode 3, a new workbook when none is linked).
    int exportString() { return run(3, SrcMemory, 1, ExpString); }
    int exportFolder() { return run(3, SrcMemory, 2, ExpFolder); }
    int exportEDisk() { return run(3, SrcMemory, 3, ExpEDisk); }
    int exportLogger() { return run(3, SrcLogger, 5, ExpLogger); }
    int exportCFile() { return run(3, SrcCapture, 4, ExpCFile); }

    int rowsWritten() const { return m_rows; }
    int linesSkipped() const { return m_skipped; } // unreadable shot lines of a CFile or logger
    // The success line of an export whose save the link holds: the caller says it once the
    // workbook is on disk ("" when there is none).
    const QString &heldSuccess() const { return m_heldSuccess; }
    static constexpr int kMaxStringShots = 40;
    static constexpr int kMaxStrings = 100;

private:
    int writeListing(int sheet, const QString &kind, int counter, const QStringList &lines);
    int writeShotLines(int sheet, const QString &kind, int counter, const QStringList &lines, bool captureOnly);
    bool step();
    // Whether the logger's or CFile's lines hold a shot (unreadable ones counted as skipped).
    bool hasShots(const QStringList &lines, bool captureOnly);

    ExcelLink &m_link;
    const ExportSources &m_src;
    LogPadSink &m_logPad;
    ProgressSink &m_progress;
    ExportOptions m_options;
    int m_rows = 0;
    int m_skipped = 0;
    QString m_heldSuccess;
};

} // namespace zx::xls
