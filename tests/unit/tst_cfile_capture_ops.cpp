// Start, Stop and Remote over a scripted link: the order of tags, remarks and chronograph
// traffic, and where the capture switch ends.
#include "cfile/capture_link.h"
#include "cfile/capture_ops.h"
#include "cfile/cfile_manager.h"
#include "cfile/chrono_operations.h"
#include "cfile/logpad.h"
#include "cfile/logpad_warnings.h"
#include "link/cro_state.h"
#include "platform/settings_store.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QMap>
#include <QRegularExpression>
#include <QtTest>

using zx::MsgAnswer;

namespace {

class ScriptLink : public zx::CaptureLink {
public:
    explicit ScriptLink(zx::CFileManager &files) : m_files(files) {}
    bool sw = false;
    bool reopenOk = true, connectOk = true;
    QMap<QString, bool> answers;  // request -> transaction succeeds (default yes)
    QMap<QString, QString> rsp;   // request -> answer text
    QStringList log;              // traffic, each with the LogPad length when it happened
    QString last;
    int result = 1;

    bool captureSwitch() const override { return sw; }
    void setCaptureSwitch(bool on) override { sw = on; }
    bool croReopenPort() override { note("reopen"); return reopenOk; }
    bool croConnect() override { note("connect"); return connectOk; }
    void closePort() override { note("close"); }
    int linkPort() const override { return 4; }
    bool transact(bool isKey, const QString &request, int expect) override
    {
        note((isKey ? "key " : "cmd ") + request + "/" + QString::number(expect) + (sw ? " sw" : ""));
        last = rsp.value(request);
        const bool ok = answers.value(request, true);
        result = ok ? 1 : 100;
        return ok;
    }
    int txnResult() const override { return result; }
    int txnMenu() const override { return 0; }
    QString croRsp() const override { return last; }

private:
    void note(const QString &what)
    {
        log << what + "@" + QString::number(m_files.active() ? m_files.active()->document()->characterCount() : -1);
    }
    zx::CFileManager &m_files;
};

class ScriptOps : public zx::ChronoOperations {
public:
    using ChronoOperations::ChronoOperations;
    bool statusOk = true, sensorsOn = true;
    QStringList calls;
    void fetchStatus(int mode) override
    {
        calls << "fetch" + QString::number(mode);
        m_cro.bCroStatusOk = statusOk;
        m_cro.bCroSensorsOn = sensorsOn;
    }
    void closeProgress() override { calls << "close"; }
    void calibrate(bool quiet) override { calls << QString("calibrate") + (quiet ? " quiet" : ""); }
    bool setSensors(bool on) override
    {
        calls << QString("sensors ") + (on ? "on" : "off");
        m_cro.bCroSensorsOn = on;
        return true;
    }
};

struct Fixture {
    zx::test::TempSettings tmp;
    zx::SettingsStore store;
    zx::test::ScriptedPrompter prompter;
    zx::test::ScriptedFileChooser chooser;
    zx::CFileManager files{prompter, chooser, store, QStringLiteral("Zentrix0")};
    zx::LogPad pad{files};
    zx::CroState cro;
    ScriptLink link{files};
    zx::LogPadWarnings warn{pad, cro, link};
    ScriptOps ops{link, pad, warn, cro};
    zx::CaptureOps capture{files, pad, warn, prompter, cro, link, ops};
    int refreshes = 0;
    Fixture() { capture.setRefresh([this] { ++refreshes; }); }
    QStringList lines() const
    {
        return files.active() ? files.active()->document()->toPlainText().split('\n') : QStringList();
    }
};

} // namespace

