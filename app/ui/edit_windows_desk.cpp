#include "app/ui/edit_windows_desk.h"

#include "app/error_report.h"
#include "app/ui/frm_mdi.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "edit/ui/frm_find.h"
#include "edit/ui/frm_symbols.h"
#include "edit/ui/frm_time_date.h"

#include <QAction>
#include <QMenu>
#include <QTextEdit>

namespace zx {

namespace {

// The active CFile when it may be changed (not while the record is protected).
InsertTarget insertTarget(CFileWorkspace &ws)
{
    return {[&ws]() -> CFileDoc * {
                FrmDocument *w = ws.activeWindow();
                return w && !w->rtfText()->isReadOnly() ? w->doc() : nullptr;
            },
            [&ws] {
                if (FrmDocument *w = ws.activeWindow())
                    w->rtfText()->setFocus();
            }};
}

} // namespace

EditWindowsDesk::EditWindowsDesk(FrmMdi &mdi, CFileWorkspace &ws, QAction *searchTool)
    : QObject(&mdi), m_mdi(mdi), m_ws(ws), m_session(*mdi.context().prompter)
{
    setObjectName(QStringLiteral("editWindowsDesk"));
    // The histories go into the settings before the exit flushes them (and perhaps clears them).
    mdi.shutdownHooks().destroyWindows.push_back([this] {
        if (m_find)
            m_find->saveSettings();
        delete m_find.data();
    });
    connect(&ws.files(), &CFileManager::activeChanged, this, [this] {
        if (m_find)
            m_find->restartSearch();
    });
    if (searchTool)
        connect(searchTool, &QAction::triggered, this, [this] { findWindow()->open(false); });
    QMenu *edit = mdi.menuNamed(QStringLiteral("mnuEdit"));
    if (!edit)
        return;
    const auto add = [&](const char *name, const QString &text, const QKeySequence &keys, auto f) {
        QAction *a = edit->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        mdi.addAction(a);   // the keys work wherever the focus is in the main window
        connect(a, &QAction::triggered, this, f);
    };
    edit->addSeparator();
    add("mnuEditFind", QStringLiteral("&Find..."), QKeySequence::Find, [this] { findWindow()->open(false); });
    add("mnuEditFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), [this] { findWindow()->findNext(); });
    add("mnuEditReplace", QStringLiteral("R&eplace..."), QKeySequence(Qt::CTRL | Qt::Key_H), [this] { findWindow()->open(true); });
    edit->addSeparator();
    add("mnuInsertDateTime", QStringLiteral("Insert &Date and Time..."), QKeySequence(), [this] { timeDateWindow()->open(); });
    add("mnuInsertSymbol", QStringLiteral("Insert &Symbol..."), QKeySequence(), [this] {
        FrmDocument *w = m_ws.activeWindow();
        symbolsWindow()->open(w ? w->rtfText()->currentFont() : m_mdi.font());
    });
}

EditWindowsDesk::~EditWindowsDesk()
{
    delete m_find.data();
}

FrmFind *EditWindowsDesk::findWindow()
{
    if (!m_find) {
        AppContext &ctx = m_mdi.context();
        CFileWorkspace &ws = m_ws;
        FindTarget target{[&ws]() -> CFileDoc * { return ws.files().needActiveCFile() ? nullptr : ws.files().active(); },
                          [&ws] {
                              FrmDocument *w = ws.activeWindow();
                              return w && !w->rtfText()->isReadOnly();
                          },
                          insertTarget(ws).focusDoc,
                          [&ws] { return ws.files().active(); },
                          [&ctx](const QString &description, int number, const QString &location) {
                              reportError(ctx, number, description, location);
                          }};
        FindSettingsAccess settings{&ctx.store, ctx.instanceName(), [&ctx] { return ctx.soft.getRegistry; },
                                    [&ctx] { return ctx.soft.saveRegistry; }};
        m_find = new FrmFind(m_session, *ctx.prompter, std::move(target), std::move(settings), &m_mdi);
    }
    return m_find;
}

FrmTimeDate *EditWindowsDesk::timeDateWindow()
{
    if (!m_timeDate)
        m_timeDate = new FrmTimeDate(*m_mdi.context().prompter, insertTarget(m_ws), systemClock, &m_mdi);
    return m_timeDate;
}

FrmSymbols *EditWindowsDesk::symbolsWindow()
{
    if (!m_symbols)
        m_symbols = new FrmSymbols(insertTarget(m_ws), &m_mdi);
    return m_symbols;
}

EditWindowsDesk *installEditWindows(FrmMdi &mdi, CFileWorkspace &ws, QAction *searchTool)
{
    if (EditWindowsDesk *d = editWindowsDesk(mdi))
        return d;
    return new EditWindowsDesk(mdi, ws, searchTool);
}

EditWindowsDesk *editWindowsDesk(FrmMdi &mdi)
{
    return mdi.findChild<EditWindowsDesk *>(QStringLiteral("editWindowsDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
