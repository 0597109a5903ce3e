#include "app/ui/main_toolbars.h"

#include "app/mode_commands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QStyle>
#include <QToolBar>

namespace zx {

namespace {

struct ButtonDef {
    QString key;
    const char *text;
    const char *tip;
    int icon;          // QStyle::StandardPixmap or -1
    bool checkable;
};

QAction *addButton(QToolBar *bar, MainToolbars &out, const ButtonDef &d)
{
    QAction *a = d.icon >= 0 ? bar->addAction(qApp->style()->standardIcon(QStyle::StandardPixmap(d.icon)),
                                              QString::fromUtf8(d.text))
                             : bar->addAction(QString::fromUtf8(d.text));
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
            {cmd::New, "New", "New CFile", QStyle::SP_FileIcon, false},
            {cmd::Open, "Open", "Open CFile", QStyle::SP_DialogOpenButton, false},
            {cmd::Save, "Save", "Save CFile", QStyle::SP_DialogSaveButton, false},
            {cmd::Print, "Print", "Print", -1, false},
            {cmd::Cut, "Cut", "Cut", -1, false},
            {cmd::Copy, "Copy", "Copy", -1, false},
            {cmd::Paste, "Paste", "Paste", -1, false},
            {cmd::Undo, "Undo", "Undo", QStyle::SP_ArrowBack, false},
            {cmd::Redo, "Redo", "Redo", QStyle::SP_ArrowForward, false},
            {cmd::Search, "Find", "Find and replace", QStyle::SP_FileDialogContentsView, false},
            {cmd::WordWrap, "Wrap", "Word wrap", -1, true},
            {cmd::Connect, "Connect", "Open or close the chronograph's port", QStyle::SP_DriveNetIcon, true},
            {cmd::Properties, "Setup", "Port properties and chronograph detection", QStyle::SP_ComputerIcon, false},
            {cmd::IPad, "iPad", "Remote control panel", -1, false},
            {cmd::BTerminal, "Terminal", "Terminal window", -1, false},
            {cmd::Keypad, "Keypad", "Chronograph keypad", -1, false},
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
            {cmd::Bold, "B", "Bold", -1, true},
            {cmd::Italic, "I", "Italic", -1, true},
            {cmd::Underline, "U", "Underline", -1, true},
            {cmd::StrikeThru, "S", "Strike through", -1, true},
            {cmd::Left, "Left", "Align left", -1, true},
            {cmd::Center, "Center", "Centre", -1, true},
            {cmd::Right, "Right", "Align right", -1, true},
            {cmd::Bullet, "Bullet", "Bullet", -1, true},
            {cmd::CaseToUpper, "AB", "Upper case", -1, false},
            {cmd::CaseToLower, "ab", "Lower case", -1, false},
            {cmd::TabLeft, "<Tab", "Indent less", -1, false},
            {cmd::TabRight, "Tab>", "Indent more", -1, false},
            {cmd::TruFont, "Font", "Font", -1, false},
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
