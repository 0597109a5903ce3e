#include "app/ui/edit_commands.h"

#include "app/mode_commands.h"
#include "app/ui/edit_windows_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/keypad_desk.h"
#include "app/ui/main_toolbars.h"
#include "app/ui/terminal_desk.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDialog>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

#include <functional>

namespace zx {

namespace {

using EditorFn = std::function<void(QTextEdit *)>;

// Runs f on the active CFile's editor; nothing without one.
std::function<void()> onEditor(CFileWorkspace &ws, EditorFn f)
{
    return [&ws, f = std::move(f)] {
        if (FrmDocument *doc = ws.activeWindow()) {
            f(doc->rtfText());
            doc->rtfText()->setFocus();
        }
    };
}

// Like onEditor, for commands that change the text: nothing while the record is
// protected (Shoot mode), even when triggered from a shortcut.
std::function<void()> onEditable(CFileWorkspace &ws, EditorFn f)
{
    return onEditor(ws, [f = std::move(f)](QTextEdit *e) {
        if (!e->isReadOnly())
            f(e);
    });
}

void mergeFormat(QTextEdit *e, const std::function<void(QTextCharFormat &)> &set)
{
    QTextCharFormat f;
    set(f);
    QTextCursor c = e->textCursor();
    if (c.hasSelection())
        c.mergeCharFormat(f);
    e->mergeCurrentCharFormat(f);
}

void changeCase(QTextEdit *e, bool upper)
{
    QTextCursor c = e->textCursor();
    if (!c.hasSelection())
        return;
    const int a = c.anchor(), p = c.position();
    const QString t = c.selectedText();
    c.insertText(upper ? t.toUpper() : t.toLower());
    c.setPosition(a);
    c.setPosition(p, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

void indent(QTextEdit *e, int step)
{
    QTextCursor c = e->textCursor();
    QTextBlockFormat f = c.blockFormat();
    f.setIndent(qMax(0, f.indent() + step));
    c.mergeBlockFormat(f);
}

void toggleBullet(QTextEdit *e)
{
    QTextCursor c = e->textCursor();
    if (QTextList *list = c.currentList()) {
        QTextBlockFormat bf = c.blockFormat();
        for (QTextBlock b = e->document()->findBlock(c.selectionStart());
             b.isValid() && b.position() <= c.selectionEnd(); b = b.next())
            list->remove(b);
        bf.setIndent(0);
        c.setBlockFormat(bf);
    } else {
        QTextListFormat lf;
        lf.setStyle(QTextListFormat::ListDisc);
        c.createList(lf);
    }
}

void bind(QAction *a, std::function<void()> f)
{
    if (a)
        QObject::connect(a, &QAction::triggered, a, [f = std::move(f)] { f(); });
}

// The View menu's three view modes and the WordWrap button, pressed only in mode 1; both
// follow the stored mode from the start and after every change.
void installViewModes(FrmMdi &mdi, CFileManager &files, QAction *wordWrap)
{
    QMenu *view = mdi.menuNamed(QStringLiteral("mnuView"));
    if (!view)
        return;
    view->addSeparator();
    auto *group = new QActionGroup(view);
    const struct {
        const char *name;
        const char *text;
    } modes[] = {{"mnuWrapLineOff", "&No Wrap"}, {"mnuWrapLineOn", "Wrap to &Window"}, {"mnuWrapLinePage", "Wrap to &Page"}};
    QList<QAction *> items;
    for (const auto &m : modes) {
        QAction *a = view->addAction(QString::fromLatin1(m.text));
        a->setObjectName(QString::fromLatin1(m.name));
        a->setCheckable(true);
        group->addAction(a);
        items << a;
    }
    const auto sync = [&files, items, wordWrap] {
        const int mode = files.viewMode();
        for (int i = 0; i < items.size(); ++i)
            items[i]->setChecked(i == mode);
        if (wordWrap)
            wordWrap->setChecked(mode == 1);
    };
    for (int i = 0; i < items.size(); ++i)
        bind(items[i], [&files, sync, i] {
            files.setViewMode(i);
            sync();
        });
    if (wordWrap)
        bind(wordWrap, [&files, sync] {
            files.setViewMode(files.viewMode() == 1 ? 0 : 1);
            sync();
        });
    sync();
}

} // namespace

void installEditCommands(FrmMdi &mdi, CFileWorkspace &ws, const MainToolbars &tools)
{
    const auto tool = [&tools](const QString &key) { return tools.action(key); };
    CFileManager &files = ws.files();

    // Edit menu, twins of the toolbar's buttons.
    if (QMenu *edit = mdi.menuNamed(QStringLiteral("mnuEdit"))) {
        const auto add = [&](const char *name, const QString &text, const QKeySequence &keys, const QString &key) {
            QAction *a = edit->addAction(text);
            a->setObjectName(QString::fromLatin1(name));
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            QObject::connect(a, &QAction::triggered, tool(key), &QAction::trigger);
        };
        add("mnuEditUndo", QStringLiteral("&Undo"), QKeySequence::Undo, cmd::Undo);
        add("mnuEditRedo", QStringLiteral("&Redo"), QKeySequence::Redo, cmd::Redo);
        edit->addSeparator();
        add("mnuEditCut", QStringLiteral("Cu&t"), QKeySequence::Cut, cmd::Cut);
        add("mnuEditCopy", QStringLiteral("&Copy"), QKeySequence::Copy, cmd::Copy);
        add("mnuEditPaste", QStringLiteral("&Paste"), QKeySequence::Paste, cmd::Paste);
    }

    bind(tool(cmd::New), [&files] { files.mnuFileNew(); });
    bind(tool(cmd::Open), [&files] { files.mnuFileOpen(); });
    bind(tool(cmd::Save), [&files] { files.mnuFileSave(); });
    bind(tool(cmd::Cut), onEditable(ws, [](QTextEdit *e) { e->cut(); }));
    bind(tool(cmd::Copy), onEditor(ws, [](QTextEdit *e) { e->copy(); }));
    bind(tool(cmd::Paste), onEditable(ws, [](QTextEdit *e) { e->paste(); }));
    bind(tool(cmd::Undo), onEditable(ws, [](QTextEdit *e) { e->undo(); }));
    bind(tool(cmd::Redo), onEditable(ws, [](QTextEdit *e) { e->redo(); }));
    installEditWindows(mdi, ws, tool(cmd::Search));
    installViewModes(mdi, files, tool(cmd::WordWrap));
    bind(tool(cmd::BTerminal), [&mdi] { openTerminalWindow(mdi); });
    bindKeypadTool(mdi, tool(cmd::Keypad));

    bind(tool(cmd::Bold), onEditor(ws, [a = tool(cmd::Bold)](QTextEdit *e) {
             mergeFormat(e, [on = a->isChecked()](QTextCharFormat &f) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
         }));
    bind(tool(cmd::Italic), onEditor(ws, [a = tool(cmd::Italic)](QTextEdit *e) {
             mergeFormat(e, [on = a->isChecked()](QTextCharFormat &f) { f.setFontItalic(on); });
         }));
    bind(tool(cmd::Underline), onEditor(ws, [a = tool(cmd::Underline)](QTextEdit *e) {
             mergeFormat(e, [on = a->isChecked()](QTextCharFormat &f) { f.setFontUnderline(on); });
         }));
    bind(tool(cmd::StrikeThru), onEditor(ws, [a = tool(cmd::StrikeThru)](QTextEdit *e) {
             mergeFormat(e, [on = a->isChecked()](QTextCharFormat &f) { f.setFontStrikeOut(on); });
         }));
    bind(tool(cmd::Left), onEditor(ws, [](QTextEdit *e) { e->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); }));
    bind(tool(cmd::Center), onEditor(ws, [](QTextEdit *e) { e->setAlignment(Qt::AlignHCenter); }));
    bind(tool(cmd::Right), onEditor(ws, [](QTextEdit *e) { e->setAlignment(Qt::AlignRight | Qt::AlignAbsolute); }));
    bind(tool(cmd::Bullet), onEditor(ws, toggleBullet));
    bind(tool(cmd::CaseToUpper), onEditable(ws, [](QTextEdit *e) { changeCase(e, true); }));
    bind(tool(cmd::CaseToLower), onEditable(ws, [](QTextEdit *e) { changeCase(e, false); }));
    bind(tool(cmd::TabLeft), onEditor(ws, [](QTextEdit *e) { indent(e, -1); }));
    bind(tool(cmd::TabRight), onEditor(ws, [](QTextEdit *e) { indent(e, 1); }));
    bind(tool(cmd::TruFont), onEditor(ws, [&mdi](QTextEdit *e) {
             bool ok = false;
             const QFont f = QFontDialog::getFont(&ok, e->currentFont(), &mdi);
             if (ok)
                 mergeFormat(e, [&f](QTextCharFormat &x) { x.setFont(f, QTextCharFormat::FontPropertiesSpecifiedOnly); });
         }));
    if (tools.fontName)
        QObject::connect(tools.fontName, &QFontComboBox::textActivated, &ws, [&ws](const QString &family) {
            onEditor(ws, [&family](QTextEdit *e) {
                mergeFormat(e, [&family](QTextCharFormat &f) { f.setFontFamilies({family}); });
            })();
        });
    if (tools.fontSize)
        QObject::connect(tools.fontSize, &QComboBox::textActivated, &ws, [&ws](const QString &size) {
            const double pt = size.toDouble();
            if (pt > 0)
                onEditor(ws, [pt](QTextEdit *e) { mergeFormat(e, [pt](QTextCharFormat &f) { f.setFontPointSize(pt); }); })();
        });
}

} // namespace zx
