#pragma once
// The terminal window's logic (frmTerminal, the "iLoger"), without widgets: typed keys onto
// the link port, sending a text file, the communication log (opened by the user, or started
// with the remote panel's file name), the connect-time clocks and status texts, the port
// events list of the statistics window and the serial control's low-level properties.
// The link session's receive path (termRx) feeds the terminal text and the log.
#include "link/text_buffers.h"
#include "term/comm_log.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

namespace zx {

class FileChooser;
class LinkSession;
class Prompter;

class Terminal : public QObject {
    Q_OBJECT
public:
    Terminal(LinkSession &link, Prompter &prompter, FileChooser *chooser, QObject *parent = nullptr);
    ~Terminal() override;

    LinkSession &link() { return m_link; }
    CommLog &log() { return m_log; }

    // What the terminal reads from the program around it.
    std::function<bool()> echoOn;                          // the properties window's Echo
    std::function<QString()> panelLogPath;                 // the remote panel's folder + name
    std::function<void()> logStateChanged;                 // caption, menus, panel log controls

    // --- typing (only while the port is open and the terminal is linked) ---
    // A key typed in the terminal box (Qt key code, modifiers, its text). Returns true when
    // something went out. An echoed character is added to the terminal text.
    bool typeKey(int key, Qt::KeyboardModifiers mods, const QString &text);
    // The code an RV5 special key sends (the letter AND 191), or -1 when it sends nothing.
    static int specialKeyCode(int key, Qt::KeyboardModifiers mods);

    // --- sending a text file ---
    std::function<void(const QString &caption)> sendStarted;   // frmCancelSend shown
    std::function<void(qint64 sent, qint64 total)> sendProgress;
    std::function<void()> sendEnded;
    bool cancelSend = false;                               // the cancel window's button
    bool sending() const { return m_sending; }
    // mnuSendText: asks for the file ("Send Text File"), then sends it.
    void mnuSendText();
    // Sends the file in pieces of the output buffer, pumping events while output waits.
    // False when nothing or not all was sent (the reason was shown).
    bool sendTextFile(const QString &path);
    // A file with NUL bytes or many control characters is sent only after a Yes.
    static bool looksLikeText(const QByteArray &head);

    // --- communication log ---
    void mnuOpenLog();                                     // asks the file and the replace question
    // Opens path (appending, or emptied with replace) and writes the tag line of event
    // (0 Open, 2 Start, 6 StartUp). False after showing the system's error text.
    bool openLog(const QString &path, bool replace, int event);
    bool strtCLog(int event = 2);                          // the remote panel's file
    void pauseLog();
    void resumeLog();
    void closeLog();
    bool logOpen() const { return m_log.isOpen(); }
    // Nobody at the screen (zentrix-cli): a failing log write is tried `retries` more times
    // without a box, then the log is closed and givenUp told once (the file and the system's
    // reason). The terminal goes on without the log.
    void setUnattended(int retries, std::function<void(const QString &reason)> givenUp);
    bool logRunning() const;
    // "(name)" while a log is open, "(Log turned off)" after one was closed, else empty.
    QString logCaptionPart() const { return m_captionPart; }

    // --- window commands without a window ---
    bool mnuClearBuf(bool showWarn);                       // true when the text was cleared
    QString holdingText(int line) const;                   // 0 CD, 1 CTS, 2 DSR
    void toggleDtr();
    // mnuInputLen, mnuRThreshold, mnuSThreshold: the prompt, title and current value;
    // setPortValue takes the answer (empty: no change) and returns the error text. There is no
    // parity-replace character: the serial stack does not tell a parity error from a byte.
    enum class PortValue { InputLen, RThreshold, SThreshold };
    static QString promptOf(PortValue v);
    static QString titleOf(PortValue v);
    QString currentValue(PortValue v) const;
    QString setPortValue(PortValue v, const QString &answer);

    // --- clocks and status (Timer1, Timer2) ---
    void tick();                                           // Timer1, every 500 ms while the port is open
    QString connectTimeText(int target) const;             // "hh:nn:ss "
    QString statusText() const { return m_status; }
    void flashStatus(const QString &text);                 // shown until Timer2 puts "Status: " back
    QTimer timer1, timer2;

    // --- statistics window ---
    void portEvent(const QString &text, bool isError);
    QString eventList() const { return m_events.text(); }
    void resetCounter(int index);                          // 0..7 in the window's order
    static QString hexOf(QStringView text);                // "5A 0D 0A" for the hex view

Q_SIGNALS:
    void statsChanged();
    void eventsChanged();
    void settingsTextChanged(const QString &text);
    void sendEnabledChanged(bool on);

private:
    void sendBytes(const QByteArray &bytes);
    void logWrite(const QString &text);
    void writeTag(int event);

    LinkSession &m_link;
    QPointer<LinkSession> m_linkAlive;   // the session may go first at the program's end
    Prompter &m_prompter;
    FileChooser *m_chooser;
    CommLog m_log;
    bool m_sending = false;
    bool m_closing = false;
    int m_unattendedRetries = -1;   // -1: the Retry / Cancel box asks
    int m_retried = 0;
    std::function<void(const QString &)> m_givenUp;
    QString m_captionPart;
    QString m_status = QStringLiteral("Status: ");
    std::array<QDateTime, 2> m_start;
    std::array<qint64, 2> m_elapsedMs{};
    TrimmedText m_events{1000, 79, 4000};
};

} // namespace zx
