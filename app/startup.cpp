#include "app/startup.h"

#include "app/command_line.h"
#include "app/soft_settings.h"
#include "platform/app_title.h"
#include "platform/prompter.h"

#include <QDir>

namespace zx {
namespace {
// The instance records of every copy, locked while this copy reads them and records its number.
class RecordsLock {
public:
    explicit RecordsLock(StartupEnvironment &env) : m_env(env) { m_env.lockInstanceRecords(); }
    ~RecordsLock() { m_env.unlockInstanceRecords(); }
    RecordsLock(const RecordsLock &) = delete;
    RecordsLock &operator=(const RecordsLock &) = delete;

private:
    StartupEnvironment &m_env;
};
} // namespace

StartDecision startMain(AppContext &ctx, StartupEnvironment &env)
{
    ctx.appNumber = 0;
    ctx.errorCount = 0;
    ctx.startTime = QDateTime::currentDateTime();
    ctx.shipMode = true;
    zapSoftFlags(ctx);
    ctx.programDir = env.programDir();
    ctx.helpFile = QDir(ctx.programDir).filePath(QStringLiteral("zentrix.hlp"));
    setAppTitle(ctx.instanceName());

    ctx.cmd = readCommandLine(ctx.options.commandLine);
    InstanceChoice choice;
    {
        const RecordsLock lock(env);
        choice = chooseInstance(ctx, env.anotherCopyRunning());
    }
    if (confirmInstance(ctx, choice) == StartDecision::Exit) {
        const RecordsLock lock(env);
        releaseInstance(ctx, choice);
        return StartDecision::Exit;
    }
    reportSettingsTrouble(ctx);

    if (!screenCheck(*ctx.prompter, env.primaryScreenSize())) {
        writeExitRecord(ctx);   // recorded already: this copy ends in order
        ctx.store.flush(ctx.instanceName());
        return StartDecision::Exit;
    }
    return StartDecision::Continue;
}

bool reportSettingsTrouble(AppContext &ctx)
{
    const QString name = ctx.instanceName();
    QString problem;
    if (!ctx.store.isReadable(name))
        problem = QStringLiteral("cannot be read. Zentrix runs on its default settings this time and leaves the file as it is.");
    else if (!ctx.store.isWritable(name))
        problem = QStringLiteral("cannot be written. Zentrix runs, but changes to its settings will not be kept.");
    if (problem.isEmpty())
        return false;
    const QStringList lines{QStringLiteral("The settings file of ") + name, ctx.store.fileName(name), problem};
    MsgRequest r;
    r.text = joinLines(lines);
    r.icon = MsgIcon::Exclamation;
    ctx.prompter->show(r);
    return true;
}

bool screenCheck(Prompter &prompter, const QSize &screen)
{
    if (screen.width() >= 800 && screen.height() >= 600)
        return true;
    const QStringList lines{QStringLiteral("This program requires a Minimum screen resolution of 800 X 600  "),
                            QStringLiteral("Your resolution is only ") + QString::number(screen.width())
                                + QStringLiteral(" x ") + QString::number(screen.height()) + QStringLiteral(" picels"),
                            QString(), QStringLiteral("Do you want to continue anyway ?")};
    return prompter.ask(joinLines(lines), MsgButtons::YesNo, 2, QStringLiteral("Zentrix - Screen Resolution"))
        == MsgAnswer::Yes;
}

bool confirmWarning(AppContext &ctx, const QString &question)
{
    if (!ctx.showWarnRV)
        return true;
    Prompter &p = *ctx.prompter;
    const QStringList lines{QStringLiteral("For more information click on [Cancel]  "), QString(),
                            question + QStringLiteral(" ?")};
    switch (p.ask(joinLines(lines), MsgButtons::YesNoCancel, 3)) {
    case MsgAnswer::Yes:
        return true;
    case MsgAnswer::Cancel: {
        const QStringList stop{
            QStringLiteral("To stop this message, go to main menu <View>/<iNotes>/[Option]  "),
            QStringLiteral("and clear  [Chrono Warnings]  checkmark, or click on [Yes] below."),
            QStringLiteral("By clicking on  [Yes]  below, this check murck is cleared for you. "),
            QStringLiteral("It can always be restored by setting it on again."), QString(),
            QStringLiteral("Do you want to stop these messages?")};
        if (p.ask(joinLines(stop), MsgButtons::YesNo, 2) == MsgAnswer::Yes)
            ctx.showWarnRV = false;
        return false;
    }
    default:
        return false;
    }
}

bool confirmQuit(AppContext &ctx)
{
    if (!ctx.showWarn)
        return true;
    return confirmWarning(ctx, QStringLiteral("Do you really want to Quit"));
}

} // namespace zx
