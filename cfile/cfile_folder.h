#pragma once
// The folder of new CFiles, shared by the Save As dialog and the CFiles named on the remote
// panel: the folder of the last CFile saved or opened through a file dialog, else the user's
// documents folder (the home folder when there is none). Never the process's working folder,
// which depends on how the program was started.
#include <QString>

namespace zx {

class SettingsStore;

QString cfileFolder(const SettingsStore &settings, const QString &app);
// Remembers the folder of filePath, a CFile just saved or opened through a dialog.
void rememberCFileFolder(SettingsStore &settings, const QString &app, const QString &filePath);
// The file a CFile given the name `name` is saved as: in folder unless the name carries an
// absolute folder of its own, ".rtf" appended when it has no extension (as Save does).
QString cfilePathFor(const QString &folder, const QString &name);

} // namespace zx
