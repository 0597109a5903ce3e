#include "support/temp_settings.h"

#include <QSettings>

namespace zx::test {

TempSettings::TempSettings() : m_oldXdg(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

TempSettings::~TempSettings()
{
    qputenv("XDG_CONFIG_HOME", m_oldXdg);
}

} // namespace zx::test
