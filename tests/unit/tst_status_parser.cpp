// The status parser against answers built from the chronograph's documented layout
// (not taken from the simulator): well-formed, cut, garbled and oddly spaced ones.
#include "link/shot_line.h"
#include "link/status_parser.h"

#include <QtTest>

using zx::CroState;

namespace {

// One sign-on answer, with the line end and the blank between fields chosen by the test.
QString signOn(const QString &le = QStringLiteral("\r\n"), const QString &sp = QStringLiteral(" "))
{
    return le + "Vantor Chronographs www.vantor-chrono.com" + le                          //
        + "Vantor, RV5:V105S" + sp + "SYS:01234" + sp + "Bat=9.1V" + sp + "Tmp=23C" + sp  //
        + "PwrDown=ON=01:30" + sp + "Faf=OFF" + sp + "Arc=ON" + sp + "Sens=ON" + sp       //
        + "SLev=45%" + sp + "Cal=123" + le                                                //
        + "K*Log=OFF" + sp + "L*Log=ON" + sp + "J*Log=OFF" + sp + "Cam=5" + le             //
        + "Vel=f/s" + sp + "Tmp=cel" + sp + "Tim=sec" + le                                //
        + "MaxFol=10" + sp + "MaxStr=20" + sp + "MaxSho=99" + le                          //
        + "Att=07 08 09 11" + le + "Ready" + le + le + "DAT>";
}

// The state a previous status left behind: every field differs from signOn()'s; the flags the
// parser does not read are set in both and must stay.
CroState oldState()
{
    return {.sCroModel = "OLD ", .iCroVersion = 1, .iCroShotTotal = 2, .fCroBattery = 3.5f, .fCroTemp = 4.5f,
            .bCroPwrDown = false, .iCroPwrDownHrs = 6, .iCroPwrDownMin = 7, .bCroRapidOn = true,
            .bCroArcheryOn = false, .bCroSensorsOn = false, .iCroSensLevel = 8, .iCroCalLevel = 9,
            .bCroLogK = true, .bCroLogL = false, .bCroLogJ = true, .iCroCamLevel = 10, .sCroVelUnits = "m/s",
            .sCroTmpUnits = "fah", .sCroTimUnits = "ms ", .iCroMaxFol = 11, .iCroMaxStr = 12, .iCroMaxSho = 13,
            .iCroCurFol = 14, .iCroCurStr = 15, .iCroShotReview = 16, .iCroShotPos = 17, .bCroStatusOk = true,
            .iCroCalNoise = 42, .bCroCalOk = true, .bCroLinkOk = true, .bCroPwrOnSeen = true, .iCroDevice = 2};
}

CroState newState()
{
    return {.sCroModel = "RV5 ", .iCroVersion = 105, .iCroShotTotal = 1234, .fCroBattery = 9.1f,
            .fCroTemp = 23.0f, .bCroPwrDown = true, .iCroPwrDownHrs = 1, .iCroPwrDownMin = 30,
            .bCroRapidOn = false, .bCroArcheryOn = true, .bCroSensorsOn = true, .iCroSensLevel = 45,
            .iCroCalLevel = 123, .bCroLogK = false, .bCroLogL = true, .bCroLogJ = false, .iCroCamLevel = 5,
            .sCroVelUnits = "f/s", .sCroTmpUnits = "cel", .sCroTimUnits = "sec", .iCroMaxFol = 10,
            .iCroMaxStr = 20, .iCroMaxSho = 99, .iCroCurFol = 7, .iCroCurStr = 8, .iCroShotReview = 9,
            .iCroShotPos = 11, .bCroStatusOk = true, .iCroCalNoise = 42, .bCroCalOk = true, .bCroLinkOk = true,
            .bCroPwrOnSeen = true, .iCroDevice = 2};
}

// The 22 steps' fields as "name=value" texts, step by step (step 6 and 22 fill several).
QList<QStringList> fieldsByStep(const CroState &s)
{
    auto b = [](bool v) { return QString(v ? "T" : "F"); };
    auto n = [](double v) { return QString::number(v); };
    return {
        {"model=" + s.sCroModel}, {"version=" + n(s.iCroVersion)}, {"total=" + n(s.iCroShotTotal)},
        {"battery=" + n(s.fCroBattery)}, {"temp=" + n(s.fCroTemp)},
        {"pwrDown=" + b(s.bCroPwrDown), "hrs=" + n(s.iCroPwrDownHrs), "min=" + n(s.iCroPwrDownMin)},
        {"rapid=" + b(s.bCroRapidOn)}, {"archery=" + b(s.bCroArcheryOn)}, {"sensors=" + b(s.bCroSensorsOn)},
        {"sensLevel=" + n(s.iCroSensLevel)}, {"calLevel=" + n(s.iCroCalLevel)},
        {"logK=" + b(s.bCroLogK)}, {"logL=" + b(s.bCroLogL)}, {"logJ=" + b(s.bCroLogJ)},
        {"cam=" + n(s.iCroCamLevel)}, {"vel=" + s.sCroVelUnits}, {"tmpUnits=" + s.sCroTmpUnits},
        {"tim=" + s.sCroTimUnits}, {"maxFol=" + n(s.iCroMaxFol)}, {"maxStr=" + n(s.iCroMaxStr)},
        {"maxSho=" + n(s.iCroMaxSho)},
        {"curFol=" + n(s.iCroCurFol), "curStr=" + n(s.iCroCurStr), "review=" + n(s.iCroShotReview),
         "shotPos=" + n(s.iCroShotPos)},
    };
}

QStringList allFields(const CroState &s)
{
    QStringList out;
    for (const QStringList &step : fieldsByStep(s))
        out += step;
    out << QString("ok=") + (s.bCroStatusOk ? "T" : "F");
    out << QString("untouched=%1 %2%3%4 %5").arg(s.iCroCalNoise).arg(s.bCroCalOk).arg(s.bCroLinkOk)
               .arg(s.bCroPwrOnSeen).arg(s.iCroDevice);
    return out;
}

// Fields of the first `steps` steps from `fresh`, the rest from `old`.
QStringList mixed(const CroState &fresh, const CroState &old, int steps, bool ok)
{
    const auto f = fieldsByStep(fresh);
    const auto o = fieldsByStep(old);
    QStringList out;
    for (int i = 0; i < f.size(); ++i)
        out += i < steps ? f[i] : o[i];
    out << QString("ok=") + (ok ? "T" : "F") << allFields(old).last();
    return out;
}

} // namespace

