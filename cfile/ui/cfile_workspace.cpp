#include "cfile/ui/cfile_workspace.h"

#include "cfile/capture_journal.h"
#include "cfile/cfile_settings.h"
#include "cfile/ui/frm_document.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPageSize>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QTextEdit>

#include <algorithm>

namespace zx {

CFileWorkspace::CFileWorkspace(QMainWindow *main, QMdiArea *area, Prompter &prompter, SettingsStore &settings,
                               const QString &appName)
    : QObject(main), m_main(main), m_area(area), m_settings(settings), m_app(appName), m_chooser(main),
      m_files(std::make_unique<CFileManager>(prompter, m_chooser, settings, appName)),
      m_logPad(std::make_unique<LogPad>(*m_files)),
      m_journal(new CaptureJournal(CaptureJournal::folderFor(settings, appName), this))
{
    setObjectName(QStringLiteral("cfileWorkspace"));
    m_files->setHost(this);
    m_chooser.setFolder([this] { return m_files->cfileFolder(); });
    m_journal->watch(*m_files);
    m_logPad->setJournal(m_journal);
    m_journal->onWriteError = [&prompter](const QString &message) { prompter.inform(message, {}, MsgIcon::Exclamation); };
    connect(m_area, &QMdiArea::subWindowActivated, this, &CFileWorkspace::onSubWindowActivated);
    connect(m_files.get(), &CFileManager::mruChanged, this, &CFileWorkspace::rebuildMru);
    connect(m_files.get(), &CFileManager::docsChanged, this, &CFileWorkspace::commandStateChanged);
    connect(m_files.get(), &CFileManager::activeChanged, this, [this] {
        updateLineDisplay();
        Q_EMIT commandStateChanged();
    });
}

CFileWorkspace::~CFileWorkspace()
{
    m_files->setHost(nullptr);
}

FrmDocument *CFileWorkspace::windowOf(CFileDoc *doc) const
{
    for (QMdiSubWindow *w : m_area->subWindowList())
        if (auto *d = qobject_cast<FrmDocument *>(w); d && d->doc() == doc)
            return d;
    return nullptr;
}

FrmDocument *CFileWorkspace::activeWindow() const
{
    return windowOf(m_files->active());
}

void CFileWorkspace::showDoc(CFileDoc *doc)
{
    auto *w = new FrmDocument(doc, *m_files);
    w->setJumpToEndOnKey([this] { return m_jumpToEnd && m_jumpToEnd(); });
    w->setEditingAllowed([this] { return !m_editingAllowed || m_editingAllowed(); });
    w->syncEditPolicy();
    QTextEdit *text = w->rtfText();
    text->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text, &QWidget::customContextMenuRequested, this, [this, w, text](const QPoint &at) {
        std::unique_ptr<QMenu> menu(popupMenu(w, at));
        menu->exec(text->viewport()->mapToGlobal(at));
    });
    m_area->addSubWindow(w);
    switch (doc->windowState()) {
    case 1:
        w->showMinimized();
        break;
    case 2:
        w->showMaximized();
        break;
    default:
        w->show();
        // The first CFile takes the whole work area; later ones cascade over it at three
        // quarters of its size (their size hint would make a window too small to read).
        if (const QRect area = m_area->viewport()->rect(); m_area->subWindowList().size() == 1) {
            w->setGeometry(area);
        } else {
            const QSize size = (area.size() * 3 / 4).expandedTo(w->minimumSizeHint());
            const int step = 24 * ((m_area->subWindowList().size() - 2) % 5);
            const int x = std::max(0, std::min(step, area.width() - size.width()));
            const int y = std::max(0, std::min(step, area.height() - size.height()));
            w->setGeometry(QRect(QPoint(x, y), size));
        }
        break;
    }
    m_area->setActiveSubWindow(w);
}

QMenu *CFileWorkspace::popupMenu(FrmDocument *w, const QPoint &at)
{
    // A read-only editor offers only what cannot change the text.
    w->syncEditPolicy();
    QMenu *menu = w->rtfText()->createStandardContextMenu(at);
    if (m_popupCommands) {
        menu->addSeparator();
        menu->addActions(m_popupCommands());
    }
    return menu;
}

void CFileWorkspace::syncEditPolicy()
{
    for (QMdiSubWindow *sub : m_area->subWindowList())
        if (auto *w = qobject_cast<FrmDocument *>(sub))
            w->syncEditPolicy();
}

void CFileWorkspace::closeDoc(CFileDoc *doc)
{
    if (FrmDocument *w = windowOf(doc))
        w->closeFromLogic();
}

void CFileWorkspace::activateDoc(CFileDoc *doc)
{
    if (FrmDocument *w = windowOf(doc))
        m_area->setActiveSubWindow(w);
}

int CFileWorkspace::pageWidthPx() const
{
    QPageSize page;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull())
        page = printer.defaultPageSize();
    if (!page.isValid()) {
        const QLocale::Country c = QLocale::system().territory();
        page = QPageSize((c == QLocale::UnitedStates || c == QLocale::Canada) ? QPageSize::Letter : QPageSize::A4);
    }
    using namespace cfilekeys;
    const double marginTwips =
        SettingsStore::toInt(m_settings.read(m_app, prnLeftMargin.section, prnLeftMargin.key, prnLeftMargin.defaultValue), 1440) +
        SettingsStore::toInt(m_settings.read(m_app, prnRightMargin.section, prnRightMargin.key, prnRightMargin.defaultValue), 1440);
    const double points = std::max(72.0, page.size(QPageSize::Point).width() - marginTwips / 20.0);
    return int(points * m_main->logicalDpiX() / 72.0 + 0.5);
}

