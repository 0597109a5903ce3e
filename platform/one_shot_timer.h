#pragma once
// A one-shot timer with an expired mark, the pacing element of every exchange with the
// chronograph. Arming clears the mark and starts the interval; expiry stops the timer and
// sets the mark; waiting loops poll the mark while they pump events.
// A periodic timer (setPeriodic) only emits tick() and leaves stopping and marking to its
// owner (the long-period countdown).
#include <QObject>
#include <QString>
#include <QTimer>

namespace zx {

class OneShotTimer : public QObject {
    Q_OBJECT
public:
    explicit OneShotTimer(QObject *parent = nullptr);
    OneShotTimer(int intervalMs, const QString &tag, QObject *parent = nullptr);

    // Design interval in ms; the running interval is this times the program-wide scale.
    int interval() const { return m_interval; }
    void setInterval(int ms);
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    bool isEnabled() const { return m_timer.isActive(); }
    // Enabling a stopped timer starts its interval; disabling stops it. The mark is untouched.
    void setEnabled(bool on);

    bool expired() const { return m_expired; }
    void setExpired(bool mark) { m_expired = mark; }

    // Clear the mark, set the interval, start.
    void arm(int ms);
    void arm() { arm(m_interval); }
    // Stop and start again so the full interval begins anew (mark untouched).
    void restart();
    // Stop and set the mark.
    void disarm();
    // Stop without touching the mark.
    void stop() { m_timer.stop(); }

    void setPeriodic(bool periodic);
    bool isPeriodic() const { return m_periodic; }

    // Test-only: every timer runs at interval x scale (never below 1 ms). Product code runs at 1.
    static void setScale(double factor);
    static double scale();
    static int scaled(int ms);

Q_SIGNALS:
    // One-shot: emitted after the timer stopped itself and set its mark.
    void fired();
    // Periodic: emitted on every tick.
    void tick();

private:
    void onTimeout();

    QTimer m_timer;
    int m_interval = 0;
    QString m_tag;
    bool m_expired = false;
    bool m_periodic = false;
};

} // namespace zx
