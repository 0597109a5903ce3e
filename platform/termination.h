#pragma once
// The program was asked to end (SIGTERM, SIGHUP, the session ending). Process-wide, like the
// request itself: message boxes stop asking, dialogs stop waiting, waits stop early, and the
// main window closes the orderly way as soon as the code on the stack lets it.
#include "platform/prompter.h"

namespace zx {

bool terminationRequested();
void requestTermination();
void clearTerminationRequest();   // tests

// The answer a box gives by itself while the program ends: the one that changes nothing
// (Cancel, else No, else Abort, else the only button).
MsgAnswer terminationAnswer(MsgButtons buttons);

} // namespace zx
