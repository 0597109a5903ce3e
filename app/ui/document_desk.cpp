#include "app/ui/document_desk.h"
#include "platform/crlf.h"

#include "app/mode_commands.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/keypad_desk.h"
#include "cfile/cfile_settings.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/document_print.h"
#include "cfile/ui/frm_document.h"
#include "cfile/ui/frm_file_bar.h"
#include "cfile/ui/frm_full_screen.h"
#include "cfile/ui/frm_tabs_margins.h"
#include "cfile/ui/frm_text_format.h"
#include "platform/prompter.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace zx {

namespace {

QAction *addCommand(QMenu *menu, const char *name, const QString &text, QObject *ctx, std::function<void()> f,
                    QAction *before = nullptr)
{
    auto *a = new QAction(text, menu);
    a->setObjectName(QString::fromLatin1(name));
    menu->insertAction(before, a);
    QObject::connect(a, &QAction::triggered, ctx, [f = std::move(f)] { f(); });
    return a;
}

// The tab stops of the paragraphs the selection touches.
void setParagraphTabs(QTextEdit *e, const QList<int> &positionsTw)
{
    QList<QTextOption::Tab> tabs;
    for (int tw : positionsTw)
        tabs << QTextOption::Tab(tw * e->logicalDpiX() / 1440.0, QTextOption::LeftTab);
    QTextBlockFormat f;
    f.setTabPositions(tabs);
    QTextCursor c = e->textCursor();
    c.mergeBlockFormat(f);
}
} // namespace

DocumentDesk::DocumentDesk(FrmMdi &mdi, CFileWorkspace &ws)
    : QObject(&mdi), m_mdi(mdi), m_ws(ws), m_defaults(mdi.context().store, mdi.context().instanceName())
{
    setObjectName(QStringLiteral("documentDesk"));
    readMarks();
    buildMenus();
    buildFileBar();
}

DocumentDesk::~DocumentDesk()
{
    delete m_fullScreen; // a top-level window: not the main window's child
}

void DocumentDesk::buildMenus()
{
    const MainToolbars &tools = m_mdi.toolbars();
    if (QMenu *file = m_mdi.menuNamed(QStringLiteral("mnuFile"))) {
        QAction *exit = file->findChild<QAction *>(QStringLiteral("mnuFileExit"));
        addCommand(file, "mnuFilePrintPreview", QStringLiteral("Print Pre&view..."), this, [this] { printPreview(); }, exit);
        addCommand(file, "mnuFilePrint", QStringLiteral("&Print..."), this, [this] { print(); }, exit)
            ->setShortcut(QKeySequence::Print);
        file->insertSeparator(exit);
    }
    if (QAction *p = tools.action(cmd::Print))
        connect(p, &QAction::triggered, this, [this] { print(); });

    // The Format menu, after View.
    auto *fmt = new QMenu(QStringLiteral("F&ormat"), &m_mdi);
    fmt->setObjectName(QStringLiteral("mnuFormat"));
    QMenu *view = m_mdi.menuNamed(QStringLiteral("mnuView"));
    QAction *after = nullptr;
    const QList<QAction *> bar = m_mdi.menuBar()->actions();
    const qsizetype at = view ? bar.indexOf(view->menuAction()) : -1;
    if (at >= 0 && at + 1 < bar.size())
        after = bar.at(at + 1);
    m_mdi.menuBar()->insertMenu(after, fmt);
    QAction *font = addCommand(fmt, "mnuFmtFont", QStringLiteral("&Font..."), this, [] {});
    if (QAction *tru = tools.action(cmd::TruFont))
        connect(font, &QAction::triggered, tru, &QAction::trigger);
    addCommand(fmt, "mnuFmtDefaultSet", QStringLiteral("&Default Text Format..."), this, [this] { textFormat(); });
    // Check marks the mode and status refresh keeps in line with the settings; a click stores.
    const auto toggle = [this, fmt](const char *name, const QString &text, auto set) {
        auto *a = new QAction(text, fmt);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        fmt->addAction(a);
        connect(a, &QAction::triggered, this, [this, set](bool on) {
            set(on);
            readMarks();
            m_mdi.refreshModeStatus();
        });
    };
    toggle("mnuFmtDefault", QStringLiteral("Use Default Format for New CFiles"),
           [this](bool on) { auto t = m_defaults.text(); t.apply = on; m_defaults.setText(t); });
    fmt->addSeparator();
    addCommand(fmt, "mnuFmtTabs", QStringLiteral("&Tabs and Margins..."), this, [this] { tabsMargins(); });
    toggle("mnuTabDefault", QStringLiteral("Use Default Tabs for New CFiles"),
           [this](bool on) { auto t = m_defaults.tabs(); t.apply = on; m_defaults.setTabs(t); });
    toggle("mnuMargDefault", QStringLiteral("Use Default Margins for New CFiles"),
           [this](bool on) { auto m = m_defaults.margins(); m.apply = on; m_defaults.setMargins(m); });

    if (view) {
        view->addSeparator();
        QAction *full = addCommand(view, "mnuViewFullScreen", QStringLiteral("F&ull Screen"), this, [this] { showFullScreen(); });
        full->setShortcut(QKeySequence(Qt::Key_F11));
    }
}