void CFileWorkspace::applyViewMode(CFileDoc *doc, int mode)
{
    if (FrmDocument *w = windowOf(doc))
        w->applyViewMode(mode, mode == 2 ? pageWidthPx() : 0);
}

void CFileWorkspace::applyBackground(CFileDoc *doc, const QColor &color)
{
    if (FrmDocument *w = windowOf(doc)) {
        QPalette p = w->rtfText()->palette();
        p.setColor(QPalette::Base, color);
        w->rtfText()->setPalette(p);
    }
}

void CFileWorkspace::onSubWindowActivated(QMdiSubWindow *w)
{
    // A null activation (the main window lost focus) keeps the last active CFile.
    auto *doc = qobject_cast<FrmDocument *>(w);
    if (!doc || !doc->doc())
        return;
    m_files->setActive(doc->doc());
    disconnect(m_cursorConn);
    disconnect(m_textConn);
    disconnect(m_selectionConn);
    m_cursorConn = connect(doc->rtfText(), &QTextEdit::cursorPositionChanged, this, [this] {
        updateLineDisplay();
        Q_EMIT commandStateChanged();
    });
    m_textConn = connect(doc->rtfText(), &QTextEdit::textChanged, this, &CFileWorkspace::commandStateChanged);
    m_selectionConn =
        connect(doc->rtfText(), &QTextEdit::selectionChanged, this, &CFileWorkspace::commandStateChanged);
    updateLineDisplay();
}

void CFileWorkspace::installFileMenu(QMenu *file, QAction *before)
{
    m_fileMenu = file;
    auto add = [&](const char *name, const QString &text, void (CFileManager::*cmd)(),
                   const QKeySequence &keys = {}) {
        auto *a = new QAction(text, file);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, m_files.get(), cmd);
        file->insertAction(before, a);
        return a;
    };
    add("mnuFileNew", QStringLiteral("&New"), &CFileManager::mnuFileNew, QKeySequence::New);
    add("mnuFileOpen", QStringLiteral("&Open..."), &CFileManager::mnuFileOpen, QKeySequence::Open);
    add("mnuFileClose", QStringLiteral("&Close"), &CFileManager::mnuFileClose);
    add("mnuFileCloseAll", QStringLiteral("Close A&ll"), &CFileManager::mnuFileCloseAll);
    file->insertSeparator(before);
    add("mnuFileSave", QStringLiteral("&Save"), &CFileManager::mnuFileSave, QKeySequence::Save);
    add("mnuFileSaveAs", QStringLiteral("Save &As..."), &CFileManager::mnuFileSaveAs);
    add("mnuFileSaveAll", QStringLiteral("Sav&e All"), &CFileManager::mnuFileSaveAll);
    add("mnuFileSaveSelectionAs", QStringLiteral("Save Selec&tion As..."), &CFileManager::mnuFileSaveSelectionAs);
    add("mnuFileRevert", QStringLiteral("&Revert"), &CFileManager::mnuFileRevert);
    file->insertSeparator(before);
    add("mnuCFileReSeq", QStringLiteral("Reset CFile Se&quence"), &CFileManager::mnuCFileReSeq);
    m_mruSeparator = file->insertSeparator(before);
    rebuildMru();
}

void CFileWorkspace::rebuildMru()
{
    if (!m_fileMenu)
        return;
    qDeleteAll(m_mruActions);
    m_mruActions.clear();
    const QStringList entries = m_files->mru().entries();
    // Entries go after the separator that ends the document commands.
    const QList<QAction *> all = m_fileMenu->actions();
    const qsizetype at = all.indexOf(m_mruSeparator);
    QAction *before = (at >= 0 && at + 1 < all.size()) ? all.at(at + 1) : nullptr;
    for (int i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), m_fileMenu);
        a->setObjectName(QStringLiteral("mnuFileMRUItem"));
        a->setProperty("Index", i);
        connect(a, &QAction::triggered, m_files.get(), [this, path] { m_files->mnuFileMRUItem(path); });
        m_fileMenu->insertAction(before, a);
        m_mruActions << a;
    }
    if (!entries.isEmpty())
        m_mruActions << m_fileMenu->insertSeparator(before);
}

void CFileWorkspace::installLineDisplay(QStatusBar *bar)
{
    m_lineLabel = new QLabel(bar);
    m_lineLabel->setObjectName(QStringLiteral("sbrPanelLine"));
    bar->addPermanentWidget(m_lineLabel);
    updateLineDisplay();
}

void CFileWorkspace::updateLineDisplay()
{
    if (!m_lineLabel)
        return;
    CFileDoc *doc = m_files->active();
    m_lineLabel->setText(doc ? CFileManager::lineDisplay(doc->caretLine(), doc->lineCount()) : QString());
}

} // namespace zx
