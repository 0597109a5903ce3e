#include "app/ui/main_toolbars.h"

#include "app/mode_commands.h"
#include "app/ui/app_icons.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QToolBar>

namespace zx {

namespace {

struct ButtonDef {
    QString key;
    const char *text;
    const char *tip;
    bool checkable;
};

QAction *addButton(QToolBar *bar, MainToolbars &out, const ButtonDef &d)
{
    QAction *a = bar->addAction(commandIcon(commandIconName(d.key)), QString::fromUtf8(d.text));
    a->setObjectName(d.key);
    a->setToolTip(QString::fromUtf8(d.tip));
    a->setCheckable(d.checkable);
    out.actions.insert(d.key, a);
    return a;
}

} // namespace

MainToolbars fillMainToolbars(QToolBar *standard, QToolBar *format)
{
    MainToolbars out;
    if (standard) {
        const ButtonDef defs[] = {
            {cmd::New, "New", "New CFile", false},
            {cmd::Open, "Open", "Open CFile", false},
            {cmd::Save, "Save", "Save CFile", false},
            {cmd::Print, "Print", "Print", false},
            {cmd::Cut, "Cut", "Cut", false},
            {cmd::Copy, "Copy", "Copy", false},
            {cmd::Paste, "Paste", "Paste", false},
            {cmd::Undo, "Undo", "Undo", false},
            {cmd::Redo, "Redo", "Redo", false},
            {cmd::Search, "Find", "Find and replace", false},
            {cmd::WordWrap, "Wrap", "Word wrap", true},
            {cmd::Connect, "Connect", "Open or close the chronograph's port", true},
            {cmd::Properties, "Setup", "Port properties and chronograph detection", false},
            {cmd::IPad, "iPad", "Remote control panel", false},
            {cmd::BTerminal, "Terminal", "Terminal window", false},
            {cmd::Keypad, "Keypad", "Chronograph keypad", false},
        };
        for (const ButtonDef &d : defs) {
            if (d.key == cmd::Cut || d.key == cmd::Search || d.key == cmd::Connect)
                standard->addSeparator();
            addButton(standard, out, d);
        }
    }
    if (format) {
        out.fontName = new QFontComboBox(format);
        out.fontName->setObjectName(QStringLiteral("cboFontName"));
        format->addWidget(out.fontName);
        out.fontSize = new QComboBox(format);
        out.fontSize->setObjectName(QStringLiteral("cboFontSize"));
        out.fontSize->setEditable(true);
        for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
            out.fontSize->addItem(QString::number(s));
        format->addWidget(out.fontSize);
        format->addSeparator();
        const ButtonDef defs[] = {
            {cmd::Bold, "B", "Bold", true},
            {cmd::Italic, "I", "Italic", true},
            {cmd::Underline, "U", "Underline", true},
            {cmd::StrikeThru, "S", "Strike through", true},
            {cmd::Left, "Left", "Align left", true},
            {cmd::Center, "Center", "Centre", true},
            {cmd::Right, "Right", "Align right", true},
            {cmd::Bullet, "Bullet", "Bullet", true},
            {cmd::CaseToUpper, "AB", "Upper case", false},
            {cmd::CaseToLower, "ab", "Lower case", false},
            {cmd::TabLeft, "<Tab", "Indent less", false},
            {cmd::TabRight, "Tab>", "Indent more", false},
            {cmd::TruFont, "Font", "Font", false},
        };
        for (const ButtonDef &d : defs) {
            if (d.key == cmd::Left || d.key == cmd::CaseToUpper)
                format->addSeparator();
            addButton(format, out, d);
        }
    }
    return out;
}

} // namespace zx
