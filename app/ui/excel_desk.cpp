#include "app/ui/excel_desk.h"

#include "app/stats_settings_keys.h"
#include "app/ui/chrono_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/export_setup_desk.h"
#include "app/ui/first_place.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/notes_desk.h"
#include "app/ui/remote_panel_desk.h"
#include "cfile/capture_stack.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/cfile_names.h"
#include "cfile/logpad.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/qt_file_chooser.h"
#include "export/excel_link.h"
#include "export/new_book_place.h"
#include "export/export_driver.h"
#include "export/export_setup_actions.h"
#include "export/link_setup_actions.h"
#include "export/export_visibility.h"
#include "export/export_template.h"
#include "export/ui/workbook_window.h"
#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/ui/progress_window.h"
#include "platform/prompter.h"
#include "remote/panel_download.h"
#include "remote/remote_control.h"
#include "remote/remote_ops.h"
#include "remote/ui/frm_rem_ctr.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace zx {

namespace {

// The options the window edits, or the stored ones before it exists.
xls::ExportOptions currentOptions(FrmMdi &mdi)
{
    if (ExportSetupDesk *d = exportSetupDesk(mdi))
        return d->options();
    return xls::ExportOptions::load(mdi.context().store, mdi.context().instanceName());
}

} // namespace

struct ExcelDesk::Parts {
    Parts(ExcelDesk &desk, FrmMdi &mdi)
        : chooser(&mdi), link(*mdi.context().prompter, chooser, ProgramFiles::forDesktop()),
          actions(link, {[&mdi] { return currentOptions(mdi); }, [&mdi] { mdi.refreshModeStatus(); },
                         [&desk] { desk.runExport(xls::SrcLogger, 5, xls::ExpLogger, 1); }})
    {
    }
    QtFileChooser chooser;
    xls::ExcelLink link;
    xls::LinkSetupActions actions;
    QStringList listing;
    QPointer<RemoteControl> panel;   // the remote panel's hooks point here
};

ExcelDesk::ExcelDesk(FrmMdi &mdi, ChronoDesk &desk)
    : QObject(&mdi), m_mdi(mdi), m_desk(&desk), m_parts(std::make_unique<Parts>(*this, mdi))
{
    setObjectName(QStringLiteral("excelDesk"));
    AppContext &ctx = mdi.context();
    LinkSession &session = desk.link();
    xls::ExcelLink &link = m_parts->link;

    // Excel's window: a window of its own, seen by the link only as its view.
    m_window = new xls::WorkbookWindow();
    placeBesideOnFirstShow(m_window, &mdi);
    m_window->setServices(ctx.prompter, &m_parts->chooser);
    m_window->setSettings(&ctx.store, ctx.instanceName());
    link.setView(m_window.data());

    xls::ExcelLinkHooks &h = link.hooks;
    h.refreshMain = [&mdi] { mdi.refreshModeStatus(); };
    h.mainWindow = [&mdi](bool minimise) {
        if (minimise)
            mdi.showMinimized();
        else if (mdi.isMinimized())
            mdi.showNormal();
    };
    h.chronoWarnings = [&ctx] { return ctx.showWarnRV; };
    h.postNote = [&mdi](int note) {
        if (NotePoster *notes = notePoster(mdi))
            notes->postNote(note);
    };
    h.chronoReady = [&session] { return session.cro.bCroStatusOk && session.cro.bCroSensorsOn; };
    h.recordingShots = [&session] { return session.cro.bCroStatusOk && session.cro.bCroSensorsOn && session.bRxTo[1]; };
    h.calibrate = [&desk] { desk.ops().calibrate(false); };
    h.liveQueue = [&session](bool on) {
        session.bExcCapture = on;
        session.tmrExcRtc.setEnabled(on);
    };
    h.chronoModel = [&session] { return session.cro.iCroDevice == 0 ? QStringLiteral("RV5") : QStringLiteral("TTY device"); };
    h.progressVisible = [&desk](bool visible) {
        if (FrmFPrgrs *p = desk.progress(); p && p->progressIsOpen())
            p->setVisible(visible);
    };
    // One bullet weight: the one typed in the String Statistics panel, when there is one.
    h.bulletGrains = [&ctx] { return ctx.store.read(ctx.instanceName(), keys::frmStats::BulletGrains).toDouble(); };
    // A new workbook beside the active CFile, named after it, and the user told where.
    h.newBookPath = [&mdi] {
        CFileWorkspace *ws = cfileWorkspace(mdi);
        const CFileDoc *doc = ws ? ws->files().active() : nullptr;
        const QString caption = doc ? doc->caption() : QString();
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty() || !QDir().mkpath(documents))
            documents = QDir::homePath();
        return xls::wantedBookPath(caption, doc && !isDefaultName(caption), documents);
    };
    h.newBookSaved = [&mdi](const QString &path) {
        mdi.statusBar()->showMessage(QStringLiteral("New workbook saved as ") + QDir::toNativeSeparators(path));
    };
    session.hooks.excelLine = [&link](const QString &line) { link.captureLine(line); };

    // Chrono menu: the link and the memory exports; File menu: the CFile export.
    const auto add = [this](QMenu *menu, const char *name, const QString &text, auto fn) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    if (QMenu *chrono = mdi.menuNamed(QStringLiteral("mnuChrono"))) {
        QMenu *x = chrono->addMenu(QStringLiteral("E&xcel"));
        x->setObjectName(QStringLiteral("mnuExcel"));
        add(x, "mnuExcConnect", QStringLiteral("&Link Workbook"), [this] { setLink(true); })->setCheckable(true);
        add(x, "mnuExcDisConnect", QStringLiteral("&Unlink Workbook"), [this] { setLink(false); })->setCheckable(true);
        x->addSeparator();
        using namespace xls;
        add(x, "mnuRemExpExcStr", QStringLiteral("Export Current &String"), [this] { runExport(SrcMemory, 1, ExpString); });
        add(x, "mnuRemExpExcFol", QStringLiteral("Export Current &Folder"), [this] { runExport(SrcMemory, 2, ExpFolder); });
        add(x, "mnuExpExcEDi", QStringLiteral("Export &eDisk"), [this] { runExport(SrcMemory, 3, ExpEDisk); });
        add(x, "mnuExpExcILoger", QStringLiteral("Export &iLoger"), [this] { runExport(SrcLogger, 5, ExpLogger); });
    }
    if (QMenu *file = mdi.menuNamed(QStringLiteral("mnuFile"))) {
        QAction *before = mdi.findChild<QAction *>(QStringLiteral("mnuFileExit"));
        QAction *a = new QAction(QStringLiteral("Export C&File to Excel"), file);
        a->setObjectName(QStringLiteral("mnuExpExcCFi"));
        file->insertAction(before, a);
        connect(a, &QAction::triggered, this, [this] { runExport(xls::SrcCapture, 4, xls::ExpCFile); });
    }

    // The remote panel's Excel link box opens and closes the live link and shows its state.
    if (RemotePanelDesk *panel = remotePanelDesk(mdi)) {
        m_parts->panel = &panel->control();
        RemoteControl::Hooks &rh = panel->control().hooks;
        rh.excelLink = [this](bool on) { setLink(on); };
        rh.excelLinked = [this] { return m_parts->link.liveLink; };
        // The Download page's "Excel Spreadsheet": the same export as the Export page.
        panel->download().exportToExcel = [this](int scope) { return runExport(xls::SrcMemory, scope, scope); };
    }
    // The remote panel's Export page: the chosen scope through the same export.
    if (RemotePanelDesk *panel = remotePanelDesk(mdi); panel && panel->window()) {
        FrmRemCtr *w = panel->window();
        if (auto *go = w->findChild<QPushButton *>(QStringLiteral("cmdExp2Excel")))
            connect(go, &QPushButton::clicked, this, [this, w, &ctx] {
                for (int i = 0; i < 3; ++i) {
                    const auto *opt = w->findChild<QRadioButton *>(QStringLiteral("optExpSrc_%1").arg(i));
                    if (opt && opt->isChecked()) {
                        runExport(xls::SrcMemory, i + 1, i + 1);
                        return;
                    }
                }
                ctx.prompter->inform(QStringLiteral("You Must Select Source."));
            });
    }

    mdi.shutdownHooks().releaseExcel = [this] { m_parts->link.release(); };
    mdi.shutdownHooks().destroyWindows.push_back([this] { delete m_window.data(); });
}

