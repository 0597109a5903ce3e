// The desktop program: start-up (instance, record, screen), the splash sequence, the events.
#include "app/desktop_environment.h"
#include "app/start_options.h"
#include "app/startup.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/orderly_exit.h"
#include "platform/termination.h"
#include "app/ui/quit_signal.h"
#include "app/ui/splash_sequence.h"
#include "platform/version.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/ui/qt_prompter.h"
#include "sim/rv5_simulator.h"
#include "sim/virtual_port.h"

#include <QApplication>
#include <QSessionManager>
#include <QPointer>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    // --help and --version answer without a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const zx::ParsedArguments pre = zx::parseStartArguments(raw);
    if (pre.showHelp || pre.showVersion || !pre.error.isEmpty()) {
        const QString text = pre.showVersion && !pre.showHelp ? zx::versionText() : zx::startUsageText();
        if (!pre.error.isEmpty())
            std::fprintf(stderr, "zentrix: %s\n", qPrintable(pre.error));
        std::fputs(qPrintable(text), pre.error.isEmpty() ? stdout : stderr);
        return pre.error.isEmpty() ? 0 : 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromLatin1(zx::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Zentrix"));

    zx::AppContext ctx;
    // Qt removed its own options (-platform...) from arguments(); the rest is ours.
    ctx.options = zx::parseStartArguments(app.arguments().mid(1)).options;
    std::unique_ptr<zx::Prompter> prompter = zx::createDesktopPrompter(
        {ctx.options.scripted, ctx.options.answers, ctx.options.answersLog});
    ctx.prompter = prompter.get();

    // The system asking the program to end, at any moment from here on: boxes stop asking at
    // once, and the main window closes in order as soon as it exists and nothing holds it.
    zx::OrderlyExit orderlyExit(ctx);
    zx::onTerminationRequest([&orderlyExit] { orderlyExit.request(); });
#if QT_CONFIG(sessionmanager)
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &orderlyExit,
                     [&orderlyExit](QSessionManager &) { orderlyExit.request(); }, Qt::DirectConnection);
#endif
    QPointer<zx::FrmMdi> mdi;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &orderlyExit, [&mdi] {
        if (mdi && !mdi->shutdownDone()) {   // the platform ends the loop: still in order
            zx::requestTermination();
            mdi->closeByProgram();
        }
    });

    // --simulate: an RV5 on an in-process port takes the place of the link port's device.
    std::unique_ptr<zx::sim::Rv5Simulator> simulator;
    std::unique_ptr<zx::sim::VirtualPortPair> simPort;
    if (ctx.options.simulate) {
        // Calibrated, sensors on, a shot every couple of seconds: Start records at once.
        zx::sim::Rv5Options simOptions;
        simOptions.sensorsOn = ctx.options.simLadder.isEmpty();  // a ladder's first string starts at Start
        simOptions.shotIntervalMs = 2000;
        simOptions.ladderFps = ctx.options.simLadder;
        simOptions.ladderShots = ctx.options.simLadderShots;
        simulator = std::make_unique<zx::sim::Rv5Simulator>(simOptions);
        simPort = std::make_unique<zx::sim::VirtualPortPair>(simulator.get());
        zx::sim::VirtualPort *end = simPort->programEnd();
        zx::SerialPort::registerVirtualDevice(QStringLiteral("sim:rv5"), [end] { return end; });
    }

    zx::DesktopEnvironment env;
    if (zx::startMain(ctx, env) == zx::StartDecision::Exit)
        return 0;

    if (ctx.options.simulate) {
        const int com = ctx.store.read(ctx.instanceName(), QStringLiteral("frmComSet"), QStringLiteral("CommPort"),
                                       QStringLiteral("1")).toInt();
        zx::PortMap::setOverride(com > 0 ? com : 1, QStringLiteral("sim:rv5"));
    }
    mdi = zx::runSplashSequence(ctx);
    if (auto *qt = dynamic_cast<zx::QtPrompter *>(prompter.get()))
        qt->setParent(mdi);
    orderlyExit.setMainWindow(mdi, [&mdi] {
        zx::ChronoDesk *desk = mdi ? zx::chronoDesk(*mdi) : nullptr;
        return desk && desk->busy();
    });
    return app.exec();
}
