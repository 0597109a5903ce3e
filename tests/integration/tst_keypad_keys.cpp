// Every keypad key against the simulator on a pseudo-terminal: the byte the chronograph hears,
// the answer the LCD then shows and the indicator the key concerns.
#include "remote/keypad.h"
#include "remote/remote_control.h"
#include "tst_ops_rig.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstKeypadKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("answer");   // a line the LCD shows afterwards
        QTest::addColumn<int>("lamp");         // the indicator the key sets or clears (-1 none)
        QTest::addColumn<bool>("lit");
        const auto row = [](int i, const char *wire, const char *answer, int lamp = -1, bool lit = false) {
            QTest::addRow("%d %s", i, *KeyPad::kPadKeys.at(size_t(i)).caption ? KeyPad::kPadKeys.at(size_t(i)).caption : "picture")
                << i << QByteArray(wire) << QString::fromLatin1(answer) << lamp << lit;
        };
        row(0, "U", "UNI:Vel=f/s Tmp=fah Tim=sec");
        row(1, "A", "ARC:Archery Mode ON", KeyPad::Archery, true);
        row(2, "Z", "SLev=45% Arc=OFF Faf=OFF Sens=OFF", KeyPad::Sensors, false);
        row(3, "F", "FAF:Rapid Fire ON", KeyPad::RapidFire, true);
        row(4, "\x1b", "<End> CAP=OFF", KeyPad::Started, true);
        row(5, "C", "CAL:Done");
        row(6, "\x1e", "DEL:Fol=01 Str=04 Sho=06 Erasing... Done CAP=OFF");
        row(7, "\x1c", "UND:Fol=01 Str=04 Sho=06 Restoring...");
        row(8, "D", "DAT>");
        row(9, "P", "SYS:Shutting Down... Power OFF", KeyPad::Stopped, true);
        row(10, "M", "MEN><DAT> 00?");
        row(11, "Q", "Ready CAP=OFF");
        row(12, "\x0b", "REV:Fol=01 Str=01");
        row(13, "\x15", "REV:Fol=01 Str=04 Sho=05");
        row(14, "T", "TMP:Case=23.5c Air=72.3 fah");
        row(15, "S", "STS>");
        row(16, "S", "STS>");
        row(17, "\x0c", "REV:Fol=01 Str=03 Sho=10");
        row(18, "D", "DAT>");
        row(19, "\x12", "REV:Fol=01 Str=05 Sho=00 Empty");
        row(20, "D", "DAT>");
        row(21, "D", "DAT>");
        row(22, "\x0f", "REV:Fol=02 Str=01");
        row(23, "\x04", "REV:Fol=01 Str=04 Sho=06");
        row(24, "T", "TMP:Case=23.5c Air=72.3 fah");
    }
    void keys()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, wire);
        QFETCH(QString, answer);
        QFETCH(int, lamp);
        QFETCH(bool, lit);
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        RemoteControl remote(rig.link, rig.task, rig.prompter);
        KeyPad pad(rig.link, remote);
        pad.open();
        rig.link.cro.bCroSensorsOn = true;   // so that "Sens" has something to clear
        QSignalSpy lcd(&pad, &KeyPad::lcdChanged);

        pad.keyPress(index);
        QCOMPARE(rig.sim.sim().received(), wire);
        // The display follows the chronograph until its answer is complete (Del answers late).
        const auto shows = [&pad, &answer] {
            const QStringList lines = pad.lcd().split(QStringLiteral("\r\n"));
            return std::any_of(lines.begin(), lines.end(), [&answer](const QString &l) { return l.startsWith(answer); });
        };
        QTRY_VERIFY2(shows(), qPrintable(pad.lcd()));
        QVERIFY(pad.lcd().count(QStringLiteral("\r\n")) < KeyPad::kLcdLines);
        QVERIFY(pad.isOpen());
        if (lamp >= 0)
            QCOMPARE(pad.indicator(lamp), lit);
        if (index == KeyPad::kCalKey)
            QCOMPARE(lcd.first().first().toString(), QStringLiteral("Please Wait, Calibrating..."));
        QCOMPARE(rig.prompter.count(), 0);   // failures are not reported by the pad
    }

    // A key pressed while the previous one's transaction runs goes after it, in press order.
    void secondPressWaitsForTheFirst()
    {
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.deleteDelayMs = 700;   // "Del" answers late
        OpsRig rig(o);
        QVERIFY(rig.sim.isOpen());
        RemoteControl remote(rig.link, rig.task, rig.prompter);
        KeyPad pad(rig.link, remote);
        pad.open();
        QTimer::singleShot(150, &pad, [&pad] {
            QVERIFY(pad.busy());
            pad.keyPress(8);    // "Edit"
            pad.keyPress(15);   // "Stats"
            QCOMPARE(pad.queued(), 2);
        });
        pad.keyPress(6);   // "Del"
        QCOMPARE(rig.sim.sim().received(), QByteArray("\x1e" "DS"));
        QCOMPARE(pad.queued(), 0);
        QVERIFY(!pad.busy());
        QCOMPARE(pad.lcd().split(QStringLiteral("\r\n")).last(), QStringLiteral("STS>"));
    }

    // The display follows a live shot line arriving in small pieces (RV5 lines begin with
    // CR LF: the line is complete only when the next one starts).
    void lcdFollowsChunkedOutput()
    {
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.sensorsOn = true;
        OpsRig rig(o);
        QVERIFY(rig.sim.isOpen());
        RemoteControl remote(rig.link, rig.task, rig.prompter);
        KeyPad pad(rig.link, remote);
        rig.link.hooks.keyPadRefresh = [&pad] { pad.refreshLcd(); };
        pad.open();
        rig.sim.sim().setChunking(3, 5);
        QVERIFY(rig.sim.sim().fireShot(2900));
        QVERIFY(rig.sim.waitIdle());
        QTest::qWait(50);
        static const QRegularExpression whole(QStringLiteral("#\\d\\d 2900\\.00 f/s 0\\.\\d{6} sec +\\d+\\.\\d (fah|cel)$"));
        QVERIFY2(whole.match(pad.lcd()).hasMatch(), qPrintable(pad.lcd()));
        rig.link.hooks.keyPadRefresh = nullptr;
    }

    // A device without remote keys: the pad sends nothing ("Stop" would switch it off) and
    // says why, as every other sender does.
    void deviceGate()
    {
        OpsRig rig;
        QVERIFY(rig.sim.isOpen());
        RemoteControl remote(rig.link, rig.task, rig.prompter);
        KeyPad pad(rig.link, remote);
        pad.open();
        rig.link.cro.iCroDevice = 2;
        pad.keyPress(9);   // "Stop"
        pad.keyPress(0);
        QTest::qWait(100);
        QVERIFY(rig.sim.sim().received().isEmpty());
        QVERIFY(rig.sim.sim().state().powered);
        QCOMPARE(rig.prompter.count(), 2);
        QVERIFY(rig.prompter.last().text.startsWith(QLatin1String("The remote control keys do not work with")));
    }
};

QTEST_GUILESS_MAIN(TstKeypadKeys)
#include "tst_keypad_keys.moc"
