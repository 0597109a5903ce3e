#pragma once
// The chronograph selection at start-up: open the port at once, select the first
// free chronograph, or let the user choose in the properties window; then read
// the RV5's status. The windows are reached through callbacks so the sequence
// runs (and is tested) without them.
#include <QString>
#include <functional>

namespace zx {

class ChronoOps;
class PortDetect;
class Prompter;

struct StartupChoice {
    bool autoConnect = true;
    bool autoDetect = true;
    int chronSelect = 1;   // 0 "Let Me Select My Own", 1 "Select First Free", 2 "Select Last Used"
    int device = 0;        // 0 the RV5
};

struct StartupWindows {
    std::function<void()> showProperties;       // shown without blocking
    std::function<void()> hideProperties;
    std::function<void()> runPropertiesModal;   // returns when the window closed
    std::function<void(const QString &)> note;  // the properties window's progress note
    std::function<void()> refresh;              // mode and status refresh
};

// Step 8: with AutoConnect on and ChronSelect 0 the link port opens at once.
void startupConnect(PortDetect &detect, const StartupChoice &c, const StartupWindows &w);
// Step 9; returns true when a chronograph was selected or kept and, for the RV5,
// its status was read.
bool startupSelect(PortDetect &detect, ChronoOps &ops, Prompter &prompter, const StartupChoice &c,
                   const StartupWindows &w);

} // namespace zx
