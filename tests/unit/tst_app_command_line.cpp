#include "app/command_line.h"
#include "app/start_options.h"

#include <QtTest>

using namespace zx;

class TestAppCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readCommandLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::newRow("empty") << "" << -1 << -1 << "" << "";
        QTest::newRow("N and P") << "N=7,P=3" << 7 << 3 << "" << "";
        QTest::newRow("lower case n") << "n=7" << 7 << -1 << "" << "";
        QTest::newRow("three characters ignored") << "N=123" << -1 << -1 << "" << "";
        QTest::newRow("N=17 kept for the range check") << "N=17" << 17 << -1 << "" << "";
        QTest::newRow("N=12 at the end") << "P=2,N=12" << 12 << 2 << "" << "";
        QTest::newRow("N=4 at the end") << "C:\\Data\\a.txt,N=4" << 4 << -1 << "" << "";
        QTest::newRow("negative ignored") << "N=-1" << -1 << -1 << "" << "";
        QTest::newRow("no digits read as 0") << "N=x,P=5" << 0 << 5 << "" << "";
        QTest::newRow("empty value reads 0") << "N=,P=5" << 0 << 5 << "" << "";
        QTest::newRow("leading blank") << "N= 5" << 5 << -1 << "" << "";
        QTest::newRow("digits up to other character") << "N=5x" << 5 << -1 << "" << "";
        QTest::newRow("half to even") << "N=.5" << 0 << -1 << "" << "";
        QTest::newRow("P below one kept as given") << "N=2,P=0" << 2 << 0 << "" << "";
        QTest::newRow("quoted file only") << "\"C:\\Data\\shots.rtf\"" << -1 << -1 << "C:\\Data\\" << "shots.rtf";
        QTest::newRow("file after items") << "N=2,P=4,C:\\Logs\\day 1.cap" << 2 << 4 << "C:\\Logs\\" << "day 1.cap";
        QTest::newRow("drive only") << "D:shots.txt" << -1 << -1 << "D:" << "shots.txt";
        QTest::newRow("bare name") << "shots.txt" << -1 << -1 << "" << "shots.txt";
        QTest::newRow("unix path") << "/home/u/shots.rtf" << -1 << -1 << "/home/u/" << "shots.rtf";
        QTest::newRow("item without comma names no file") << "N=5" << 5 << -1 << "" << "";
        QTest::newRow("blank after comma") << "N=1, /tmp/x.log" << 1 << -1 << "/tmp/" << "x.log";
        QTest::newRow("only a leading quote") << "\"N=3" << 3 << -1 << "" << "";
        QTest::newRow("blank-separated") << "N=2 /data/run.rtf" << 2 << -1 << "/data/" << "run.rtf";
        QTest::newRow("blank after comma form") << "N=2,P=3 /data/a.rtf" << 2 << 3 << "/data/" << "a.rtf";
        QTest::newRow("all blanks") << "N=12 P=3 /data/my run.rtf" << 12 << 3 << "/data/" << "my run.rtf";
        QTest::newRow("blank item only") << "n=4 P=7" << 4 << 7 << "" << "";
        QTest::newRow("N= inside a file name") << "/data/RUN=5 x.rtf" << -1 << -1 << "/data/" << "RUN=5 x.rtf";
    }
    void readCommandLine()
    {
        QFETCH(QString, line);
        QFETCH(int, n);
        QFETCH(int, p);
        QFETCH(QString, path);
        QFETCH(QString, file);
        const CommandLine c = zx::readCommandLine(line);
        QCOMPARE(int(c.cmdAppNum), n);
        QCOMPARE(int(c.cmdPort), p);
        QCOMPARE(c.cmdPath, path);
        QCOMPARE(c.cmdFile, file);
    }
    void richWhenEndingInRtf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("rich");
        QTest::newRow("rtf") << "shots.rtf" << true;
        QTest::newRow("RTF") << "SHOTS.RTF" << true;
        QTest::newRow("cap") << "shots.cap" << false;
        QTest::newRow("txt") << "shots.txt" << false;
        QTest::newRow("no dot") << "myrtf" << true;
    }
    void richWhenEndingInRtf()
    {
        QFETCH(QString, file);
        QFETCH(bool, rich);
        QCOMPARE(cmdLineFileIsRich(file), rich);
    }
    void programArguments()
    {
        ParsedArguments a = parseStartArguments({"--simulate", "N=2,P=3", "/data/run.rtf"});
        QVERIFY(a.options.simulate && !a.options.scripted);
        const CommandLine c = zx::readCommandLine(a.options.commandLine);
        QCOMPARE(int(c.cmdAppNum), 2);
        QCOMPARE(c.cmdPath + c.cmdFile, QString("/data/run.rtf"));
        QVERIFY(a.error.isEmpty());
        a = parseStartArguments({"/home/u/my shots.rtf"});
        QCOMPARE(zx::readCommandLine(a.options.commandLine).cmdFile, QString("my shots.rtf"));
        a = parseStartArguments({"--answers", "Yes,No", "--answers-log=/tmp/b.log", "N=1"});
        QVERIFY(a.options.scripted);
        QCOMPARE(a.options.answers, QString("Yes,No"));
        QCOMPARE(a.options.answersLog, QString("/tmp/b.log"));
        QCOMPARE(a.options.commandLine, QString("N=1"));
        QVERIFY(parseStartArguments({"--answers="}).options.scripted);   // every box by its default
        QVERIFY(!parseStartArguments({"--answers-log"}).error.isEmpty());
        QVERIFY(!parseStartArguments({"--bogus"}).error.isEmpty());
        QVERIFY(parseStartArguments({"--help"}).showHelp);
        QVERIFY(startUsageText().contains("--answers LIST"));
    }
};

QTEST_GUILESS_MAIN(TestAppCommandLine)
#include "tst_app_command_line.moc"
