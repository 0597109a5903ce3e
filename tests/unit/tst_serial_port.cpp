// The serial port over a real pseudo-terminal: settings strings, error numbers from real
// failures, Windows-1252 bytes both ways, the receive event, a device that goes away, the
// port map and in-process devices.
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "support/temp_settings.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace zx;

namespace {

// The far end of a pseudo-terminal: the test reads and writes the master side.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        slave = QString::fromLocal8Bit(ptsname(master));
        termios t{};
        tcgetattr(master, &t);
        cfmakeraw(&t);
        tcsetattr(master, TCSANOW, &t);
        fcntl(master, F_SETFL, O_NONBLOCK);
    }
    ~Pty() { close(); }
    void close()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    void write(const QByteArray &b) { QVERIFY(::write(master, b.constData(), size_t(b.size())) == b.size()); }
    QByteArray read()
    {
        char buf[256];
        const ssize_t n = ::read(master, buf, sizeof buf);
        return n > 0 ? QByteArray(buf, int(n)) : QByteArray();
    }
};

} // namespace

class TstSerialPort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { PortMap::clearOverrides(); }

    void settingsStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("upper parity, 1.5 stop") << "9600,E,7,1.5" << true;
        QTest::newRow("spaces") << " 115200 , o , 8 , 2 " << true;
        QTest::newRow("three fields") << "4800,n,8" << false;
        QTest::newRow("bad parity") << "4800,x,8,1" << false;
        QTest::newRow("bad data bits") << "4800,n,9,1" << false;
        QTest::newRow("bad stop bits") << "4800,n,8,3" << false;
        QTest::newRow("zero baud") << "0,n,8,1" << false;
    }
    void settingsStrings()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        SerialPort p;
        QCOMPARE(p.setSettings(text) == 0, ok);
        QCOMPARE(p.settings(), ok ? text.trimmed() : QStringLiteral("4800,n,8,1"));
    }

    void errorNumbersFromRealFailures()
    {
        SerialPort p;
        p.setDevicePath(QStringLiteral("/dev/zentrix-no-such-port"));
        QCOMPARE(p.setPortOpen(true), 8002);
        QCOMPARE(p.output(QByteArray("x")), 8012);
        QCOMPARE(p.setPortOpen(false), 0);   // closing a closed port reports nothing

        Pty pty;
        QVERIFY(!pty.slave.isEmpty());
        SerialPort a, b;
        a.setDevicePath(pty.slave);
        b.setDevicePath(pty.slave);
        QCOMPARE(a.setPortOpen(true), 0);
        QCOMPARE(b.setPortOpen(true), 8005);
        QCOMPARE(a.setCommPort(3), 8000);     // not while open
        QCOMPARE(a.setHandshaking(7), 380);
    }

    void bytesAreWindows1252BothWays()
    {
        Pty pty;
        SerialPort p;
        p.setDevicePath(pty.slave);
        QCOMPARE(p.setPortOpen(true), 0);
        QSignalSpy events(&p, &SerialPort::onComm);
        pty.write(QByteArray("\x80\x9d\xe9\x1b\r\n", 6));
        QTRY_COMPARE(p.inBufferCount(), 6);
        QCOMPARE(events.first().first().toInt(), 2);
        const QString text = p.input();
        QCOMPARE(text, QString(QChar(0x20AC)) + QChar(0x9D) + QChar(0xE9) + QChar(0x1B) + QStringLiteral("\r\n"));
        QCOMPARE(p.inBufferCount(), 0);
        QCOMPARE(p.output(QString(QChar(0x2122)) + QChar(0xFF) + QChar(0x4E2D)), 0);
        QTRY_COMPARE(p.outBufferCount(), 0);
        QByteArray got;
        QTRY_VERIFY((got += pty.read()).size() >= 3);
        QCOMPARE(got, QByteArray("\x99\xff?", 3));
    }

    // The receive event waits until the threshold's bytes are there; 0 turns it off; lowering
    // it below what waits tells at once.
    void receiveThreshold()
    {
        Pty pty;
        QVERIFY(!pty.slave.isEmpty());
        SerialPort p;
        p.setDevicePath(pty.slave);
        QCOMPARE(p.setPortOpen(true), 0);
        QSignalSpy events(&p, &SerialPort::onComm);
        p.setRThreshold(4);
        pty.write("ab");
        QTest::qWait(150);
        QCOMPARE(events.count(), 0);
        pty.write("cd");
        QTRY_COMPARE(events.count(), 1);
        QCOMPARE(events.first().first().toInt(), int(SerialPort::EvReceive));
        QCOMPARE(p.inputBytes(), QByteArray("abcd"));

        p.setRThreshold(0);
        pty.write("ef");
        QTest::qWait(150);
        QCOMPARE(events.count(), 1);
        p.setRThreshold(1);
        QTRY_COMPARE(events.count(), 2);
        QCOMPARE(p.inputBytes(), QByteArray("ef"));
    }

    void deviceGoneClosesThePort()
    {
        auto pty = std::make_unique<Pty>();
        SerialPort p;
        p.setDevicePath(pty->slave);
        QCOMPARE(p.setPortOpen(true), 0);
        QSignalSpy events(&p, &SerialPort::onComm);
        pty->close();
        QTRY_VERIFY(!p.portOpen());
        QVERIFY(events.count() >= 1);
        QCOMPARE(events.last().first().toInt(), int(SerialPort::EvDeviceLost));
        QCOMPARE(p.output(QByteArray("x")), 8012);
    }

    void portMapText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");   // "n=dev;..." of the parsed map
        QTest::newRow("two entries") << "1=/dev/pts/4,3=/dev/ttyUSB0" << "1=/dev/pts/4;3=/dev/ttyUSB0";
        QTest::newRow("COM prefix and spaces") << " COM2 = /dev/ttyS1 " << "2=/dev/ttyS1";
        QTest::newRow("malformed skipped") << "x=/dev/a,0=/dev/b,4=,=/dev/c,5=/dev/e" << "5=/dev/e";
        QTest::newRow("empty") << "" << "";
    }
    void portMapText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto map = PortMap::parseMapText(text);
        QStringList parts;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            parts << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
        QCOMPARE(parts.join(QLatin1Char(';')), expected);
    }

    void portMapEnvironmentAndOverrides()
    {
        qputenv("ZENTRIX_PORTS", "1=/dev/pts/41,3=/dev/ttyUSB9");
        QCOMPARE(PortMap::deviceFor(3), QStringLiteral("/dev/ttyUSB9"));
        PortMap::setOverride(3, QStringLiteral("virtual:x"));
        QCOMPARE(PortMap::deviceFor(3), QStringLiteral("virtual:x"));
        QCOMPARE(PortMap::deviceFor(1), QStringLiteral("/dev/pts/41"));
        qunsetenv("ZENTRIX_PORTS");
        QCOMPARE(PortMap::deviceFor(0), QString());
    }

    // A number bound nowhere keeps the adapter it reached, by the adapter's stable name.
    void stableIdentityIsKept()
    {
        test::TempSettings settings;
        QTemporaryDir ids;
        Pty pty;
        const QString id = ids.filePath(QStringLiteral("usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0"));
        QVERIFY(QFile::link(pty.slave, id));
        PortMap::setIdentityDir(ids.path());
        QCOMPARE(PortMap::stableIdentity(pty.slave), id);
        QCOMPARE(PortMap::stableIdentity(id), id);
        QCOMPARE(PortMap::stableIdentity(QStringLiteral("/dev/null")), QString());
        PortMap::keepBinding(5, QStringLiteral("/dev/null"));   // no identity: nothing kept
        PortMap::keepBinding(4, pty.slave);
        PortMap::keepBinding(4, QStringLiteral("/dev/null"));   // already bound: kept as it was
        QCOMPARE(PortMap::storedMap(), (QMap<int, QString>{{4, id}}));
        QCOMPARE(PortMap::deviceFor(4), id);
        PortMap::setIdentityDir(QStringLiteral("/dev/serial/by-id"));
    }

    void virtualDevices()
    {
        QBuffer *buf = nullptr;
        SerialPort::registerVirtualDevice(QStringLiteral("virtual:test"), [&buf]() -> QIODevice * {
            buf = new QBuffer;
            return buf;
        });
        PortMap::setOverride(5, QStringLiteral("virtual:test"));
        SerialPort a, b;
        a.setCommPort(5);
        b.setCommPort(5);
        QCOMPARE(a.setPortOpen(true), 0);
        QVERIFY(a.portOpen());
        QCOMPARE(b.setPortOpen(true), 8005);
        QCOMPARE(a.output(QByteArray("Z")), 0);
        QCOMPARE(buf->data(), QByteArray("Z"));
        QCOMPARE(a.setPortOpen(false), 0);
        QCOMPARE(b.setPortOpen(true), 0);
        SerialPort::unregisterVirtualDevice(QStringLiteral("virtual:test"));
    }
};

QTEST_GUILESS_MAIN(TstSerialPort)
#include "tst_serial_port.moc"
