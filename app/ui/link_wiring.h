#pragma once
// Binds the main window to the chronograph: one link session for the program's life,
// the capture operations over the CFile workspace, and the Start / Stop / Remote commands.
namespace zx {

class FrmMdi;
class LinkSession;

// Call once the CFile workspace is installed. Returns the session (owned by the window).
LinkSession *installLink(FrmMdi &mdi);

} // namespace zx
