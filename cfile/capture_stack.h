#pragma once
// Shot capture wired to a link session: the LogPad as the session's capture target, the
// warning writers, the default chronograph operations and Start / Stop / Remote.
// The desktop program and zentrix-cli build one each, so both record exactly alike.
#include "cfile/capture_ops.h"
#include "cfile/chrono_operations.h"
#include "cfile/link_capture_adapter.h"
#include "cfile/logpad.h"
#include "cfile/logpad_warnings.h"

namespace zx {

class CFileManager;
class LinkSession;
class Prompter;
class SettingsStore;

class CaptureStack {
public:
    CaptureStack(CFileManager &files, LogPad &pad, Prompter &prompter, LinkSession &session);

    LogPad &pad;
    LinkCaptureAdapter link;
    LogPadWarnings warn;
    ChronoOperations defaultOps;
    CaptureOps capture;
};

} // namespace zx
