#pragma once
// Applies the mode and status view to real windows: command states by objectName
// (actions, menus, buttons), the main window's caption and status panel.
#include "app/status_refresh.h"

class QWidget;
class QMainWindow;

namespace zx {

// Sets enabled/checked/visible/text of every named command found under root.
// Names with no object are skipped (their owners may not exist yet).
void applyCommandStates(QWidget *root, const CommandStates &states);

// The main window's part of the view: caption, commands, the "Sensitivity"
// panel (objectName sbrPanelSens) and the Connect button.
class MainWindowModeView : public ModeView {
public:
    explicit MainWindowModeView(QMainWindow *w) : m_window(w) {}
    void applyView(const ViewState &v) override;
    void applyCommands(const CommandStates &c) override;

private:
    QMainWindow *m_window;
};

// A support window whose caption follows the view (the terminal, the remote
// panel, the properties and notes windows).
class CaptionModeView : public ModeView {
public:
    enum Which { Remote, Terminal, Properties, Notes };
    CaptionModeView(QWidget *w, Which which) : m_window(w), m_which(which) {}
    void applyView(const ViewState &v) override;

private:
    QWidget *m_window;
    Which m_which;
};

} // namespace zx
