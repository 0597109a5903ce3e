#include "app/instances.h"

#include "app/settings_keys.h"
#include "link/link_settings_keys.h"
#include "platform/app_title.h"
#include "platform/prompter.h"

namespace zx {
namespace {
const QString kTab = QStringLiteral("\t");
QString num(int n) { return QString::number(n); }

// Every box about instances is system-modal and in front.
MsgAnswer ask(Prompter &p, const QStringList &lines, MsgButtons buttons, int dflt, const QString &title = {})
{
    return p.ask(joinLines(lines), buttons, dflt, title);
}

// Binds the requested number N (at most 16): appNumber, and the port when "P=" gave one.
void bindRequested(AppContext &ctx)
{
    ctx.appNumber = static_cast<int16_t>(ctx.cmd.cmdAppNum);
    if (ctx.cmd.cmdPort >= 1) {
        const QString name = ctx.instanceName();
        ctx.store.write(name, keys::Morvane::AppPrt, num(ctx.cmd.cmdPort));
        ctx.store.write(name, keys::frmComSet::CommPort, num(ctx.cmd.cmdPort));
    }
}

// The number is taken: its start record is written now, remembering what it replaced.
void reserve(AppContext &ctx, InstanceChoice &c)
{
    const QString name = ctx.instanceName();
    c.number = ctx.appNumber;
    c.oldRun = ctx.store.read(name, keys::Morvane::AppRun);
    c.oldEnd = ctx.store.read(name, keys::Morvane::AppEnd);
    c.oldNum = ctx.store.read(name, keys::Morvane::AppNum);
    writeStartRecord(ctx);
    c.reserved = true;
}
} // namespace

bool instanceIsFree(const SettingsStore &store, int number)
{
    const QString name = AppContext::instanceNameOf(number);
    if (!store.isReadable(name))
        return false;   // a record that cannot be read may belong to a running copy
    const QString run = store.read(name, keys::Morvane::AppRun);
    const QString end = store.read(name, keys::Morvane::AppEnd);
    return run.isEmpty() && (end.isEmpty() || end == name);
}

void resetInstanceRecords(SettingsStore &store)
{
    for (int i = 0; i <= kMaxAutoInstance; ++i) {
        const QString name = AppContext::instanceNameOf(i);
        store.write(name, keys::Morvane::AppPrt, QStringLiteral("0"));
        store.write(name, keys::Morvane::AppNum, num(i));
        store.write(name, keys::Morvane::AppRun, QString());
        store.write(name, keys::Morvane::AppEnd, name);
        store.flush(name);   // other copies read these records
    }
}

void writeStartRecord(AppContext &ctx)
{
    const QString name = ctx.instanceName();
    ctx.store.write(name, keys::Morvane::AppNum, num(ctx.appNumber));
    ctx.store.write(name, keys::Morvane::AppRun, name);
    ctx.store.write(name, keys::Morvane::AppEnd, QString());
    ctx.store.flush(name);   // other copies read it from now on
    ctx.recorded = true;
}

void writeExitRecord(AppContext &ctx)
{
    const QString name = ctx.instanceName();
    ctx.store.write(name, keys::Morvane::AppNum, num(ctx.appNumber + 3));
    ctx.store.write(name, keys::Morvane::AppRun, QString());
    ctx.store.write(name, keys::Morvane::AppEnd, name);
    ctx.store.write(name, keys::Morvane::AppPrt, QStringLiteral("0"));
    ctx.recorded = false;
}

InstanceChoice chooseInstance(AppContext &ctx, bool anotherCopyRunning)
{
    InstanceChoice c;
    const bool withN = ctx.cmd.cmdAppNum >= 0;
    const auto bind = [&] {
        c.number = ctx.cmd.cmdAppNum;
        if (ctx.cmd.cmdAppNum > kMaxInstance) {
            c.kind = InstanceChoice::OutOfRange;
            return c;
        }
        bindRequested(ctx);
        reserve(ctx, c);
        return c;
    };
    for (int i = 0; i <= kMaxInstance; ++i)
        ctx.store.reread(AppContext::instanceNameOf(i));   // other copies wrote them

    if (!anotherCopyRunning) {
        resetInstanceRecords(ctx.store);
        if (withN)
            return bind();
        reserve(ctx, c);
        return c;
    }

    int freeCount = 0, firstFree = -1;
    bool requestedRunning = false;
    for (int i = 0; i <= kMaxInstance; ++i) {
        if (instanceIsFree(ctx.store, i)) {
            ++freeCount;
            if (firstFree < 0)
                firstFree = i;
        } else {
            ++c.usedCount;
            if (i == ctx.cmd.cmdAppNum)
                requestedRunning = true;
        }
    }
    if (freeCount == 0 || (firstFree > kMaxAutoInstance && !withN)) {
        c.kind = InstanceChoice::TooMany;
        return c;
    }
    if (withN) {
        if (requestedRunning) {
            c.kind = InstanceChoice::AlreadyRunning;
            c.number = ctx.cmd.cmdAppNum;
            return c;
        }
        return bind();
    }
    ctx.appNumber = static_cast<int16_t>(firstFree);
    c.kind = InstanceChoice::AskNewCopy;
    reserve(ctx, c);
    return c;
}

StartDecision confirmInstance(AppContext &ctx, const InstanceChoice &c)
{
    Prompter &p = *ctx.prompter;
    switch (c.kind) {
    case InstanceChoice::Take:
        setAppTitle(ctx.instanceName());
        return StartDecision::Continue;
    case InstanceChoice::OutOfRange:
        showInstanceRangeError(p, c.number);
        return StartDecision::Exit;
    case InstanceChoice::TooMany:
        if (ask(p, tooManyCopiesLines(), MsgButtons::YesNo, 2, QStringLiteral("Zentrix")) == MsgAnswer::Yes)
            showMultiChronoHelp(p);
        return StartDecision::Exit;
    case InstanceChoice::AlreadyRunning:
        ask(p, {QStringLiteral("Zentrix") + num(c.number) + QStringLiteral(" is already running..!")}, MsgButtons::Ok, 1);
        return StartDecision::Exit;
    case InstanceChoice::AskNewCopy:
        break;
    }
    setAppTitle(ctx.instanceName());
    switch (ask(p, newCopyLines(c.number, c.usedCount), MsgButtons::YesNoCancel, 3, QStringLiteral("Zentrix"))) {
    case MsgAnswer::Yes:
        return StartDecision::Continue;
    case MsgAnswer::Cancel:
        showMultiChronoHelp(p);
        return StartDecision::Exit;
    default:
        return StartDecision::Exit;
    }
}

void releaseInstance(AppContext &ctx, const InstanceChoice &c)
{
    if (!c.reserved)
        return;
    const QString name = AppContext::instanceNameOf(c.number);
    ctx.store.write(name, keys::Morvane::AppRun, c.oldRun);
    ctx.store.write(name, keys::Morvane::AppEnd, c.oldEnd);
    ctx.store.write(name, keys::Morvane::AppNum, c.oldNum);
    ctx.store.flush(name);
    ctx.recorded = false;
}

StartDecision checkInstances(AppContext &ctx, bool anotherCopyRunning)
{
    const InstanceChoice c = chooseInstance(ctx, anotherCopyRunning);
    if (confirmInstance(ctx, c) == StartDecision::Exit) {
        releaseInstance(ctx, c);
        return StartDecision::Exit;
    }
    return StartDecision::Continue;
}

void showMultiChronoHelp(Prompter &prompter)
{
    ask(prompter, multiChronoHelpLines(), MsgButtons::Ok, 1);
}

void showInstanceRangeError(Prompter &prompter, int requested)
{
    if (ask(prompter, instanceRangeLines(requested), MsgButtons::YesNo, 2) == MsgAnswer::Yes)
        showMultiChronoHelp(prompter);
}

QStringList tooManyCopiesLines()
{
    return {QStringLiteral("There are to many acitve copies of Zentrix on your system..."),
            QStringLiteral("The system may not be able to handle more then 4 copies. "),
            QStringLiteral("Zentrix has a limit of 4 active copies."),
            QString(),
            QStringLiteral("If you need to run simultaneously more then 4 copies ,"),
            QStringLiteral("use shortcut setup with ''Target:'' parameter specified as ''N=xx'', "),
            QStringLiteral("where xx is the Zentrix number, with range from  0 to ") + num(kMaxInstance) + QStringLiteral("."),
            QStringLiteral("Please make sure, that you have suficient memory and"),
            QStringLiteral("a high speed computer - 2GHZ or better."),
            QString(),
            QStringLiteral("Would you like to view setup instructions for this.?")};
}

QStringList newCopyLines(int firstFree, int usedCount)
{
    const bool one = usedCount == 1;
    const QString n = num(firstFree);
    const QString name = AppContext::instanceNameOf(firstFree);
    return {QStringLiteral("There ") + (one ? QStringLiteral("is") : QStringLiteral("are")) + QStringLiteral(" ")
                + num(usedCount) + QStringLiteral(" ") + (one ? QStringLiteral("copy") : QStringLiteral("copies"))
                + QStringLiteral(" of Zentrix") + (one ? QString() : QStringLiteral("s"))
                + QStringLiteral(" already running...  "),
            QStringLiteral("You will need one COM port for each additional Zentrix.  "),
            QStringLiteral("Each additional Chronograph requires its own COM port."),
            QStringLiteral("Each Zentrix remembers its own setup configuration."),
            QString(),
            QStringLiteral("Only One Zentrix Can Be Linked To Each Chronograph!"),
            QString(),
            QStringLiteral("The new name will be:") + kTab + name,
            QString(),
            QStringLiteral("Support windows will be:") + kTab + QStringLiteral("LogPad") + n + QStringLiteral(",  ")
                + QStringLiteral("iLoger") + n + QStringLiteral(",  ") + QStringLiteral("iPad") + n,
            QString(),
            QStringLiteral("Do you want to add  ") + name + QStringLiteral(" now..?")};
}

QStringList instanceRangeLines(int requested)
{
    return {QStringLiteral("Zentrix-Shortcut Input Field Error in ''Target:'' ...!"),
            QStringLiteral("Number is out of range, you entered N=") + num(requested) + QStringLiteral("."),
            QStringLiteral("Maximum allowed value are - 0 to ") + num(kMaxInstance),
            QString(),
            QStringLiteral("Do you want to view setup instruction.?")};
}

QStringList multiChronoHelpLines()
{
    const QString max = num(kMaxInstance);
    return {kTab + QStringLiteral("HOW TO DEAL WITH MULTIPLE CHRONOGRAPHS"),
            QString(),
            QStringLiteral("Zentrix will decide how and where each chrono is connected on"),
            QStringLiteral("startup. To override this decision use the setup described below."),
            QString(),
            QStringLiteral("If you already have a shortcut for Zentrix then make a copy of it."),
            QStringLiteral("Right click on it to get action menu, then click on ''Create Shortcut''. "),
            QStringLiteral("If you do not have a shortcut, right click on ''zentrix.exe'' and then"),
            QStringLiteral("click on ''Create Shortcut''. Always give your shortcuts identifiable "),
            QStringLiteral("names representing chronograph's location, make one for each chrono. "),
            QString(),
            QStringLiteral("To setup each shortcut, right click on it and then click on ''Properties''."),
            QStringLiteral("In the ''Target:'' field, at the end of the line,  enter; space followed by"),
            QStringLiteral("''N=xx'', where xx is the Zentrix number. This version allows  0-") + max,
            QStringLiteral("Zentrixs. The shortcut will always connect to the same chronograph."),
            QString(),
            QStringLiteral("Syntax:  ''N=xx,P=yy,Path/File''"),
            kTab + QStringLiteral("xx") + kTab + QStringLiteral("-->") + kTab + QStringLiteral("Zentrix Number, 0-") + max,
            kTab + QStringLiteral("yy") + kTab + QStringLiteral("-->") + kTab + QStringLiteral("Port Number, 1-16") + kTab,
            kTab + QStringLiteral("Path") + kTab + QStringLiteral("-->") + kTab + QStringLiteral("My Directory") + kTab,
            kTab + QStringLiteral("File") + kTab + QStringLiteral("-->") + kTab + QStringLiteral("My File Name") + kTab,
            QString(),
            QStringLiteral("You can ignore yy, Path & File.")};
}

} // namespace zx