class TestStatusParser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Whole answers in the forms a serial line and the receive path may deliver.
    void wholeAnswer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << signOn();
        QTest::newRow("LF only") << signOn("\n");
        QTest::newRow("CR only") << signOn("\r");
        QTest::newRow("LF CR") << signOn("\n\r");
        QTest::newRow("blank line ends") << signOn("\r\n\r\n");
        QTest::newRow("wide spacing") << signOn("\r\n", "   ");
        QTest::newRow("tab spacing") << signOn("\r\n", "\t");
        QTest::newRow("line breaks between fields") << signOn("\r\n", "\r\n");
        QTest::newRow("after escape answer") << "<End> CAP=OFF\r\nDAT>\x1b" + signOn();
        QTest::newRow("after binary noise")
            << QString::fromLatin1("\xff\xfe\x01\x7f\x00garbage", 12) + signOn();
        QTest::newRow("a different answer follows")
            << signOn() + QString(signOn()).replace("SYS:01234", "SYS:04321");
    }
    void wholeAnswer()
    {
        QFETCH(QString, text);
        CroState s = oldState();
        int steps = -1;
        QVERIFY(zx::parseStatus(s, text, &steps));
        QCOMPARE(steps, 22);
        QCOMPARE(allFields(s), allFields(newState()));
    }

    // Cut at every length: a field is either its old value or its right new value,
    // never a wrong one, fields are read in order, and the status counts only once the
    // position line is complete.
    void everyTruncation()
    {
        for (const char *le : {"\r\n", "\n", "\r"}) {
            const QString full = signOn(le);
            const qsizetype complete = full.indexOf(QLatin1String(le), full.indexOf("Att=")) + 1;
            int lastSteps = 0;
            for (qsizetype n = 0; n <= full.size(); ++n) {
                CroState s = oldState();
                int steps = -1;
                const bool ok = zx::parseStatus(s, full.left(n), &steps);
                QVERIFY2(steps >= lastSteps, qPrintable(QString("cut at %1").arg(n)));
                lastSteps = steps;
                QCOMPARE(ok, n >= complete);
                QCOMPARE(s.bCroStatusOk, ok);
                QCOMPARE(allFields(s), mixed(newState(), oldState(), steps, ok));
            }
            QCOMPARE(lastSteps, 22);
        }
    }

    // Where a short or garbled answer stops, and what it leaves behind.
    void stopsAt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("steps");
        const QString a = signOn();
        auto upTo = [&](const char *mark) { return a.left(a.indexOf(mark) + qsizetype(strlen(mark))); };
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("no model key") << QString(a).replace("Vantor, RV5", "Vantor RV5") << 0;
        QTest::newRow("model runs to the next colon") << "Vantor, RV5 V105S SYS:1 " << 1;
        QTest::newRow("version ends at the next S") << QString(a).replace(":V105S", ":V105 ") << 2;
        QTest::newRow("cut right after Sens=ON") << upTo("Sens=ON") << 9;
        QTest::newRow("cut inside Sens=ON") << upTo("Sens=O") << 8;
        QTest::newRow("SLev without % ") << QString(a).replace("SLev=45%", "SLev=45") << 9;
        QTest::newRow("SLev % glued to next") << QString(a).replace("45% Cal", "45%Cal") << 9;
        QTest::newRow("position line without end") << upTo("Att=07 08 09 11") << 21;
        QTest::newRow("position key missing") << QString(a).replace("Att=", "Atx=") << 21;
        QTest::newRow("field renamed") << QString(a).replace("MaxStr=", "MaxSrt=") << 19;
        QTest::newRow("fields out of order") << QString(a).replace("Faf=OFF Arc=ON", "Arc=ON Faf=OFF") << 7;
    }
    void stopsAt()
    {
        QFETCH(QString, text);
        QFETCH(int, steps);
        CroState s = oldState();
        int done = -1;
        QVERIFY(!zx::parseStatus(s, text, &done));
        QCOMPARE(done, steps);
        QCOMPARE(allFields(s), mixed(newState(), oldState(), steps, false));
    }

    // One field's text changed in an otherwise whole answer.
    void fieldValues_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ok");
        auto row = [](const char *name, const char *from, const QString &to, const char *field, const char *value,
                      bool ok = true) { QTest::newRow(name) << QString(from) << to << QString(field) << QString(value) << ok; };
        row("power-down off, 1 h 30", "PwrDown=ON=01:30", "PwrDown=OFF=01:30", "pwrDown", "F");
        row("power-down separator not compared", "PwrDown=ON=01:30", "PwrDown=ON=12-05", "min", "5");
        row("power-down hours", "PwrDown=ON=01:30", "PwrDown=ON=12-05", "hrs", "12");
        row("power-down lower case on", "PwrDown=ON", "PwrDown=on", "pwrDown", "F");
        row("ON is exact", "Faf=OFF", "Faf=On", "rapid", "F");
        row("rapid on", "Faf=OFF", "Faf=ON", "rapid", "T");
        row("temperature unit letter skipped", "Tmp=23C", "Tmp=-5.5F", "temp", "-5.5");
        row("temperature without unit letter", "Tmp=23C", "Tmp=23", "temp", "2");
        row("model padded", "Vantor, RV5:", "Vantor, R5:", "model", "R5  ");
        row("model cut to four", "Vantor, RV5:", "Vantor, RV5000:", "model", "RV50");
        row("units cut to three", "Vel=f/s", "Vel=fps/s", "vel", "fps");
        row("version 3 digits", ":V105S", ":V99S", "version", "99");
        row("total at limit", "SYS:01234", "SYS:32767", "total", "32767");
        row("total negative limit", "SYS:01234", "SYS:-32768", "total", "-32768");
        row("total past limit stops", "SYS:01234", "SYS:32768", "total", "2", false);
        row("total of 400 digits stops", "SYS:01234", "SYS:" + QString(400, '9'), "total", "2", false);
        row("fraction truncated", "SYS:01234", "SYS:12.9", "total", "12");
        row("negative fraction truncated", "Cam=5", "Cam=-3.7", "cam", "-3");
        row("no number reads 0", "Cam=5", "Cam=abc", "cam", "0");
        row("number with trailing text", "Cam=5", "Cam=7 (user)", "cam", "7");
        row("blank before number", "Cal=123", "Cal= 77", "calLevel", "77");
        row("max folders past limit", "MaxFol=10", "MaxFol=99999", "maxFol", "11", false);
        row("battery overflow stops", "Bat=9.1V", "Bat=1e39V", "battery", "3.5", false);
        row("battery exponent", "Bat=9.1V", "Bat=1.25e1V", "battery", "12.5");
        row("position one digit each", "Att=07 08 09 11", "Att= 7  8  9 11", "curStr", "8");
        row("position separators not compared", "Att=07 08 09 11", "Att=07/08/09/11", "shotPos", "11");
        row("position line short", "Att=07 08 09 11", "Att=07 08", "review", "0");
        row("position garbage", "Att=07 08 09 11", "Att=xx yy zz qq", "curFol", "0");
    }
    void fieldValues()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, ok);
        QString text = signOn();
        QVERIFY(text.contains(from));
        text.replace(text.indexOf(from), from.size(), to); // the first one only
        CroState s = oldState();
        QCOMPARE(zx::parseStatus(s, text), ok);
        const QStringList fields = allFields(s);
        const auto it = std::find_if(fields.begin(), fields.end(),
                                     [&](const QString &f) { return f.startsWith(field + '='); });
        QVERIFY(it != fields.end());
        QCOMPARE(*it, field + '=' + value);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("len");
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("letters") << "abc" << 0.0 << 0;
        QTest::newRow("digits then text") << "45% " << 45.0 << 2;
        QTest::newRow("leading blanks") << "  \t12x" << 12.0 << 5;
        QTest::newRow("minus") << "-5 " << -5.0 << 2;
        QTest::newRow("decimals") << "9.125V" << 9.125 << 5;
        QTest::newRow("no integer part") << ".5" << 0.5 << 2;
        QTest::newRow("trailing point") << "5." << 5.0 << 2;
        QTest::newRow("two points") << "1.2.3" << 1.2 << 3;
        QTest::newRow("exponent") << "1.5e2x" << 150.0 << 5;
        QTest::newRow("signed exponent") << "25E-1" << 2.5 << 5;
        QTest::newRow("bare E") << "12E" << 12.0 << 2;
        QTest::newRow("lone sign") << "-" << 0.0 << 0;
        QTest::newRow("double sign") << "--1" << 0.0 << 0;
        QTest::newRow("blank inside ends it") << "1 2" << 1.0 << 1;
        QTest::newRow("beyond double") << "1e999" << qInf() << 5;
        QTest::newRow("below double") << "1e-999" << 0.0 << 6;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, len);
        qsizetype used = -1;
        QCOMPARE(zx::leadingNumber(text, &used), value);
        QCOMPARE(used, qsizetype(len));
    }

    void memPos_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("folder");
        QTest::addColumn<double>("string");
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("shot");
        const QString head = "\r\nMemory position "; // 18 characters before the values
        const QString good = head + "Fol=03 Str=12 Siz=25 Sho=07\r\nAtt=03 12 25 07\r\nDAT>";
        auto row = [](const char *name, const QString &answer, bool ok, double folder, double string, int size,
                      double shot) { QTest::newRow(name) << answer << ok << folder << string << size << shot; };
        row("agrees", good, true, 3, 12, 25, 7);
        row("LF only", QString(good).replace("\r\n", "\n"), true, 3, 12, 25, 7);
        row("shot disagrees", QString(good).replace("25 07", "25 08"), false, 3, 12, 25, 7);
        row("folder disagrees", QString(good).replace("Att=03", "Att=04"), false, 3, 12, 25, 7);
        row("size disagrees", QString(good).replace("12 25 07", "12 26 07"), false, 3, 12, 25, 7);
        row("no Att", QString(good).replace("Att=", "At ="), false, 3, 12, 25, 7);
        row("no Sho", QString(good).replace("Sho=", "Sh ="), false, 3, 12, 25, -1);
        row("no Fol", QString(good).replace("Fol=", "Fo ="), false, -1, -1, -1, -1);
        row("empty", QString(), false, -1, -1, -1, -1);
        row("short answer, values found anyway", "Fol=1 Str=2 Siz=3 Sho=4 Att=01 02 03 04\r\nDAT>", true, 1, 2, 3, 4);
        row("Fol inside the echo is passed over",
            "Fol=9 xxxxxxxxx Fol=03 Str=12 Siz=25 Sho=07\r\nAtt=03 12 25 07\r\nDAT>", true, 3, 12, 25, 7);
        row("size past 16 bits", QString(good).replace("Siz=25", "Siz=99999"), false, 3, 12, -1, -1);
    }
    void memPos()
    {
        QFETCH(QString, answer);
        QFETCH(bool, ok);
        QFETCH(double, folder);
        QFETCH(double, string);
        QFETCH(int, size);
        QFETCH(double, shot);
        double f = -1, st = -1, sh = -1;
        qint16 sz = -1;
        QCOMPARE(zx::parseMemPos(answer, f, st, sh, sz), ok);
        QCOMPARE(f, folder);
        QCOMPARE(st, string);
        QCOMPARE(int(sz), size);
        QCOMPARE(sh, shot);
    }

    void calNoise_data()
    {
        QTest::addColumn<QString>("rsp");
        QTest::addColumn<int>("noise");
        const QString good = "\r\nCAL: Calibrating sensors...\r\nCAL: Level=120 Noise 12 dB\r\nDAT>";
        QTest::newRow("second-last word") << good << 12;
        QTest::newRow("LF only") << QString(good).replace("\r\n", "\n") << 12;
        QTest::newRow("ERR anywhere") << QString(good).replace("sensors", "ERR") << 9999;
        QTest::newRow("ERR=Cal") << QString(good).replace("dB", "ERR=Cal") << 9999;
        QTest::newRow("at most three characters") << QString(good).replace("12 dB", "12345 dB") << 123;
        QTest::newRow("word not a number") << QString(good).replace("12 dB", "high dB") << 0;
        QTest::newRow("too short") << "CAL: 1 2\r\n" << 9999;
        QTest::newRow("under ten characters") << "CAL:\r\n" << 9999;
        QTest::newRow("no line end") << "CAL: Level=120 Noise 12 dB" << 9999;
        QTest::newRow("one word on last line, figure early") << "\r\nCAL: 5 dB\r\nDAT>" << 9999;
        QTest::newRow("empty") << QString() << 9999;
    }
    void calNoise()
    {
        QFETCH(QString, rsp);
        QFETCH(int, noise);
        QCOMPARE(int(zx::calNoise(rsp)), noise);
    }

    void sensorsOff()
    {
        const struct { const char *rsp; bool failed, ok; } cases[] = {
            {"SLev=45% Arc=OFF Sens=OFF\r\nDAT>", false, true}, // off reported
            {"Sens=OFF\r\nDAT>", true, false},                  // transaction failed
            {"SLev=45% Arc=OFF Sens=ON\r\nDAT>", false, false}, // still on
            {"", false, false}};
        for (const auto &c : cases) {
            CroState s;
            s.bCroSensorsOn = s.bCroStatusOk = true;
            QCOMPARE(zx::sensorsOffAnswer(s, c.rsp, c.failed), c.ok);
            QCOMPARE(s.bCroSensorsOn, !c.ok);
            QCOMPARE(s.bCroStatusOk, c.ok);
        }
    }
    // Shot texts: live lines and memory records, odd spacing, and what must not be read.
    void shotTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("want"); // "folder string shot velocity units time units temperature units", or "" = unreadable
        const auto row = [](const char *name, const char *text, const char *want) { QTest::newRow(name) << QString::fromLatin1(text) << QString::fromLatin1(want); };
        row("live with tag", "CAP:#07 2875.42 f/s 0.000696 sec  72.5 fah Lo=2861.10", "0 0 7 2875.42 f/s 0.000696 sec 72.5 fah");
        row("live, metric, frost", "#12  876.40 m/s 0.000695 *s*  -5.0 cel", "0 0 12 876.4 m/s 0.000695 *s* -5 cel");
        row("live, units glued on", "# 3 2875.42f/s 0.000696sec 72.5fah", "0 0 3 2875.42 f/s 0.000696 sec 72.5 fah");
        row("live, velocity without units", "#07 2875.42 0.000696 sec 72.5 fah", "");
        row("live, garbled velocity", "CAP:#07 28x5.42 f/s 0.000696 sec  72.5 fah", "");
        row("live, cut short", "CAP:#07 2875.42 f/s 0.0006", "");
        row("live, no shot number", "CAP:# 2875.42 f/s 0.000696 sec 72.5 fah", "");
        row("memory compact", "MMR:03 2906.30 0.000688 72.3", "0 0 3 2906.3 f/s 0.000688 sec 72.3 fah");
        row("memory keyed", "MMR:Fol=01 Str=04 Sho=01 Vel= 2906.30 m/s Tim=0.000688 sec Tmp=72.3 cel", "1 4 1 2906.3 m/s 0.000688 sec 72.3 cel");
        row("memory, field missing", "MMR:03 2906.30 0.000688", "");
        row("memory, garbage", "MMR:03 29x6.30 0.000688 72.3", "");
        row("memory end is no shot", "MMR:<End> Fol=02 Str=05", "");
    }
    void shotTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, want);
        std::optional<zx::ShotRecord> r;
        if (!text.startsWith(QLatin1String("MMR:")))
            r = zx::readShotLine(text);
        else if (const zx::MemoryLine m = zx::readMemoryLine(text); m.kind == zx::MemoryLine::Shot)
            r = m.shot;
        const QString got = r ? QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9").arg(r->folder).arg(r->string).arg(r->shot).arg(r->velocity).arg(r->velocityUnits).arg(r->time).arg(r->timeUnits).arg(r->temperature).arg(r->temperatureUnits) : QString();
        QCOMPARE(got, want);
    }
    void memoryRecords()
    {
        const zx::MemoryLine head = zx::readMemoryLine(u"MMR:Fol=02 Str=05 Siz=06 Vel=m/s Tim=sec Tmp=cel");
        QCOMPARE(head.kind, zx::MemoryLine::Header);
        QCOMPARE(QList<int>({head.folder, head.string, head.size}), QList<int>({2, 5, 6}));
        QCOMPARE(head.shot.velocityUnits + head.shot.temperatureUnits, QStringLiteral("m/scel"));
        const zx::MemoryLine end = zx::readMemoryLine(u" MMR:<End> Fol=02 Str=05");
        QCOMPARE(end.kind, zx::MemoryLine::StringEnd);
        QCOMPARE(QList<int>({end.folder, end.string}), QList<int>({2, 5}));
        QCOMPARE(zx::readMemoryLine(u"MMR:<End>").kind, zx::MemoryLine::ListingEnd);
        QCOMPARE(zx::readMemoryLine(u"MMR:Fol=02 Str=x5 Siz=06 Vel=m/s Tim=sec Tmp=cel").kind, zx::MemoryLine::Garbled);
        QCOMPARE(zx::readMemoryLine(u"DAT>").kind, zx::MemoryLine::None);
    }
};

QTEST_GUILESS_MAIN(TestStatusParser)
#include "tst_status_parser.moc"
