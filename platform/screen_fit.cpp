#include "platform/screen_fit.h"

#include <QRegion>

#include <algorithm>
#include <limits>

namespace zx {

QRect screenFor(const QRect &r, const QList<QRect> &screens)
{
    QRect best = screens.value(0);
    qint64 bestArea = -1, bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &s : screens) {
        const QRect common = s.intersected(r);
        const qint64 area = qint64(common.width()) * common.height();
        const qint64 dx = std::max({s.left() - r.left(), 0, r.left() - s.right()});
        const qint64 dy = std::max({s.top() - r.top(), 0, r.top() - s.bottom()});
        if (area > bestArea || (area == 0 && bestArea <= 0 && dx * dx + dy * dy < bestDistance)) {
            best = s;
            bestArea = area;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best;
}

bool onScreens(const QRect &r, const QList<QRect> &screens)
{
    QRegion outside(r);
    for (const QRect &s : screens)
        outside -= s;
    return outside.isEmpty();
}

QPoint fitWindowPlace(const QRect &r, const QList<QRect> &screens)
{
    if (screens.isEmpty() || onScreens(r, screens))
        return r.topLeft();
    const QRect s = screenFor(r, screens);
    return QPoint(s.left() + (s.width() - r.width()) / 2, s.top() + (s.height() - r.height()) / 2);
}

} // namespace zx
