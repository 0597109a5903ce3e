#include "app/ui/link_wiring.h"

#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "cfile/capture_stack.h"
#include "cfile/ui/cfile_workspace.h"
#include "link/link_session.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zx {
namespace {
// Keeps the capture operations alive as long as the window that uses them.
class CaptureHolder : public QObject {
public:
    CaptureHolder(QObject *parent, CFileWorkspace &ws, Prompter &prompter, LinkSession &link)
        : QObject(parent), stack(ws.files(), ws.logPad(), prompter, link)
    {
    }
    CaptureStack stack;
};

QAction *addCommand(QMenu *menu, const QString &name, const QString &text, std::function<void()> f)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, menu, [f = std::move(f)] { f(); });
    return a;
}
} // namespace

LinkSession *installLink(FrmMdi &mdi)
{
    AppContext &ctx = mdi.context();
    CFileWorkspace *ws = cfileWorkspace(mdi);
    if (!ws || !ctx.prompter)
        return nullptr;
    auto *link = new LinkSession(ctx.prompter, &ctx.store, ctx.instanceName(), ctx.appNumber, &ws->logPad(), &mdi);
    link->hooks.refreshMain = [m = &mdi] { m->refreshModeStatus(); };
    auto *holder = new CaptureHolder(&mdi, *ws, *ctx.prompter, *link);
    CaptureOps &ops = holder->stack.capture;

    QMenu *chrono = mdi.menuBar()->addMenu(QStringLiteral("&Chrono"));
    chrono->setObjectName(QStringLiteral("mnuRemote"));
    addCommand(chrono, QStringLiteral("mnuRemStart"), QStringLiteral("&Start"), [&ops] { ops.croStartShoot(); });
    addCommand(chrono, QStringLiteral("mnuRemStop"), QStringLiteral("S&top"), [&ops] { ops.croStopShoot(); });
    addCommand(chrono, QStringLiteral("mnuRemRemo"), QStringLiteral("&Remote"), [&ops] { ops.croRemoteOnly(); });
    QObject::connect(&mdi, &QObject::destroyed, link, [link] { link->extTerminal(); });
    return link;
}

} // namespace zx
