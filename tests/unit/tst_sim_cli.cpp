// zentrix-cli sim as a script uses it: first line the device path, live shots on request,
// gone when its stdin closes.
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class TstSimCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsPathShootsAndStopsOnEof();
    void refusesBadOptions();

private:
    QString cli() const
    {
        return QString::fromLocal8Bit(qgetenv("ZX_BINARY_DIR")) + QStringLiteral("/cli/zentrix-cli");
    }
};

void TstSimCli::printsPathShootsAndStopsOnEof()
{
    if (!QFile::exists(cli()))
        QSKIP("zentrix-cli not built");
    QProcess p;
    p.start(cli(), {QStringLiteral("sim"), QStringLiteral("--shots"), QStringLiteral("2"),
                    QStringLiteral("--interval-ms"), QStringLiteral("30"), QStringLiteral("--seed"),
                    QStringLiteral("5")});
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY(p.canReadLine());
    const QByteArray path = p.readLine().trimmed();
    QVERIFY2(path.startsWith("/dev/"), path.constData());

    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(fd >= 0);
    termios tio {};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    QByteArray got;
    auto drain = [&] {
        char buf[1024];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0)
            got.append(buf, int(n));
    };
    QCOMPARE(::write(fd, "Q", 1), ssize_t(1));
    QTRY_VERIFY((drain(), got.count("CAP:#") >= 2 && got.contains("Ready\r\n")));
    QVERIFY(got.contains("Sens=ON "));
    ::close(fd);

    p.closeWriteChannel();  // end of stdin ends the simulator
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!QFile::exists(QString::fromLatin1(path)) || path.isEmpty());
}

void TstSimCli::refusesBadOptions()
{
    if (!QFile::exists(cli()))
        QSKIP("zentrix-cli not built");
    QProcess p;
    p.start(cli(), {QStringLiteral("sim"), QStringLiteral("--interval-ms"), QStringLiteral("fast")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("bad option"));
}

QTEST_GUILESS_MAIN(TstSimCli)
#include "tst_sim_cli.moc"
