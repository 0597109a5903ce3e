// The mode and status refresh as a pure function: the mode table, the captions
// of the main and support windows, the capture switch turned off when the port
// closes, and the command states that follow the CFile and the user level.
#include "app/mode_commands.h"
#include "app/mode_fgs.h"
#include "app/mode_model.h"
#include "app/status_refresh.h"

#include <QtTest>

using namespace zx;

class TstModeModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeTable_data();
    void modeTable();
    void supportCaptions();
    void captionWithoutBlankIsKept();
    void refreshTurnsCaptureOffWhenPortCloses();
    void remoteKeys();
    void sensitivity();
    void userLevelMarks_data();
    void userLevelMarks();
    void rv5OnlyCommands();
    void editingInShootMode();
    void noCFileDisablesEverything();
    void updFgsRules();
    void alignmentButtons_data();
    void alignmentButtons();
};

void TstModeModel::modeTable_data()
{
    QTest::addColumn<bool>("capture");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("sensors");
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("cleared");

    QTest::newRow("edit, capture off") << false << true << true << 0
                                       << "Zentrix0 {COM1=ON} {Edit} {RV5 Vantor}" << "Edit" << false;
    QTest::newRow("edit, port closed") << true << false << true << 0
                                       << "Zentrix0 {COM1=OFF} {Edit} {RV5 Vantor}" << "Edit" << true;
    QTest::newRow("shoot") << true << true << true << 0
                           << "Zentrix0 {COM1=ON} {Shoot}  {RV5 Vantor}" << "Shoot" << false;
    QTest::newRow("remote") << true << true << false << 0
                            << "Zentrix0 {COM1=ON} {Remote}  {RV5 Vantor}" << "Remo" << false;
    QTest::newRow("tty") << true << true << false << 3
                         << "Zentrix0 {COM1=ON} {TTY}  {LogPad Terminal}" << "TTY" << false;
    QTest::newRow("tty with sensors flag") << true << true << true << 1
                                           << "Zentrix0 {COM1=ON} {TTY}  {Shooting Valtry}" << "TTY" << false;
}

void TstModeModel::modeTable()
{
    QFETCH(bool, capture);
    QFETCH(bool, open);
    QFETCH(bool, sensors);
    QFETCH(int, device);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(bool, cleared);

    static const QStringList names = {" RV5 Vantor", " Shooting Valtry", " Unknow Chronograph", " LogPad Terminal"};
    ProgramState s;
    s.captureOn = capture;
    s.portOpen = open;
    s.sensorsOn = sensors;
    s.device = device;
    s.deviceName = names.at(device);
    const ViewState v = modeStatusRefresh(s);
    QCOMPARE(v.mainCaption, caption);
    QCOMPARE(v.modeLabel, label);
    QCOMPARE(v.clearCapture, cleared);
}

void TstModeModel::supportCaptions()
{
    ProgramState s;
    s.appNumber = 2;
    s.portNum = 3;
    s.portOpen = true;
    s.captureOn = true;
    s.sensorsOn = true;
    s.remoteCaption = QStringLiteral("iPad0_1 Remote Control");
    s.terminalCaption = QStringLiteral("iLoger TTY Terminal");
    const ViewState v = modeStatusRefresh(s);
    QCOMPARE(v.windowTag, QStringLiteral("2_3 "));
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
}

void TstModeModel::captionWithoutBlankIsKept()
{
    ProgramState s;
    s.remoteCaption = QStringLiteral("iPad");
    s.terminalCaption = QString();
    const ViewState v = modeStatusRefresh(s);
    QCOMPARE(v.remoteCaption, QStringLiteral("iPad"));
    QCOMPARE(v.terminalCaption, QString());
}

void TstModeModel::refreshTurnsCaptureOffWhenPortCloses()
{
    ProgramState s;
    s.portOpen = false;
    s.captureOn = true;
    s.sensorsOn = true;
    int cleared = 0;
    StatusRefresh r([&] { return s; }, [&] { ++cleared; s.captureOn = false; });
    const ViewState v = r.refresh();
    QCOMPARE(cleared, 1);
    QVERIFY(!s.captureOn);
    QVERIFY(v.mainCaption.contains(QStringLiteral(" {Edit}")));
    QVERIFY(v.mainCaption.contains(QStringLiteral("=OFF}")));
    QCOMPARE(v.portCommandText, QStringLiteral("&Port-Off"));
    QVERIFY(!v.connectPressed);
    QVERIFY(!v.modeColor.has_value());
    // Nothing more to clear the second time.
    r.refresh();
    QCOMPARE(cleared, 1);
}

void TstModeModel::remoteKeys()
{
    ProgramState s;
    s.portOpen = true;
    s.captureOn = true;
    s.sensorsOn = false;
    ViewState v = modeStatusRefresh(s);
    QCOMPARE(v.remoteKey, kGreen);
    QCOMPARE(v.startKey, kGrey);
    QCOMPARE(*v.modeColor, kYellow);
    QCOMPARE(v.pointer, PointerKind::RemArrow);

    s.captureOn = false;
    v = modeStatusRefresh(s);
    QCOMPARE(v.stopKey, kGrey);  // status not read
    s.statusOk = true;
    v = modeStatusRefresh(s);
    QCOMPARE(v.stopKey, kGreen);
    QVERIFY(v.commands.value(cmd::mnuRemStop).checked.value());
    QVERIFY(!v.commands.value(cmd::mnuRemStart).checked.value());
}

void TstModeModel::sensitivity()
{
    ProgramState s;
    s.sensLevel = 55;
    QCOMPARE(modeStatusRefresh(s).sensitivityText, QStringLiteral("Sensitivity ???"));
    s.statusOk = true;
    QCOMPARE(modeStatusRefresh(s).sensitivityText, QStringLiteral("Sensitivity 55%"));
}

