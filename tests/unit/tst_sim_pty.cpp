// The simulator on a real pseudo-terminal, read with plain POSIX calls (not the program's serial
// stack), and the in-process virtual port.
#include "sim/virtual_port.h"
#include "support/sim_fixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using zx::test::SimFixture;

namespace {

// The far end as any terminal program would open it.
class PlainTerminal {
public:
    explicit PlainTerminal(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return;
        termios tio {};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B4800);
        ::cfsetospeed(&tio, B4800);
        ::tcsetattr(m_fd, TCSANOW, &tio);
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
    }
    ~PlainTerminal() { close(); }
    void close()
    {
        m_notifier.reset();
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool isOpen() const { return m_fd >= 0; }
    void write(const QByteArray &b) { QCOMPARE(::write(m_fd, b.constData(), size_t(b.size())), ssize_t(b.size())); }
    // Everything received up to and including the first `until` after the current point.
    QByteArray talk(const QByteArray &send, const QByteArray &until, int timeoutMs = 5000)
    {
        m_got.clear();
        write(send);
        (void)QTest::qWaitFor([&] { return m_got.contains(until); }, timeoutMs);
        return m_got;
    }
    QByteArray got() const { return m_got; }
    bool hungUp() const
    {
        pollfd p {m_fd, POLLIN, 0};
        if (::poll(&p, 1, 0) < 0)
            return true;
        if (p.revents & (POLLHUP | POLLERR))
            return true;
        char c;
        return (p.revents & POLLIN) && ::read(m_fd, &c, 1) <= 0;
    }

private:
    void drain()
    {
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0) {
                if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    m_notifier->setEnabled(false);  // hung up
                return;
            }
            m_got.append(buf, int(n));
        }
    }
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_got;
};

} // namespace

class TstSimPty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void talksThroughThePty();
    void deviceSurvivesCloseAndReopen();
    void bigListingArrivesWhole();
    void pacedThroughThePty();
    void unplugRemovesTheDevice();
    void virtualPortIsAsynchronous();
    void virtualPortUnplug();
};

void TstSimPty::talksThroughThePty()
{
    SimFixture fx;
    QVERIFY2(fx.isOpen(), qPrintable(fx.errorString()));
    QVERIFY(QFile::exists(fx.devicePath()));
    PlainTerminal t(fx.devicePath());
    QVERIFY(t.isOpen());
    const QByteArray a = t.talk("Q", "DAT>");
    QVERIFY2(a.contains("www.rv5vantor.example\r\n"), a.constData());
    QVERIFY(a.endsWith("Ready CAP=OFF\r\nDAT>"));
    // Keys go through untranslated (raw line): CR stays Enter, not a line feed.
    QCOMPARE(t.talk(QByteArray("M"), "?"), QByteArray("\r\nSetup \r\nMEN><DAT> 00?"));
    QCOMPARE(t.talk(QByteArray(1, '\r'), "?"), QByteArray("Setup \r\nMEN><DAT> 00?"));
    QCOMPARE(fx.sim().received(), QByteArray("QM\r"));
}

void TstSimPty::deviceSurvivesCloseAndReopen()
{
    SimFixture fx;
    QVERIFY(fx.isOpen());
    {
        PlainTerminal t(fx.devicePath());
        QVERIFY(t.talk("D", "DAT>").endsWith("\r\nDAT>"));
    }
    QTest::qWait(20);
    QVERIFY(QFile::exists(fx.devicePath()));
    PlainTerminal again(fx.devicePath());
    QVERIFY(again.isOpen());
    QVERIFY(again.talk("S", "STS>").endsWith("\r\nSTS>"));
}

void TstSimPty::bigListingArrivesWhole()
{
    // About 20 kB: far beyond the terminal's buffer, so the transport must wait for the reader.
    SimFixture fx;
    PlainTerminal t(fx.devicePath());
    const QByteArray a = t.talk("3", "MMR:<End> CAP=OFF\r\nDAT>", 20000);
    QCOMPARE(int(a.count("MMR:<End> Fol=")), 100);
    QCOMPARE(int(a.count(" Sho=")), 36);
    QCOMPARE(fx.pty().droppedBytes(), 0);
}

