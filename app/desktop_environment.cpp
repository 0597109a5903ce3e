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
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->size() : QSize(800, 600);
}

QString DesktopEnvironment::programDir() const { return QCoreApplication::applicationDirPath(); }

} // namespace zx
