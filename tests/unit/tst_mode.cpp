// The mode and status refresh as a pure function (the mode table, captions, the capture switch
// turned off when the port closes, command states following the CFile and the user level), and
// the hidden test-level prompts.
#include "app/mode_commands.h"
#include "app/mode_fgs.h"
#include "app/mode_model.h"
#include "app/mode_test_level.h"
#include "app/status_refresh.h"
#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

namespace {

ProgramState linked(bool capture, bool sensors)
{
    ProgramState s;
    s.portOpen = true;
    s.captureOn = capture;
    s.sensorsOn = sensors;
    return s;
}

} // namespace

class TstMode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeTable()
    {
        const QString com = "Zentrix0 {COM1=";
        const struct { bool capture, open, sensors; int device; QString caption; const char *label; bool cleared; } cases[] = {
            {false, true, true, 0, com + "ON} {Edit} {RV5 Vantor}", "Edit", false},
            {true, false, true, 0, com + "OFF} {Edit} {RV5 Vantor}", "Edit", true},
            {true, true, true, 0, com + "ON} {Shoot}  {RV5 Vantor}", "Shoot", false},
            {true, true, false, 0, com + "ON} {Remote}  {RV5 Vantor}", "Remo", false},
            {true, true, false, 3, com + "ON} {TTY}  {LogPad Terminal}", "TTY", false},
            {true, true, true, 1, com + "ON} {TTY}  {Shooting Valtry}", "TTY", false},
        };
        for (const auto &c : cases) {
            ProgramState s = linked(c.capture, c.sensors);
            s.portOpen = c.open;
            s.device = c.device;
            s.deviceName = QStringList{" RV5 Vantor", " Shooting Valtry", "", " LogPad Terminal"}.at(c.device);
            const ViewState v = modeStatusRefresh(s);
            QCOMPARE(v.mainCaption, c.caption);
            QCOMPARE(v.modeLabel, QString(c.label));
            QCOMPARE(v.clearCapture, c.cleared);
        }
    }

    // The support windows keep their caption's first word and take this copy's tag.
    void supportCaptions()
    {
        ProgramState s = linked(true, true);
        s.appNumber = 2;
        s.portNum = 3;
        s.remoteCaption = QStringLiteral("iPad0_1 Remote Control");
        s.terminalCaption = QStringLiteral("iLoger TTY Terminal");
        ViewState v = modeStatusRefresh(s);
        QCOMPARE(v.mainCaption, QStringLiteral("Zentrix2 {COM3=ON} {Shoot}  {RV5 Vantor}"));
        QCOMPARE(v.remoteCaption, QStringLiteral("iPad2_3 Remote Control"));
        QCOMPARE(v.terminalCaption, QStringLiteral("iLoger2_3 TTY Terminal"));
        QCOMPARE(v.propertiesCaption, QStringLiteral("CSetup2_3 }"));
        QCOMPARE(v.propertiesChronoName, QStringLiteral("Chrono-3"));
        QCOMPARE(v.notesCaption, QStringLiteral("iNotes2_3 "));
        QCOMPARE(v.pointer, PointerKind::CapArrow);
        QCOMPARE(*v.modeColor, kGreen);
        QCOMPARE(v.portCommandText, QStringLiteral("&Port-On"));
        QVERIFY(v.connectPressed);
        s.remoteCaption = QStringLiteral("iPad"); // no blank: kept as it is
        s.terminalCaption = QString();
        v = modeStatusRefresh(s);
        QCOMPARE(v.remoteCaption, QStringLiteral("iPad"));
        QCOMPARE(v.terminalCaption, QString());
    }

    void refreshTurnsCaptureOffWhenPortCloses()
    {
        ProgramState s = linked(true, true);
        s.portOpen = false;
        int cleared = 0;
        StatusRefresh r([&] { return s; }, [&] {
            ++cleared;
            s.captureOn = false;
        });
        const ViewState v = r.refresh();
        QCOMPARE(cleared, 1);
        QVERIFY(v.mainCaption.contains(QStringLiteral("=OFF} {Edit}")));
        QCOMPARE(v.portCommandText, QStringLiteral("&Port-Off"));
        QVERIFY(!v.connectPressed && !v.modeColor.has_value());
        r.refresh();
        QCOMPARE(cleared, 1); // nothing more to clear
    }

    // Remote keys and the chronograph's settings follow only a status read to its end.
    void remoteKeysAndStatusMarks()
    {
        ProgramState s = linked(true, false);
        ViewState v = modeStatusRefresh(s);
        QCOMPARE(v.remoteKey, kGreen);
        QCOMPARE(v.startKey, kGrey);
        QCOMPARE(*v.modeColor, kYellow);
        QCOMPARE(v.pointer, PointerKind::RemArrow);
        s.captureOn = false;
        s.sensLevel = 55;
        s.archeryOn = true;
        v = modeStatusRefresh(s);
        QCOMPARE(v.stopKey, kGrey);
        QCOMPARE(v.sensitivityText, QStringLiteral("Sensitivity ???"));
        QVERIFY(!v.commands.value(cmd::mnuRemArcheryOn).checked.has_value());
        s.statusOk = true;
        v = modeStatusRefresh(s);
        QCOMPARE(v.stopKey, kGreen);
        QCOMPARE(v.sensitivityText, QStringLiteral("Sensitivity 55%"));
        QVERIFY(v.commands.value(cmd::mnuRemArcheryOn).checked.value());
        QVERIFY(v.commands.value(cmd::mnuRemStop).checked.value());
        QVERIFY(!v.commands.value(cmd::mnuRemStart).checked.value());
    }

    void userLevelMarks()
    {
        const struct { int level; bool min, max, testShown, level4Shown; } cases[] = {
            {0, true, false, false, false}, {2, false, false, true, false}, {4, false, true, true, true}};
        for (const auto &c : cases) {
            ProgramState s;
            s.userLevel = c.level;
            const ViewState v = modeStatusRefresh(s);
            QCOMPARE(v.commands.value(cmd::mnuDbgLevel).text.value(), QStringLiteral("Lev-%1...").arg(c.level));
            QCOMPARE(v.commands.value(cmd::mnuDbgMinLev).checked.value(), c.min);
            QCOMPARE(v.commands.value(cmd::mnuDbgMaxLev).checked.value(), c.max);
            for (const QString &k : cmd::testLevelCommands())
                QCOMPARE(v.commands.value(k).visible.value(), c.testShown);
            for (const QString &k : cmd::level4Commands())
                QCOMPARE(v.commands.value(k).visible.value(), c.level4Shown);
        }
    }

    void rv5OnlyCommands()
    {
        ProgramState s;
        s.device = 2;
        ViewState v = modeStatusRefresh(s);
        QVERIFY(!v.commands.value(cmd::mnuRemCalibrate).enabled.value());
        QVERIFY(!v.commands.value(cmd::mnuRemRemo).enabled.value());
        QVERIFY(v.commands.value(cmd::mnuRemStart).enabled.value());
        s.device = 0;
        QVERIFY(modeStatusRefresh(s).commands.value(cmd::mnuRemCalibrate).enabled.value());
    }

    // Shoot mode protects the log: the editing commands go unless soft editing is on.
    void editingInShootMode()
    {
        ProgramState s = linked(true, true);
        s.hasCFile = true;
        ViewState v = modeStatusRefresh(s);
        QVERIFY(!v.editingAllowed);
        for (const QString &k : {cmd::Cut, cmd::Paste, cmd::Undo, cmd::Redo, cmd::CaseToUpper, cmd::CaseToLower})
            QVERIFY2(!v.commands.value(k).enabled.value(), qPrintable(k));
        s.softEdit = true;
        v = modeStatusRefresh(s);
        QVERIFY(v.editingAllowed && v.commands.value(cmd::Cut).enabled.value());
        QVERIFY(editingAllowed(true, false, false)); // remote mode
    }

    void cfileCommands()
    {
        const CommandStates zap = zapFgsMDI();
        for (const QString &k : cmd::cfileButtons())
            QVERIFY2(!zap.value(k).enabled.value(), qPrintable(k));
        QVERIFY(setFgsMDI(0).value(cmd::Save).enabled.value());
        QVERIFY(!setFgsMDI(0).contains(cmd::Cut));
        QVERIFY(!updFgsMDI(CFileFacts(), true, 0).value(cmd::Save).enabled.value());

        CFileFacts f;
        f.present = true;
        f.textEmpty = false;
        f.canUndo = true;
        f.selectionEmpty = false;
        f.clipboardHasText = true;
        f.bold = true;
        CommandStates c = updFgsMDI(f, true, 0);
        for (const QString &k : {cmd::Print, cmd::Search, cmd::WordWrap, cmd::Undo, cmd::Cut, cmd::Copy, cmd::Paste,
                                 cmd::CaseToUpper, cmd::CaseToLower, cmd::TabLeft, cmd::TabRight})
            QVERIFY2(c.value(k).enabled.value(), qPrintable(k));
        QVERIFY(c.value(cmd::Bold).checked.value() && !c.value(cmd::Italic).checked.value());
        QVERIFY(!c.contains(cmd::Redo));
        c = updFgsMDI(f, false, 0); // shoot mode: copy stays, the editing ones go
        QVERIFY(c.value(cmd::Copy).enabled.value());
        for (const QString &k : {cmd::Undo, cmd::Cut, cmd::Paste, cmd::CaseToUpper})
            QVERIFY2(!c.value(k).enabled.value(), qPrintable(k));
        f.textEmpty = true;
        f.selectionEmpty = true;
        c = updFgsMDI(f, true, 0);
        QVERIFY(!c.value(cmd::Print).enabled.value() && !c.value(cmd::Copy).enabled.value());
        QVERIFY(c.value(cmd::TabLeft).enabled.value());
        for (int align : {-1, 0, 1, 2}) { // left, centre, right; -1 mixed: none pressed
            f.alignment = align;
            c = updFgsMDI(f, true, 0);
            const QStringList buttons{cmd::Left, cmd::Center, cmd::Right};
            for (int i = 0; i < 3; ++i)
                QCOMPARE(c.value(buttons.at(i)).checked.value(), i == align);
        }
    }

    // The hidden test-level prompts: raise and lower within 0..4 while SoftTest is on.
    void testLevelBounds()
    {
        test::ScriptedPrompter p;
        int level = 3, remembered = 3;
        bool softTest = false, debug = false;
        const TestLevelFlags f{&level, &softTest, &debug, &remembered};
        QVERIFY(!askTestLevel(0, p, f)); // SoftTest off: nothing asked
        QCOMPARE(p.count(), 0);
        softTest = true;
        p.queue({MsgAnswer::Yes, MsgAnswer::Yes});
        QVERIFY(askTestLevel(0, p, f));
        QVERIFY(askTestLevel(0, p, f));
        QCOMPARE(level, 4);
        QCOMPARE(p.at(0).text, QStringLiteral("Current Test Level is (3)\r\n\r\nIncrement Test Level..?"));
        QCOMPARE(p.at(0).defaultButton, 2);
        level = 0;
        p.queue(MsgAnswer::Yes);
        QVERIFY(askTestLevel(1, p, f));
        QCOMPARE(level, 0);
        QVERIFY(p.last().text.endsWith("Decrement Test Level..?"));
        QVERIFY(!askTestLevel(1, p, f)); // No
    }

    void testModeAndDebugToggles()
    {
        test::ScriptedPrompter p;
        int level = 2, remembered = 0;
        bool softTest = true, debug = false;
        const TestLevelFlags f{&level, &softTest, &debug, &remembered};
        p.queue({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
        QVERIFY(askTestLevel(2, p, f));
        QVERIFY(!softTest);
        QCOMPARE(remembered, 2);
        QVERIFY(p.last().text.endsWith(QStringLiteral("Deactivate Software Test Mode..?")));
        level = 0;
        QVERIFY(askTestLevel(2, p, f));
        QVERIFY(softTest);
        QCOMPARE(level, 2); // the remembered level comes back
        QVERIFY(askTestLevel(3, p, f));
        QVERIFY(debug);
        QCOMPARE(p.last().text, QStringLiteral("Current Test Level is (2)\r\n\r\nActivate Debug Mode..?"));
        noteDisabled(p, 3);
        QCOMPARE(p.last().text, QStringLiteral("[0:3] - This function is temporarily disabled..."));
    }
};

QTEST_GUILESS_MAIN(TstMode)
#include "tst_mode.moc"
