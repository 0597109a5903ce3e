#include "cfile/logpad.h"
#include "platform/crlf.h"

#include "cfile/capture_journal.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"

#include <QLocale>
#include <QTextCursor>
#include <charconv>

namespace zx {

namespace {
}

LogPad::LogPad(CFileManager &files) : m_files(files) {}

bool LogPad::hasActiveCFile() const
{
    return m_files.active() != nullptr;
}

QString LogPad::shortDate(const QDate &d)
{
    return QLocale::system().toString(d, QLocale::ShortFormat);
}

QString LogPad::longTime(const QTime &t)
{
    // The long time format without a time-zone name.
    QString fmt = QLocale::system().timeFormat(QLocale::LongFormat);
    fmt.remove(QLatin1Char('t'));
    return QLocale::system().toString(t, fmt.trimmed());
}

QString LogPad::timerSeconds(const QTime &t)
{
    const float secs = float(double(t.msecsSinceStartOfDay()) / 1000.0);
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, secs);
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString LogPad::lineFor(const QString &text, int nBefore, int nAfter, int kind, int shotTotal,
                        const QDateTime &now)
{
    QString body;
    switch (kind) {
    case 0:
        body = text;
        break;
    case 1:
        body = QStringLiteral("REM: ") + text;
        break;
    case 2:
        body = QStringLiteral("REM:") + QStringLiteral("%1").arg(shotTotal, 5, 10, QLatin1Char('0')) +
               QLatin1Char(' ') + text;
        break;
    case 10:
        body = QStringLiteral("TAG: ") + text;
        break;
    case 11:
        body = QStringLiteral("TAG: ") + text + QStringLiteral("{ Date=") + shortDate(now.date()) +
               QStringLiteral(" Time=") + longTime(now.time()) + QStringLiteral(" }");
        break;
    case 20:
        return text;
    default:
        return {};
    }
    return kCrLf.repeated(std::max(0, nBefore)) + body + kCrLf.repeated(std::max(0, nAfter));
}

bool LogPad::appendKeepingFormat(CFileDoc *doc, const QString &text)
{
    if (!doc || text.isEmpty())
        return true;
    QTextCursor c = doc->caret();
    c.clearSelection();
    c.movePosition(QTextCursor::End);
    const QTextCharFormat kept = c.charFormat();
    if (m_journal)
        m_journal->aboutToRecord();
    c.insertText(text);
    c.movePosition(QTextCursor::End);
    c.setCharFormat(kept);
    doc->setCaret(c);
    doc->setRecordEnd(c.position());
    // The record is not the user's edit: an undo must never take shots out of it.
    doc->document()->clearUndoRedoStacks();
    return !m_journal || m_journal->record(doc, text);
}

void LogPad::logPadWrite(const QString &text, int nBefore, int nAfter, int kind)
{
    CFileDoc *doc = m_files.active();
    if (!doc)
        return;  // callers check for a CFile first
    const QString line = lineFor(text, nBefore, nAfter, kind, m_shotTotal ? m_shotTotal() : 0, now());
    if (line.isEmpty())
        return;
    m_crDoc = line.endsWith(QLatin1Char('\r')) ? doc : nullptr;
    appendKeepingFormat(doc, line);
    if (m_tagTap && (kind == 10 || kind == 11))
        m_tagTap(line);
}

void LogPad::captureText(const QString &chunk)
{
    CFileDoc *doc = m_files.active();
    if (!doc || chunk.isEmpty())
        return;
    QStringView s(chunk);
    // A serial line may split CR LF across two reads; keep it one line end.
    if (m_crDoc == doc && s.startsWith(QLatin1Char('\n')))
        s = s.mid(1);
    m_crDoc = chunk.endsWith(QLatin1Char('\r')) ? doc : nullptr;
    appendKeepingFormat(doc, s.toString());
    if (m_captureTap)
        m_captureTap(s);
}

QString LogPad::eventTagText(int event, const QDateTime &t)
{
    static const char *const words[] = {"", "Start-", "Stop-", "PowerOff-", "PowerOn-"};
    const QString word = (event >= 0 && event <= 4) ? QString::fromLatin1(words[event]) : QString();
    return word + QStringLiteral("{Date=") + shortDate(t.date()) + QStringLiteral("  Time=") + longTime(t.time()) +
           QStringLiteral("  t=") + timerSeconds(t.time()) + QStringLiteral(" sec}");
}

QString LogPad::deviceTagText(const QString &deviceName, int port)
{
    return QStringLiteral("Device-{") + deviceName + QStringLiteral("} Port-{COM") + QString::number(port) +
           QStringLiteral("}");
}

void LogPad::tagEvent(int event) { logPadWrite(eventTagText(event, now()), 1, 1, 10); }

void LogPad::tagDevice(const QString &deviceName, int port) { logPadWrite(deviceTagText(deviceName, port), 0, 1, 10); }

void LogPad::errRemark(int number, const QString &text)
{
    warnRemark(QStringLiteral("Err(") + QString::number(number) + QStringLiteral(")->") + text);
}

QString LogPad::commLogLine(int event, const QDateTime &now)
{
    static const char *const words[] = {"Open", "Close", "Start", "Stop", "Resume", "Pause", "StartUp"};
    const QString stamp = QStringLiteral("-{Date=") + shortDate(now.date()) + QStringLiteral("  Time=") +
                          longTime(now.time()) + QStringLiteral("  t=") + timerSeconds(now.time()) +
                          QStringLiteral(" sec}") + kCrLf;
    if (event == 7)
        return QStringLiteral("Cleared") + stamp;
    const QString word = (event >= 0 && event <= 6) ? QString::fromLatin1(words[event]) : QString();
    return kCrLf + QStringLiteral("TAG:") + word + stamp;
}

} // namespace zx
