// The simulated RV5 driven directly: every answer must carry the endings and fields a program
// reading the chronograph relies on, in the documented forms (docs/protocol.md).
#include "support/sim_fixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using zx::sim::Rv5Options;
using zx::sim::Rv5Simulator;
using zx::test::SimFixture;
using zx::test::SimRecorder;

namespace {

QByteArray k(char letter) { return SimRecorder::key(letter); }

// Walks a status answer the way a reader with a moving cursor does: each key must come after the
// previous value, and each value must end at its terminator.
struct StatusWalk {
    QByteArray text;
    int pos = 0;
    bool ok = true;
    QByteArray take(const QByteArray &key, const QByteArray &end)
    {
        if (!ok)
            return {};
        const int a = text.indexOf(key, pos);
        const int b = a < 0 ? -1 : text.indexOf(end, a + key.size());
        if (b < 0) {
            ok = false;
            return {};
        }
        pos = b + end.size();
        return text.mid(a + key.size(), b - a - key.size());
    }
};

// The value shown inside a menu: the text before the three characters ahead of "MEN>".
QByteArray menuValue(const QByteArray &answer)
{
    const int p = answer.indexOf("MEN>");
    return p >= 3 ? answer.left(p - 3).trimmed() : QByteArray("<none>");
}

QByteArray lastLine(const QByteArray &answer)
{
    const int p = answer.lastIndexOf("\r\n");
    const int q = answer.lastIndexOf("\r\n", p - 1);
    return answer.mid(q + 2, p - q - 2);
}

} // namespace

class TstSimEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void signOnFollowsStatusGrammar();
    void endings_data();
    void endings();
    void memoryPositionAgreesWithItsAttBlock();
    void menuValues_data();
    void menuValues();
    void menuChangesReachTheStatus();
    void listings_data();
    void listings();
    void deleteAndUndeleteKeepNumbers();
    void calibration_data();
    void calibration();
    void calibrationAbortedByDownKey();
    void powerOffAndWake();
    void liveShotLines_data();
    void liveShotLines();
    void sameSeedSameOutput();
    void faults();
    void pacingHoldsTheBaudRate();
};

void TstSimEngine::signOnFollowsStatusGrammar()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    const QByteArray a = rec.send("Q");
    QVERIFY(a.size() < 800);
    QVERIFY(a.indexOf("rv5vantor.example") >= 0);
    QVERIFY(a.indexOf("rv5vantor.example") < a.indexOf(", "));
    QVERIFY(a.endsWith("Ready CAP=OFF\r\n\r\nDAT>") || a.endsWith("Ready CAP=OFF\r\nDAT>"));

    StatusWalk w{a};
    QCOMPARE(w.take(", ", ":"), QByteArray("RV5"));
    w.pos -= 1;  // the cursor stays on the ":"
    QCOMPARE(w.take(":V", "S"), QByteArray("105"));
    QCOMPARE(w.take("SYS:", " "), QByteArray("01236"));
    QCOMPARE(w.take("Bat=", "V "), QByteArray("9.17"));
    QCOMPARE(w.take("Tmp=", " "), QByteArray("23.5c"));
    QCOMPARE(w.take("PwrDown=", "="), QByteArray("ON"));
    QCOMPARE(w.text.mid(w.pos, 5), QByteArray("01:00"));
    QCOMPARE(w.take("Faf=", " "), QByteArray("OFF"));
    QCOMPARE(w.take("Arc=", " "), QByteArray("OFF"));
    QCOMPARE(w.take("Sens=", " "), QByteArray("OFF"));
    QCOMPARE(w.take("SLev=", "% "), QByteArray("45"));
    QCOMPARE(w.take("Cal=", "\r"), QByteArray("0"));
    QCOMPARE(w.take("K*Log=", " "), QByteArray("ON"));
    QCOMPARE(w.take("L*Log=", " "), QByteArray("OFF"));
    QCOMPARE(w.take("J*Log=", " "), QByteArray("ON"));
    QCOMPARE(w.take("Cam=", "\r"), QByteArray("3"));
    QCOMPARE(w.take("Vel=", " "), QByteArray("f/s"));
    QCOMPARE(w.take("Tmp=", " "), QByteArray("fah"));
    QCOMPARE(w.take("Tim=", "\r"), QByteArray("sec"));
    QCOMPARE(w.take("MaxFol=", " "), QByteArray("10"));
    QCOMPARE(w.take("MaxStr=", " "), QByteArray("10"));
    QCOMPARE(w.take("MaxSho=", "\r"), QByteArray("10"));
    QCOMPARE(w.take("Att=", "\r"), QByteArray("01 04 06 06"));
    QVERIFY(w.ok);
}

