#pragma once
// Icons of the toolbar buttons and menu commands, found by the commands' objectNames: the
// desktop theme's icon of the freedesktop name when there is one, else the program's own
// drawing of it (app/ui/icons, compiled into the program). Captions stay as tool tips and
// accessible names.
#include <QIcon>
#include <QString>

class QWidget;

namespace zx {

// The freedesktop icon name for a command's objectName ("" when it has none).
QString commandIconName(const QString &objectName);
// Theme icon of that name, the program's own as fallback.
QIcon commandIcon(const QString &iconName);
// Gives every action under root that has an icon name its icon; the application icon too.
// Windows shown later get theirs when they are shown.
void applyCommandIcons(QWidget *root);

} // namespace zx
