#include "support/temp_settings.h"

#include "app/settings_keys.h"
#include "platform/settings_store.h"

#include <QFile>
#include <QSettings>

namespace zx::test {

TempSettings::TempSettings() : m_oldXdg(qgetenv("XDG_CONFIG_HOME")), m_oldProgramDir(qgetenv("ZX_PROGRAM_DIR"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    qputenv("ZX_PROGRAM_DIR", (m_dir.path() + QStringLiteral("/program")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    // The documents folder (where new workbooks of unsaved CFiles go) inside this folder too.
    QFile dirs(m_dir.filePath(QStringLiteral("user-dirs.dirs")));
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_DOCUMENTS_DIR=\"" + m_dir.filePath(QStringLiteral("Documents")).toLocal8Bit() + "\"\n");
}

void TempSettings::selectChronographByHand() const
{
    SettingsStore store;
    for (int n = 0; n <= 16; ++n) {
        const QString app = QStringLiteral("Zentrix") + QString::number(n);
        store.writeBool(app, keys::frmComSet::AutoDetect, false);
        store.writeBool(app, keys::frmComSet::AutoConnect, false);
        store.writeInt(app, keys::frmComSet::ChronSelect, 0);
        store.flush(app);
    }
}

TempSettings::~TempSettings()
{
    qputenv("XDG_CONFIG_HOME", m_oldXdg);
    if (m_oldProgramDir.isNull())
        qunsetenv("ZX_PROGRAM_DIR");
    else
        qputenv("ZX_PROGRAM_DIR", m_oldProgramDir);
}

} // namespace zx::test
