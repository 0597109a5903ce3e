#pragma once
// What the link layer tells the windows around it, as plain callbacks so it needs no widgets.
// Every hook may be left empty; the session then skips that step.
#include <QString>

#include <functional>

namespace zx {

struct LinkHooks {
    std::function<void()> refreshMain;                    // main window command state and mode text
    std::function<void(bool)> sendTextEnabled;            // terminal's mnuSendText
    std::function<void(const QString &)> settingsPanel;   // "Set: " + settings in the terminal status bar
    std::function<void(bool running)> connClock;          // startConnClock (true) / stopConnClock (false)
    std::function<void(const QString &, bool)> portEvent; // event text and error flag for the statistics
    std::function<void(const QString &)> logWrite;        // displayed text into the communication log
    std::function<void()> closeLog;                       // close the communication log (mnuCloseLog)
    std::function<void()> progressStep;                   // advance the progress indicator one step
    std::function<void()> keyPadRefresh;                  // keypad window refresh after received text
    std::function<void(const QString &)> detectText;      // probe text into the properties progress log
    std::function<void(const QString &)> probeMessage;    // properties window message line (croProbe)
    std::function<void(const QString &)> remoteMessage;   // remote control panel message line
    std::function<void(const QString &)> excelLine;       // one capture line for the Excel live export
    std::function<void()> terminalChanged;                // the terminal text changed
    std::function<void(const QString &)> terminalText;    // the text shown (a leading BS: take one back)
    std::function<void()> remoteProgressChanged;          // the remote panel's progress text changed
};

} // namespace zx