void TstSimPty::pacedThroughThePty()
{
    SimFixture fx;
    fx.sim().setPaced(true);
    PlainTerminal t(fx.devicePath());
    QElapsedTimer clock;
    clock.start();
    const QByteArray a = t.talk("Q", "DAT>");
    QVERIFY(a.endsWith("DAT>"));
    QVERIFY(clock.elapsed() >= qint64(0.85 * a.size() * fx.sim().msPerChar()));
}

void TstSimPty::unplugRemovesTheDevice()
{
    SimFixture fx;
    const QString path = fx.devicePath();
    PlainTerminal t(path);
    QVERIFY(t.talk("D", "DAT>").endsWith("DAT>"));
    QSignalSpy closed(&fx.pty(), &zx::sim::PtyTransport::closed);
    fx.unplug();
    QCOMPARE(closed.count(), 1);
    QVERIFY(fx.devicePath().isEmpty());
    QVERIFY(t.hungUp());
    t.close();
    QVERIFY(!QFile::exists(path) || ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY) < 0);
    // Plugged in again: a working line (the path may differ).
    QVERIFY(fx.replug());
    PlainTerminal t2(fx.devicePath());
    QVERIFY(t2.talk("S", "STS>").endsWith("\r\nSTS>"));
}

void TstSimPty::virtualPortIsAsynchronous()
{
    zx::sim::Rv5Simulator sim(SimFixture::quietOptions());
    zx::sim::VirtualPortPair pair(&sim);
    zx::sim::VirtualPort *port = pair.programEnd();
    QVERIFY(port->open(QIODevice::ReadWrite));
    QSignalSpy ready(port, &QIODevice::readyRead);
    QSignalSpy written(port, &QIODevice::bytesWritten);
    QCOMPARE(port->write("Q"), qint64(1));
    QCOMPARE(port->bytesAvailable(), qint64(0));  // never inside write()
    QCOMPARE(ready.count(), 0);
    QByteArray got;
    (void)QTest::qWaitFor([&] {
        got += port->readAll();
        return got.endsWith("DAT>");
    }, 3000);
    QVERIFY(got.contains("rv5vantor.example"));
    QVERIFY(got.endsWith("Ready CAP=OFF\r\nDAT>"));
    QTRY_VERIFY(ready.count() >= 1);  // announced on its own pass, after the bytes were queued
    QCOMPARE(written.count(), 1);
    QCOMPARE(written.at(0).at(0).toLongLong(), qint64(1));
    // Output while the port is closed is lost, as on a real line.
    port->close();
    sim.receive("D");
    QTest::qWait(20);
    QVERIFY(port->open(QIODevice::ReadWrite));
    QTest::qWait(20);
    QCOMPARE(port->bytesAvailable(), qint64(0));
}

void TstSimPty::virtualPortUnplug()
{
    zx::sim::Rv5Simulator sim(SimFixture::quietOptions());
    zx::sim::VirtualPortPair pair(&sim);
    zx::sim::VirtualPort *port = pair.programEnd();
    QVERIFY(port->open(QIODevice::ReadWrite));
    QSignalSpy gone(port, &zx::sim::VirtualPort::unplugged);
    pair.unplug();
    QCOMPARE(gone.count(), 1);
    QCOMPARE(port->write("Q"), qint64(-1));
    port->close();
    QVERIFY(!port->open(QIODevice::ReadWrite));
    QVERIFY(!port->errorString().isEmpty());
    pair.replug();
    QVERIFY(port->open(QIODevice::ReadWrite));
    port->write("D");
    QTRY_VERIFY(port->bytesAvailable() > 0);
    QCOMPARE(port->readAll(), QByteArray("\r\nDAT>"));
}

QTEST_GUILESS_MAIN(TstSimPty)
#include "tst_sim_pty.moc"
