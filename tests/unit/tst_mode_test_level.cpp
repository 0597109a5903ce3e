// The hidden test-level prompts and the disabled-function notice.
#include "app/mode_test_level.h"

#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

using test::ScriptedPrompter;

class TstModeTestLevel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void raiseAndLowerWithinBounds();
    void onlyWhileSoftTestIsOn();
    void toggleSoftTestRemembersLevel();
    void toggleDebug();
    void disabledNotice();
};

void TstModeTestLevel::raiseAndLowerWithinBounds()
{
    ScriptedPrompter p;
    int level = 3, remembered = 3;
    bool test = true, debug = false;
    const TestLevelFlags f{&level, &test, &debug, &remembered};
    p.queue({MsgAnswer::Yes, MsgAnswer::Yes});
    QVERIFY(askTestLevel(0, p, f));
    QCOMPARE(level, 4);
    QVERIFY(askTestLevel(0, p, f));
    QCOMPARE(level, 4);
    QCOMPARE(p.shown().first().title, QStringLiteral(" Software Test..."));
    QCOMPARE(p.shown().first().text, QStringLiteral("Current Test Level is (3)\r\n\r\nIncrement Test Level..?"));
    QCOMPARE(p.shown().first().defaultButton, 2);
    level = 0;
    p.queue(MsgAnswer::Yes);
    QVERIFY(askTestLevel(1, p, f));
    QCOMPARE(level, 0);
    QCOMPARE(p.shown().last().text, QStringLiteral("Current Test Level is (0)\r\n\r\nDecrement Test Level..?"));
    QVERIFY(!askTestLevel(1, p, f));  // No
}

void TstModeTestLevel::onlyWhileSoftTestIsOn()
{
    ScriptedPrompter p;
    int level = 1, remembered = 1;
    bool test = false, debug = false;
    QVERIFY(!askTestLevel(0, p, {&level, &test, &debug, &remembered}));
    QVERIFY(p.shown().isEmpty());
}

void TstModeTestLevel::toggleSoftTestRemembersLevel()
{
    ScriptedPrompter p;
    int level = 2, remembered = 0;
    bool test = true, debug = false;
    const TestLevelFlags f{&level, &test, &debug, &remembered};
    p.queue(MsgAnswer::Yes);
    QVERIFY(askTestLevel(2, p, f));
    QVERIFY(!test);
    QCOMPARE(remembered, 2);
    QVERIFY(p.shown().last().text.endsWith(QStringLiteral("Deactivate Software Test Mode..?")));
    level = 0;
    p.queue(MsgAnswer::Yes);
    QVERIFY(askTestLevel(2, p, f));
    QVERIFY(test);
    QCOMPARE(level, 2);
    QVERIFY(p.shown().last().text.endsWith(QStringLiteral("Activate Software Test Mode..?")));
}

void TstModeTestLevel::toggleDebug()
{
    ScriptedPrompter p;
    int level = 0, remembered = 0;
    bool test = false, debug = false;
    p.queue(MsgAnswer::Yes);
    QVERIFY(askTestLevel(3, p, {&level, &test, &debug, &remembered}));
    QVERIFY(debug);
    QCOMPARE(p.shown().last().text, QStringLiteral("Current Test Level is (0)\r\n\r\nActivate Debug Mode..?"));
}

void TstModeTestLevel::disabledNotice()
{
    ScriptedPrompter p;
    noteDisabled(p, 3);
    QCOMPARE(p.shown().size(), 1);
    QCOMPARE(p.shown().first().text, QStringLiteral("[0:3] - This function is temporarily disabled..."));
    QCOMPARE(p.shown().first().buttons, MsgButtons::Ok);
}

QTEST_GUILESS_MAIN(TstModeTestLevel)
#include "tst_mode_test_level.moc"
