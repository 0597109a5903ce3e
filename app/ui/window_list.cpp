#include "app/ui/window_list.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace zx {

namespace {
const QLatin1String kPrefix("mnuWindowCFile");

void rebuild(QMenu *menu, QMdiArea *area)
{
    for (QAction *a : menu->actions())
        if (a->objectName().startsWith(kPrefix) || a->objectName() == QLatin1String("mnuWindowListSep"))
            delete a;
    const QList<QMdiSubWindow *> windows = area->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setObjectName(QStringLiteral("mnuWindowListSep"));
    int n = 0;
    for (QMdiSubWindow *w : windows) {
        ++n;
        QString title = w->windowTitle();
        title.replace(QLatin1String("[*]"), w->isWindowModified() ? QStringLiteral("*") : QString());
        // The first nine get a digit to type; an & in a name is shown, not taken as a key.
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto *a = menu->addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        a->setObjectName(kPrefix + QString::number(n));
        a->setCheckable(true);
        a->setChecked(w == area->activeSubWindow());
        QObject::connect(a, &QAction::triggered, area, [area, target = QPointer<QMdiSubWindow>(w)] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            area->setActiveSubWindow(target);
        });
    }
}
} // namespace

void listSubWindowsIn(QMenu *menu, QMdiArea *area)
{
    QObject::connect(menu, &QMenu::aboutToShow, area, [menu, area] { rebuild(menu, area); });
}

} // namespace zx
