#include "platform/one_shot_timer.h"

#include <algorithm>
#include <cmath>

namespace zx {
namespace {
double g_scale = 1.0;
}

OneShotTimer::OneShotTimer(QObject *parent) : QObject(parent)
{
    // Precise: the 50 ms guard between transactions must never come early.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OneShotTimer::onTimeout);
}

OneShotTimer::OneShotTimer(int intervalMs, const QString &tag, QObject *parent) : OneShotTimer(parent)
{
    m_tag = tag;
    setInterval(intervalMs);
}

void OneShotTimer::setInterval(int ms)
{
    m_interval = std::max(0, ms);
    m_timer.setInterval(scaled(m_interval));
}

void OneShotTimer::setEnabled(bool on)
{
    if (on == m_timer.isActive())
        return;
    if (on)
        m_timer.start(scaled(m_interval));
    else
        m_timer.stop();
}

void OneShotTimer::arm(int ms)
{
    m_expired = false;
    m_timer.stop();
    setInterval(ms);
    m_timer.start();
}

void OneShotTimer::restart()
{
    m_timer.stop();
    m_timer.start(scaled(m_interval));
}

void OneShotTimer::disarm()
{
    m_timer.stop();
    m_expired = true;
}

void OneShotTimer::setPeriodic(bool periodic)
{
    m_periodic = periodic;
    m_timer.setSingleShot(!periodic);
}

void OneShotTimer::onTimeout()
{
    if (m_periodic) {
        Q_EMIT tick();
        return;
    }
    m_timer.stop();
    m_expired = true;
    Q_EMIT fired();
}

void OneShotTimer::setScale(double factor) { g_scale = factor > 0 ? factor : 1.0; }
double OneShotTimer::scale() { return g_scale; }
int OneShotTimer::scaled(int ms)
{
    if (ms <= 0)
        return 0;
    return std::max(1, int(std::lround(ms * g_scale)));
}

} // namespace zx
