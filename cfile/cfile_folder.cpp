#include "cfile/cfile_folder.h"

#include "cfile/cfile_names.h"
#include "cfile/cfile_settings.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zx {

QString cfileFolder(const SettingsStore &settings, const QString &app)
{
    const QString stored = settings.read(app, cfilekeys::CFileFolder);
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return QDir(stored).absolutePath();
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

void rememberCFileFolder(SettingsStore &settings, const QString &app, const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (settings.read(app, cfilekeys::CFileFolder) != folder)
        settings.write(app, cfilekeys::CFileFolder, folder);
}

QString cfilePathFor(const QString &folder, const QString &name)
{
    QString path = QDir::cleanPath(QDir(folder).filePath(name));
    if (extClass(fileTitle(path)) == 9)
        path += QStringLiteral(".rtf");
    return path;
}

} // namespace zx
