#pragma once
// What the keypad window does, without its widgets: the 25 pad keys and what each sends (one
// transaction through the remote panel's guarded key path), the LCD text taken from the link's
// received lines, the five indicator boxes and the keypad-open flag (LinkSession::bKeyPadOn).
// The window (remote/ui/frm_key_pad) shows this state and forwards its keys here.
#include <QList>
#include <QObject>
#include <QString>

#include <array>

namespace zx {

class LinkSession;
class RemoteControl;

// One pad key: its caption ("" for the keys that carry a picture) and what it sends.
struct PadKey {
    const char *caption;
    char letter;
    bool asKey;   // true: the key (letter AND 191), false: the plain command character
};

class KeyPad : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeys = 25;
    static constexpr int kIndicators = 5;
    static constexpr int kLcdLines = 4;
    static constexpr int kCalKey = 5;
    // Indicator boxes: archery, sensors, rapid fire, started, stopped.
    enum Indicator { Archery = 0, Sensors = 1, RapidFire = 2, Started = 3, Stopped = 4 };
    static const std::array<PadKey, kKeys> kPadKeys;
    static const std::array<const char *, kIndicators> kIndicatorNames;

    KeyPad(LinkSession &link, RemoteControl &remote, QObject *parent = nullptr);

    // Loaded: the flag set and the LCD test pattern shown. Closed: the flag cleared.
    void open();
    void close();
    bool isOpen() const;

    // A pad key: its transaction, the indicators it concerns, the LCD refresh, the flag set.
    // A press while the previous key's transaction still runs waits for it (in press order).
    void keyPress(int index);
    bool busy() const { return m_busy; }
    int queued() const { return int(m_queue.size()); }
    static constexpr int kQueueLimit = 16;

    // The LCD shows the last four lines of the link's received text.
    void refreshLcd();
    void showLcd(const QString &text);
    QString lcd() const { return m_lcd; }
    bool indicator(int index) const { return m_indicators.at(size_t(index)); }

    static QString lcdTestPattern();
    // The last n lines of text cut at CR LF, each trimmed, joined by CR LF.
    static QString lastLines(const QString &text, int n = kLcdLines);
    // The tail of the received text as the terminal shows it (lines ended by CR LF), built from
    // the link's ring of received lines, which fills whether or not the terminal is linked.
    static QString receivedTail(const LinkSession &link, int lines);

Q_SIGNALS:
    void lcdChanged(const QString &text);
    void indicatorsChanged();

private:
    bool sendOne(int index);
    void noteAnswer(int index);
    void showFlags();

    LinkSession &m_link;
    RemoteControl &m_remote;
    QString m_lcd;
    std::array<bool, kIndicators> m_indicators{};
    bool m_busy = false;
    QList<int> m_queue;
};

} // namespace zx
