// Port list rows, the packed item value, the probe state table, the progress log's append and
// trim rule and the settings string of the properties window.
#include "link/port_detect_text.h"

#include <QtTest>

using namespace zx;

class TstDetectText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Listed states show the same text in the list and the log; the others only in the log.
    void rows()
    {
        const struct { int com, state; const char *text; bool listed; } cases[] = {
            {3, 3, "COM3    Chrono-3 {unknown}", true},   {9, 1, "COM9    Chrono-9 My {unknown}", true},
            {10, 4, "COM10  {Port In Use}", true},        {16, 3, "COM16  Chrono-16 {unknown}", true},
            {2, 0, "COM2    {not present}", false},       {12, 6, "COM12  {Bad Port}", false},
            {5, 9, "COM5    {Unknown Error}", false}};
        for (const auto &c : cases) {
            QCOMPARE(portRowText(c.com, c.state), c.listed ? QString(c.text) : QString());
            QCOMPARE(portLogText(c.com, c.state), QString(c.text));
        }
    }

    void packing()
    {
        const struct { int com, state, third, value; } cases[] = {
            {1, 1, 0, 0x0101}, {16, 3, 0, 0x0310}, {255, 4, 15, 0xF4FF}};
        for (const auto &c : cases) {
            const quint16 v = packPortItem(c.com, c.state, c.third);
            QCOMPARE(int(v), c.value);
            QCOMPARE(QList<int>({itemCom(v), itemState(v), itemThird(v)}), QList<int>({c.com, c.state, c.third}));
        }
    }

    void stateFromErrors()
    {
        // free, in use, absent, in use with an odd close, other
        const int cases[][3] = {{0, 0, 3}, {8005, 8012, 4}, {8002, 8012, 0}, {8005, 0, 6}, {8010, 8012, 6}};
        for (const auto &c : cases)
            QCOMPARE(portStateFromErrors(c[0], c[1]), c[2]);
    }

    void logAppend()
    {
        QString log;
        prtLogAppend(log, QStringLiteral("A"), 0, 1);
        prtLogAppend(log, QStringLiteral("B"), 2, 0);
        prtLogAppend(log, QStringLiteral("C"), 101, 3);  // code modulo 100 would be 1: replaced instead
        QCOMPARE(log, QStringLiteral("Please wait...\r\n"));
        log.clear();
        prtLogAppend(log, QStringLiteral("A"), 0, 1);
        prtLogAppend(log, QStringLiteral("B"), 2, 0);
        QCOMPARE(log, QStringLiteral("A\r\n\r\n\r\nB"));
    }

    void logTrim()
    {
        QString log(4001, QLatin1Char('x'));
        log[499] = QLatin1Char('y');
        prtLogAppend(log, QStringLiteral("z"), 0, 0);
        QCOMPARE(log.size(), 4001 - 499 + 1);
        QVERIFY(log.startsWith(QLatin1Char('y')));
        QString exact(4000, QLatin1Char('x'));
        prtLogAppend(exact, QString(), 0, 0);
        QCOMPARE(exact.size(), 4000);
    }

    void settingsString()
    {
        QCOMPARE(buildPortSettings(QStringLiteral("4800"), QStringLiteral("None"), QStringLiteral("8"), QStringLiteral("1")),
                 QStringLiteral("4800,n,8,1"));
        QCOMPARE(buildPortSettings(QStringLiteral(" 9600 "), QStringLiteral("Even "), QStringLiteral("7"),
                                   QStringLiteral("1.5")),
                 QStringLiteral("9600,e,7,1.5"));
        QCOMPARE(deviceName(9), QStringLiteral(" RV5 Vantor"));   // out of the list: the RV5
        QCOMPARE(replaceRowTag(QStringLiteral("COM3    Chrono-3 My {RV-5}"), QStringLiteral("{unknown}")),
                 QStringLiteral("COM3    Chrono-3 My {unknown}"));
    }
};

QTEST_GUILESS_MAIN(TstDetectText)
#include "tst_detect_text.moc"