void TstSimEngine::endings_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("contains");
    QTest::addColumn<QByteArray>("endsWith");

    QTest::newRow("esc") << QByteArray() << k('[') << QByteArray("\r\n<End> CAP=OFF") << QByteArray("\r\nDAT>");
    QTest::newRow("data") << QByteArray("S") << QByteArray("D") << QByteArray() << QByteArray("\r\nDAT>");
    QTest::newRow("stats") << QByteArray() << QByteArray("S") << QByteArray("STA:Fol=01 Str=04 N=06")
                           << QByteArray("\r\nSTS>");
    QTest::newRow("esc in stats") << QByteArray("S") << k('[') << QByteArray("<End> CAP=OFF") << QByteArray("\r\nSTS>");
    QTest::newRow("data menu") << QByteArray() << QByteArray("M") << QByteArray() << QByteArray("\r\nMEN><DAT> 00?");
    QTest::newRow("stats menu") << QByteArray("S") << QByteArray("M") << QByteArray() << QByteArray("\r\nMEN><STS> 00?");
    QTest::newRow("esc in menu") << QByteArray("M") + k('R') << k('[') << QByteArray("\r\n<End>\r\n")
                                 << QByteArray("MEN><DAT> 00?");
    QTest::newRow("enter outside") << QByteArray() << k('M') << QByteArray() << QByteArray("\r\nDAT>");
    QTest::newRow("Z") << QByteArray() << QByteArray("Z") << QByteArray("SLev=45% Arc=OFF Faf=OFF Sens=OFF")
                       << QByteArray("\r\nDAT>");
    QTest::newRow("Z in menu") << QByteArray("M") + k('R') << QByteArray("Z") << QByteArray("Sens=OFF")
                               << QByteArray("\r\nMEN><DAT> 00?");
    QTest::newRow("P") << QByteArray() << QByteArray("P") << QByteArray("SYS:") << QByteArray(" Power OFF\r\n");
    QTest::newRow("9") << QByteArray() << QByteArray("9") << QByteArray("SYS:") << QByteArray(" Power OFF\r\n");
    QTest::newRow("A") << QByteArray() << QByteArray("A") << QByteArray("ARC:Archery Mode ON") << QByteArray("\r\nDAT>");
    QTest::newRow("F leaves menu") << QByteArray("M") << QByteArray("F") << QByteArray("FAF:Rapid Fire ON")
                                   << QByteArray("\r\nDAT>");
    QTest::newRow("J") << QByteArray() << QByteArray("J") << QByteArray("LOG:J*Log=OFF") << QByteArray("\r\nDAT>");
    QTest::newRow("T") << QByteArray() << QByteArray("T") << QByteArray("TMP:Case=23.5c") << QByteArray("\r\nDAT>");
    QTest::newRow("U") << QByteArray() << QByteArray("U") << QByteArray("UNI:Vel=f/s Tmp=fah Tim=sec")
                       << QByteArray("\r\nDAT>");
    QTest::newRow("lower case") << QByteArray() << QByteArray("q") << QByteArray("rv5vantor.example")
                                << QByteArray("\r\nDAT>");
    QTest::newRow("unknown") << QByteArray() << QByteArray("X") << QByteArray("\r\n?") << QByteArray("\r\nDAT>");
    QTest::newRow("cursor down at last shot") << QByteArray() << k('D')
                                              << QByteArray("REV:Fol=01 Str=04 Sho=06 Vel=") << QByteArray("\r\nDAT>");
    QTest::newRow("cursor next string") << QByteArray() << k('R') << QByteArray("REV:Fol=01 Str=05 Sho=00 Empty")
                                        << QByteArray("\r\nDAT>");
    QTest::newRow("cursor next folder") << QByteArray() << k('O') << QByteArray("REV:Fol=02 Str=01 Sho=00 Empty")
                                        << QByteArray("\r\nDAT>");
}

void TstSimEngine::endings()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, contains);
    QFETCH(QByteArray, endsWith);
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    for (char c : before)
        rec.send(QByteArray(1, c));
    const QByteArray a = rec.send(input);
    QVERIFY2(a.endsWith(endsWith), a.constData());
    QVERIFY2(a.contains(contains), a.constData());
}

