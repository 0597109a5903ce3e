#include "platform/serial_port.h"

#include "docformat/cp1252.h"
#include "platform/port_map.h"

#include <QHash>
#include <QIODevice>
#include <QSerialPort>
#include <QSet>

namespace zx {
namespace {

QHash<QString, SerialPort::DeviceFactory> &virtualRegistry()
{
    static QHash<QString, SerialPort::DeviceFactory> reg;
    return reg;
}

// Virtual devices held open by some port: a second opener gets "in use".
QSet<QString> &virtualInUse()
{
    static QSet<QString> set;
    return set;
}

} // namespace

SerialPort::SerialPort(QObject *parent) : QObject(parent) {}

SerialPort::~SerialPort() { detach(); }

QString SerialPort::devicePath() const
{
    return m_devicePathOverride.isEmpty() ? PortMap::deviceFor(m_commPort) : m_devicePathOverride;
}

int SerialPort::setCommPort(int comNumber)
{
    if (comNumber == m_commPort)
        return NoError;
    if (portOpen())
        return fail(ErrPortIsOpen);
    if (comNumber < 1 || comNumber > 255)
        return fail(ErrInvalidValue);
    m_commPort = comNumber;
    return NoError;
}

bool SerialPort::parseSettings(const QString &text, LineSettings *out)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() != 4)
        return false;
    LineSettings s;
    bool ok = false;
    s.baud = f[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return false;
    const QString p = f[1].trimmed().toLower();
    if (p.size() != 1 || !QStringLiteral("emnos").contains(p))
        return false;
    s.parity = p[0].toLatin1();
    s.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return false;
    s.stopBits = f[3].trimmed();
    if (s.stopBits != QLatin1String("1") && s.stopBits != QLatin1String("1.5") && s.stopBits != QLatin1String("2"))
        return false;
    if (out)
        *out = s;
    return true;
}

int SerialPort::setSettings(const QString &text)
{
    if (!parseSettings(text, nullptr))
        return fail(ErrInvalidValue);
    m_settings = text.trimmed();
    return portOpen() ? applySettings() : NoError;
}

int SerialPort::setHandshaking(int mode)
{
    if (mode < 0 || mode > 3)
        return fail(ErrInvalidValue);
    m_handshaking = mode;
    return portOpen() ? applySettings() : NoError;
}

