#include "app/ui/document_factory.h"

#include "app/error_report.h"
#include "app/ui/frm_mdi.h"
#include "cfile/cfile_codec.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTextCursor>

namespace zx {

CFileWorkspace *installCFiles(FrmMdi &mdi)
{
    if (auto *ws = mdi.findChild<CFileWorkspace *>())
        return ws;
    AppContext &ctx = mdi.context();
    auto *ws = new CFileWorkspace(&mdi, mdi.mdiArea(), *ctx.prompter, ctx.store, ctx.instanceName());
    CFileManager &files = ws->files();
    files.setErrorReport([&ctx](const QString &description, int number, const QString &location) {
        reportError(ctx, number, description, location);
    });
    if (QMenu *file = mdi.menuNamed(QStringLiteral("mnuFile")))
        ws->installFileMenu(file, file->findChild<QAction *>(QStringLiteral("mnuFileExit")));
    ws->installLineDisplay(mdi.statusBar());
    files.setChronoWarnings([&ctx] { return ctx.showWarnRV; });
    // Every CFile asks about its changes at exit; Cancel in any stops the exit.
    mdi.setQueryCloseDocuments([&files] { return files.closeAll(); });
    return ws;
}

CFileWorkspace *cfileWorkspace(FrmMdi &mdi)
{
    return installCFiles(mdi);
}

QMdiSubWindow *createCFileWindow(FrmMdi &mdi)
{
    CFileWorkspace *ws = cfileWorkspace(mdi);
    ws->files().createNewCFile();
    return ws->activeWindow();
}

bool loadIntoCFileWindow(QMdiSubWindow *window, const QString &path, bool rich, QString *error)
{
    auto *w = qobject_cast<FrmDocument *>(window);
    CFileDoc *doc = w ? w->doc() : nullptr;
    if (!doc)
        return false;
    const FileError e = loadCFileText(*doc->document(), path, rich);
    if (e) {
        if (error)
            *error = e.description;
        return false;
    }
    doc->setCaption(path);
    doc->setChanged(false);
    doc->setCaret(QTextCursor(doc->document()));
    return true;
}

} // namespace zx
