#include "app/ui/app_icons.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QToolBar>
#include <QWidget>

static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace zx {

QString commandIconName(const QString &objectName)
{
    // Toolbar buttons by their key, menu commands by their mnu name.
    static const QHash<QString, QString> names{
        {"New", "document-new"}, {"mnuFileNew", "document-new"},
        {"Open", "document-open"}, {"mnuFileOpen", "document-open"},
        {"Save", "document-save"}, {"mnuFileSave", "document-save"},
        {"mnuFileSaveAs", "document-save-as"},
        {"Print", "document-print"}, {"mnuFilePrint", "document-print"},
        {"mnuFilePrintPreview", "document-print-preview"},
        {"mnuFileClose", "document-close"}, {"mnuFileExit", "application-exit"},
        {"mnuFileExportCsv", "document-export"},
        {"Cut", "edit-cut"}, {"mnuEditCut", "edit-cut"},
        {"Copy", "edit-copy"}, {"mnuEditCopy", "edit-copy"},
        {"Paste", "edit-paste"}, {"mnuEditPaste", "edit-paste"},
        {"Undo", "edit-undo"}, {"mnuEditUndo", "edit-undo"},
        {"Redo", "edit-redo"}, {"mnuEditRedo", "edit-redo"},
        {"Search", "edit-find"}, {"mnuEditFind", "edit-find"}, {"mnuEditReplace", "edit-find-replace"},
        {"WordWrap", "text-wrap"},
        {"Connect", "network-connect"}, {"mnuConnect", "network-connect"},
        {"Properties", "preferences-system"}, {"mnuProperties", "preferences-system"},
        {"iPad", "input-tablet"}, {"mnuRemPanel", "input-tablet"}, {"mnuIRemote", "input-tablet"},
        {"BTerminal", "utilities-terminal"}, {"mnuTerminal", "utilities-terminal"},
        {"Keypad", "input-keyboard"}, {"mnuKeyPad", "input-keyboard"},
        {"Bold", "format-text-bold"}, {"mnuFmtBold", "format-text-bold"},
        {"Italic", "format-text-italic"}, {"mnuFmtItalic", "format-text-italic"},
        {"Underline", "format-text-underline"}, {"mnuFmtUnderline", "format-text-underline"},
        {"StrikeThru", "format-text-strikethrough"}, {"mnuFmtStrikeThru", "format-text-strikethrough"},
        {"Left", "format-justify-left"}, {"mnuFmtLeft", "format-justify-left"},
        {"Center", "format-justify-center"}, {"mnuFmtCenter", "format-justify-center"},
        {"Right", "format-justify-right"}, {"mnuFmtRight", "format-justify-right"},
        {"Bullet", "format-list-unordered"}, {"mnuFmtBullet", "format-list-unordered"},
        {"CaseToUpper", "format-text-uppercase"}, {"mnuFmtCaseUpper", "format-text-uppercase"},
        {"CaseToLower", "format-text-lowercase"}, {"mnuFmtCaseLower", "format-text-lowercase"},
        {"TabLeft", "format-indent-less"}, {"mnuFmtTabLeft", "format-indent-less"},
        {"TabRight", "format-indent-more"}, {"mnuFmtTabRight", "format-indent-more"},
        {"TruFont", "preferences-desktop-font"}, {"mnuFmtFont", "preferences-desktop-font"},
        {"mnuRemStart", "media-record"}, {"mnuRemStop", "media-playback-stop"},
        {"mnuRemRemo", "network-transmit-receive"}, {"mnuDetect", "system-search"},
        {"mnuDownloadString", "document-import"}, {"mnuDownloadFolder", "document-import"},
        {"mnuDownloadEDisk", "document-import"},
        {"mnuHelpAbout", "help-about"},
    };
    return names.value(objectName);
}

QIcon commandIcon(const QString &iconName)
{
    initIconResources();
    const QIcon own(QStringLiteral(":/zentrix/icons/") + iconName + QStringLiteral(".svg"));
    return QIcon::fromTheme(iconName, own);
}

namespace {
// Windows made after start-up (terminal, workbook, dialogs) get their icons when shown.
class IconsOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            if (auto *w = static_cast<QWidget *>(watched); w->isWindow())
                applyCommandIcons(w); // actions that have theirs already are passed over
        }
        return false;
    }
};
} // namespace

void applyCommandIcons(QWidget *root)
{
    if (static bool watching = false; !watching && qApp) {
        watching = true;
        qApp->installEventFilter(new IconsOnShow(qApp));
    }
    if (qApp->windowIcon().isNull())
        qApp->setWindowIcon(commandIcon(QStringLiteral("zentrix")));
    if (!root)
        return;
    for (QAction *a : root->findChildren<QAction *>()) {
        const QString name = commandIconName(a->objectName());
        if (name.isEmpty() || a->property("zxIconName").toString() == name)
            continue;
        a->setIcon(commandIcon(name));
        a->setProperty("zxIconName", name);
        if (a->toolTip().isEmpty())
            a->setToolTip(a->text());
    }
    // Buttons show the icon alone; the caption stays for screen readers.
    for (QToolBar *bar : root->findChildren<QToolBar *>())
        for (QAction *a : bar->actions())
            if (QWidget *button = bar->widgetForAction(a); button && !a->icon().isNull())
                button->setAccessibleName(a->text());
}

} // namespace zx
