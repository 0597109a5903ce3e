#pragma once
// frmLedsSEP, "Chronograph Control": Start Shooting, Stop Shooting, Remote Control Only and
// the switch "Edit Mode On" (editing the LogPad while shots are recorded). Shown modally.
#include <QDialog>

#include <functional>

class QCheckBox;

namespace zx {

class FrmLedsSep : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool()> editMode;            // the application flag
        std::function<void(bool)> setEditMode;
        std::function<void()> refresh;             // the main window's command state
    };
    FrmLedsSep(Hooks hooks, QWidget *parent = nullptr);
    // The key pressed (0 Start Shooting, 1 Stop Shooting, 2 Remote Control Only), -1 none.
    int chosenKey() const { return m_chosen; }

private:
    Hooks m_hooks;
    QCheckBox *m_edit = nullptr;
    int m_chosen = -1;
};

} // namespace zx
