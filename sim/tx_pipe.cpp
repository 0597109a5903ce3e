#include "sim/tx_pipe.h"

#include <algorithm>
#include <cmath>

namespace zx::sim {

TxPipe::TxPipe(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TxPipe::pump);
    m_clock.start();
}

void TxPipe::sendBytes(const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        push({Item::Bytes, bytes, 0, {}});
}

void TxPipe::pause(int ms)
{
    if (ms > 0)
        push({Item::Pause, {}, ms, {}});
}

void TxPipe::action(std::function<void()> fn) { push({Item::Action, {}, 0, std::move(fn)}); }

void TxPipe::push(Item it)
{
    if (m_items.empty() && m_paced && m_lineTime < now())
        m_lineTime = std::max(now(), m_pauseUntil);  // an idle line starts afresh
    m_items.push_back(std::move(it));
    if (!m_inPump && !m_timer.isActive())
        m_timer.start(0);
}

void TxPipe::clear()
{
    m_items.clear();
    m_timer.stop();  // a pending pause must not delay what is queued next
    m_pauseUntil = 0;
    m_chunkCount = 0;
}

void TxPipe::setPaced(bool on, int baud)
{
    m_paced = on;
    m_baud = std::max(baud, 50);
    m_lineTime = -1;
}

void TxPipe::setChunking(int maxBytes, int pauseMs)
{
    m_chunkMax = std::max(maxBytes, 0);
    m_chunkPauseMs = std::max(pauseMs, 0);
    m_chunkCount = 0;
}

void TxPipe::setGarbageRate(double p, quint32 seed)
{
    m_garbage = std::clamp(p, 0.0, 1.0);
    m_noise.seed(seed ^ 0x5eed5eedu);
}

void TxPipe::emitOut(QByteArray &out)
{
    if (out.isEmpty())
        return;
    if (m_garbage > 0 && m_noise.generateDouble() < m_garbage) {
        const int n = 1 + int(m_noise.bounded(3));
        for (int i = 0; i < n; ++i) {
            // Line noise: printable junk and high-bit bytes, never CR/LF or a prompt.
            static const char junk[] = "~`|{}\x7f\x80\x9f\xe5\xff@&";
            out.insert(int(m_noise.bounded(out.size() + 1)), junk[m_noise.bounded(int(sizeof junk) - 1)]);
        }
    }
    m_sent += out.size();
    const QByteArray piece = out;
    out.clear();
    Q_EMIT output(piece);
}

void TxPipe::pump()
{
    m_inPump = true;
    QByteArray out;
    const double per = msPerChar();
    while (!m_items.empty()) {
        const double t = now();
        if (m_pauseUntil > t)
            break;
        Item &it = m_items.front();
        if (it.kind == Item::Pause) {
            emitOut(out);
            const double start = m_paced ? std::max(t, m_lineTime) : t;
            m_pauseUntil = start + it.ms;
            if (m_paced)
                m_lineTime = m_pauseUntil;
            m_items.pop_front();
            continue;
        }
        if (it.kind == Item::Action) {
            emitOut(out);
            auto fn = std::move(it.fn);
            m_items.pop_front();
            if (fn)
                fn();  // may queue more items or clear the queue
            continue;
        }
        int n = it.bytes.size();
        if (m_paced) {
            if (m_lineTime < 0)
                m_lineTime = t;
            const int done = int(std::floor((t - m_lineTime) / per));
            n = std::min(n, std::max(done, 0));
        }
        if (m_chunkMax > 0)
            n = std::min(n, m_chunkMax - m_chunkCount);
        if (n <= 0)
            break;
        out.append(it.bytes.left(n));
        it.bytes.remove(0, n);
        if (m_paced)
            m_lineTime += n * per;
        if (m_chunkMax > 0 && (m_chunkCount += n) >= m_chunkMax) {
            m_chunkCount = 0;
            emitOut(out);
            m_pauseUntil = now() + m_chunkPauseMs;
            if (m_paced)
                m_lineTime = std::max(m_lineTime, m_pauseUntil);
        }
        if (it.bytes.isEmpty())
            m_items.pop_front();
    }
    emitOut(out);
    m_inPump = false;
    if (m_items.empty())
        return;
    const double t = now();
    int wait = 0;
    if (m_pauseUntil > t)
        wait = int(std::ceil(m_pauseUntil - t));
    else if (m_paced)
        wait = std::max(10, int(std::ceil(m_lineTime + per - t)));  // batches of ~5 characters
    m_timer.start(wait);
}

} // namespace zx::sim