int SerialPort::applySettings()
{
    if (!m_serial)
        return NoError; // virtual devices have no line settings
    LineSettings s;
    parseSettings(m_settings, &s);
    bool ok = m_serial->setBaudRate(s.baud);
    ok = m_serial->setDataBits(QSerialPort::DataBits(s.dataBits)) && ok;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (s.parity) {
    case 'e': parity = QSerialPort::EvenParity; break;
    case 'o': parity = QSerialPort::OddParity; break;
    case 'm': parity = QSerialPort::MarkParity; break;
    case 's': parity = QSerialPort::SpaceParity; break;
    default: break;
    }
    ok = m_serial->setParity(parity) && ok;
    QSerialPort::StopBits stop = QSerialPort::OneStop;
    if (s.stopBits == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else if (s.stopBits == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    m_serial->setStopBits(stop); // 1.5 is refused by some systems: keep going with the rest
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
    if (m_handshaking == 1)
        flow = QSerialPort::SoftwareControl;
    else if (m_handshaking >= 2)
        flow = QSerialPort::HardwareControl;
    ok = m_serial->setFlowControl(flow) && ok;
    return ok ? NoError : fail(ErrHardware);
}

bool SerialPort::portOpen() const { return m_dev && m_dev->isOpen(); }

int SerialPort::setPortOpen(bool open)
{
    if (!open) {
        if (!portOpen()) {
            detach();
            return NoError; // closing a closed port reports nothing
        }
        detach();
        return NoError;
    }
    if (portOpen())
        return fail(ErrInUse); // already open: "port already open"
    const QString path = devicePath();
    if (path.isEmpty())
        return fail(ErrNoSuchPort);

    if (virtualRegistry().contains(path)) {
        if (virtualInUse().contains(path))
            return fail(ErrInUse);
        QIODevice *dev = virtualRegistry().value(path)();
        if (!dev)
            return fail(ErrNoSuchPort);
        if (!dev->isOpen() && !dev->open(QIODevice::ReadWrite)) {
            if (!dev->parent())
                delete dev;
            return fail(ErrHardware);
        }
        m_virtualName = path;
        virtualInUse().insert(path);
        attach(dev);
        m_openedPath = path;
        return NoError;
    }

    auto *sp = new QSerialPort(this);
    sp->setPortName(path);
    if (!sp->open(QIODevice::ReadWrite)) {
        int err = ErrHardware;
        switch (sp->error()) {
        case QSerialPort::DeviceNotFoundError: err = ErrNoSuchPort; break;
        case QSerialPort::PermissionError:
        case QSerialPort::OpenError: err = ErrInUse; break;
        default: break;
        }
        delete sp;
        return fail(err);
    }
    m_serial = sp;
    attach(sp);
    const int err = applySettings();
    sp->setDataTerminalReady(m_dtr);
    if (err != NoError) {
        detach();
        return fail(ErrHardware);
    }
    m_openedPath = path;
    return NoError;
}

void SerialPort::attach(QIODevice *dev)
{
    m_dev = dev;
    connect(dev, &QIODevice::readyRead, this, &SerialPort::onReadyRead);
    connect(dev, &QIODevice::bytesWritten, this, &SerialPort::onBytesWritten);
    if (m_serial)
        connect(m_serial, &QSerialPort::errorOccurred, this,
                [this](QSerialPort::SerialPortError e) { onSerialError(int(e)); });
    else
        connect(dev, &QIODevice::aboutToClose, this, [this]() {
            // The other end closed the virtual device under us.
            if (!m_virtualName.isEmpty())
                QMetaObject::invokeMethod(this, [this]() {
                    if (m_dev && !m_dev->isOpen()) {
                        detach();
                        m_lastEvent = EvDeviceLost;
                        Q_EMIT onComm(EvDeviceLost);
                    }
                }, Qt::QueuedConnection);
        });
    // Bytes that were already waiting before we connected.
    if (dev->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &SerialPort::onReadyRead, Qt::QueuedConnection);
}

void SerialPort::detach()
{
    QIODevice *dev = m_dev;
    m_dev = nullptr;
    if (!m_virtualName.isEmpty()) {
        virtualInUse().remove(m_virtualName);
        m_virtualName.clear();
    }
    if (!dev) {
        m_serial = nullptr;
        return;
    }
    disconnect(dev, nullptr, this, nullptr);
    if (dev->isOpen())
        dev->close();
    if (m_serial) {
        m_serial->deleteLater();
        m_serial = nullptr;
    } else if (!dev->parent()) {
        dev->deleteLater();
    }
}

QString SerialPort::errorText(int errorNumber)
{
    switch (errorNumber) {
    case NoError: return {};
    case ErrInvalidValue: return QStringLiteral("Invalid property value");
    case ErrPortIsOpen: return QStringLiteral("Operation not valid while the port is opened");
    case ErrNoSuchPort: return QStringLiteral("Invalid port number");
    case ErrInUse: return QStringLiteral("Port already open");
    case ErrHardware: return QStringLiteral("The hardware is not available (locked by another device)");
    case ErrNotOpen: return QStringLiteral("Port not open");
    case ErrWrite: return QStringLiteral("Error writing to the port");
    default: return QStringLiteral("Unknown error %1").arg(errorNumber);
    }
}

int SerialPort::output(const QByteArray &bytes)
{
    if (!portOpen())
        return fail(ErrNotOpen);
    if (m_dev->write(bytes) != bytes.size())
        return fail(ErrWrite);
    return NoError;
}

int SerialPort::output(const QString &text) { return output(textToBytes(text)); }

int SerialPort::outBufferCount() const { return portOpen() ? int(m_dev->bytesToWrite()) : 0; }
int SerialPort::inBufferCount() const { return portOpen() ? int(m_dev->bytesAvailable()) : 0; }

QByteArray SerialPort::inputBytes()
{
    if (!portOpen()) {
        m_lastError = ErrNotOpen;
        return {};
    }
    return m_inputLen > 0 ? m_dev->read(m_inputLen) : m_dev->readAll();
}

QString SerialPort::input() { return bytesToText(inputBytes()); }

void SerialPort::setDtrEnable(bool on)
{
    m_dtr = on;
    if (m_serial && m_serial->isOpen())
        m_serial->setDataTerminalReady(on);
}

bool SerialPort::cdHolding() const
{
    return m_serial && m_serial->isOpen() && (m_serial->pinoutSignals() & QSerialPort::DataCarrierDetectSignal);
}
bool SerialPort::ctsHolding() const
{
    return m_serial && m_serial->isOpen() && (m_serial->pinoutSignals() & QSerialPort::ClearToSendSignal);
}
bool SerialPort::dsrHolding() const
{
    return m_serial && m_serial->isOpen() && (m_serial->pinoutSignals() & QSerialPort::DataSetReadySignal);
}

void SerialPort::setRThreshold(int n)
{
    m_rThreshold = n;
    // Bytes already waiting that now reach the threshold are told at once.
    if (portOpen() && n > 0 && m_dev->bytesAvailable() >= n)
        QMetaObject::invokeMethod(this, &SerialPort::onReadyRead, Qt::QueuedConnection);
}

void SerialPort::onReadyRead()
{
    if (!portOpen() || m_rThreshold <= 0 || m_dev->bytesAvailable() < m_rThreshold)
        return;
    m_lastEvent = EvReceive;
    Q_EMIT onComm(EvReceive);
}

void SerialPort::onBytesWritten()
{
    if (m_sThreshold > 0 && outBufferCount() < m_sThreshold) {
        m_lastEvent = EvSend;
        Q_EMIT onComm(EvSend);
    }
}

void SerialPort::onSerialError(int qtError)
{
    const auto e = QSerialPort::SerialPortError(qtError);
    if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError)
        return;
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
        // The device is gone (or keeps failing): close it, or its notifier would spin.
        QMetaObject::invokeMethod(this, [this]() {
            if (!m_dev)
                return;
            detach();
            m_lastEvent = EvDeviceLost;
            Q_EMIT onComm(EvDeviceLost);
        }, Qt::QueuedConnection);
        return;
    }
    const int ev = (e == QSerialPort::WriteError) ? EvTxFull : EvDcb;
    m_lastEvent = ev;
    Q_EMIT onComm(ev);
}

void SerialPort::registerVirtualDevice(const QString &name, DeviceFactory factory)
{
    virtualRegistry().insert(name, std::move(factory));
}

void SerialPort::unregisterVirtualDevice(const QString &name) { virtualRegistry().remove(name); }

bool SerialPort::isVirtualDevice(const QString &name) { return virtualRegistry().contains(name); }

// Windows-1252, one character per byte, on every system (the shared code-page table).
QString SerialPort::bytesToText(const char *data, qsizetype size) { return cp1252::decode(data, size); }

QString SerialPort::bytesToText(const QByteArray &bytes) { return cp1252::decode(bytes); }

char SerialPort::charToByte(QChar c)
{
    const int b = cp1252::fromUnicode(c.unicode());
    return b < 0 ? '?' : static_cast<char>(b);
}

QByteArray SerialPort::textToBytes(QStringView text) { return cp1252::encode(text.toString()); }

} // namespace zx
