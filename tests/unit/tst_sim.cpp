// The RV5 simulator: its answers in the documented forms (docs/protocol.md), its fault knobs and
// pacing, the pseudo-terminal and virtual port it is reached through, and `zentrix-cli sim`.
#include "link/status_parser.h"
#include "sim/virtual_port.h"
#include "support/sim_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using zx::sim::Rv5Options;
using zx::sim::Rv5Simulator;
using zx::test::SimFixture;
using zx::test::SimRecorder;
using B = QByteArray;

namespace {

B k(char letter) { return SimRecorder::key(letter); }

// Shot records of a memory listing ("MMR:" and a two-digit shot number).
int memShots(const B &a) { return int(QString::fromLatin1(a).count(QRegularExpression(QStringLiteral("\r\nMMR:\\d\\d ")))); }

// The value shown inside a menu: the text before the three characters ahead of "MEN>".
B menuValue(const B &answer)
{
    const int p = answer.indexOf("MEN>");
    return p >= 3 ? answer.left(p - 3).trimmed() : B("<none>");
}

// The far end as any terminal program opens it: plain POSIX calls, raw line.
class PlainTerminal {
public:
    explicit PlainTerminal(const QString &path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return;
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
    }
    ~PlainTerminal()
    {
        m_notifier.reset();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    // Everything received after sending, up to and including the first `until`.
    B talk(const B &send, const B &until, int timeoutMs = 5000)
    {
        m_got.clear();
        if (::write(m_fd, send.constData(), size_t(send.size())) != ssize_t(send.size()))
            return "<write failed>";
        (void)QTest::qWaitFor([&] { return m_got.contains(until); }, timeoutMs);
        return m_got;
    }
    B got() const { return m_got; }

private:
    void drain()
    {
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0) {
                if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    m_notifier->setEnabled(false); // hung up
                return;
            }
            m_got.append(buf, int(n));
        }
    }
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    B m_got;
};

} // namespace

class TstSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The sign-on reads whole with the program's own status parser, with the power-up values.
    void signOnReadsWhole()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        const B a = rec.send("Q");
        QVERIFY(a.size() < 800);
        QVERIFY(a.endsWith("Ready CAP=OFF\r\n\r\nDAT>") || a.endsWith("Ready CAP=OFF\r\nDAT>"));
        zx::CroState s;
        QVERIFY2(zx::parseStatus(s, QString::fromLatin1(a)), a.constData());
        QCOMPARE(s.sCroModel + s.sCroTmpUnits, QString("RV5 fah"));
        QCOMPARE(QList<double>({double(s.iCroVersion), double(s.iCroShotTotal), s.fCroBattery, s.fCroTemp,
                                double(s.iCroPwrDownHrs * 60 + s.iCroPwrDownMin), double(s.iCroSensLevel)}),
                 QList<double>({105, 1236, double(9.17f), 23.5, 60, 45}));
        QVERIFY(s.bCroPwrDown && !s.bCroSensorsOn && s.bCroLogK && !s.bCroLogL && s.bCroLogJ);
        QCOMPARE(QList<int>({s.iCroMaxFol, s.iCroMaxStr, s.iCroMaxSho}), QList<int>({10, 10, 10}));
        QCOMPARE(QList<int>({s.iCroCurFol, s.iCroCurStr, s.iCroShotReview, s.iCroShotPos}),
                 QList<int>({1, 4, 6, 6}));
        // The memory position after moving the cursor agrees with its own "Att=" block.
        rec.send(k('U'));
        double fol = 0, str = 0, sho = 0;
        qint16 siz = 0;
        QVERIFY(zx::parseMemPos(QString::fromLatin1(rec.send("W")), fol, str, sho, siz));
        QCOMPARE(QList<double>({fol, str, double(siz), sho}), QList<double>({1, 4, 6, 5}));
    }

    void endings_data()
    {
        QTest::addColumn<B>("before");
        QTest::addColumn<B>("input");
        QTest::addColumn<B>("contains");
        QTest::addColumn<B>("endsWith");
        const B dat = "\r\nDAT>", off = " Power OFF\r\n";
        QTest::newRow("esc") << B() << k('[') << B("\r\n<End> CAP=OFF") << dat;
        QTest::newRow("data") << B("S") << B("D") << B() << dat;
        QTest::newRow("stats") << B() << B("S") << B("STA:Fol=01 Str=04 N=06") << B("\r\nSTS>");
        QTest::newRow("esc in stats") << B("S") << k('[') << B("<End> CAP=OFF") << B("\r\nSTS>");
        QTest::newRow("data menu") << B() << B("M") << B() << B("\r\nMEN><DAT> 00?");
        QTest::newRow("stats menu") << B("S") << B("M") << B() << B("\r\nMEN><STS> 00?");
        QTest::newRow("esc in menu") << "M" + k('R') << k('[') << B("\r\n<End>\r\n") << B("MEN><DAT> 00?");
        QTest::newRow("enter outside") << B() << k('M') << B() << dat;
        QTest::newRow("Z") << B() << B("Z") << B("SLev=45% Arc=OFF Faf=OFF Sens=OFF") << dat;
        QTest::newRow("Z in menu") << "M" + k('R') << B("Z") << B("Sens=OFF") << B("\r\nMEN><DAT> 00?");
        QTest::newRow("P") << B() << B("P") << B("SYS:") << off;
        QTest::newRow("9") << B() << B("9") << B("SYS:") << off;
        QTest::newRow("A") << B() << B("A") << B("ARC:Archery Mode ON") << dat;
        QTest::newRow("F leaves menu") << B("M") << B("F") << B("FAF:Rapid Fire ON") << dat;
        QTest::newRow("J") << B() << B("J") << B("LOG:J*Log=OFF") << dat;
        QTest::newRow("T") << B() << B("T") << B("TMP:Case=23.5c") << dat;
        QTest::newRow("U") << B() << B("U") << B("UNI:Vel=f/s Tmp=fah Tim=sec") << dat;
        QTest::newRow("lower case") << B() << B("q") << B("rv5vantor.example") << dat;
        QTest::newRow("unknown") << B() << B("X") << B("\r\n?") << dat;
        QTest::newRow("down at last shot") << B() << k('D') << B("REV:Fol=01 Str=04 Sho=06 Vel=") << dat;
        QTest::newRow("next string") << B() << k('R') << B("REV:Fol=01 Str=05 Sho=00 Empty") << dat;
        QTest::newRow("next folder") << B() << k('O') << B("REV:Fol=02 Str=01 Sho=00 Empty") << dat;
    }
    void endings()
    {
        QFETCH(B, before);
        QFETCH(B, input);
        QFETCH(B, contains);
        QFETCH(B, endsWith);
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        for (char c : before)
            rec.send(B(1, c));
        const B a = rec.send(input);
        QVERIFY2(a.endsWith(endsWith) && a.contains(contains), a.constData());
    }

    void menuValues_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("sub");
        QTest::addColumn<B>("keys"); // pressed at the entry after reading it
        QTest::addColumn<B>("before");
        QTest::addColumn<B>("after");
        QTest::newRow("archery on") << 1 << 0 << 1 << k('K') << B("OFF") << B("ON");
        QTest::newRow("archery stays off") << 1 << 0 << 1 << k('O') << B("OFF") << B("OFF");
        QTest::newRow("sensitivity up") << 1 << 0 << 2 << k('K') << B("45") << B("46");
        QTest::newRow("sensitivity down twice") << 1 << 0 << 2 << k('O') + k('O') << B("45") << B("43");
        QTest::newRow("metric units") << 1 << 0 << 4 << k('K') << B("OFF") << B("ON");
        QTest::newRow("celsius") << 1 << 0 << 5 << k('K') << B("OFF") << B("ON");
        QTest::newRow("folder position") << 1 << 1 << 0 << k('K') << B("1") << B("2");
        QTest::newRow("string size up") << 2 << 2 << 0 << k('K') << B("1010") << B("1208");
        QTest::newRow("string size down") << 2 << 2 << 0 << k('O') << B("1010") << B("812");
        QTest::newRow("rapid fire") << 2 << 3 << 1 << k('K') << B("OFF") << B("ON");
        QTest::newRow("memory alarm") << 2 << 4 << 3 << k('K') << B("OFF") << B("ON");
        QTest::newRow("auto off") << 2 << 5 << 2 << k('O') << B("ON") << B("OFF");
        QTest::newRow("off time down") << 2 << 5 << 3 << k('O') << B("100") << B("59");
        QTest::newRow("off time up") << 2 << 5 << 3 << k('K') << B("100") << B("101");
        QTest::newRow("expert") << 2 << 5 << 4 << k('K') << B("OFF") << B("ON");
        QTest::newRow("read-only battery") << 2 << 5 << 1 << k('K') << B("9.17") << B("9.17");
    }
    void menuValues()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        QFETCH(int, sub);
        QFETCH(B, keys);
        QFETCH(B, before);
        QFETCH(B, after);
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        rec.send(menu == 1 ? "D" : "S");
        B a = rec.send("M");
        for (int i = 0; i < item; ++i)
            a = rec.send(k('R'));
        for (int i = 0; i < sub; ++i)
            a = rec.send(k('D'));
        const B pos = B(menu == 1 ? "MEN><DAT> " : "MEN><STS> ") + char('0' + item) + char('0' + sub) + '?';
        QVERIFY2(a.endsWith("\r\n" + pos), a.constData());
        a = rec.send(k('M'));
        QVERIFY(a.endsWith(" \r\n" + pos));
        QCOMPARE(menuValue(a), before);
        for (char c : keys)
            a = rec.send(B(1, c));
        QVERIFY(a.endsWith(pos));
        QCOMPARE(menuValue(a), after);
        QCOMPARE(menuValue(rec.send(k('M'))), after); // Enter reads back the same
    }

    void menuChangesReachTheStatus()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        rec.send("DM" + k('D') + k('K')); // Data menu 0,1: archery on
        QVERIFY(rec.send("Q").contains("Arc=ON "));
        rec.send("SM" + k('R') + k('R') + k('R') + k('K')); // Stats menu 3,0: sensors on
        const B q = rec.send("Q");
        QVERIFY(q.contains("Sens=ON ") && q.endsWith("\r\nReady\r\nSTS>")); // no CAP=OFF
        QVERIFY(rec.send(k('[')).endsWith("\r\n<End>\r\nSTS>"));
        QVERIFY(sim.fireShot());
        QVERIFY(rec.send("Z").contains("Sens=OFF"));
        QVERIFY(!sim.fireShot());
    }

    void listings_data()
    {
        QTest::addColumn<B>("cmd");
        QTest::addColumn<int>("headers");
        QTest::addColumn<int>("shots");
        QTest::newRow("string") << B("1") << 1 << 6;
        QTest::newRow("folder") << B("2") << 10 << 36;
        QTest::newRow("eDisk") << B("3") << 100 << 36;
    }
    void listings()
    {
        QFETCH(B, cmd);
        QFETCH(int, headers);
        QFETCH(int, shots);
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        rec.send("S"); // a listing ends in Data mode whatever the mode was
        const B a = rec.send(cmd);
        QVERIFY(a.endsWith("\r\nMMR:<End> CAP=OFF\r\nDAT>"));
        QVERIFY(!a.contains('#') && !a.contains("CAP:"));
        QCOMPARE(int(a.count("\r\nMMR:Fol=")), headers);
        QCOMPARE(memShots(a), shots);
        QCOMPARE(int(a.count("\r\nMMR:<End> Fol=")), headers);
        const QRegularExpression shot(QStringLiteral("^MMR:\\d\\d \\d+\\.\\d\\d 0\\.\\d{6} -?\\d+\\.\\d$"));
        for (const B &line : a.split('\n')) {
            const QString l = QString::fromLatin1(line).trimmed();
            if (l.startsWith(QLatin1String("MMR:")) && !l.contains(QLatin1Char('=')))
                QVERIFY2(shot.match(l).hasMatch(), line.constData());
        }
    }

    void deleteAndUndeleteKeepNumbers()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        rec.send(k('U')); // cursor on shot 5
        const B d = rec.send(k('^'));
        QVERIFY2(d.endsWith("DEL:Fol=01 Str=04 Sho=05 Erasing... Done CAP=OFF\r\nDAT>"), d.constData());
        const B l = rec.send("1");
        QVERIFY(l.contains("Siz=06") && !l.contains("\r\nMMR:05 ") && l.contains("\r\nMMR:06 "));
        QVERIFY(rec.send(k('\\')).contains("UND:Fol=01 Str=04 Sho=05 Restoring... Done"));
        QVERIFY(rec.send("1").contains("\r\nMMR:05 "));
        QVERIFY(rec.send(k('_')).contains("DEL:Fol=01 Str=04 Erasing... Done"));
        QVERIFY(rec.send("1").contains("MMR:Fol=01 Str=04 Siz=00"));
        QVERIFY(rec.send(k('_')).contains("Erasing... Empty"));
        QVERIFY(rec.send(k(']')).contains("Restoring... Done"));
        QVERIFY(rec.send(k('A')).endsWith("DEL:Fol=01 Erasing... Done CAP=OFF\r\nDAT>"));
        QCOMPARE(sim.edisk().totalKept(), 0);
        QVERIFY(rec.send(k('B')).contains("UND:Fol=01 Restoring... Done"));
        QCOMPARE(sim.edisk().totalKept(), 36);
    }

    void calibration_data()
    {
        QTest::addColumn<bool>("archery");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("error"); // empty: passes
        QTest::newRow("normal") << false << 45 << QString();
        QTest::newRow("level 60") << false << 60 << QString();
        QTest::newRow("level 61") << false << 61 << "Too High";
        QTest::newRow("archery") << true << 45 << "Archery";
    }
    void calibration()
    {
        QFETCH(bool, archery);
        QFETCH(int, level);
        QFETCH(QString, error);
        Rv5Simulator sim(SimFixture::quietOptions());
        sim.state().archery = archery;
        sim.state().sensLevel = level;
        SimRecorder rec(sim);
        const B a = rec.send("C");
        QVERIFY(a.startsWith("\r\nCAL:") && a.endsWith("\r\nDAT>"));
        QCOMPARE(sim.state().sensors, error.isEmpty());
        if (!error.isEmpty()) {
            QVERIFY(a.contains("ERR=Cal") && a.contains(error.toLatin1()));
            return;
        }
        const int noise = zx::calNoise(QString::fromLatin1(a)); // the program reads the figure
        QVERIFY2(noise > 0 && noise < 100, a.constData());
        QVERIFY(sim.state().calLevel >= 400);
        QVERIFY(rec.send("Q").contains("Cal=" + B::number(sim.state().calLevel) + "\r"));
    }

    void calibrationAbortedByDownKey()
    {
        Rv5Options o = SimFixture::quietOptions();
        o.calibrationStepMs = 2000;
        Rv5Simulator sim(o);
        SimRecorder rec(sim);
        sim.receive("C");
        QTRY_VERIFY(rec.all().contains("CAL:Calibrating"));
        sim.receive("Q"); // ignored while calibrating
        QTest::qWait(50);
        QVERIFY(!rec.all().contains("Ready"));
        QVERIFY(rec.send(k('D')).endsWith("\r\nCAL:Aborted\r\nDAT>"));
        QVERIFY(!sim.state().sensors);
        QVERIFY(!rec.all().contains("Pass-2"));
    }

    void powerOffAndWake()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        QSignalSpy power(&sim, &Rv5Simulator::poweredChanged);
        QVERIFY(rec.send("P").endsWith("SYS:Shutting Down... Power OFF\r\n"));
        QCOMPARE(rec.send("QDZ" + k('M')), B()); // dead to everything but Esc
        QCOMPARE(rec.send(k('[')), B("\r\nRV5 Power ON\r\nMEN><DAT> 00?"));
        QCOMPARE(power.count(), 2);
        // Automatic power-down, with a "minute" of 10 ms and 1 minute set.
        sim.state().pwrDownHrs = 0;
        sim.state().pwrDownMin = 1;
        sim.setMinuteMs(10);
        QTRY_VERIFY(!sim.state().powered);
        QVERIFY(rec.all().endsWith("\r\nSYS:Auto Power OFF\r\n"));
    }

    void liveShotLines_data()
    {
        QTest::addColumn<bool>("logJ");
        QTest::addColumn<bool>("logK");
        QTest::addColumn<bool>("logL");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("pattern");
        const QString num = QStringLiteral("[ \\d]{3}\\d\\.\\d\\d");
        const QString rest = QStringLiteral(" f/s 0\\.\\d{6} sec [ \\d]{2}\\d\\.\\d fah$");
        QTest::newRow("default") << true << true << false << false << "^\\r\\nCAP:#07 " + num + rest;
        QTest::newRow("no tag") << false << true << false << false << "^\\r\\n#07 " + num + rest;
        QTest::newRow("no temperature") << true << false << false << false << "^\\r\\nCAP:#07 .* sec 999\\.9 fah$";
        QTest::newRow("stats") << true << true << true << false
                               << "^\\r\\nCAP:#07 .* fah Lo=\\d+\\.\\d\\d Hi=\\d+\\.\\d\\d Av=\\d+\\.\\d\\d "
                                  "Es=\\d+\\.\\d\\d Sd=\\d+\\.\\d\\d$";
        QTest::newRow("metric") << true << true << false << true << "^\\r\\nCAP:#07 " + num + " m/s 0\\.\\d{6} sec .* fah$";
    }
    void liveShotLines()
    {
        QFETCH(bool, logJ);
        QFETCH(bool, logK);
        QFETCH(bool, logL);
        QFETCH(bool, metric);
        QFETCH(QString, pattern);
        Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        Rv5Simulator sim(o);
        sim.state().logJ = logJ;
        sim.state().logK = logK;
        sim.state().logL = logL;
        sim.state().metric = metric;
        SimRecorder rec(sim);
        QSignalSpy fired(&sim, &Rv5Simulator::shotFired);
        QVERIFY(sim.fireShot());
        QTRY_VERIFY(sim.isIdle());
        QCOMPARE(fired.count(), 1);
        QCOMPARE(fired.at(0).at(1).toInt(), 4);
        QCOMPARE(fired.at(0).at(2).toInt(), 7);
        const QString line = QString::fromLatin1(rec.all());
        QVERIFY2(QRegularExpression(pattern).match(line).hasMatch(), qPrintable(line));
    }

    void sameSeedSameOutputAndShotLimit()
    {
        auto run = [](quint32 seed) {
            Rv5Options o = SimFixture::quietOptions();
            o.seed = seed;
            o.sensorsOn = true;
            Rv5Simulator sim(o);
            SimRecorder rec(sim);
            for (int i = 0; i < 12; ++i)
                sim.fireShot();
            rec.send("C3");
            return rec.all();
        };
        const B a = run(11);
        QCOMPARE(run(11), a);
        QVERIFY(run(12) != a);

        // Live shots come by themselves; the limit and the sensors stop them.
        Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        o.shotIntervalMs = 20;
        o.liveShotLimit = 5;
        Rv5Simulator sim(o);
        QSignalSpy fired(&sim, &Rv5Simulator::shotFired);
        QTRY_COMPARE(fired.count(), 5);
        QTest::qWait(100);
        QCOMPARE(fired.count(), 5);
        sim.setSensors(false);
        sim.setLiveShotLimit(-1);
        QTest::qWait(60);
        QCOMPARE(fired.count(), 5);
        sim.setSensors(true);
        QTRY_VERIFY(fired.count() >= 7);
    }

    void ladderStepsAtEachPause()
    {
        Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        o.ladderFps = {2700, 2900};
        o.ladderShots = 3;
        Rv5Simulator sim(o);
        QSignalSpy fired(&sim, &Rv5Simulator::shotFired);
        const auto fire = [&](int tries) {   // the velocities stored, and the eDisk string of each
            fired.clear();
            for (int i = 0; i < tries; ++i)
                sim.fireShot();
            QList<QPair<int, double>> got;
            for (const QList<QVariant> &a : fired) {
                const int f = a.at(0).toInt(), s = a.at(1).toInt(), n = a.at(2).toInt();
                got.append({f * 100 + s, sim.edisk().shot(f, s, n)->fps});
            }
            return got;
        };
        const auto first = fire(5);
        QCOMPARE(first.size(), 3);   // the string has its shots; the shooter waits
        sim.setSensors(false);
        sim.setSensors(true);
        const auto second = fire(3);
        QCOMPARE(second.size(), 3);
        for (const auto &shot : first) {
            QCOMPARE(shot.first, first.front().first);
            QVERIFY2(qAbs(shot.second - 2700) < 40, qPrintable(QString::number(shot.second)));
        }
        for (const auto &shot : second) {
            QVERIFY(shot.first != first.front().first);   // a fresh string for the next load
            QCOMPARE(shot.first, second.front().first);
            QVERIFY2(qAbs(shot.second - 2900) < 40, qPrintable(QString::number(shot.second)));
        }
        QCOMPARE(sim.edisk().slots(second.front().first / 100, second.front().first % 100), 3);
    }

    void faults()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        SimRecorder rec(sim);
        sim.setSilent(true);
        QCOMPARE(rec.send("QZ1"), B());
        sim.setSilent(false);

        sim.cutNextAnswer(20);
        QCOMPARE(rec.send("Q").size(), 20);
        QVERIFY(rec.send("Q").endsWith("DAT>")); // only once

        sim.setStallListingAfterHeader(true);
        rec.clear();
        rec.send("2", 50);
        sim.receive("Q"); // hung until Esc
        QTest::qWait(50);
        QVERIFY(!sim.isIdle());
        QCOMPARE(int(rec.all().count("MMR:")), 1);
        QVERIFY(!rec.all().contains("Ready"));
        QVERIFY(rec.send(k('[')).endsWith("\r\n<End> CAP=OFF\r\nDAT>"));
        sim.setStallListingAfterHeader(false);

        rec.clear();
        sim.setChunking(8, 5);
        const B q = rec.send("Q");
        QVERIFY(rec.pieces() >= q.size() / 8);
        QVERIFY(q.endsWith("Ready CAP=OFF\r\nDAT>"));
        sim.setChunking(0, 0);

        const B clean = rec.send("Q");
        sim.setGarbageRate(1.0);
        const B noisy = rec.send("Q");
        sim.setGarbageRate(0);
        QVERIFY(noisy.size() > clean.size());
        QCOMPARE(noisy.count('\n'), clean.count('\n'));

        sim.setBabbling(true);
        rec.clear();
        sim.receive("Q");
        QTRY_VERIFY(rec.all().count("TST:") >= 3);
        QVERIFY(!rec.all().contains("DAT>") && !rec.all().contains("Ready"));
    }

    void pacingHoldsTheBaudRate()
    {
        Rv5Options o = SimFixture::quietOptions();
        o.paced = true;
        Rv5Simulator sim(o);
        B got;
        int pieces = 0;
        QElapsedTimer clock;
        qint64 first = -1, last = -1;
        connect(&sim, &Rv5Simulator::output, this, [&](const B &b) {
            last = clock.nsecsElapsed();
            first = first < 0 ? last : first;
            got += b;
            ++pieces;
        });
        clock.start();
        sim.receive("Q");
        QTRY_VERIFY_WITH_TIMEOUT(sim.isIdle(), 5000);
        // n characters after the first piece span at least n - 1 character times.
        const double expectedMs = (got.size() - 1) * sim.msPerChar();
        const double spanMs = (last - first) / 1e6;
        QVERIFY2(spanMs >= 0.85 * expectedMs && spanMs <= 4 * expectedMs + 500, qPrintable(QString::number(spanMs)));
        QVERIFY(pieces >= 10); // released in batches, not in one burst
        QVERIFY(got.endsWith("Ready CAP=OFF\r\nDAT>"));
    }

    // Raw line: CR stays Enter; a 20 kB listing (far beyond the terminal's buffer) arrives whole.
    void talksThroughThePty()
    {
        SimFixture fx;
        QVERIFY2(fx.isOpen(), qPrintable(fx.errorString()));
        PlainTerminal t(fx.devicePath());
        QVERIFY(t.isOpen());
        QVERIFY(t.talk("Q", "DAT>").endsWith("Ready CAP=OFF\r\nDAT>"));
        QCOMPARE(t.talk(B("M"), "?"), B("\r\nSetup \r\nMEN><DAT> 00?"));
        QCOMPARE(t.talk(B(1, '\r'), "?"), B("Setup \r\nMEN><DAT> 00?"));
        QCOMPARE(fx.sim().received(), B("QM\r"));
        const B a = t.talk("3", "MMR:<End> CAP=OFF\r\nDAT>", 20000);
        QCOMPARE(int(a.count("MMR:<End> Fol=")), 100);
        QCOMPARE(memShots(a), 36);
        QCOMPARE(fx.pty().droppedBytes(), 0);
    }

    // The device outlives a closing reader (unplugging is covered with the program's own port).
    void reopens()
    {
        SimFixture fx;
        {
            PlainTerminal t(fx.devicePath());
            QVERIFY(t.talk("D", "DAT>").endsWith("\r\nDAT>"));
        }
        QTest::qWait(20);
        PlainTerminal t(fx.devicePath());
        QVERIFY(t.talk("S", "STS>").endsWith("\r\nSTS>"));
    }

    void virtualPort()
    {
        Rv5Simulator sim(SimFixture::quietOptions());
        zx::sim::VirtualPortPair pair(&sim);
        zx::sim::VirtualPort *port = pair.programEnd();
        QVERIFY(port->open(QIODevice::ReadWrite));
        QSignalSpy ready(port, &QIODevice::readyRead);
        QSignalSpy written(port, &QIODevice::bytesWritten);
        QCOMPARE(port->write("Q"), qint64(1));
        QCOMPARE(port->bytesAvailable(), qint64(0)); // never inside write()
        QCOMPARE(ready.count(), 0);
        B got;
        QVERIFY(QTest::qWaitFor([&] { return (got += port->readAll()).endsWith("DAT>"); }, 3000));
        QVERIFY(got.endsWith("Ready CAP=OFF\r\nDAT>"));
        QTRY_VERIFY(ready.count() >= 1); // announced on its own pass, after the bytes were queued
        QCOMPARE(written.count(), 1);
        // Output while the port is closed is lost, as on a real line.
        port->close();
        sim.receive("D");
        QTest::qWait(20);
        QVERIFY(port->open(QIODevice::ReadWrite));
        QTest::qWait(20);
        QCOMPARE(port->bytesAvailable(), qint64(0));
        // Unplugged: writes fail and the port will not open until plugged in again.
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
        QCOMPARE(port->readAll(), B("\r\nDAT>"));
    }

    // As a script uses it: first line the device path, live shots on request, gone at end of stdin.
    void cliSim()
    {
        const QString cli = qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli");
        if (!QFile::exists(cli))
            QSKIP("zentrix-cli not built");
        QProcess bad;
        bad.start(cli, {"sim", "--interval-ms", "fast"});
        QVERIFY(bad.waitForFinished(5000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(bad.readAllStandardError().contains("bad option"));

        QProcess p;
        p.start(cli, {"sim", "--shots", "2", "--interval-ms", "30", "--seed", "5"});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY(p.canReadLine());
        const QString path = QString::fromLocal8Bit(p.readLine().trimmed());
        QVERIFY2(path.startsWith("/dev/"), qPrintable(path));
        {
            PlainTerminal t(path);
            QVERIFY(t.isOpen());
            t.talk("Q", "Ready\r\n");
            QTRY_VERIFY(t.got().count("CAP:#") >= 2);
            QVERIFY(t.got().contains("Sens=ON "));
        }
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TstSim)
#include "tst_sim.moc"
