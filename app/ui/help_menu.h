#pragma once
// The Help menu's own commands: User Guide (F1) shows docs/user-guide.md, as installed with
// the program or from the source tree, in a window of its own; iNotes opens the notes window
// (View > iNotes, made later in the start-up).
class QMainWindow;
class QMenu;

namespace zx {

struct AppContext;

void addHelpCommands(QMainWindow &main, QMenu *help, AppContext &ctx);

} // namespace zx
