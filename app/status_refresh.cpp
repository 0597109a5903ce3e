#include "app/status_refresh.h"

namespace zx {

const ViewState &StatusRefresh::refresh()
{
    ++m_count;
    const ProgramState s = m_gather ? m_gather() : ProgramState{};
    m_last = modeStatusRefresh(s);
    if (m_last.clearCapture && m_clearCapture)
        m_clearCapture();
    // Views may re-enter the refresh (a caption change firing a handler); a copy
    // keeps this pass consistent.
    const ViewState v = m_last;
    const auto views = m_views;
    for (ModeView *view : views)
        view->applyView(v);
    return m_last;
}

void StatusRefresh::applyCommands(const CommandStates &c)
{
    const auto views = m_views;
    for (ModeView *view : views)
        view->applyCommands(c);
}

void StatusRefresh::zapFgs()
{
    applyCommands(zapFgsMDI());
}

void StatusRefresh::setFgs(int userLevel)
{
    applyCommands(setFgsMDI(userLevel));
}

void StatusRefresh::updFgs(const CFileFacts &f, int userLevel)
{
    const ProgramState s = m_gather ? m_gather() : ProgramState{};
    applyCommands(updFgsMDI(f, editingAllowed(s.captureOn, s.sensorsOn, s.softEdit), userLevel));
}

} // namespace zx
