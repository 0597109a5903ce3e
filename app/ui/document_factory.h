#pragma once
// Where the main window gets its CFile windows. A plain text editor in an MDI child named
// frmDocument (editor rtfText) stands in here; the CFile windows replace these two functions.
#include <QString>

class QMdiSubWindow;

namespace zx {

class FrmMdi;

// A new, empty CFile window in the main window's MDI area, shown and active.
QMdiSubWindow *createCFileWindow(FrmMdi &mdi);
// Loads a file into a CFile window; caption = path, changed flag cleared. False and
// *error set when the file cannot be read.
bool loadIntoCFileWindow(QMdiSubWindow *doc, const QString &path, bool rich, QString *error);

} // namespace zx
