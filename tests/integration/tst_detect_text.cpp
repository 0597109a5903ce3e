// Port list rows, the packed item value, the probe state table, the progress
// log's append and trim rule and the settings string of the properties window.
#include "link/port_detect_text.h"

#include <QtTest>

using namespace zx;

class TstDetectText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rows_data();
    void rows();
    void packing_data();
    void packing();
    void stateFromErrors_data();
    void stateFromErrors();
    void logAppend();
    void logTrim();
    void settingsString();
};

void TstDetectText::rows_data()
{
    QTest::addColumn<int>("com");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("log");
    QTest::newRow("free 3") << 3 << 3 << "COM3    Chrono-3 {unknown}" << "COM3    Chrono-3 {unknown}";
    QTest::newRow("own 9") << 9 << 1 << "COM9    Chrono-9 My {unknown}" << "COM9    Chrono-9 My {unknown}";
    QTest::newRow("busy 10") << 10 << 4 << "COM10  {Port In Use}" << "COM10  {Port In Use}";
    QTest::newRow("free 16") << 16 << 3 << "COM16  Chrono-16 {unknown}" << "COM16  Chrono-16 {unknown}";
    QTest::newRow("absent") << 2 << 0 << "" << "COM2    {not present}";
    QTest::newRow("bad") << 12 << 6 << "" << "COM12  {Bad Port}";
    QTest::newRow("other") << 5 << 9 << "" << "COM5    {Unknown Error}";
}

void TstDetectText::rows()
{
    QFETCH(int, com);
    QFETCH(int, state);
    QFETCH(QString, row);
    QFETCH(QString, log);
    QCOMPARE(portRowText(com, state), row);
    QCOMPARE(portLogText(com, state), log);
}

void TstDetectText::packing_data()
{
    QTest::addColumn<int>("com");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("third");
    QTest::addColumn<int>("value");
    QTest::newRow("own 1") << 1 << 1 << 0 << 0x0101;
    QTest::newRow("free 16") << 16 << 3 << 0 << 0x0310;
    QTest::newRow("busy 255 third 15") << 255 << 4 << 15 << 0xF4FF;
}

void TstDetectText::packing()
{
    QFETCH(int, com);
    QFETCH(int, state);
    QFETCH(int, third);
    QFETCH(int, value);
    const quint16 v = packPortItem(com, state, third);
    QCOMPARE(int(v), value);
    QCOMPARE(itemCom(v), com);
    QCOMPARE(itemState(v), state);
    QCOMPARE(itemThird(v), third);
}

void TstDetectText::stateFromErrors_data()
{
    QTest::addColumn<int>("e");
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("state");
    QTest::newRow("free") << 0 << 0 << 3;
    QTest::newRow("in use") << 8005 << 8012 << 4;
    QTest::newRow("absent") << 8002 << 8012 << 0;
    QTest::newRow("in use, odd close") << 8005 << 0 << 6;
    QTest::newRow("other") << 8010 << 8012 << 6;
}

void TstDetectText::stateFromErrors()
{
    QFETCH(int, e);
    QFETCH(int, f);
    QFETCH(int, state);
    QCOMPARE(portStateFromErrors(e, f), state);
}

void TstDetectText::logAppend()
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

void TstDetectText::logTrim()
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

void TstDetectText::settingsString()
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

QTEST_GUILESS_MAIN(TstDetectText)
#include "tst_detect_text.moc"
