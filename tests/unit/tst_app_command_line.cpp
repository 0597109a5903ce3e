#include "app/command_line.h"
#include "app/start_options.h"

#include <QtTest>

using namespace zx;

class TestAppCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readCommandLine()
    {
        const struct { const char *line; int n, p; const char *path, *file; } cases[] = {
            {"", -1, -1, "", ""},   // empty
            {"N=7,P=3", 7, 3, "", ""},   // N and P
            {"n=7", 7, -1, "", ""},   // lower case n
            {"N=123", -1, -1, "", ""},   // three characters ignored
            {"N=17", 17, -1, "", ""},   // N=17 kept for the range check
            {"P=2,N=12", 12, 2, "", ""},   // N=12 at the end
            {"C:\\Data\\a.txt,N=4", 4, -1, "", ""},   // N=4 at the end
            {"N=-1", -1, -1, "", ""},   // negative ignored
            {"N=x,P=5", 0, 5, "", ""},   // no digits read as 0
            {"N=,P=5", 0, 5, "", ""},   // empty value reads 0
            {"N= 5", 5, -1, "", ""},   // leading blank
            {"N=5x", 5, -1, "", ""},   // digits up to other character
            {"N=.5", 0, -1, "", ""},   // half to even
            {"N=2,P=0", 2, 0, "", ""},   // P below one kept as given
            {"\"C:\\Data\\shots.rtf\"", -1, -1, "C:\\Data\\", "shots.rtf"},   // quoted file only
            {"N=2,P=4,C:\\Logs\\day 1.cap", 2, 4, "C:\\Logs\\", "day 1.cap"},   // file after items
            {"D:shots.txt", -1, -1, "D:", "shots.txt"},   // drive only
            {"shots.txt", -1, -1, "", "shots.txt"},   // bare name
            {"/home/u/shots.rtf", -1, -1, "/home/u/", "shots.rtf"},   // unix path
            {"N=1, /tmp/x.log", 1, -1, "/tmp/", "x.log"},   // blank after comma
            {"\"N=3", 3, -1, "", ""},   // only a leading quote
            {"N=2 /data/run.rtf", 2, -1, "/data/", "run.rtf"},   // blank-separated
            {"N=2,P=3 /data/a.rtf", 2, 3, "/data/", "a.rtf"},   // blank after comma form
            {"N=12 P=3 /data/my run.rtf", 12, 3, "/data/", "my run.rtf"},   // all blanks
            {"n=4 P=7", 4, 7, "", ""},   // blank item only
            {"/data/RUN=5 x.rtf", -1, -1, "/data/", "RUN=5 x.rtf"},   // N= inside a file name
        };
        for (const auto &c : cases) {
            const CommandLine got = zx::readCommandLine(c.line);
            QVERIFY2(int(got.cmdAppNum) == c.n && int(got.cmdPort) == c.p, c.line);
            QVERIFY2(got.cmdPath == c.path && got.cmdFile == c.file, c.line);
        }
        for (const char *rich : {"shots.rtf", "SHOTS.RTF", "myrtf"})
            QVERIFY2(cmdLineFileIsRich(rich), rich);
        for (const char *plain : {"shots.cap", "shots.txt"})
            QVERIFY2(!cmdLineFileIsRich(plain), plain);
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
        a = parseStartArguments({"--simulate-ladder=2790,2815.5", "--simulate-shots", "5"});
        QVERIFY(a.options.simulate && a.error.isEmpty());
        QCOMPARE(a.options.simLadder, QList<double>({2790, 2815.5}));
        QCOMPARE(a.options.simLadderShots, 5);
        for (const char *bad : {"2790,,2815", "2790,fast", "-5"})
            QVERIFY2(!parseStartArguments({"--simulate-ladder", bad}).error.isEmpty(), bad);
        QVERIFY(!parseStartArguments({"--simulate-shots", "many"}).error.isEmpty());
        QVERIFY(parseStartArguments({"--help"}).showHelp);
        QVERIFY(startUsageText().contains("--answers LIST"));
    }
};

QTEST_GUILESS_MAIN(TestAppCommandLine)
#include "tst_app_command_line.moc"
