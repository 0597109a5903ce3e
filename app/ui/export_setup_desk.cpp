#include "app/ui/export_setup_desk.h"

#include "app/app_context.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/notes_desk.h"
#include "export/export_options.h"
#include "export/export_setup.h"
#include "export/export_setup_actions.h"
#include "export/ui/frm_exp_set.h"
#include "platform/program_files.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace zx {

namespace {

// The Excel menu, made by whoever comes first, before the Window menu.
QMenu *excelMenu(FrmMdi &mdi)
{
    if (QMenu *m = mdi.menuNamed(QStringLiteral("mnuExcel")))
        return m;
    auto *m = new QMenu(QStringLiteral("E&xcel"), &mdi);
    m->setObjectName(QStringLiteral("mnuExcel"));
    if (QMenu *before = mdi.menuNamed(QStringLiteral("mnuWindow")))
        mdi.menuBar()->insertMenu(before->menuAction(), m);
    else
        mdi.menuBar()->addMenu(m);
    return m;
}

} // namespace

struct ExportSetupDesk::Parts {
    explicit Parts(AppContext &ctx)
        : options(xls::ExportOptions::load(ctx.store, ctx.instanceName())),
          setup(options, ctx.store, ctx.instanceName(), *ctx.prompter, unlinked)
    {
    }
    xls::UnlinkedSetupActions unlinked;
    xls::ExportOptions options;
    xls::ExportSetup setup;
};

ExportSetupDesk::ExportSetupDesk(FrmMdi &mdi) : QObject(&mdi), m_mdi(mdi), m_parts(std::make_unique<Parts>(mdi.context()))
{
    setObjectName(QStringLiteral("exportSetupDesk"));
    xls::ExportSetup &s = m_parts->setup;
    s.hooks.restoreMainIfMinimized = [&mdi] {
        if (mdi.isMinimized())
            mdi.showNormal();
    };
    s.hooks.postNote = [&mdi](int note) {
        if (NotePoster *notes = notePoster(mdi))
            notes->postNote(note);
    };
    s.hooks.help = [] {
        const QString page = ProgramFiles::forDesktop().path(QStringLiteral("zenthlpx.htm"));
        if (QFileInfo::exists(page))
            QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    };

    const auto entry = [this](QMenu *menu, const QString &name, const QString &caption) {
        menu->addSeparator();
        QAction *a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this] { open(); });
    };
    // Access keys must stay unique in their menu, or Alt+C, S would no longer start shooting:
    // in the Chrono menu every letter of the caption is taken already.
    if (QMenu *chrono = mdi.menuNamed(QStringLiteral("mnuChrono")))
        entry(chrono, QStringLiteral("mnuRemExpSetup"), QStringLiteral("Export Setup..."));
    entry(excelMenu(mdi), QStringLiteral("mnuExcLinkSetup"), QStringLiteral("Export Se&tup..."));
    mdi.shutdownHooks().destroyWindows.push_back([this] { delete m_window.data(); });
}

ExportSetupDesk::~ExportSetupDesk() { delete m_window.data(); }

xls::ExportOptions &ExportSetupDesk::options() { return m_parts->options; }
xls::ExportSetup &ExportSetupDesk::setup() { return m_parts->setup; }
xls::FrmExpSet *ExportSetupDesk::window() const { return m_window; }
void ExportSetupDesk::setActions(xls::ExportSetupActions &actions) { m_parts->setup.setActions(actions); }

void ExportSetupDesk::open()
{
    const bool first = !m_window;
    if (first)
        m_window = new xls::FrmExpSet(m_parts->setup);
    m_parts->setup.softTest = m_mdi.context().soft.softTest;
    m_window->openWindow();
    if (first) // over the main window
        m_window->move(m_mdi.frameGeometry().center() - m_window->rect().center());
}

ExportSetupDesk *installExportSetup(FrmMdi &mdi)
{
    if (ExportSetupDesk *d = exportSetupDesk(mdi))
        return d;
    return new ExportSetupDesk(mdi);
}

ExportSetupDesk *exportSetupDesk(FrmMdi &mdi)
{
    return mdi.findChild<ExportSetupDesk *>(QStringLiteral("exportSetupDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
