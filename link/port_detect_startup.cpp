#include "link/port_detect_startup.h"

#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/port_detect.h"
#include "platform/prompter.h"

namespace zx {

void startupConnect(PortDetect &detect, const StartupChoice &c, const StartupWindows &w)
{
    if (c.autoConnect && c.chronSelect == 0)
        detect.link().subOpenPort();
    if (w.refresh)
        w.refresh();
}

bool startupSelect(PortDetect &detect, ChronoOps &ops, Prompter &prompter, const StartupChoice &c,
                   const StartupWindows &w)
{
    if (!c.autoDetect && c.chronSelect != 1 && c.chronSelect != 2)
        return false;
    LinkSession &link = detect.link();
    if (w.showProperties)
        w.showProperties();

    bool chooseByHand = c.chronSelect == 2;
    if (c.chronSelect == 1) {
        detect.form().device = c.device;
        if (detect.selectFirstFree(c.device)) {
            if (c.autoConnect)
                link.subOpenPort();
        } else {
            const QString text = c.device == 0
                                     ? QStringLiteral("Could not select first free RV5 Chronograph.\r\n"
                                                      "There are no RV5 Chronographs present..!")
                                     : QStringLiteral("Could not select first free Chrono.  \r\n"
                                                      "There are no COM Ports avilable..!\r\n"
                                                      "Check your PC hardware, you need\r\n"
                                                      "at least one free COM/USB port.");
            prompter.ask(text, MsgButtons::Ok, 1);
            chooseByHand = true;
        }
    } else if (c.chronSelect == 0) {
        detect.cmdDetect();
    }

    if (w.hideProperties)
        w.hideProperties();
    if (w.refresh)
        w.refresh();

    if (chooseByHand && w.runPropertiesModal)
        w.runPropertiesModal();

    bool ok = true;
    if (c.device == 0) {
        const QString port = QString::number(link.MSComm1.commPort());
        if (w.note)
            w.note(QStringLiteral("Retrieving RV5 Status for Chrono-") + port + QStringLiteral("..."));
        ok = ops.startupProbe() == 0;
        if (w.note)
            w.note(ok ? QStringLiteral("Status Retrieved Ok..!") : QStringLiteral("Unable to Retrieve Satatus..!"));
    }
    if (w.refresh)
        w.refresh();
    return ok;
}

} // namespace zx
