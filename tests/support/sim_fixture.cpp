#include "support/sim_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace zx::test {

namespace {
template <typename Done>
bool pumpUntil(Done done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer tick;  // wakes the loop so the deadline is noticed even when nothing happens
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
} // namespace

SimFixture::SimFixture(const zx::sim::Rv5Options &options)
    : m_sim(std::make_unique<zx::sim::Rv5Simulator>(options)),
      m_pty(std::make_unique<zx::sim::PtyTransport>(m_sim.get()))
{
    m_pty->open();
    relink();
}

// Named after its private folder: the serial stack locks ports by name, and tests run side by side.
QString SimFixture::stablePath() const
{
    return m_linkDir.filePath(QStringLiteral("tty") + QFileInfo(m_linkDir.path()).fileName());
}

void SimFixture::relink()
{
    QFile::remove(stablePath());
    if (m_pty->isOpen())
        QFile::link(m_pty->devicePath(), stablePath());
}

void SimFixture::unplug()
{
    m_pty->close();
    relink();
}

bool SimFixture::replug()
{
    const bool ok = m_pty->open();
    relink();
    return ok;
}

SimFixture::~SimFixture()
{
    m_pty.reset();  // the transport listens to the engine: it goes first
    m_sim.reset();
}

zx::sim::Rv5Options SimFixture::quietOptions()
{
    zx::sim::Rv5Options o;
    o.seed = 7;
    o.shotIntervalMs = 0;
    o.calibrationStepMs = 60;
    o.deleteDelayMs = 60;
    return o;
}

bool SimFixture::waitIdle(int timeoutMs)
{
    return pumpUntil([this] { return m_sim->isIdle(); }, timeoutMs);
}

bool SimFixture::waitReceived(int n, int timeoutMs)
{
    return pumpUntil([this, n] { return m_sim->received().size() >= n; }, timeoutMs);
}

SimRecorder::SimRecorder(zx::sim::Rv5Simulator &sim) : m_sim(sim)
{
    m_conn = QObject::connect(&sim, &zx::sim::Rv5Simulator::output, &sim, [this](const QByteArray &b) {
        m_all += b;
        ++m_pieces;
    });
}

SimRecorder::~SimRecorder() { QObject::disconnect(m_conn); }

void SimRecorder::clear()
{
    m_all.clear();
    m_pieces = 0;
}

QByteArray SimRecorder::send(const QByteArray &bytes, int timeoutMs)
{
    const int from = m_all.size();
    m_sim.receive(bytes);
    pumpUntil([this] { return m_sim.isIdle(); }, timeoutMs);
    return m_all.mid(from);
}

} // namespace zx::test
