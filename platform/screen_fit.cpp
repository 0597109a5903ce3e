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

namespace {
qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect c = a.intersected(b);
    return c.isEmpty() ? 0 : qint64(c.width()) * c.height();
}
} // namespace

QRect placeBeside(const QRect &window, const QSize &minimum, const QRect &main, const QList<QRect> &taken,
                  const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return window;
    const QRect s = screenFor(main, screens);
    const QSize full = window.size().boundedTo(s.size());
    // The whole window first; then, narrower or lower down to its minimum, the sizes that fit
    // the room between the main window, the open windows and the screen's edges.
    QList<int> ws{full.width(), main.left() - s.left(), s.right() - main.right()};
    QList<int> hs{full.height(), main.top() - s.top(), s.bottom() - main.bottom()};
    for (const QRect &t : taken) {
        ws << t.left() - s.left() << s.right() - t.right();
        hs << t.top() - s.top() << s.bottom() - t.bottom();
    }
    QList<QSize> sizes;
    for (int w : ws)
        for (int h : hs)
            if (const QSize z = QSize(w, h).expandedTo(minimum).boundedTo(full); !sizes.contains(z))
                sizes << z;
    QRect best;
    qint64 bestMain = -1, bestTaken = 0, bestArea = 0;
    for (const QSize &size : sizes) {
        const int w = size.width(), h = size.height();
        // Columns next to the main window first, then next to the open windows, then the
        // screen's edges; rows from the screen's top first, which leaves the most room below
        // for the next window. The first place that covers least wins.
        QList<int> xs{main.right() + 1, main.left() - w}, ys{s.top(), main.top(), main.bottom() + 1, main.top() - h};
        for (const QRect &t : taken) {
            xs << t.right() + 1 << t.left() - w;
            ys << t.bottom() + 1 << t.top() - h;
        }
        xs << s.left() << s.right() - w + 1;
        ys << s.bottom() - h + 1;
        for (int x : xs)
            for (int y : ys) {
                const QRect r(std::clamp(x, s.left(), s.right() - w + 1), std::clamp(y, s.top(), s.bottom() - h + 1), w, h);
                const qint64 onMain = overlap(r, main), area = qint64(w) * h;
                qint64 onTaken = 0;
                for (const QRect &t : taken)
                    onTaken += overlap(r, t);
                if (bestMain < 0 || onMain < bestMain || (onMain == bestMain && onTaken < bestTaken)
                    || (onMain == bestMain && onTaken == bestTaken && area > bestArea)) {
                    best = r;
                    bestMain = onMain;
                    bestTaken = onTaken;
                    bestArea = area;
                }
            }
    }
    return best;
}

} // namespace zx