void TstSimEngine::memoryPositionAgreesWithItsAttBlock()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    rec.send(k('U'));  // review shot 5 of string 4
    const QByteArray a = rec.send("W");
    QVERIFY(a.endsWith("\r\nDAT>"));
    const int fol = a.indexOf("Fol=", 15);
    QVERIFY(fol >= 15);  // found from character 16 on
    auto numAt = [&](int p) { return a.mid(p, 2).toInt(); };
    const int str = a.indexOf("Str=", fol + 6), siz = a.indexOf("Siz=", str + 6), sho = a.indexOf("Sho=", siz + 6);
    QVERIFY(str > 0 && siz > 0 && sho > 0);
    QCOMPARE(numAt(fol + 4), 1);
    QCOMPARE(numAt(str + 4), 4);
    QCOMPARE(numAt(siz + 4), 6);
    QCOMPARE(numAt(sho + 4), 5);
    const int att = a.indexOf("Att=", 10) + 4;
    QCOMPARE(numAt(att), 1);
    QCOMPARE(numAt(att + 3), 4);
    QCOMPARE(numAt(att + 6), 6);
    QCOMPARE(numAt(att + 9), 5);
}

void TstSimEngine::menuValues_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("sub");
    QTest::addColumn<QByteArray>("keys");  // pressed at the entry after reading it
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("archery on") << 1 << 0 << 1 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("archery stays off") << 1 << 0 << 1 << k('O') << QByteArray("OFF") << QByteArray("OFF");
    QTest::newRow("sensitivity up") << 1 << 0 << 2 << k('K') << QByteArray("45") << QByteArray("46");
    QTest::newRow("sensitivity down twice") << 1 << 0 << 2 << k('O') + k('O') << QByteArray("45") << QByteArray("43");
    QTest::newRow("metric units") << 1 << 0 << 4 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("celsius") << 1 << 0 << 5 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("folder position") << 1 << 1 << 0 << k('K') << QByteArray("1") << QByteArray("2");
    QTest::newRow("string size up") << 2 << 2 << 0 << k('K') << QByteArray("1010") << QByteArray("1208");
    QTest::newRow("string size down") << 2 << 2 << 0 << k('O') << QByteArray("1010") << QByteArray("812");
    QTest::newRow("sensors") << 2 << 3 << 0 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("rapid fire") << 2 << 3 << 1 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("memory alarm") << 2 << 4 << 3 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("auto off") << 2 << 5 << 2 << k('O') << QByteArray("ON") << QByteArray("OFF");
    QTest::newRow("off time down") << 2 << 5 << 3 << k('O') << QByteArray("100") << QByteArray("59");
    QTest::newRow("off time up") << 2 << 5 << 3 << k('K') << QByteArray("100") << QByteArray("101");
    QTest::newRow("expert") << 2 << 5 << 4 << k('K') << QByteArray("OFF") << QByteArray("ON");
    QTest::newRow("read-only battery") << 2 << 5 << 1 << k('K') << QByteArray("9.17") << QByteArray("9.17");
}

void TstSimEngine::menuValues()
{
    QFETCH(int, menu);
    QFETCH(int, item);
    QFETCH(int, sub);
    QFETCH(QByteArray, keys);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    rec.send(menu == 1 ? "D" : "S");
    QByteArray a = rec.send("M");
    for (int i = 0; i < item; ++i)
        a = rec.send(k('R'));
    for (int i = 0; i < sub; ++i)
        a = rec.send(k('D'));
    const QByteArray pos = QByteArray(menu == 1 ? "MEN><DAT> " : "MEN><STS> ") + char('0' + item) + char('0' + sub) + '?';
    QVERIFY2(a.endsWith("\r\n" + pos), a.constData());
    a = rec.send(k('M'));
    QVERIFY(a.endsWith(" \r\n" + pos));
    QCOMPARE(menuValue(a), before);
    for (char c : keys)
        a = rec.send(QByteArray(1, c));
    QVERIFY(a.endsWith(pos));
    QCOMPARE(menuValue(a), after);
    QCOMPARE(menuValue(rec.send(k('M'))), after);  // Enter reads back the same
}

