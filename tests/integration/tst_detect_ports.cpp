// Port scan and chronograph detection over real pseudo-terminals: one simulator, one silent line,
// one port held open by another process, every other COM number absent.
#include "link/link_session.h"
#include "link/link_settings_keys.h"
#include "link/port_detect.h"
#include "link/port_detect_startup.h"
#include "tst_ops_rig.h"
#include "link/port_detect_text.h"
#include "platform/port_map.h"
#include "platform/settings_store.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"
#include "support/temp_settings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

void mapPorts(const QString &rv5, const QString &silent, const QString &held)
{
    PortMap::clearOverrides();
    for (int n = 1; n <= 16; ++n)
        PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));
    if (!rv5.isEmpty())
        PortMap::setOverride(2, rv5);
    if (!silent.isEmpty())
        PortMap::setOverride(5, silent);
    if (!held.isEmpty())
        PortMap::setOverride(12, held);
}

// A link session on COM1 and the detection on top of it.
struct Rig {
    ScriptedPrompter prompter;
    RecordingLogPad pad;
    LinkSession link;
    PortDetect d{link, prompter};
    explicit Rig(SettingsStore *store = nullptr) : link(&prompter, store, QStringLiteral("Zentrix0"), 0, &pad) {}
};

QStringList rowTexts(const PortDetect &d)
{
    QStringList out;
    for (const auto &row : d.rows())
        out << row.text;
    return out;
}

int rowFor(const PortDetect &d, int com)
{
    for (int i = 0; i < d.rows().size(); ++i)
        if (itemCom(d.rows().at(i).item) == com)
            return i;
    return -1;
}

} // namespace