void DocumentDesk::buildFileBar()
{
    AppContext &ctx = m_mdi.context();
    m_fileBar = new FrmFileBar(&m_mdi);
    m_mdi.addDockWidget(Qt::LeftDockWidgetArea, m_fileBar);
    m_fileBar->setFolder(ctx.store.read(ctx.instanceName(), cfilekeys::FileBarPath));
    connect(m_fileBar, &FrmFileBar::folderChanged, this, [&ctx](const QString &path) {
        ctx.store.write(ctx.instanceName(), cfilekeys::FileBarPath, path);
    });
    connect(m_fileBar, &FrmFileBar::fileActivated, this, [this](const QString &folder, const QString &name) {
        m_ws.files().openFromFileBar(folder, name);
    });
    QAction *toggle = m_fileBar->toggleViewAction();
    toggle->setObjectName(QStringLiteral("mnuViewFileBar"));
    toggle->setText(QStringLiteral("File &Bar"));
    if (QMenu *view = m_mdi.menuNamed(QStringLiteral("mnuView")))
        view->addAction(toggle);
    m_fileBar->setVisible(ctx.store.readBool(ctx.instanceName(), cfilekeys::FileBarShow));
    // the user's choice only: the bar also hides when the main window closes
    connect(toggle, &QAction::triggered, this, [&ctx](bool on) {
        ctx.store.writeBool(ctx.instanceName(), cfilekeys::FileBarShow, on);
    });
    connect(m_fileBar, &FrmFileBar::closedByUser, this, [&ctx] {
        ctx.store.writeBool(ctx.instanceName(), cfilekeys::FileBarShow, false);
    });
}

void DocumentDesk::showFileBar(bool on)
{
    AppContext &ctx = m_mdi.context();
    if (m_fileBar)
        m_fileBar->setVisible(on);
    ctx.store.writeBool(ctx.instanceName(), cfilekeys::FileBarShow, on);
}

CFileDoc *DocumentDesk::activeDoc()
{
    if (m_ws.files().needActiveCFile())
        return nullptr;
    return m_ws.files().active();
}

void DocumentDesk::textFormat()
{
    FrmTextFormat dlg(m_defaults.text(), &m_mdi);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_defaults.setText(dlg.values());
    readMarks();
    m_mdi.refreshModeStatus();
}

void DocumentDesk::tabsMargins()
{
    FrmTabsMargins dlg(m_defaults.tabs(), m_defaults.margins(), &m_mdi);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_defaults.setTabs(dlg.tabs());
    m_defaults.setMargins(dlg.margins());
    if (FrmDocument *w = m_ws.activeWindow(); w && !w->rtfText()->isReadOnly())
        setParagraphTabs(w->rtfText(), dlg.tabs().positionsTw);
    reapplyViewModes(); // view mode 2 wraps at the new page width
    readMarks();
    m_mdi.refreshModeStatus();
}