ExcelDesk::~ExcelDesk()
{
    if (m_parts->panel) {
        m_parts->panel->hooks.excelLink = nullptr;
        m_parts->panel->hooks.excelLinked = nullptr;
    }
    if (RemotePanelDesk *panel = remotePanelDesk(m_mdi))
        panel->download().exportToExcel = nullptr;
    m_parts->link.setView(nullptr);
    delete m_window.data();
    if (m_desk)
        m_desk->link().hooks.excelLine = nullptr;
}

xls::ExcelLink &ExcelDesk::link() { return m_parts->link; }
xls::ExportSetupActions &ExcelDesk::setupActions() { return m_parts->actions; }

void ExcelDesk::setLink(bool on)
{
    if (!m_desk)
        return;
    ChronoOps &ops = m_desk->ops();
    ops.guarded([this, &ops, on] {
        if (ops.linkCheck(0) != 0)
            return;
        if (on)
            m_parts->link.linkOn();
        else
            m_parts->link.linkOff();
    });
    m_mdi.refreshModeStatus();
}

int ExcelDesk::runExport(int sourceKind, int sheet, int type, int mode)
{
    if (!m_desk)
        return xls::ExportBusy;
    ChronoDesk &desk = *m_desk;
    LinkSession &session = desk.link();
    CFileWorkspace &ws = *cfileWorkspace(m_mdi);
    xls::ExportSources src;
    src.download = [&desk](int scope, QStringList &lines) { return desk.remote().croGetShots(scope, &lines); };
    src.loggerText = [&session] { return session.txtTerm.text(); };
    src.cfileText = [&ws] {
        const CFileDoc *doc = ws.files().active();
        return doc ? doc->document()->toPlainText() : QString();
    };
    src.chronoModel = m_parts->link.hooks.chronoModel;
    src.abortRequested = [&session] { return session.croTxn.abortReq; };
    src.pumpEvents = [] { QApplication::processEvents(); };
    src.showLogPad = [this] {
        m_mdi.showNormal();
        m_mdi.raise();
        m_mdi.activateWindow();
    };
    ProgressSink *progress = desk.progress();
    NullProgressSink none;
    int result = xls::ExportBusy;
    desk.ops().guarded([&] {
        session.croTxn.abortReq = false;
        session.croTxn.abortable = true;
        const xls::ExportOptions options = currentOptions(m_mdi);
        xls::ExportDriver driver(m_parts->link, src, ws.logPad(), progress ? *progress : none, options);
        result = driver.run(mode, sourceKind, sheet, type);
        session.croTxn.abortable = false;
    });
    m_mdi.refreshModeStatus();
    return result;
}

ExcelDesk *installExcelDesk(FrmMdi &mdi)
{
    if (ExcelDesk *d = excelDesk(mdi))
        return d;
    ChronoDesk *desk = chronoDesk(mdi);
    return desk ? new ExcelDesk(mdi, *desk) : nullptr;
}

ExcelDesk *excelDesk(FrmMdi &mdi)
{
    return mdi.findChild<ExcelDesk *>(QStringLiteral("excelDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
