#pragma once
// The LogPad line writer: the program's own lines (remarks, tags, plain and raw text) and
// the captured chronograph text, inserted at the end of the active CFile with the caret's
// character format kept. zentrix-cli and the desktop program share it.
#include "link/logpad_sink.h"

#include <QDateTime>
#include <functional>

namespace zx {

class CaptureJournal;
class CFileDoc;
class CFileManager;

class LogPad : public LogPadSink {
public:
    explicit LogPad(CFileManager &files);

    // Source of iCroShotTotal for the numbered remark (kind 2).
    void setShotTotal(std::function<int()> f) { m_shotTotal = std::move(f); }
    // Every text written also goes to this recovery journal (none: not journalled).
    void setJournal(CaptureJournal *journal) { m_journal = journal; }
    // Sees every captured chunk right after it was inserted (the live string statistics).
    void setCaptureTap(std::function<void(QStringView)> f) { m_captureTap = std::move(f); }
    // Sees every tag line the program writes (Start, Stop, ...), as inserted: a tag ends the
    // string being shot, in the live statistics as in the text.
    void setTagTap(std::function<void(QStringView)> f) { m_tagTap = std::move(f); }
    // Clock for dates and times (tests fix it).
    void setClock(std::function<QDateTime()> f) { m_clock = std::move(f); }

    // kind 0 plain, 1 "REM: ", 2 "REM:nnnnn ", 10 "TAG: ", 11 dated tag, 20 raw.
    void logPadWrite(const QString &text, int nBefore, int nAfter, int kind) override;
    void captureText(const QString &chunk) override;
    bool hasActiveCFile() const override;

    // Event tag: 1 "Start-", 2 "Stop-", 3 "PowerOff-", 4 "PowerOn-", 0 no word.
    void tagEvent(int event);
    // "Device-{" + device name + "} Port-{COM" + port + "}"
    void tagDevice(const QString &deviceName, int port);
    // The texts of those tags, for writers of other LogPads.
    static QString eventTagText(int event, const QDateTime &t);
    static QString deviceTagText(const QString &deviceName, int port);
    // Warning remark: "REM: " + text and one line end.
    void warnRemark(const QString &text) { logPadWrite(text, 0, 1, 1); }
    // Error remark: "REM: Err(" + number + ")->" + text and one line end.
    void errRemark(int number, const QString &text);

    // The text logPadWrite inserts (empty for an unknown kind).
    static QString lineFor(const QString &text, int nBefore, int nAfter, int kind, int shotTotal,
                           const QDateTime &now);
    // Communication-log event line: 0 Open, 1 Close, 2 Start, 3 Stop, 4 Resume, 5 Pause,
    // 6 StartUp, 7 Cleared.
    static QString commLogLine(int event, const QDateTime &now = QDateTime::currentDateTime());
    static QString shortDate(const QDate &d);
    static QString longTime(const QTime &t);
    // Seconds since midnight as a single-precision number in its shortest form.
    static QString timerSeconds(const QTime &t);

    // Inserts text at the end of doc with the caret's format kept (the shared core). The
    // written text is journalled and never joins the editor's undo history. False when
    // the journal could not take it.
    bool appendKeepingFormat(CFileDoc *doc, const QString &text);

private:
    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTime(); }

    CFileManager &m_files;
    std::function<int()> m_shotTotal;
    std::function<QDateTime()> m_clock;
    std::function<void(QStringView)> m_captureTap;
    std::function<void(QStringView)> m_tagTap;
    CaptureJournal *m_journal = nullptr;
    // A CR that ended the last captured chunk: a LF starting the next one belongs to it.
    const CFileDoc *m_crDoc = nullptr;
};

} // namespace zx