class TstCFileCaptureOps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void declinedWithoutCFile()
    {
        Fixture f;
        f.link.sw = true;
        f.capture.croStartShoot();
        QCOMPARE(f.prompter.lines(0), QStringList({"This function saves data to a CFile, there are no opened CFiles.  ",
                                                   "Would you like to create a new CFile now..?"}));
        QCOMPARE(f.prompter.at(0).defaultButton, 2);
        QCOMPARE(f.prompter.at(1).text, QString("Aborted by the user..!"));
        QVERIFY(!f.link.sw);
        f.capture.croStopShoot();
        f.capture.croRemoteOnly();
        QVERIFY(f.link.log.isEmpty());
        QCOMPARE(f.files.numOfCFIles(), 0);
    }

    void startCreatesCFileOnYes()
    {
        Fixture f;
        f.prompter.queue(MsgAnswer::Yes);
        f.capture.croStartShoot();
        QVERIFY(f.lines().at(1).startsWith("TAG: Start-{Date="));
        QCOMPARE(f.lines().at(2), QString("TAG: Device-{ RV5 Vantor} Port-{COM4}"));
        // Esc and "D" run with the switch set, so the prompt lands in the LogPad.
        QCOMPARE(f.link.log.mid(2).replaceInStrings(QRegularExpression("@.*"), ""), QStringList({"key [/0 sw", "cmd D/0 sw"}));
        QCOMPARE(f.ops.calls, QStringList({"fetch3", "close"}));
        QVERIFY(f.link.sw);
        QVERIFY(f.refreshes >= 1);
    }

    void startFailures()
    {
        const struct { bool reopenOk, connectOk, statusOk; qint16 device; const char *firstRemark; bool capturing; } cases[] = {
            {true, false, true, 0, "REM: RV5 not found on port COM4", true},   // silent: captures what comes later
            {false, true, true, 0, "REM: Selected communications Port COM4 is not avaialble.", false},
            {true, true, false, 0, "REM: Failed to retrieve RV5 Status!", false},
            {true, true, true, 3, "REM: Setup was selected for { LogPad Terminal}", true}};   // other device: TTY
        for (const auto &c : cases) {
            Fixture f;
            f.files.createNewCFile();
            f.link.sw = true;
            f.link.reopenOk = c.reopenOk;
            f.link.connectOk = c.connectOk;
            f.ops.statusOk = c.statusOk;
            f.cro.iCroDevice = c.device;
            f.capture.croStartShoot();
            QCOMPARE(f.lines().at(3), QString(c.firstRemark));
            QCOMPARE(f.link.sw, c.capturing);
            if (c.device != 0)   // no chronograph command goes to another device
                QCOMPARE(f.link.log.size(), 1);
        }
    }

    void startSensorsOff()
    {
        const QString notCalibrated = "REM: RV5 is not calibrated - therefore it can not record shots.";
        for (const bool calibrate : {false, true}) {   // No: sensors forced on; Yes: the stand-in calibration fails
            Fixture f;
            f.files.createNewCFile();
            f.ops.sensorsOn = false;
            f.prompter.queue(calibrate ? MsgAnswer::Yes : MsgAnswer::No);
            f.capture.croStartShoot();
            QCOMPARE(f.prompter.lines(0), QStringList({"Sensors are turned off, the unit must be calibrated again.", "",
                                                       "\tCalibrate the unit now..?"}));
            QCOMPARE(f.prompter.at(0).defaultButton, 1);
            QCOMPARE(f.ops.calls, QStringList({"fetch3", calibrate ? "calibrate quiet" : "sensors on", "close"}));
            QVERIFY(f.lines().contains(calibrate ? notCalibrated : "REM: Setup has been changed - RV5 should be calibrated again."));
            QCOMPARE(f.lines().contains(notCalibrated), calibrate);
            QVERIFY(f.link.sw);   // set whatever the sensors say
            QVERIFY(!f.cro.bCroCalOk);
        }
    }

    void stop()
    {
        const std::pair<const char *, const char *> cases[] = {
            {"SLev=50 Arc=OFF Sens=OFF\r\nDAT>", "REM: LogPad is now in ''Edit mode'' - shots will not be recorded into CFile."},
            {"SLev=50 Arc=OFF\r\nDAT>", "REM: Communications error - could not establish a link with RV5."}};   // not confirmed
        for (const auto &[answer, remark] : cases) {
            Fixture f;
            f.files.createNewCFile();
            f.link.sw = true;
            f.cro.bCroSensorsOn = true;
            f.link.rsp["Z"] = answer;
            f.capture.croStopShoot();
            const QStringList l = f.lines();
            QVERIFY(l.at(1).startsWith("TAG: Stop-"));
            QVERIFY(l.at(2).startsWith("TAG: Device-"));
            QCOMPARE(l.at(3), QString(remark));
            // Both tags are written before any traffic, and none of it runs with the switch set.
            const int tagsEnd = f.files.active()->document()->toPlainText().indexOf("COM4}") + 6;
            QVERIFY(f.link.log.at(0).section('@', 1).toInt() >= tagsEnd);
            QCOMPARE(f.link.log.replaceInStrings(QRegularExpression("@.*"), ""), QStringList({"connect", "key [/0", "cmd Z/0"}));
            QVERIFY(!f.link.sw);
            QCOMPARE(f.cro.bCroSensorsOn, !QString(answer).contains("Sens=OFF"));
        }
    }

    void remote()
    {
        Fixture f;
        f.files.createNewCFile();
        f.cro.bCroSensorsOn = true;
        f.capture.croRemoteOnly();
        QVERIFY(f.link.sw);
        QVERIFY(!f.cro.bCroSensorsOn);
        QCOMPARE(f.lines().mid(0, 2), QStringList({"REM: Sensors are turned off.",
                                                   "REM: Chronograph is now in Data/Stats review mode."}));
        QCOMPARE(f.link.log.size(), 3);
        QVERIFY(f.link.log.at(2).startsWith("cmd D/1@"));
    }

    void remoteSilent()
    {
        Fixture f;
        f.files.createNewCFile();
        f.link.answers["["] = false;
        f.link.answers["Z"] = false;
        f.capture.croRemoteOnly();
        QVERIFY(!f.link.sw);
        QCOMPARE(f.prompter.count(), 1);
        QCOMPARE(f.prompter.lastLines(), QStringList({"cLinkErr=100", "Chronograph did not respond.",
                                                       "Check your setup or connections."}));
        QCOMPARE(f.link.log.filter("connect").size(), 1);
    }

    void remoteOtherDevice()
    {
        Fixture f;
        f.files.createNewCFile();
        f.cro.iCroDevice = 1;
        int note = -1;
        f.capture.setNotesMessage([&](int n) { note = n; });
        f.capture.croRemoteOnly();
        QCOMPARE(note, 6);
        QVERIFY(f.link.log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCFileCaptureOps)
#include "tst_cfile_capture_ops.moc"
