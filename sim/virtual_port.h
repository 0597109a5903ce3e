#pragma once
// An in-process serial line for the built-in demo: the program opens VirtualPort (a QIODevice)
// where it would otherwise open a QSerialPort; VirtualPortPair carries the bytes to and from an
// Rv5Simulator. Like a real port, delivery is asynchronous: write() returns at once, the
// chronograph receives the bytes on a later event-loop pass (then bytesWritten is emitted), and
// answers arrive through readyRead on later passes, never inside write().
#include <QByteArray>
#include <QIODevice>
#include <QPointer>

namespace zx::sim {

class Rv5Simulator;

// The program's end of the line.
class VirtualPort : public QIODevice {
    Q_OBJECT
public:
    explicit VirtualPort(QObject *parent = nullptr);
    ~VirtualPort() override;

    // Opening fails (returns false, errorString() says why) while the line is unplugged.
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;

    // A name for messages, e.g. "RV5 demo".
    QString portName() const { return m_name; }
    void setPortName(const QString &name) { m_name = name; }

    // Simulator side. deliver(): bytes from the chronograph; readyRead follows on a later pass
    // (bytes arriving while the port is closed are lost, as on a real line).
    void deliver(const QByteArray &bytes);
    // Unplugging closes nothing by itself: an open port reports unplugged() and then fails its
    // reads and writes; a closed port refuses to open until plugged in again.
    void setPlugged(bool plugged);
    bool isPlugged() const { return m_plugged; }

Q_SIGNALS:
    // Bytes the program wrote, handed over on a later event-loop pass (the simulator side).
    void transmitted(const QByteArray &bytes);
    // The line went away while the port was open.
    void unplugged();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void flushTx();
    void announceRx();

    QByteArray m_rx;
    QByteArray m_tx;
    QString m_name = QStringLiteral("RV5 demo");
    bool m_plugged = true;
    bool m_txScheduled = false;
    bool m_rxScheduled = false;
};

// Wires one VirtualPort to one simulator engine. Owns the port; the engine is not owned.
class VirtualPortPair : public QObject {
    Q_OBJECT
public:
    explicit VirtualPortPair(Rv5Simulator *engine, QObject *parent = nullptr);
    ~VirtualPortPair() override;

    VirtualPort *programEnd() { return m_port; }
    Rv5Simulator *engine() const { return m_engine; }

    // Simulate pulling the cable out (and putting it back).
    void unplug() { m_port->setPlugged(false); }
    void replug() { m_port->setPlugged(true); }

private:
    VirtualPort *m_port;
    QPointer<Rv5Simulator> m_engine;
};

} // namespace zx::sim
