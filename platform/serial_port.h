#pragma once
// The serial port with the classic communications-control surface the link layer is
// written against: COM number, settings string ("4800,n,8,1"), handshaking, PortOpen with
// error numbers, Output, InBufferCount, Input (everything waiting) and a communication event
// with its numbers. Bytes become text one character per byte (Windows-1252) on every system.
//
// COM numbers are resolved to devices through PortMap; a device name registered with
// registerVirtualDevice() opens an in-process QIODevice instead of a system port
// (the built-in simulator), so this layer never depends on the simulator.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QIODevice;
class QSerialPort;

namespace zx {

struct LineSettings {
    int baud = 4800;
    char parity = 'n';      // e, m, n, o, s
    int dataBits = 8;       // 5..8
    QString stopBits = QStringLiteral("1"); // "1", "1.5", "2"
};

class SerialPort : public QObject {
    Q_OBJECT
public:
    // Error numbers of the communications control.
    enum Error {
        NoError = 0,
        ErrInvalidValue = 380,   // invalid property value
        ErrPortIsOpen = 8000,    // operation not valid while the port is open
        ErrNoSuchPort = 8002,    // port does not exist
        ErrInUse = 8005,         // port already in use (locked by another process)
        ErrHardware = 8010,      // hardware not available / could not be configured
        ErrNotOpen = 8012,       // port not open
        ErrWrite = 8020,         // write to the device failed
    };

    // Communication event numbers.
    enum Event {
        EvSend = 1, EvReceive = 2, EvCts = 3, EvDsr = 4, EvCd = 5, EvRing = 6, EvEof = 7,
        EvBreak = 1001, EvCtsTimeout = 1002, EvDsrTimeout = 1003, EvFrame = 1004,
        EvOverrun = 1006, EvCdTimeout = 1007, EvRxOver = 1008, EvRxParity = 1009,
        EvTxFull = 1010, EvDcb = 1011,
        EvDeviceLost = 1012,     // the device went away while open (cable pulled, pty closed)
    };

    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    int commPort() const { return m_commPort; }
    int setCommPort(int comNumber);          // 8000 while open, 380 below 1
    // A device path that replaces the port map for this object (empty: use the map).
    void setDevicePath(const QString &path) { m_devicePathOverride = path; }
    bool usesPortMap() const { return m_devicePathOverride.isEmpty(); }
    QString devicePath() const;              // the device the COM number resolves to now
    QString openedPath() const { return m_openedPath; } // the device of the last successful open

    QString settings() const { return m_settings; }
    int setSettings(const QString &text);    // 380 when malformed; applied at once when open
    static bool parseSettings(const QString &text, LineSettings *out);

    int handshaking() const { return m_handshaking; }
    int setHandshaking(int mode);            // 0 none, 1 XOn/XOff, 2 RTS/CTS, 3 both

    bool portOpen() const;
    int setPortOpen(bool open);              // 0 on success, else the error number

    int lastError() const { return m_lastError; }
    void clearError() { m_lastError = 0; }
    static QString errorText(int errorNumber);

    int output(const QByteArray &bytes);     // 8012 when closed
    int output(const QString &text);         // Windows-1252 bytes
    int outBufferCount() const;
    int inBufferCount() const;
    QString input();                         // everything waiting, one character per byte
    QByteArray inputBytes();

    bool dtrEnable() const { return m_dtr; }
    void setDtrEnable(bool on);
    bool cdHolding() const;
    bool ctsHolding() const;
    bool dsrHolding() const;
    // The receive event comes once at least rThreshold bytes wait; 0 turns it off.
    int rThreshold() const { return m_rThreshold; }
    void setRThreshold(int n);
    int sThreshold() const { return m_sThreshold; }
    void setSThreshold(int n) { m_sThreshold = n; }
    int inputLen() const { return m_inputLen; }
    void setInputLen(int n) { m_inputLen = n; }
    int inBufferSize() const { return 1024; }
    int outBufferSize() const { return 512; }
    int commEvent() const { return m_lastEvent; }

    // In-process devices: opening a port whose device path equals name calls factory.
    // The port closes the device when it closes; it deletes it only when it has no parent.
    using DeviceFactory = std::function<QIODevice *()>;
    static void registerVirtualDevice(const QString &name, DeviceFactory factory);
    static void unregisterVirtualDevice(const QString &name);
    static bool isVirtualDevice(const QString &name);

    // Windows-1252 on every system: each byte is one character. The five bytes 1252 leaves
    // undefined map to the control characters of the same value, so any byte round-trips.
    static QString bytesToText(const char *data, qsizetype size);
    static QString bytesToText(const QByteArray &bytes);
    static QByteArray textToBytes(QStringView text);   // '?' for characters without a byte
    static char charToByte(QChar c);

Q_SIGNALS:
    void onComm(int event);

private:
    int fail(int err) { m_lastError = err; return err; }
    int applySettings();
    void attach(QIODevice *dev);
    void detach();
    void onReadyRead();
    void onBytesWritten();
    void onSerialError(int qtError);

    int m_commPort = 1;
    QString m_devicePathOverride;
    QString m_settings = QStringLiteral("4800,n,8,1");
    int m_handshaking = 0;
    int m_lastError = 0;
    int m_lastEvent = 0;
    bool m_dtr = false;
    int m_rThreshold = 1;
    int m_sThreshold = 0;
    int m_inputLen = 0;
    QPointer<QIODevice> m_dev;
    QSerialPort *m_serial = nullptr;   // m_dev when it is a system port
    QString m_virtualName;             // set while a virtual device is open
    QString m_openedPath;              // kept after a close: where a lost device would come back
};

} // namespace zx