class TstDetectPorts : public QObject {
    Q_OBJECT
    TempSettings temp;
    std::unique_ptr<SimFixture> rv5, silent, held;
    QProcess holder;

private Q_SLOTS:
    void initTestCase()
    {
        rv5 = std::make_unique<SimFixture>();
        silent = std::make_unique<SimFixture>();
        held = std::make_unique<SimFixture>();
        QVERIFY(rv5->isOpen() && silent->isOpen() && held->isOpen());
        silent->sim().setSilent(true);
        // Another program holds COM7: this test binary started again as a port holder.
        holder.setProgram(QCoreApplication::applicationFilePath());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZX_HOLD_PORT"), held->stablePath());
        holder.setProcessEnvironment(env);
        holder.start();
        QVERIFY(holder.waitForStarted());
        QVERIFY(holder.waitForReadyRead(5000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    }

    void cleanupTestCase()
    {
        holder.closeWriteChannel();
        if (!holder.waitForFinished(3000))
            holder.kill();
        PortMap::clearOverrides();
    }

    void scanAndDetect()
    {
        mapPorts(rv5->stablePath(), silent->stablePath(), held->stablePath());
        Rig r;
        auto &[prompter, pad, link, d] = r;
        d.cmdDetect();
        const QString log = d.log();
        QCOMPARE(rowTexts(d),
                 QStringList({"COM2    Chrono-2 {RV-5}", "COM5    Chrono-5 {unknown}", "COM12  {Port In Use}"}));
        QCOMPARE(itemState(d.rows().at(2).item), int(PortInUse));
        QCOMPARE(d.rv5Found(), 1);
        QCOMPARE(d.noPromptFound(), 1);
        for (const char *want : {"COM16  {not present}", "Found-> ***RV5***\r\nName->COM2    Chrono-2 {RV-5}",
                                 "Found-> ...Nothing...", "Number of {RV5} chronos found ( 1 )",
                                 "Number of {Uknown} chronos found  ( 1 )"})
            QVERIFY2(log.contains(QLatin1String(want)), want);
        QVERIFY(!log.contains(QStringLiteral("There are no RV5 chronos present...")));
        // The busy port was never probed; the silent one twice.
        QVERIFY(!link.bCom2Detect);
        QVERIFY(!link.MSComm2.portOpen());
        QCOMPARE(silent->sim().received().count('Z'), 2);
    }

    void ownLinkPortIsProbedAndReopened()
    {
        mapPorts(rv5->stablePath(), QString(), QString());
        Rig r;
        auto &[prompter, pad, link, d] = r;
        link.MSComm1.setCommPort(2);
        link.subOpenPort();
        QVERIFY(link.MSComm1.portOpen());
        d.prtScan();
        QCOMPARE(rowTexts(d), QStringList{"COM2    Chrono-2 My {unknown}"});
        QCOMPARE(d.currentCro().value(0), QStringLiteral("COM2    Chrono-2 My {unknown}"));
        d.croDetect();
        QCOMPARE(d.rows().at(0).text, QStringLiteral("COM2    Chrono-2 My {RV-5}"));
        QVERIFY(link.MSComm1.portOpen());  // reopened after the probe
        QVERIFY(d.log().contains(QStringLiteral("Number of {RV5} chronos found ( 1 )")));
        QVERIFY(!d.log().contains(QStringLiteral("Uknown")));
        link.extTerminal();
    }

    void chooseRows()
    {
        mapPorts(rv5->stablePath(), silent->stablePath(), held->stablePath());
        SettingsStore store;
        Rig r(&store);
        auto &[prompter, pad, link, d] = r;
        d.loadForm(true, false, 0, false);
        d.prtScan();
        // Busy port: refused with the message.
        QVERIFY(!d.chooseRow(rowFor(d, 12)));
        QCOMPARE(prompter.last().text, QStringLiteral("You can not select  ''COM12  {Port In Use}''\r\n\r\n"
                                                      "This port is not avaialble.  "));
        QCOMPARE(link.MSComm1.commPort(), 1);
        // Free port: taken, marked and saved.
        QVERIFY(d.chooseRow(rowFor(d, 5)));
        QCOMPARE(link.MSComm1.commPort(), 5);
        QCOMPARE(d.rows().at(rowFor(d, 5)).text, QStringLiteral("COM5    Chrono-5 My {unknown}"));
        const QString app = QStringLiteral("Zentrix0");
        QCOMPARE(store.read(app, keys::frmComSet::CommPort), QStringLiteral("5"));
        QCOMPARE(store.read(app, keys::frmComSet::Settings), QStringLiteral("4800,n,8,1"));
        QCOMPARE(store.read(app, QStringLiteral("frmComSet"), QStringLiteral("AutoConnect")), QStringLiteral("True"));
        // Choosing another moves the mark.
        QVERIFY(d.chooseRow(rowFor(d, 2)));
        QCOMPARE(d.rows().at(rowFor(d, 5)).text, QStringLiteral("COM5    Chrono-5 {unknown}"));
        QCOMPARE(d.rows().at(rowFor(d, 2)).text, QStringLiteral("COM2    Chrono-2 My {unknown}"));
        QVERIFY(!d.dirty());
    }

    void noPortsAtAll()
    {
        mapPorts(QString(), QString(), QString());
        Rig r;
        auto &[prompter, pad, link, d] = r;
        d.cmdDetect();
        QVERIFY(d.rows().isEmpty());
        QVERIFY(d.log().contains(QStringLiteral("There are no free COM ports..!")));
        // The port test on a missing link port.
        d.cmdTest();
        QVERIFY(d.log().contains(QStringLiteral("Can Not Perform Test...!!!\r\nCOM1 is not available\r\n"
                                                "Chose another COM Port from the list")));
    }

    void startupChronSelect1()
    {
        mapPorts(rv5->stablePath(), silent->stablePath(), held->stablePath());
        Rig r;
        auto &[prompter, pad, link, d] = r;
        RecordingHost host(link);
        NullProgressSink progress;
        ChronoOps ops(link, host, progress, prompter);
        d.loadForm(true, true, 0, false);
        QStringList notes;
        int shown = 0, modal = 0;
        StartupWindows w;
        w.note = [&](const QString &t) { notes << t; };
        w.showProperties = [&] { ++shown; };
        w.runPropertiesModal = [&] { ++modal; };
        StartupChoice c;  // AutoConnect, AutoDetect, first free, RV5
        QVERIFY(startupSelect(d, ops, prompter, c, w));
        QCOMPARE(link.MSComm1.commPort(), 2);
        QVERIFY(link.MSComm1.portOpen() && link.cro.bCroStatusOk);
        QCOMPARE(QList<int>({shown, modal, prompter.count()}), QList<int>({1, 0, 0}));
        QCOMPARE(notes, QStringList({"Retrieving RV5 Status for Chrono-2...", "Status Retrieved Ok..!"}));
        link.extTerminal();

        // No RV5 anywhere: the explanation, then the window to choose by hand.
        mapPorts(QString(), silent->stablePath(), QString());
        notes.clear();
        QVERIFY(!startupSelect(d, ops, prompter, c, w));
        QCOMPARE(QList<int>({modal, prompter.count()}), QList<int>({1, 1}));
        QCOMPARE(prompter.last().text, QStringLiteral("Could not select first free RV5 Chronograph.\r\n"
                                                      "There are no RV5 Chronographs present..!"));
        QCOMPARE(notes.last(), QStringLiteral("Unable to Retrieve Satatus..!"));
        // Another device takes the first free port, no RV5 needed.
        link.MSComm1.setCommPort(1);
        QVERIFY(d.selectFirstFree(3));
        QCOMPARE(link.MSComm1.commPort(), 5);
    }

    void babblingAndUnpluggedLines()
    {
        // COM3 talks all the time and never prompts; COM4 is pulled out while it is probed;
        // the RV5 on COM6 is still found after both.
        SimFixture babbler, pulled, later;
        QVERIFY(babbler.isOpen() && pulled.isOpen() && later.isOpen());
        babbler.sim().setBabbling(true);
        pulled.sim().setSilent(true);
        mapPorts(QString(), QString(), QString());
        PortMap::setOverride(3, babbler.stablePath());
        PortMap::setOverride(4, pulled.stablePath());
        PortMap::setOverride(6, later.stablePath());
        QTimer pull;
        QObject::connect(&pull, &QTimer::timeout, [&] {
            if (pulled.isOpen() && pulled.sim().received().contains('Z'))
                pulled.unplug();
        });
        pull.start(5);

        Rig r;
        auto &[prompter, pad, link, d] = r;
        d.cmdDetect();
        QVERIFY(!pulled.isOpen());
        QCOMPARE(rowTexts(d), QStringList({"COM3    Chrono-3 {unknown}", "COM4    Chrono-4 {unknown}",
                                           "COM6    Chrono-6 {RV-5}"}));
        QCOMPARE(d.rv5Found(), 1);
        QCOMPARE(d.noPromptFound(), 2);
        QVERIFY(!link.MSComm2.portOpen());
        QVERIFY(!link.bCom2Detect);
    }
};

// Started with ZX_HOLD_PORT set, the binary holds that port open until its input closes.
int main(int argc, char **argv)
{
    const QByteArray hold = qgetenv("ZX_HOLD_PORT");
    if (!hold.isEmpty()) {
        QCoreApplication app(argc, argv);
        QSerialPort port(QString::fromLocal8Bit(hold));
        if (!port.open(QIODevice::ReadWrite))
            return 1;
        QTextStream(stdout) << "held\n" << Qt::flush;
        QTextStream in(stdin);
        in.readAll();  // until the test closes our input
        return 0;
    }
    QCoreApplication app(argc, argv);
    TstDetectPorts t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_detect_ports.moc"
