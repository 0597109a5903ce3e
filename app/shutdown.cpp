#include "app/shutdown.h"

#include "app/instances.h"
#include "app/soft_settings.h"
#include "platform/prompter.h"

namespace zx {

void runShutdown(AppContext &ctx, const PixelGeometry &g, double twipsPerPixel, const ShutdownHooks &hooks)
{
    saveMainGeometry(ctx, g, twipsPerPixel);
    if (!ctx.shipMode)
        saveSoftSettings(ctx);
    writeExitRecord(ctx);
    saveExitSettings(ctx);
    ctx.store.flush(ctx.instanceName());   // the record counts most: on disk before other windows close

    if (hooks.releaseExcel)
        hooks.releaseExcel();
    for (const auto &step : hooks.supportClosing)
        if (step)
            step();
    if (hooks.stopTerminalTimers)
        hooks.stopTerminalTimers();
    for (const auto &step : hooks.destroyWindows)
        if (step)
            step();
    if (hooks.closeOtherWindows)
        hooks.closeOtherWindows();

    saveErrorCount(ctx);
    clearRegistryAtExit(ctx);
    if (!ctx.store.flush(ctx.instanceName()) && ctx.prompter)
        ctx.prompter->inform(ctx.store.writeError(ctx.instanceName()), {}, MsgIcon::Exclamation);
}

} // namespace zx
