#include "app/ui/splash_sequence.h"

#include "app/command_line.h"
#include "app/soft_settings.h"
#include "app/ui/app_icons.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/document_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/edit_commands.h"
#include "app/ui/excel_desk.h"
#include "app/ui/export_setup_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/frm_splash.h"
#include "app/ui/keypad_desk.h"
#include "app/ui/notes_desk.h"
#include "app/ui/remote_panel_desk.h"
#include "app/ui/setup_desk.h"
#include "app/ui/stats_desk.h"
#include "app/ui/string_library_window.h"
#include "app/ui/terminal_desk.h"
#include "cfile/cfile_names.h"
#include "cfile/journal_recovery.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextEdit>

namespace zx {

QMdiSubWindow *openStartupCFile(FrmMdi &mdi)
{
    AppContext &ctx = mdi.context();
    CFileWorkspace *ws = cfileWorkspace(mdi);
    CFileManager &files = ws->files();
    const QString path = cmdLineFilePath(ctx.cmd);
    if (!path.isEmpty() && fileExists(path)) {
        // Loaded into the new CFile; one that is not valid rich text says so and stays empty.
        files.openPath(path, QStringLiteral("modMain\\showCmdLineFile"));
    } else {
        files.createNewCFile();
        if (!path.isEmpty())
            files.mnuFileMRUItem(path);   // "File doesn't exists!", as for a recent file
    }
    return ws->activeWindow();
}

FrmMdi *runSplashSequence(AppContext &ctx)
{
    // 1. Idle state, error count, sensor table.
    readErrorCount(ctx);
    ctx.sensorTally = {};

    // 2. The splash window with its version line.
    auto *splash = new FrmSplash;
    splash->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // 3. Windows created, their start-up steps run (the main window reads its keys here).
    auto *mdi = new FrmMdi(ctx);
    mdi->setAttribute(Qt::WA_DeleteOnClose);
    mdi->loadSettings();
    CFileWorkspace *ws = cfileWorkspace(*mdi);
    installEditCommands(*mdi, *ws, mdi->toolbars());
    installDocumentDesk(*mdi);
    ChronoDesk *desk = installChronoDesk(*mdi);
    if (desk) {
        // The chronograph side reaches the other desks only through what is handed in here,
        // so none of them includes another in a circle.
        new SetupDesk(*mdi, *desk);   // the setup panel, the sensors and control dialogs
        desk->setDocumentMarks([mdi](ProgramState &s) {
            if (const DocumentDesk *d = documentDesk(*mdi)) {
                s.formatDefault = d->marks().format;
                s.marginDefault = d->marks().margins;
                s.tabDefault = d->marks().tabs;
            }
        });
        desk->setTerminalOpener([mdi] { openTerminalWindow(*mdi); });
        desk->statusRefresh().zapFgs();
    }
    // frmRemCtr last; its load step reads the command file.
    installRemotePanel(*mdi);
    installExcelDesk(*mdi);
    // After the Excel menu is made; the link's buttons handed over here, as the Excel side
    // reads the options from the export setup.
    if (ExportSetupDesk *exportSetup = installExportSetup(*mdi))
        if (ExcelDesk *excel = excelDesk(*mdi))
            exportSetup->setActions(excel->setupActions());
    installKeyPad(*mdi);
    installTerminalDesk(*mdi);
    installStatsDesk(*mdi);
    installStringLibrary(*mdi);
    installNotesDesk(*mdi);
    applyCommandIcons(mdi);

    // 4.-6. Command state, fonts, layout.
    splash->setStatus(QStringLiteral("Loading LogPad Setup..."));
    mdi->refreshModeStatus();
    splash->setStatus(QStringLiteral("Loading Window Fonts..."));
    splash->setStatus(QStringLiteral("Loading Modules Setup..."));
    mdi->applyLayout(readLayoutSettings(ctx));

    // 7. The main window takes over, disabled until the start-up is through.
    splash->close();
    splash->deleteLater();
    mdi->setEnabled(false);
    mdi->show();
    mdi->fitToolbarsOnFirstRun();   // measured once shown: the buttons' sizes are final then

    // 8. The port opened at once when the user selects the chronograph by hand.
    // 9. The chronograph selection: first free, last used, or the user's own choice.
    if (desk) {
        desk->startupConnect();
        desk->startupSelect();
    }
    mdi->refreshModeStatus();

    // 10. One empty CFile, the command-line file in it.
    QMdiSubWindow *doc = openStartupCFile(*mdi);
    // Lines a journal kept when the last run ended without saving them, each offered
    // for recovery into a new CFile, which then has the keyboard.
    FrmDocument *recovered = nullptr;
    if (recoverJournals(ws->journal(), ws->files(), ws->logPad(), *ctx.prompter) > 0)
        doc = recovered = ws->activeWindow();

    // 11. Enabled, refreshed; the keyboard goes to the CFile.
    mdi->setEnabled(true);
    mdi->refreshModeStatus();
    showStartupNotes(*mdi);
    if (doc) {
        mdi->mdiArea()->setActiveSubWindow(doc);
        if (QWidget *w = doc->widget())
            w->setFocus();
    }
    QCoreApplication::processEvents();
    // A recovered CFile is shown from its beginning (once laid out): the user reads what came
    // back before going on.
    if (recovered) {
        QTextEdit *text = recovered->rtfText();
        text->moveCursor(QTextCursor::Start);
        text->verticalScrollBar()->setValue(0);   // the page's top margin too
        text->horizontalScrollBar()->setValue(0);
    }
    return mdi;
}

} // namespace zx
