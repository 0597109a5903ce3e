#include "app/soft_settings.h"

#include "app/error_report.h"
#include "app/settings_keys.h"
#include "cfile/mru_list.h"
#include "platform/prompter.h"

#include <algorithm>

namespace zx {
namespace {
int16_t clampLevel(int level) { return static_cast<int16_t>(std::clamp(level, 0, 4)); }

// Typed reads that report a stored text which does not convert, then go on with the default.
struct Reader {
    AppContext &ctx;
    QString location;
    bool b(const SettingKey &k)
    {
        bool ok = true;
        const bool v = ctx.store.readBool(ctx.instanceName(), k, &ok);
        check(ok, k);
        return v;
    }
    int i(const SettingKey &k)
    {
        bool ok = true;
        const int v = ctx.store.readInt(ctx.instanceName(), k, &ok);
        check(ok, k);
        return v;
    }
    void check(bool ok, const SettingKey &k, const QString &where = {})
    {
        if (ok)
            return;
        reportError(ctx, kErrTypeMismatch,
                    QStringLiteral("Type mismatch (") + QLatin1String(k.section) + QLatin1Char('\\')
                        + QLatin1String(k.key) + QLatin1Char(')'),
                    where.isEmpty() ? location : where);
    }
};
} // namespace

void getSoftSettings(AppContext &ctx)
{
    Reader r{ctx, QStringLiteral("modRegistry\\getSoftSettings")};
    SoftFlags &f = ctx.soft;
    f.softDebugSee = r.b(keys::Morvane::SoftDebugSee);
    f.softDebug = r.b(keys::Morvane::SoftDebug);
    f.softTest = r.b(keys::Morvane::SoftTest);
    f.getRegistry = r.b(keys::Morvane::GetRegistry);
    f.saveRegistry = r.b(keys::Morvane::SaveRegistry);
    f.clearRegistry = r.b(keys::Morvane::ClearRegistry);
    f.softMore = r.b(keys::Morvane::SoftMore);
    f.softEdit = r.b(keys::Morvane::SoftEdit);
    f.userLevel = clampLevel(r.i(keys::Morvane::UserLevel));
}

void saveSoftSettings(AppContext &ctx)
{
    const QString app = ctx.instanceName();
    const SoftFlags &f = ctx.soft;
    SettingsStore &s = ctx.store;
    s.writeBool(app, keys::Morvane::SoftDebugSee, f.softDebugSee);
    s.writeBool(app, keys::Morvane::SoftDebug, f.softDebug);
    s.writeBool(app, keys::Morvane::SoftTest, f.softTest);
    s.writeBool(app, keys::Morvane::GetRegistry, f.getRegistry);
    s.writeBool(app, keys::Morvane::SaveRegistry, f.saveRegistry);
    s.writeBool(app, keys::Morvane::ClearRegistry, f.clearRegistry);
    s.writeBool(app, keys::Morvane::SoftMore, f.softMore);
    s.writeBool(app, keys::Morvane::SoftEdit, f.softEdit);
    s.writeInt(app, keys::Morvane::UserLevel, f.userLevel);
}

void zapSoftFlags(AppContext &ctx) { ctx.soft.zap(); }

void readStartSettings(AppContext &ctx)
{
    Reader r{ctx, QStringLiteral("frmMDI\\MDIForm_Load")};
    ctx.soft.softMore = r.b(keys::frmMDI::MoreOptions);
    if (ctx.shipMode) {
        ctx.soft.userLevel = clampLevel(r.i(keys::frmVipNotes::UserLevel));
        ctx.soft.softTest = r.b(keys::frmVipNotes::SoftTest);
    }
    ctx.showWarn = r.b(keys::frmVipNotes::ShowWarn);
    ctx.showWarnRV = r.b(keys::frmVipNotes::ShowWarnRV);
    ctx.showVipNotes = r.i(keys::frmVipNotes::ShowVipNotes);
    ctx.autoDetect = r.b(keys::frmComSet::AutoDetect);
    ctx.autoConnect = r.b(keys::frmComSet::AutoConnect);
    ctx.chronSelect = r.i(keys::frmComSet::ChronSelect);
    if (ctx.chronSelect < 0 || ctx.chronSelect > 2)
        ctx.chronSelect = 1;
    ctx.device = r.i(keys::frmComSet::Device);
    ctx.echo = r.b(keys::frmComSet::Echo);
}

void saveExitSettings(AppContext &ctx)
{
    const QString app = ctx.instanceName();
    SettingsStore &s = ctx.store;
    s.writeBool(app, keys::frmMDI::MoreOptions, ctx.soft.softMore);
    s.writeBool(app, keys::frmVipNotes::ShowWarn, ctx.showWarn);
    s.writeBool(app, keys::frmVipNotes::ShowWarnRV, ctx.showWarnRV);
    if (ctx.shipMode) {
        s.writeInt(app, keys::frmVipNotes::UserLevel, ctx.soft.userLevel);
        s.writeBool(app, keys::frmVipNotes::SoftTest, ctx.soft.softTest);
    }
    s.writeBool(app, keys::frmComSet::AutoDetect, ctx.autoDetect);
    s.writeBool(app, keys::frmComSet::AutoConnect, ctx.autoConnect);
    s.writeInt(app, keys::frmComSet::ChronSelect, ctx.chronSelect);
    s.writeInt(app, keys::frmComSet::Device, ctx.device);
    s.writeBool(app, keys::frmComSet::Echo, ctx.echo);
}

void readErrorCount(AppContext &ctx)
{
    Reader r{ctx, QStringLiteral("frmSplash\\Form_Load")};
    ctx.errorCount = r.i(keys::frmErrox::gxMoxErc);
}

void saveErrorCount(AppContext &ctx)
{
    ctx.store.writeInt(ctx.instanceName(), keys::frmErrox::gxMoxErc, ctx.errorCount);
}

LayoutSettings readLayoutSettings(AppContext &ctx)
{
    const QString tag = QStringLiteral("moxMain-soxSettings-");
    Reader r{ctx, tag};
    LayoutSettings l;
    const QString app = ctx.instanceName();
    bool ok = true;
    l.standardToolbar = ctx.store.readBool(app, keys::frmMDI::StandardToolbar, &ok);
    r.check(ok, keys::frmMDI::StandardToolbar, tag + QStringLiteral("1"));
    l.formatToolbar = ctx.store.readBool(app, keys::frmMDI::FormatToolbar, &ok);
    r.check(ok, keys::frmMDI::FormatToolbar, tag + QStringLiteral("2"));
    l.ruler = ctx.store.readBool(app, keys::frmMDI::Ruler, &ok);
    r.check(ok, keys::frmMDI::Ruler, tag + QStringLiteral("3"));
    l.statusBar = ctx.store.readBool(app, keys::frmMDI::StatusBar, &ok);
    r.check(ok, keys::frmMDI::StatusBar, tag + QStringLiteral("4"));
    l.viewMode = ctx.store.readInt(app, keys::frmMDI::ViewMode, &ok);
    r.check(ok, keys::frmMDI::ViewMode, tag + QStringLiteral("5"));
    if (l.viewMode < 0 || l.viewMode > 2)
        l.viewMode = 0;
    return l;
}

void clearRegistryNow(AppContext &ctx)
{
    const QString app = ctx.instanceName();
    for (const char *section : keys::kClearOrder) {
        ctx.store.deleteSection(app, QString::fromLatin1(section));
        if (qstrcmp(section, keys::kSectionMRU) == 0)   // the list itself lives in its own branch
            MruList::clear(ctx.store, app);
    }
    ctx.store.flush(app);
}

bool clearRegistryAtExit(AppContext &ctx)
{
    if (!ctx.soft.clearRegistry || !ctx.prompter)
        return false;
    const QString app = ctx.instanceName();
    if (ctx.prompter->ask(QStringLiteral("Clear Registry Key - ''") + app + QStringLiteral("''"), MsgButtons::YesNo, 2,
                          app + QStringLiteral(" - Clear Registry"))
        != MsgAnswer::Yes)
        return false;
    clearRegistryNow(ctx);
    return true;
}

} // namespace zx
