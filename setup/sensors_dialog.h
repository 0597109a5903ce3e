#pragma once
// The sensors dialog's logic: sensors on/off and the sensor level only. It keeps its own
// memory of the menu entry the chronograph shows, asks whether to try again when a step
// fails, and walks the level toward 60 on Reset. It runs inside the task guard its opener
// holds (the dialog is modal).
#include <QtGlobal>

#include <functional>

namespace zx {

class ChronoOps;
class Prompter;
struct CroState;

class SensorsDialog {
public:
    SensorsDialog(ChronoOps &ops, Prompter &prompter);

    // The busy frame on (true) and off.
    std::function<void(bool)> onBusy;
    // The main window's mode and status text.
    std::function<void()> refresh;

    // Set by the answer No, by closing; cleared on opening and after the Reset message.
    bool stop = false;
    // Option clicks are ignored until the opening is complete.
    bool opening = false;

    void open();
    CroState &cro();
    bool inProgress() const { return m_inProgress > 0; }
    // Option (0) Off, (1) On.
    bool setSensors(int index);
    // Button 0 raises the level by one step, 1 lowers it.
    bool incDec(int button);
    // At most 101 steps toward 60.
    bool reset();
    void close() { stop = true; }

private:
    bool step(bool up);
    void busy(bool on);

    ChronoOps &m_ops;
    Prompter &m_prompter;
    qint16 m_menuPos = 0;   // the dialog's own remembered menu position
    int m_inProgress = 0;
};

} // namespace zx
