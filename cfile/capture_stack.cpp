#include "cfile/capture_stack.h"

#include "cfile/cfile_settings.h"
#include "link/link_session.h"
#include "platform/settings_store.h"

namespace zx {

CaptureStack::CaptureStack(CFileManager &files, LogPad &pad, Prompter &prompter, LinkSession &session)
    : pad(pad), link(session), warn(pad, session.cro, link), defaultOps(link, pad, warn, session.cro),
      capture(files, pad, warn, prompter, session.cro, link, defaultOps)
{
    session.setLogPad(&pad);
    pad.setShotTotal([&session] { return int(session.cro.iCroShotTotal); });
    // Chronograph warnings: the ShowWarnRV option, read when a warning is due.
    warn.setChronoWarnings([&session] {
        const SettingsStore *st = session.settingsStore();
        return !st || SettingsStore::toBool(st->read(session.appName(), QLatin1String(cfilekeys::ShowWarnRV.section),
                                                     QLatin1String(cfilekeys::ShowWarnRV.key),
                                                     QLatin1String(cfilekeys::ShowWarnRV.defaultValue)),
                                            true);
    });
    capture.setRefresh([&session] {
        if (session.hooks.refreshMain)
            session.hooks.refreshMain();
    });
}

} // namespace zx
