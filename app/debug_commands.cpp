#include "app/debug_commands.h"

#include "app/soft_settings.h"

namespace zx {

QString debugCommandName(DebugCommand c)
{
    switch (c) {
    case DebugCommand::SftDbg: return QStringLiteral("mnuDbgSftDbg");
    case DebugCommand::SftHid: return QStringLiteral("mnuDbgSftHid");
    case DebugCommand::SftShp: return QStringLiteral("mnuDbgSftShp");
    case DebugCommand::SftTst: return QStringLiteral("mnuDbgSftTst");
    case DebugCommand::MaxLev: return QStringLiteral("mnuDbgMaxLev");
    case DebugCommand::MinLev: return QStringLiteral("mnuDbgMinLev");
    case DebugCommand::IncLev: return QStringLiteral("mnuDbgIncLev");
    case DebugCommand::DecLev: return QStringLiteral("mnuDbgDecLev");
    case DebugCommand::GetReg: return QStringLiteral("mnuDbgGetReg");
    case DebugCommand::SavReg: return QStringLiteral("mnuDbgSavReg");
    case DebugCommand::ZapReg: return QStringLiteral("mnuDbgZapReg");
    case DebugCommand::ZapRegNow: return QStringLiteral("mnuDbgZapRegNow");
    }
    return {};
}

bool runDebugCommand(AppContext &ctx, DebugCommand c)
{
    SoftFlags &f = ctx.soft;
    switch (c) {
    case DebugCommand::SftDbg: f.softDebug = !f.softDebug; return false;
    case DebugCommand::SftHid: f.softDebugSee = false; return false;
    case DebugCommand::SftShp:
        ctx.shipMode = !ctx.shipMode;
        if (ctx.shipMode) {
            saveSoftSettings(ctx);
            zapSoftFlags(ctx);
        } else {
            getSoftSettings(ctx);
        }
        return true;
    case DebugCommand::SftTst: f.softTest = !f.softTest; return true;
    case DebugCommand::MaxLev: f.userLevel = 4; return true;
    case DebugCommand::MinLev: f.userLevel = 0; return true;
    case DebugCommand::IncLev: f.userLevel = static_cast<int16_t>(std::min(4, f.userLevel + 1)); return true;
    case DebugCommand::DecLev: f.userLevel = static_cast<int16_t>(std::max(0, f.userLevel - 1)); return true;
    case DebugCommand::GetReg: f.getRegistry = !f.getRegistry; return false;
    case DebugCommand::SavReg: f.saveRegistry = !f.saveRegistry; return false;
    case DebugCommand::ZapReg: f.clearRegistry = !f.clearRegistry; return false;
    case DebugCommand::ZapRegNow: clearRegistryNow(ctx); return false;
    }
    return false;
}

bool debugCommandChecked(const AppContext &ctx, DebugCommand c)
{
    const SoftFlags &f = ctx.soft;
    switch (c) {
    case DebugCommand::SftDbg: return f.softDebug;
    case DebugCommand::SftShp: return ctx.shipMode;
    case DebugCommand::SftTst: return f.softTest;
    case DebugCommand::MaxLev: return f.userLevel == 4;
    case DebugCommand::MinLev: return f.userLevel == 0;
    case DebugCommand::GetReg: return f.getRegistry;
    case DebugCommand::SavReg: return f.saveRegistry;
    case DebugCommand::ZapReg: return f.clearRegistry;
    default: return false;
    }
}

QString debugLevelCaption(const AppContext &ctx)
{
    return QStringLiteral("Lev-") + QString::number(ctx.soft.userLevel) + QStringLiteral("...");
}

} // namespace zx
