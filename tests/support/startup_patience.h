#pragma once
// The start-up probe and status read wait for answers with time-outs of 100 ms and more. In
// tests the simulator answers from the test's own thread, so on a busy machine a stalled
// process can miss those time-outs and start-up then opens the port properties for the user.
// Tests that start the main window against the simulator lengthen every time-out while the
// start-up runs, and put the scale back afterwards.
#include "platform/one_shot_timer.h"

namespace zx::test {

class StartupPatience {
public:
    explicit StartupPatience(double factor = 5.0) : m_old(OneShotTimer::scale()) { OneShotTimer::setScale(m_old * factor); }
    ~StartupPatience() { OneShotTimer::setScale(m_old); }
    StartupPatience(const StartupPatience &) = delete;
    StartupPatience &operator=(const StartupPatience &) = delete;

private:
    double m_old;
};

} // namespace zx::test

namespace zx::test {

// Runs start (the splash sequence, usually) with patient time-outs; returns what it returns.
template <class Start> auto startPatiently(Start start)
{
    StartupPatience patience;
    return start();
}

} // namespace zx::test