void TstSimEngine::menuChangesReachTheStatus()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    // Archery on: Data menu 0,1.
    rec.send("DM");
    rec.send(k('D'));
    rec.send(k('K'));
    QVERIFY(rec.send("Q").contains("Arc=ON "));
    // Sensors on: Stats menu 3,0; the sign-on then says Ready without CAP=OFF.
    rec.send("SM");
    for (int i = 0; i < 3; ++i)
        rec.send(k('R'));
    rec.send(k('K'));
    QVERIFY(sim.state().sensors);
    const QByteArray q = rec.send("Q");
    QVERIFY(q.contains("Sens=ON "));
    QVERIFY(q.endsWith("\r\nReady\r\nSTS>"));
    QVERIFY(rec.send(k('[')).endsWith("\r\n<End>\r\nSTS>"));
    QVERIFY(sim.fireShot());
    QVERIFY(rec.send("Z").contains("Sens=OFF"));
    QVERIFY(!sim.fireShot());
}

void TstSimEngine::listings_data()
{
    QTest::addColumn<QByteArray>("cmd");
    QTest::addColumn<int>("headers");
    QTest::addColumn<int>("shots");
    QTest::newRow("string") << QByteArray("1") << 1 << 6;
    QTest::newRow("folder") << QByteArray("2") << 10 << 36;
    QTest::newRow("eDisk") << QByteArray("3") << 100 << 36;
}

void TstSimEngine::listings()
{
    QFETCH(QByteArray, cmd);
    QFETCH(int, headers);
    QFETCH(int, shots);
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    rec.send("S");  // a listing ends in Data mode whatever the mode was
    const QByteArray a = rec.send(cmd);
    QVERIFY(a.endsWith("\r\nMMR:<End> CAP=OFF\r\nDAT>"));
    QVERIFY(!a.contains('#') && !a.contains("CAP:"));
    QCOMPARE(int(a.count("\r\nMMR:Fol=") - a.count(" Sho=")), headers);
    QCOMPARE(int(a.count(" Sho=")), shots);
    QCOMPARE(int(a.count("\r\nMMR:<End> Fol=")), headers);
    if (cmd == "3")
        QVERIFY(a.indexOf("MMR:<End> Fol=10 Str=") < a.lastIndexOf("MMR:<End> CAP=OFF"));
    const QRegularExpression shot(QStringLiteral(
        "^MMR:Fol=\\d\\d Str=\\d\\d Sho=\\d\\d Vel=\\d+\\.\\d\\d f/s Tim=0\\.\\d{6} sec Tmp=-?\\d+\\.\\d fah$"));
    for (const QByteArray &line : a.split('\n')) {
        const QString l = QString::fromLatin1(line).trimmed();
        if (l.contains(QLatin1String(" Sho=")))
            QVERIFY2(shot.match(l).hasMatch(), line.constData());
    }
}

void TstSimEngine::deleteAndUndeleteKeepNumbers()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    rec.send(k('U'));  // cursor on shot 5
    const QByteArray d = rec.send(k('^'));
    QVERIFY2(d.endsWith("DEL:Fol=01 Str=04 Sho=05 Erasing... Done CAP=OFF\r\nDAT>"), d.constData());
    QByteArray l = rec.send("1");
    QVERIFY(l.contains("Siz=06"));
    QVERIFY(!l.contains("Sho=05") && l.contains("Sho=06"));
    QVERIFY(rec.send(k('\\')).contains("UND:Fol=01 Str=04 Sho=05 Restoring... Done"));
    QVERIFY(rec.send("1").contains("Sho=05"));
    // Whole string, then the folder (no pause for a folder).
    QVERIFY(rec.send(k('_')).contains("DEL:Fol=01 Str=04 Erasing... Done"));
    QVERIFY(rec.send("1").contains("MMR:Fol=01 Str=04 Siz=00"));
    QVERIFY(rec.send(k('_')).contains("Erasing... Empty"));
    QVERIFY(rec.send(k(']')).contains("Restoring... Done"));
    QVERIFY(rec.send(k('A')).endsWith("DEL:Fol=01 Erasing... Done CAP=OFF\r\nDAT>"));
    QCOMPARE(sim.edisk().totalKept(), 0);
    QVERIFY(rec.send(k('B')).contains("UND:Fol=01 Restoring... Done"));
    QCOMPARE(sim.edisk().totalKept(), 36);
}

void TstSimEngine::calibration_data()
{
    QTest::addColumn<bool>("archery");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("pass");
    QTest::newRow("normal") << false << 45 << true;
    QTest::newRow("level 60") << false << 60 << true;
    QTest::newRow("level 61") << false << 61 << false;
    QTest::newRow("archery") << true << 45 << false;
}

