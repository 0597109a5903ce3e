#include "app/desktop_environment.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace zx {

QString settingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

DesktopEnvironment::DesktopEnvironment() : m_copies(QCoreApplication::applicationFilePath(), settingsFolder()) {}

bool DesktopEnvironment::anotherCopyRunning() { return m_copies.registerAndCheck(); }

QSize DesktopEnvironment::primaryScreenSize() const
{
    // Device pixels: a 1280 x 720 screen scaled by 1.25 is still 1280 x 720, not 1024 x 576.
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? (QSizeF(s->size()) * s->devicePixelRatio()).toSize() : QSize(800, 600);
}

QString DesktopEnvironment::programDir() const { return QCoreApplication::applicationDirPath(); }

} // namespace zx
