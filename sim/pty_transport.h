#pragma once
// Puts an Rv5Simulator on a POSIX pseudo-terminal: the program opens devicePath() (for example
// /dev/pts/7) as it would open a USB-serial adapter, through its ordinary serial stack.
// The transport keeps its own handle on the terminal side open, so the device stays in place
// while the program closes and reopens it; close() removes it (the cable is pulled).
#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zx::sim {

class Rv5Simulator;

class PtyTransport : public QObject {
    Q_OBJECT
public:
    explicit PtyTransport(Rv5Simulator *engine, QObject *parent = nullptr);
    ~PtyTransport() override;

    // Creates a new pseudo-terminal (a previous one is closed first). False on failure,
    // with errorString() telling why.
    bool open();
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_path; }
    QString errorString() const { return m_error; }

    // Output the chronograph produced while nobody read the line and its buffer was full.
    qint64 droppedBytes() const { return m_dropped; }

Q_SIGNALS:
    void closed();

private:
    void onReadable();
    void onWritable();
    void write(const QByteArray &bytes);
    bool fail(const QString &what);

    Rv5Simulator *m_engine;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QString m_error;
    QSocketNotifier *m_readN = nullptr;
    QSocketNotifier *m_writeN = nullptr;
    QByteArray m_pending;
    qint64 m_dropped = 0;
};

} // namespace zx::sim