void TstModeModel::userLevelMarks_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("min");
    QTest::addColumn<bool>("max");
    QTest::addColumn<bool>("testShown");
    QTest::addColumn<bool>("level4Shown");
    QTest::newRow("0") << 0 << true << false << false << false;
    QTest::newRow("2") << 2 << false << false << true << false;
    QTest::newRow("4") << 4 << false << true << true << true;
}

void TstModeModel::userLevelMarks()
{
    QFETCH(int, level);
    QFETCH(bool, min);
    QFETCH(bool, max);
    QFETCH(bool, testShown);
    QFETCH(bool, level4Shown);
    ProgramState s;
    s.userLevel = level;
    const ViewState v = modeStatusRefresh(s);
    QCOMPARE(v.commands.value(cmd::mnuDbgLevel).text.value(), QStringLiteral("Lev-%1...").arg(level));
    QCOMPARE(v.commands.value(cmd::mnuDbgMinLev).checked.value(), min);
    QCOMPARE(v.commands.value(cmd::mnuDbgMaxLev).checked.value(), max);
    for (const QString &c : cmd::testLevelCommands())
        QCOMPARE(v.commands.value(c).visible.value(), testShown);
    for (const QString &c : cmd::level4Commands())
        QCOMPARE(v.commands.value(c).visible.value(), level4Shown);
}

void TstModeModel::rv5OnlyCommands()
{
    ProgramState s;
    s.device = 2;
    ViewState v = modeStatusRefresh(s);
    QVERIFY(!v.commands.value(cmd::mnuRemCalibrate).enabled.value());
    QVERIFY(!v.commands.value(cmd::mnuRemRemo).enabled.value());
    QVERIFY(v.commands.value(cmd::mnuRemStart).enabled.value());
    s.device = 0;
    v = modeStatusRefresh(s);
    QVERIFY(v.commands.value(cmd::mnuRemCalibrate).enabled.value());
    // Chronograph setting marks only follow a fresh status.
    s.archeryOn = true;
    QVERIFY(!modeStatusRefresh(s).commands.contains(cmd::mnuRemArcheryOn)
            || !modeStatusRefresh(s).commands.value(cmd::mnuRemArcheryOn).checked.has_value());
    s.statusOk = true;
    QVERIFY(modeStatusRefresh(s).commands.value(cmd::mnuRemArcheryOn).checked.value());
}

void TstModeModel::editingInShootMode()
{
    ProgramState s;
    s.hasCFile = true;
    s.portOpen = true;
    s.captureOn = true;
    s.sensorsOn = true;
    ViewState v = modeStatusRefresh(s);
    QVERIFY(!v.editingAllowed);
    for (const QString &k : {cmd::Cut, cmd::Paste, cmd::Undo, cmd::Redo, cmd::CaseToUpper, cmd::CaseToLower})
        QVERIFY2(!v.commands.value(k).enabled.value(), qPrintable(k));
    s.softEdit = true;
    v = modeStatusRefresh(s);
    QVERIFY(v.editingAllowed);
    QVERIFY(v.commands.value(cmd::Cut).enabled.value());
    // Remote mode allows editing.
    QVERIFY(editingAllowed(true, false, false));
}

void TstModeModel::noCFileDisablesEverything()
{
    const CommandStates zap = zapFgsMDI();
    for (const QString &k : cmd::cfileButtons())
        QVERIFY2(!zap.value(k).enabled.value(), qPrintable(k));
    QVERIFY(!zap.value(QStringLiteral("mnuFileSave")).enabled.value());
    const CommandStates set = setFgsMDI(0);
    QVERIFY(set.value(cmd::Save).enabled.value());
    QVERIFY(set.value(cmd::Bold).enabled.value());
    QVERIFY(set.value(cmd::TruFont).enabled.value());
    QVERIFY(!set.contains(cmd::Cut));
    CFileFacts none;
    QVERIFY(!updFgsMDI(none, true, 0).value(cmd::Save).enabled.value());
}

void TstModeModel::updFgsRules()
{
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
    QVERIFY(c.value(cmd::Bold).checked.value());
    QVERIFY(!c.value(cmd::Italic).checked.value());
    QVERIFY(!c.contains(cmd::Redo));

    // Shoot mode: copy stays, the editing ones go.
    c = updFgsMDI(f, false, 0);
    QVERIFY(c.value(cmd::Copy).enabled.value());
    for (const QString &k : {cmd::Undo, cmd::Cut, cmd::Paste, cmd::CaseToUpper})
        QVERIFY2(!c.value(k).enabled.value(), qPrintable(k));

    f.textEmpty = true;
    f.selectionEmpty = true;
    c = updFgsMDI(f, true, 0);
    QVERIFY(!c.value(cmd::Print).enabled.value());
    QVERIFY(!c.value(cmd::Copy).enabled.value());
    QVERIFY(c.value(cmd::TabLeft).enabled.value());
}

void TstModeModel::alignmentButtons_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("pressed");
    QTest::newRow("left") << 0 << "Left";
    QTest::newRow("center") << 1 << "Center";
    QTest::newRow("right") << 2 << "Right";
    QTest::newRow("mixed") << -1 << "";
}

void TstModeModel::alignmentButtons()
{
    QFETCH(int, align);
    QFETCH(QString, pressed);
    CFileFacts f;
    f.present = true;
    f.alignment = align;
    const CommandStates c = updFgsMDI(f, true, 0);
    for (const QString &k : {cmd::Left, cmd::Center, cmd::Right})
        QCOMPARE(c.value(k).checked.value(), k == pressed);
}

QTEST_GUILESS_MAIN(TstModeModel)
#include "tst_mode_model.moc"