void TstSimEngine::calibration()
{
    QFETCH(bool, archery);
    QFETCH(int, level);
    QFETCH(bool, pass);
    Rv5Simulator sim(SimFixture::quietOptions());
    sim.state().archery = archery;
    sim.state().sensLevel = level;
    SimRecorder rec(sim);
    const QByteArray a = rec.send("C");
    QVERIFY(a.startsWith("\r\nCAL:"));
    QVERIFY(a.endsWith("\r\nDAT>"));
    QCOMPARE(a.contains("ERR=Cal"), !pass);
    QCOMPARE(sim.state().sensors, pass);
    if (pass) {
        const QList<QByteArray> words = lastLine(a).split(' ');
        QVERIFY(words.size() >= 2);
        bool ok = false;
        const int noise = words.at(words.size() - 2).toInt(&ok);
        QVERIFY(ok && noise > 0 && noise < 100);
        QVERIFY(rec.send("Q").contains("Cal=" + QByteArray::number(sim.state().calLevel) + "\r"));
        QVERIFY(sim.state().calLevel >= 400);
    } else {
        QVERIFY(a.contains(archery ? "Archery" : "Too High"));
    }
}

void TstSimEngine::calibrationAbortedByDownKey()
{
    Rv5Options o = SimFixture::quietOptions();
    o.calibrationStepMs = 2000;
    Rv5Simulator sim(o);
    SimRecorder rec(sim);
    sim.receive("C");
    QTRY_VERIFY(rec.all().contains("CAL:Calibrating"));
    sim.receive("Q");  // ignored while calibrating
    QTest::qWait(50);
    QVERIFY(!rec.all().contains("Ready"));
    const QByteArray a = rec.send(k('D'));
    QVERIFY(a.endsWith("\r\nCAL:Aborted\r\nDAT>"));
    QVERIFY(!sim.state().sensors);
    QVERIFY(!rec.all().contains("Pass-2"));
}

void TstSimEngine::powerOffAndWake()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);
    QSignalSpy power(&sim, &Rv5Simulator::poweredChanged);
    QVERIFY(rec.send("P").endsWith("SYS:Shutting Down... Power OFF\r\n"));
    QVERIFY(!sim.state().powered);
    QCOMPARE(rec.send("QDZ" + k('M')), QByteArray());  // dead to everything but Esc
    const QByteArray a = rec.send(k('['));
    QCOMPARE(a, QByteArray("\r\nRV5 Power ON\r\nMEN><DAT> 00?"));
    QCOMPARE(power.count(), 2);
    // Automatic power-down, with a "minute" of 10 ms and 1 minute set.
    sim.state().pwrDownHrs = 0;
    sim.state().pwrDownMin = 1;
    sim.setMinuteMs(10);
    QTRY_VERIFY(!sim.state().powered);
    QVERIFY(rec.all().endsWith("\r\nSYS:Auto Power OFF\r\n"));
}

void TstSimEngine::liveShotLines_data()
{
    QTest::addColumn<bool>("logJ");
    QTest::addColumn<bool>("logK");
    QTest::addColumn<bool>("logL");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("pattern");
    const QString num = QStringLiteral("[ \\d]{3}\\d\\.\\d\\d");
    QTest::newRow("default") << true << true << false << false
                             << QStringLiteral("^\\r\\nCAP:#07 ") + num + QStringLiteral(" f/s 0\\.\\d{6} sec [ \\d]{2}\\d\\.\\d fah$");
    QTest::newRow("no tag") << false << true << false << false
                            << QStringLiteral("^\\r\\n#07 ") + num + QStringLiteral(" f/s 0\\.\\d{6} sec [ \\d]{2}\\d\\.\\d fah$");
    QTest::newRow("no temperature") << true << false << false << false
                                    << QStringLiteral("^\\r\\nCAP:#07 .* sec 999\\.9 fah$");
    QTest::newRow("stats") << true << true << true << false
                           << QStringLiteral("^\\r\\nCAP:#07 .* fah Lo=\\d+\\.\\d\\d Hi=\\d+\\.\\d\\d Av=\\d+\\.\\d\\d Es=\\d+\\.\\d\\d Sd=\\d+\\.\\d\\d$");
    QTest::newRow("metric") << true << true << false << true
                            << QStringLiteral("^\\r\\nCAP:#07 ") + num + QStringLiteral(" m/s 0\\.\\d{6} sec .* fah$");
}

void TstSimEngine::liveShotLines()
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

