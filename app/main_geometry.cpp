#include "app/main_geometry.h"

#include "app/error_report.h"
#include "app/settings_keys.h"
#include "platform/screen_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zx {
namespace {
constexpr int kMissing = -1;

int readTwips(AppContext &ctx, const SettingKey &k)
{
    const QString text = ctx.store.read(ctx.instanceName(), k);
    if (text.isEmpty())
        return kMissing;
    const auto v = SettingsStore::parseInt(text);
    if (!v) {
        reportError(ctx, kErrTypeMismatch,
                    QStringLiteral("Type mismatch (frmMDI\\") + QLatin1String(k.key) + QLatin1Char(')'),
                    QStringLiteral("frmMDI\\MDIForm_Load"));
        return kMissing;
    }
    return *v;
}
} // namespace

QRect fitMainGeometry(int x, int y, int w, int h, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return QRect(0, 0, std::max(w, kMinMainSideTwips), std::max(h, kMinMainSideTwips));
    const bool placed = x != kMissing && y != kMissing;
    const QRect screen = placed ? screenFor(QRect(x, y, std::max(w, 1), std::max(h, 1)), screens) : screens.first();
    if (w < kMinMainSideTwips || w > screen.width())
        w = std::min(kDefaultMainWidthTwips, screen.width());
    if (h < kMinMainSideTwips || h > screen.height())
        h = screen.height() * 2 / 3;
    if (!placed || !onScreens(QRect(x, y, w, h), screens)) {
        x = screen.left() + (screen.width() - w) / 2;
        y = screen.top() + (screen.height() - h) / 2;
    }
    return QRect(x, y, w, h);
}

QRect widenForToolbars(const QRect &placed, int neededWidth, const QRect &screen)
{
    const int width = std::min(neededWidth, screen.width());
    if (width <= placed.width())
        return placed;
    // The left edge stays where it was (the tool windows open beside the window's left side);
    // only a window that would leave its screen moves back onto it.
    QRect r = placed;
    r.setWidth(width);
    if (r.right() > screen.right())
        r.moveRight(screen.right());
    return r;
}

PixelGeometry restoreMainGeometry(AppContext &ctx, const QList<QRect> &screensPx, double tpp)
{
    const auto tw = [tpp](int px) { return static_cast<int>(std::lround(px * tpp)); };
    QList<QRect> screensTwips;
    for (const QRect &s : screensPx)
        screensTwips.append(QRect(tw(s.left()), tw(s.top()), tw(s.width()), tw(s.height())));
    const QRect t = fitMainGeometry(readTwips(ctx, keys::frmMDI::PosWinX), readTwips(ctx, keys::frmMDI::PosWinY),
                                    readTwips(ctx, keys::frmMDI::SizWinX), readTwips(ctx, keys::frmMDI::SizWinY),
                                    screensTwips);
    PixelGeometry g;
    g.pos = QPoint(static_cast<int>(std::lround(t.x() / tpp)), static_cast<int>(std::lround(t.y() / tpp)));
    g.size = QSize(static_cast<int>(std::lround(t.width() / tpp)), static_cast<int>(std::lround(t.height() / tpp)));
    return g;
}

void saveMainGeometry(AppContext &ctx, const PixelGeometry &g, double tpp)
{
    const QString app = ctx.instanceName();
    ctx.store.writeInt(app, keys::frmMDI::PosWinX, static_cast<int>(std::lround(g.pos.x() * tpp)));
    ctx.store.writeInt(app, keys::frmMDI::PosWinY, static_cast<int>(std::lround(g.pos.y() * tpp)));
    ctx.store.writeInt(app, keys::frmMDI::SizWinX, static_cast<int>(std::lround(g.size.width() * tpp)));
    ctx.store.writeInt(app, keys::frmMDI::SizWinY, static_cast<int>(std::lround(g.size.height() * tpp)));
}

} // namespace zx
