#include "term/terminal.h"
#include "platform/crlf.h"

#include "cfile/file_chooser.h"
#include "cfile/logpad.h"
#include "link/link_session.h"
#include "platform/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace zx {
namespace {

constexpr unsigned long kUnattendedPauseMs = 100;

void bump(qint32 &v, qint64 by = 1) { v = qint32(std::min<qint64>(qint64(v) + by, 2147483647)); }

QString hms(qint64 ms)
{
    const qint64 s = std::max<qint64>(0, ms / 1000);
    return QStringLiteral("%1:%2:%3 ")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

Terminal::Terminal(LinkSession &link, Prompter &prompter, FileChooser *chooser, QObject *parent)
    : QObject(parent), m_link(link), m_linkAlive(&link), m_prompter(prompter), m_chooser(chooser)
{
    m_start.fill(QDateTime::currentDateTime());
    timer1.setInterval(500);
    timer2.setInterval(2000);
    timer2.setSingleShot(true);
    connect(&timer1, &QTimer::timeout, this, &Terminal::tick);
    connect(&timer2, &QTimer::timeout, this, [this] {
        m_status = QStringLiteral("Status: ");
        Q_EMIT statsChanged();
    });

    LinkHooks &h = m_link.hooks;
    h.logWrite = [this](const QString &s) { logWrite(s); };
    h.closeLog = [this] { closeLog(); };
    h.portEvent = [this](const QString &t, bool err) { portEvent(t, err); };
    h.connClock = [this](bool running) {
        if (running) {
            m_start.fill(QDateTime::currentDateTime());
            m_elapsedMs.fill(0);
            timer1.start();
        } else {
            timer1.stop();
        }
        Q_EMIT statsChanged();
    };
    h.settingsPanel = [this](const QString &t) { Q_EMIT settingsTextChanged(t); };
    h.sendTextEnabled = [this](bool on) { Q_EMIT sendEnabledChanged(on); };

    // A failed write: the system's error text with Retry / Cancel; Cancel closes the log.
    m_log.onWriteError = [this](const QString &error) {
        if (m_closing)
            return false;
        if (m_unattendedRetries >= 0) {
            // Nobody to ask: a few more tries a moment apart, then the log is given up.
            if (m_retried++ < m_unattendedRetries) {
                QThread::msleep(kUnattendedPauseMs);
                return true;
            }
            m_closing = true;
            if (m_givenUp)
                m_givenUp(QDir::toNativeSeparators(m_log.fileName()) + QStringLiteral(": ") + error);
            return false;
        }
        MsgRequest r;
        r.text = error;
        r.buttons = MsgButtons::RetryCancel;
        r.icon = MsgIcon::Critical;
        r.foreground = true;
        r.systemModal = true;
        return m_prompter.show(r) == MsgAnswer::Retry;
    };
}

Terminal::~Terminal()
{
    m_closing = true;
    m_log.close();
    if (!m_linkAlive)
        return;
    LinkHooks &h = m_link.hooks;
    h.logWrite = nullptr;
    h.closeLog = nullptr;
    h.portEvent = nullptr;
    h.connClock = nullptr;
    h.settingsPanel = nullptr;
    h.sendTextEnabled = nullptr;
}

// --- typing ---

int Terminal::specialKeyCode(int key, Qt::KeyboardModifiers mods)
{
    if (mods & (Qt::ShiftModifier | Qt::ControlModifier))
        return -1;
    const bool alt = mods & Qt::AltModifier;
    char letter = 0;
    switch (key) {
    case Qt::Key_Up: letter = alt ? 0 : 'U'; break;
    case Qt::Key_Down: letter = alt ? 0 : 'D'; break;
    case Qt::Key_Left: letter = alt ? 0 : 'L'; break;
    case Qt::Key_Right: letter = alt ? 0 : 'R'; break;
    case Qt::Key_Delete: letter = alt ? '_' : '^'; break;
    case Qt::Key_Backspace: letter = alt ? ']' : '\\'; break;
    case Qt::Key_PageUp: letter = alt ? 0 : 'K'; break;
    case Qt::Key_PageDown: letter = alt ? 0 : 'O'; break;
    default: return -1;
    }
    return letter ? (letter & 191) : -1;
}

void Terminal::sendBytes(const QByteArray &bytes)
{
    m_link.MSComm1.clearError();
    if (m_link.MSComm1.output(bytes) != 0) {
        bump(m_link.counters.txErrors);
        return;
    }
    bump(m_link.counters.txChars, bytes.size());
    bump(m_link.counters.txLines, bytes.count('\n'));
}

bool Terminal::typeKey(int key, Qt::KeyboardModifiers mods, const QString &text)
{
    if (!m_link.MSComm1.portOpen() || !m_link.bRxTo[0])
        return false;
    static const int specials[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                                   Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_PageUp, Qt::Key_PageDown};
    if (m_link.cro.iCroDevice == 0 && std::find(std::begin(specials), std::end(specials), key) != std::end(specials)) {
        const int code = specialKeyCode(key, mods);
        if (code < 0)
            return false;
        sendBytes(QByteArray(1, char(code)));
        return true;
    }
    if (text.isEmpty())
        return false;
    sendBytes(SerialPort::textToBytes(text));
    if (echoOn && echoOn()) {
        // Shown as the receive path would show it: a line end as CR LF.
        QString shown = text;
        shown.remove(QLatin1Char('\n')).replace(QLatin1Char('\r'), kCrLf);
        m_link.txtTerm.trimIfOver();
        m_link.txtTerm.append(shown);
        m_link.txtTerm.touch();
        if (m_link.hooks.terminalChanged)
            m_link.hooks.terminalChanged();
    }
    return true;
}

// --- sending a text file ---

bool Terminal::looksLikeText(const QByteArray &head)
{
    qsizetype odd = 0;
    for (const char ch : head) {
        const auto c = uchar(ch);
        if (c == 0)
            return false;
        if (c < 32 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != 26 && c != 27)
            ++odd;
    }
    return odd * 20 <= head.size();   // at most one in twenty
}

void Terminal::mnuSendText()
{
    if (!m_chooser || m_sending)
        return;
    for (;;) {
        const QStringList chosen = m_chooser->openFiles(
            QStringLiteral("Send Text File"), QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*"), false);
        if (chosen.isEmpty())
            return;
        if (QFileInfo::exists(chosen.first())) {
            sendTextFile(chosen.first());
            return;
        }
        m_prompter.inform(chosen.first() + QStringLiteral(" not found!"));
    }
}

bool Terminal::sendTextFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_prompter.inform(QDir::toNativeSeparators(path) + kCrLf + f.errorString());
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    // RV5 keys are control characters, so any file may be meant; one that looks binary is
    // asked about, never refused.
    if (!looksLikeText(f.peek(8192))
        && m_prompter.ask(name + QStringLiteral(" does not look like a text file.") + kCrLf
                              + QStringLiteral("Send it anyway?"),
                          MsgButtons::YesNo, 2)
               != MsgAnswer::Yes)
        return false;
    SerialPort &port = m_link.MSComm1;
    m_sending = true;
    cancelSend = false;
    if (sendStarted)
        sendStarted(QStringLiteral("Transmitting Text File - ") + name);
    // A slow tick keeps the wait awake when the device takes nothing (no event would come).
    QTimer wake;
    wake.start(50);
    const qint64 total = f.size();
    qint64 sent = 0;
    bool ok = true;
    while (!f.atEnd() && !cancelSend) {
        if (!port.portOpen()) {
            ok = false;
            break;
        }
        const QByteArray piece = f.read(port.outBufferSize());
        port.clearError();
        const int err = port.output(piece);
        if (err != 0) {
            bump(m_link.counters.txErrors);
            if (port.portOpen())
                m_prompter.inform(SerialPort::errorText(err));
            ok = false;
            break;
        }
        sent += piece.size();
        bump(m_link.counters.txChars, piece.size());
        bump(m_link.counters.txLines, piece.count('\n'));
        if (sendProgress)
            sendProgress(sent, total);
        while (port.portOpen() && port.outBufferCount() > 0 && !cancelSend)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!ok && !port.portOpen())
        m_prompter.inform(QStringLiteral("Port COM") + QString::number(port.commPort())
                          + QStringLiteral(" is not opened !") + kCrLf + QStringLiteral("Transmitting Text File - ")
                          + name + QStringLiteral(" stopped after ") + QString::number(sent) + QStringLiteral(" of ")
                          + QString::number(total) + QStringLiteral(" characters."));
    f.close();
    m_sending = false;
    if (sendEnded)
        sendEnded();
    return ok && !cancelSend;
}

// --- communication log ---

bool Terminal::logRunning() const { return m_log.isOpen() && m_link.bLogRun; }

void Terminal::writeTag(int event)
{
    if (!m_log.writeNow(LogPad::commLogLine(event)))
        closeLog();
}

void Terminal::logWrite(const QString &text)
{
    if (!m_log.isOpen())
        return;
    if (m_log.write(text))
        m_retried = 0;
    else
        closeLog();
}

void Terminal::setUnattended(int retries, std::function<void(const QString &)> givenUp)
{
    m_unattendedRetries = retries;
    m_givenUp = std::move(givenUp);
}

void Terminal::mnuOpenLog()
{
    if (!m_chooser || m_log.isOpen())
        return;
    // A new file name is as good as an existing one: the chooser is the writing kind.
    const QString path = m_chooser->writeFile(
        QStringLiteral("Open CLog File"), QString(),
        QStringLiteral("Text Files (*.txt)|*.txt|Log Files (*.log)|*.log|All Files (*.*)|*.*"));
    if (path.isEmpty())
        return;
    bool replace = false;
    if (QFileInfo::exists(path)) {
        const MsgAnswer a = m_prompter.ask(QStringLiteral("Replace existing file - ") + path + QStringLiteral("?"),
                                           MsgButtons::YesNoCancel, 3);
        if (a == MsgAnswer::Cancel)
            return;
        replace = a == MsgAnswer::Yes;
    }
    openLog(path, replace, 0);
}

bool Terminal::openLog(const QString &path, bool replace, int event)
{
    m_closing = false;
    m_retried = 0;
    if (!m_log.open(path, replace)) {
        m_prompter.inform(QDir::toNativeSeparators(path) + kCrLf + m_log.error());
        m_link.iLogFile = 0;
        m_link.bLogRun = false;
        return false;
    }
    m_link.iLogFile = 1;
    m_link.bLogRun = true;
    m_captionPart = QStringLiteral("(") + QFileInfo(path).fileName() + QStringLiteral(")");
    writeTag(event);
    if (logStateChanged)
        logStateChanged();
    return m_log.isOpen();
}

bool Terminal::strtCLog(int event)
{
    if (m_log.isOpen() || !panelLogPath)
        return m_log.isOpen();
    return openLog(panelLogPath(), false, event);
}

void Terminal::pauseLog()
{
    if (!m_log.isOpen() || !m_link.bLogRun)
        return;
    m_link.bLogRun = false;
    writeTag(5);
    if (logStateChanged)
        logStateChanged();
}

void Terminal::resumeLog()
{
    if (!m_log.isOpen() || m_link.bLogRun)
        return;
    m_link.bLogRun = true;
    writeTag(4);
    if (logStateChanged)
        logStateChanged();
}

void Terminal::closeLog()
{
    if (m_log.isOpen()) {
        m_closing = true;   // a failing file asks no more questions on its way out
        m_log.writeNow(LogPad::commLogLine(1));
        m_log.close();
        m_captionPart = QStringLiteral("(Log turned off)");
    }
    m_link.iLogFile = 0;
    m_link.bLogRun = false;
    if (logStateChanged)
        logStateChanged();
}

// --- window commands ---

bool Terminal::mnuClearBuf(bool showWarn)
{
    if (showWarn && m_prompter.ask(QStringLiteral("Clear iLoger data..?"), MsgButtons::YesNo, 2) != MsgAnswer::Yes)
        return false;
    m_link.txtTerm.clear();
    m_link.txtTerm.touch();
    if (m_link.hooks.terminalChanged)
        m_link.hooks.terminalChanged();
    return true;
}

QString Terminal::holdingText(int line) const
{
    const SerialPort &p = m_link.MSComm1;
    const bool on = line == 0 ? p.cdHolding() : line == 1 ? p.ctsHolding() : p.dsrHolding();
    static const char *const names[] = {"CDHolding = ", "CTSHolding = ", "DSRHolding = "};
    return QString::fromLatin1(names[std::clamp(line, 0, 2)]) + (on ? QStringLiteral("True") : QStringLiteral("False"));
}

void Terminal::toggleDtr() { m_link.MSComm1.setDtrEnable(!m_link.MSComm1.dtrEnable()); }

QString Terminal::promptOf(PortValue v)
{
    switch (v) {
    case PortValue::InputLen: return QStringLiteral("Enter New InputLen:");
    case PortValue::RThreshold: return QStringLiteral("Enter New RThreshold:");
    case PortValue::SThreshold: return QStringLiteral("Enter New SThreshold Value");
    }
    return {};
}

QString Terminal::titleOf(PortValue v)
{
    switch (v) {
    case PortValue::InputLen: return QStringLiteral("InputLen");
    case PortValue::RThreshold: return QStringLiteral("RThreshold");
    case PortValue::SThreshold: return QStringLiteral("SThreshold");
    }
    return {};
}

QString Terminal::currentValue(PortValue v) const
{
    const SerialPort &p = m_link.MSComm1;
    switch (v) {
    case PortValue::InputLen: return QString::number(p.inputLen());
    case PortValue::RThreshold: return QString::number(p.rThreshold());
    case PortValue::SThreshold: return QString::number(p.sThreshold());
    }
    return {};
}

QString Terminal::setPortValue(PortValue v, const QString &answer)
{
    if (answer.isEmpty())
        return {};
    const QString refused = SerialPort::errorText(SerialPort::ErrInvalidValue);
    bool ok = false;
    const int n = answer.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 32767)
        return refused;
    SerialPort &p = m_link.MSComm1;
    if (v == PortValue::InputLen)
        p.setInputLen(n);
    else if (v == PortValue::RThreshold)
        p.setRThreshold(n);
    else
        p.setSThreshold(n);
    return {};
}

// --- clocks and status ---

void Terminal::tick()
{
    const QDateTime now = QDateTime::currentDateTime();
    for (size_t t = 0; t < 2; ++t) {
        if (!m_link.bRxTo[t])
            m_start[t] = now;
        m_elapsedMs[t] = m_start[t].msecsTo(now);
    }
    if (!timer2.isActive())
        m_status = QStringLiteral("Lines:") + QString::number(m_link.counters.rxLines);
    Q_EMIT statsChanged();
}

QString Terminal::connectTimeText(int target) const { return hms(m_elapsedMs[size_t(std::clamp(target, 0, 1))]); }

void Terminal::flashStatus(const QString &text)
{
    m_status = text;
    timer2.start();
    Q_EMIT statsChanged();
}

// --- statistics ---

void Terminal::portEvent(const QString &text, bool isError)
{
    if (m_events.size() > 1000)
        m_events.dropFront(79);
    m_events.append((isError ? QStringLiteral("Err(") : QStringLiteral("Sta("))
                    + LogPad::timerSeconds(QTime::currentTime()) + QStringLiteral("): ") + text + kCrLf);
    Q_EMIT eventsChanged();
}

void Terminal::resetCounter(int index)
{
    TermCounters &c = m_link.counters;
    qint32 *fields[] = {&c.rxChars, &c.rxLines, &c.rxEvents, &c.rxErrors,
                        &c.txChars, &c.txLines, &c.txMsgs, &c.txErrors};
    if (index >= 0 && index < 8)
        *fields[index] = 0;
    Q_EMIT statsChanged();
}

QString Terminal::hexOf(QStringView text)
{
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) {
        const auto b = uchar(SerialPort::charToByte(c));
        out += QString::number(b, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        out += b == '\n' ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return out;
}

} // namespace zx