void DocumentDesk::readMarks()
{
    m_marks = {m_defaults.text().apply, m_defaults.margins().apply, m_defaults.tabs().apply};
}

void DocumentDesk::reapplyViewModes()
{
    for (CFileDoc *d : m_ws.files().docs())
        m_ws.files().applyViewMode(d);
}

void DocumentDesk::printPreview()
{
    CFileDoc *doc = activeDoc();
    if (!doc)
        return;
    auto *printer = new QPrinter(QPrinter::HighResolution);
    setPrintMargins(*printer, m_defaults.margins());
    printer->setDocName(doc->caption());
    auto *dlg = new QPrintPreviewDialog(printer, &m_mdi);
    dlg->setObjectName(QStringLiteral("frmPrintPreview"));
    dlg->setWindowTitle(QStringLiteral("Print Preview - ") + doc->caption());
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QObject::destroyed, dlg, [printer] { delete printer; });
    const QPointer<CFileDoc> guard(doc);
    connect(dlg, &QPrintPreviewDialog::paintRequested, dlg, [guard, dlg](QPrinter *p) {
        if (guard)
            printCFile(*guard->document(), *p, guard->caption());
        else
            dlg->close();
    });
    dlg->resize(m_mdi.size() * 0.9);
    dlg->open();
}

void DocumentDesk::print()
{
    CFileDoc *doc = activeDoc();
    if (!doc)
        return;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        Prompter &prompter = *m_mdi.context().prompter;
        if (prompter.ask(QStringLiteral("There is no printer installed on this computer.!") + kCrLf +
                             QStringLiteral("Print [") + doc->caption() + QStringLiteral("] to a PDF file.?"),
                         MsgButtons::YesNo, 1, QStringLiteral("LogPad - Print"), MsgIcon::Question)
            == MsgAnswer::Yes)
            printToPdf(doc);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setPrintMargins(printer, m_defaults.margins());
    printer.setDocName(doc->caption());
    QPrintDialog dlg(&printer, &m_mdi);
    dlg.setObjectName(QStringLiteral("dlgPrint"));
    const QPointer<CFileDoc> guard(doc);
    if (dlg.exec() == QDialog::Accepted && guard)
        printCFile(*guard->document(), printer, guard->caption());
}

void DocumentDesk::printToPdf(CFileDoc *doc)
{
    QtFileChooser fallback(&m_mdi);
    FileChooser &chooser = m_chooser ? *m_chooser : fallback;
    const QString proposed = QFileInfo(doc->caption()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = chooser.saveFile(QStringLiteral("Print to PDF"), proposed, QStringLiteral("PDF (*.pdf)|*.pdf|"));
    if (path.isEmpty())
        return; // Cancel: silent
    if (printCFileToPdf(*doc->document(), path, doc->caption(), m_defaults.margins()) == 0)
        m_mdi.context().prompter->inform(QStringLiteral("The PDF file could not be written:") + kCrLf + path,
                                         QStringLiteral("LogPad - Print"), MsgIcon::Exclamation);
}

void DocumentDesk::showFullScreen()
{
    CFileDoc *doc = activeDoc();
    if (!doc)
        return;
    if (!m_fullScreen) {
        m_fullScreen = new FrmFullScreen;
        m_fullScreen->setOpenRemote([this] {
            if (KeyPadDesk *pad = keyPadDesk(m_mdi))
                pad->open(false);
        });
        m_fullScreen->setOnClosed([this] { reapplyViewModes(); });
    }
    m_fullScreen->showDocument(doc->document(), doc->caption());
}

DocumentDesk *installDocumentDesk(FrmMdi &mdi)
{
    if (DocumentDesk *d = documentDesk(mdi))
        return d;
    CFileWorkspace *ws = cfileWorkspace(mdi);
    return ws ? new DocumentDesk(mdi, *ws) : nullptr;
}

DocumentDesk *documentDesk(FrmMdi &mdi)
{
    return mdi.findChild<DocumentDesk *>(QStringLiteral("documentDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
