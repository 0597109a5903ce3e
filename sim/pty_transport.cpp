#include "sim/pty_transport.h"

#include "sim/rv5_simulator.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace zx::sim {

namespace {
// Output kept while the program does not read; beyond it the oldest bytes are lost, as they
// would be on a real line with nobody listening.
constexpr int kPendingCap = 1 << 20;
} // namespace

PtyTransport::PtyTransport(Rv5Simulator *engine, QObject *parent) : QObject(parent), m_engine(engine)
{
    connect(engine, &Rv5Simulator::output, this, &PtyTransport::write);
}

PtyTransport::~PtyTransport()
{
    // Quietly: nobody listens to closed() any more.
    blockSignals(true);
    close();
}

bool PtyTransport::fail(const QString &what)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    close();
    return false;
}

bool PtyTransport::open()
{
    close();
    m_error.clear();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(QStringLiteral("posix_openpt"));
    if (::grantpt(m_master) != 0)
        return fail(QStringLiteral("grantpt"));
    if (::unlockpt(m_master) != 0)
        return fail(QStringLiteral("unlockpt"));
    const char *name = ::ptsname(m_master);
    if (!name)
        return fail(QStringLiteral("ptsname"));
    m_path = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    // Our own handle on the terminal side: the line settings start raw (no echo, no CR/LF
    // translation), and the master never sees a hang-up while the program has the port closed.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0)
        return fail(QStringLiteral("open ") + m_path);
    termios tio {};
    if (::tcgetattr(m_slave, &tio) != 0)
        return fail(QStringLiteral("tcgetattr"));
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, B4800);
    ::cfsetospeed(&tio, B4800);
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return fail(QStringLiteral("tcsetattr"));

    m_readN = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readN, &QSocketNotifier::activated, this, &PtyTransport::onReadable);
    m_writeN = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeN->setEnabled(false);
    connect(m_writeN, &QSocketNotifier::activated, this, &PtyTransport::onWritable);
    return true;
}

void PtyTransport::close()
{
    const bool wasOpen = m_master >= 0;
    delete m_readN;
    m_readN = nullptr;
    delete m_writeN;
    m_writeN = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    m_pending.clear();
    m_path.clear();
    if (wasOpen)
        Q_EMIT closed();
}

void PtyTransport::onReadable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            m_engine->receive(QByteArray(buf, int(n)));
            if (m_master < 0)
                return;  // the engine's reaction closed us
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // EOF or EIO: the terminal side is gone; stop polling rather than spin.
        if (m_readN)
            m_readN->setEnabled(false);
        return;
    }
}

void PtyTransport::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return;  // unplugged: the words go nowhere
    m_pending.append(bytes);
    if (m_pending.size() > kPendingCap) {
        const int drop = m_pending.size() - kPendingCap;
        m_pending.remove(0, drop);
        m_dropped += drop;
    }
    onWritable();
}

void PtyTransport::onWritable()
{
    while (!m_pending.isEmpty() && m_master >= 0) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;  // EAGAIN: the terminal's buffer is full until the program reads
    }
    if (m_writeN)
        m_writeN->setEnabled(!m_pending.isEmpty());
}

} // namespace zx::sim
