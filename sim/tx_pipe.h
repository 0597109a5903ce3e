#pragma once
// The chronograph's transmitter: a queue of bytes, pauses and deferred state changes released
// by a timer. Output never leaves inside the call that queued it (a program writing a command
// gets its answer on a later event-loop pass, as from a real port). With pacing on, characters
// leave at the 4800-baud rate (10 bits each, 2.083 ms), released in batches computed from the
// elapsed time; chunking cuts the stream into small pieces with gaps between them.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <deque>
#include <functional>

namespace zx::sim {

class TxPipe : public QObject {
    Q_OBJECT
public:
    explicit TxPipe(QObject *parent = nullptr);

    void sendBytes(const QByteArray &bytes);
    void pause(int ms);                       // line silent for ms before what follows
    void action(std::function<void()> fn);    // runs when the stream reaches this point
    void clear();                             // drop everything not yet transmitted
    bool idle() const { return m_items.empty(); }

    void setPaced(bool on, int baud = 4800);
    bool isPaced() const { return m_paced; }
    double msPerChar() const { return 10000.0 / m_baud; }
    // At most maxBytes per piece, then a gap of pauseMs; maxBytes <= 0 turns it off.
    void setChunking(int maxBytes, int pauseMs);
    // Each released piece gets 1 to 3 random bytes inserted with this probability (0..1).
    void setGarbageRate(double p, quint32 seed);
    qint64 bytesSent() const { return m_sent; }

Q_SIGNALS:
    void output(const QByteArray &bytes);

private:
    struct Item {
        enum Kind { Bytes, Pause, Action } kind;
        QByteArray bytes;
        int ms = 0;
        std::function<void()> fn;
    };
    void push(Item it);
    void pump();
    void emitOut(QByteArray &out);
    double now() const { return double(m_clock.nsecsElapsed()) / 1e6; }

    std::deque<Item> m_items;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_paced = false;
    int m_baud = 4800;
    double m_lineTime = -1;   // paced: when the line finished its last released character
    double m_pauseUntil = 0;
    int m_chunkMax = 0;
    int m_chunkPauseMs = 0;
    int m_chunkCount = 0;
    double m_garbage = 0;
    QRandomGenerator m_noise;
    qint64 m_sent = 0;
    bool m_inPump = false;
};

} // namespace zx::sim
