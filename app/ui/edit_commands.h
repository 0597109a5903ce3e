#pragma once
// The editing and formatting commands of the main window's toolbars and Edit menu,
// applied to the active CFile's editor. Commands whose windows come later (terminal,
// keypad) show the "temporarily disabled" notice; the iPad button opens the remote control
// panel (app/ui/remote_panel_desk), Search the find window (app/ui/edit_windows_desk).
namespace zx {

class CFileWorkspace;
class FrmMdi;
struct MainToolbars;

void installEditCommands(FrmMdi &mdi, CFileWorkspace &ws, const MainToolbars &tools);

} // namespace zx
