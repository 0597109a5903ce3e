#pragma once
// The editing and formatting commands of the main window's toolbars and Edit menu,
// applied to the active CFile's editor. The iPad button opens the remote control panel
// (app/ui/remote_panel_desk), the Keypad button the keypad (app/ui/keypad_desk), the Terminal
// button the terminal (app/ui/terminal_desk), Search the find window (app/ui/edit_windows_desk).
namespace zx {

class CFileWorkspace;
class FrmMdi;
struct MainToolbars;

void installEditCommands(FrmMdi &mdi, CFileWorkspace &ws, const MainToolbars &tools);

} // namespace zx
