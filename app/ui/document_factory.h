#pragma once
// Where the main window gets its CFile windows: the CFile workspace (cfile/ui) installed
// into the main window, with the File menu commands, the line display and the closing of
// every CFile at exit.
#include <QString>

class QMdiSubWindow;

namespace zx {

class CFileWorkspace;
class FrmMdi;

// Creates the CFile workspace as a child of the main window (once, at start-up).
CFileWorkspace *installCFiles(FrmMdi &mdi);
// The main window's CFile workspace (installed on first use).
CFileWorkspace *cfileWorkspace(FrmMdi &mdi);

// A new, empty CFile window in the main window's MDI area, shown and active.
QMdiSubWindow *createCFileWindow(FrmMdi &mdi);
// Loads a file into a CFile window; caption = path, changed flag cleared. False and
// *error set when the file cannot be read.
bool loadIntoCFileWindow(QMdiSubWindow *doc, const QString &path, bool rich, QString *error);

} // namespace zx
