#pragma once
// The main window's standard and format toolbars with their named buttons. Each
// button is a QAction whose objectName is its toolbar key ("Save", "Bold", ...);
// owners of the commands connect to them by name.
#include <QHash>
#include <QString>

class QAction;
class QFontComboBox;
class QComboBox;
class QToolBar;

namespace zx {

struct MainToolbars {
    QHash<QString, QAction *> actions;   // by key
    QFontComboBox *fontName = nullptr;   // cboFontName
    QComboBox *fontSize = nullptr;       // cboFontSize
    QAction *action(const QString &key) const { return actions.value(key); }
};

// Fills the two toolbars (created by the main window) and returns the actions.
MainToolbars fillMainToolbars(QToolBar *standard, QToolBar *format);

} // namespace zx
