#include "sim/virtual_port.h"

#include "sim/rv5_simulator.h"

#include <QMetaObject>
#include <cstring>

namespace zx::sim {

VirtualPort::VirtualPort(QObject *parent) : QIODevice(parent) {}

VirtualPort::~VirtualPort() = default;

bool VirtualPort::open(OpenMode mode)
{
    if (!m_plugged) {
        setErrorString(QStringLiteral("No such device"));
        return false;
    }
    m_rx.clear();
    m_tx.clear();
    // Unbuffered: every read goes straight to readData, so bytesAvailable() is exact.
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

void VirtualPort::close()
{
    m_rx.clear();
    m_tx.clear();
    QIODevice::close();
}

qint64 VirtualPort::bytesAvailable() const { return m_rx.size() + QIODevice::bytesAvailable(); }

qint64 VirtualPort::bytesToWrite() const { return m_tx.size() + QIODevice::bytesToWrite(); }

void VirtualPort::deliver(const QByteArray &bytes)
{
    if (!isOpen() || !m_plugged || bytes.isEmpty())
        return;
    m_rx.append(bytes);
    if (!m_rxScheduled) {
        m_rxScheduled = true;
        QMetaObject::invokeMethod(this, &VirtualPort::announceRx, Qt::QueuedConnection);
    }
}

void VirtualPort::announceRx()
{
    m_rxScheduled = false;
    if (isOpen())
        Q_EMIT readyRead();  // even if the reader already took the bytes, as a real port may
}

void VirtualPort::setPlugged(bool plugged)
{
    if (m_plugged == plugged)
        return;
    m_plugged = plugged;
    if (!plugged) {
        m_rx.clear();
        m_tx.clear();
        if (isOpen()) {
            setErrorString(QStringLiteral("Device disconnected"));
            Q_EMIT unplugged();
        }
    }
}

qint64 VirtualPort::readData(char *data, qint64 maxSize)
{
    if (!m_plugged)
        return -1;
    const qint64 n = qMin<qint64>(maxSize, m_rx.size());
    if (n > 0) {
        std::memcpy(data, m_rx.constData(), size_t(n));
        m_rx.remove(0, int(n));
    }
    return n;
}

qint64 VirtualPort::writeData(const char *data, qint64 size)
{
    if (!m_plugged) {
        setErrorString(QStringLiteral("Device disconnected"));
        return -1;
    }
    m_tx.append(data, int(size));
    if (!m_txScheduled) {
        m_txScheduled = true;
        QMetaObject::invokeMethod(this, &VirtualPort::flushTx, Qt::QueuedConnection);
    }
    return size;
}

void VirtualPort::flushTx()
{
    m_txScheduled = false;
    if (m_tx.isEmpty())
        return;
    const QByteArray out = m_tx;
    m_tx.clear();
    Q_EMIT bytesWritten(out.size());
    Q_EMIT transmitted(out);
}

VirtualPortPair::VirtualPortPair(Rv5Simulator *engine, QObject *parent)
    : QObject(parent), m_port(new VirtualPort(this)), m_engine(engine)
{
    connect(m_port, &VirtualPort::transmitted, this, [this](const QByteArray &bytes) {
        if (m_engine)
            m_engine->receive(bytes);
    });
    connect(engine, &Rv5Simulator::output, m_port, &VirtualPort::deliver);
}

VirtualPortPair::~VirtualPortPair() = default;

} // namespace zx::sim