void TstSimEngine::sameSeedSameOutput()
{
    auto run = [](quint32 seed) {
        Rv5Options o = SimFixture::quietOptions();
        o.seed = seed;
        o.sensorsOn = true;
        Rv5Simulator sim(o);
        SimRecorder rec(sim);
        for (int i = 0; i < 12; ++i)
            sim.fireShot();
        rec.send("C");
        rec.send("3");
        return rec.all();
    };
    const QByteArray a = run(11);
    QCOMPARE(run(11), a);
    QVERIFY(run(12) != a);

    // Live shots come by themselves at about the configured rate.
    Rv5Options o = SimFixture::quietOptions();
    o.sensorsOn = true;
    o.shotIntervalMs = 20;
    o.liveShotLimit = 5;
    Rv5Simulator sim(o);
    QSignalSpy fired(&sim, &Rv5Simulator::shotFired);
    QTRY_COMPARE(fired.count(), 5);
    QTest::qWait(100);
    QCOMPARE(fired.count(), 5);  // the limit holds
    sim.setSensors(false);
    sim.setLiveShotLimit(-1);
    QTest::qWait(60);
    QCOMPARE(fired.count(), 5);  // sensors off: no shots
    sim.setSensors(true);
    QTRY_VERIFY(fired.count() >= 7);
}

void TstSimEngine::faults()
{
    Rv5Simulator sim(SimFixture::quietOptions());
    SimRecorder rec(sim);

    sim.setSilent(true);
    QCOMPARE(rec.send("QZ1"), QByteArray());
    sim.setSilent(false);

    sim.cutNextAnswer(20);
    QCOMPARE(rec.send("Q").size(), 20);
    QVERIFY(rec.send("Q").endsWith("DAT>"));  // only once

    sim.setStallListingAfterHeader(true);
    rec.clear();
    rec.send("2", 50);
    QTest::qWait(50);
    QVERIFY(!sim.isIdle());
    QCOMPARE(int(rec.all().count("MMR:")), 1);
    sim.receive("Q");  // hung until Esc
    QTest::qWait(50);
    QCOMPARE(int(rec.all().count("MMR:")), 1);
    QVERIFY(!rec.all().contains("Ready"));
    QVERIFY(rec.send(k('[')).endsWith("\r\n<End> CAP=OFF\r\nDAT>"));
    sim.setStallListingAfterHeader(false);

    rec.clear();
    sim.setChunking(8, 5);
    const QByteArray q = rec.send("Q");
    QVERIFY(rec.pieces() >= q.size() / 8);
    QVERIFY(q.endsWith("Ready CAP=OFF\r\nDAT>"));
    sim.setChunking(0, 0);

    const QByteArray clean = rec.send("Q");
    sim.setGarbageRate(1.0);
    const QByteArray noisy = rec.send("Q");
    sim.setGarbageRate(0);
    QVERIFY(noisy.size() > clean.size());
    QCOMPARE(noisy.count('\n'), clean.count('\n'));

    sim.setBabbling(true);
    rec.clear();
    sim.receive("Q");
    QTRY_VERIFY(rec.all().count("TST:") >= 3);
    QVERIFY(!rec.all().contains("DAT>") && !rec.all().contains("Ready"));
    sim.setBabbling(false);
}

void TstSimEngine::pacingHoldsTheBaudRate()
{
    Rv5Options o = SimFixture::quietOptions();
    o.paced = true;
    Rv5Simulator sim(o);
    QByteArray got;
    int pieces = 0;
    QElapsedTimer clock;
    qint64 first = -1, last = -1;
    connect(&sim, &Rv5Simulator::output, this, [&](const QByteArray &b) {
        if (first < 0)
            first = clock.nsecsElapsed();
        last = clock.nsecsElapsed();
        got += b;
        ++pieces;
    });
    clock.start();
    sim.receive("Q");
    QTRY_VERIFY_WITH_TIMEOUT(sim.isIdle(), 5000);
    // The first piece leaves after at least one character time; n characters span n - 1 more.
    const double expectedMs = (got.size() - 1) * sim.msPerChar();
    const double spanMs = (last - first) / 1e6;
    QVERIFY2(spanMs >= 0.85 * expectedMs, qPrintable(QString::number(spanMs)));
    QVERIFY2(spanMs <= 4 * expectedMs + 500, qPrintable(QString::number(spanMs)));
    QVERIFY(pieces >= 10);  // released in batches, not in one burst
    QVERIFY(got.endsWith("Ready CAP=OFF\r\nDAT>"));
}

QTEST_GUILESS_MAIN(TstSimEngine)
#include "tst_sim_engine.moc"
