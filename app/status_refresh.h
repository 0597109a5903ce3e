#pragma once
// The mode and status refresh as the program runs it: gather the state from its
// owners, compute the view, turn the capture switch off where the view says so,
// and hand the view to every window that shows a part of it.
#include "app/mode_fgs.h"
#include "app/mode_model.h"

#include <QList>
#include <functional>

namespace zx {

// A window (or the console) that shows a part of the mode and status view.
class ModeView {
public:
    virtual ~ModeView() = default;
    virtual void applyView(const ViewState &v) = 0;
    // CFile-related command states (zapFgsMDI / setFgsMDI / updFgsMDI).
    virtual void applyCommands(const CommandStates &) {}
};

class StatusRefresh {
public:
    using Gather = std::function<ProgramState()>;
    using ClearCapture = std::function<void()>;

    StatusRefresh(Gather gather, ClearCapture clearCapture)
        : m_gather(std::move(gather)), m_clearCapture(std::move(clearCapture))
    {
    }

    void addView(ModeView *v) { m_views.append(v); }
    void removeView(ModeView *v) { m_views.removeAll(v); }

    // The mode and status refresh (no arguments).
    const ViewState &refresh();
    const ViewState &last() const { return m_last; }
    int count() const { return m_count; }

    void zapFgs();
    void setFgs(int userLevel);
    void updFgs(const CFileFacts &f, int userLevel);

private:
    void applyCommands(const CommandStates &c);

    Gather m_gather;
    ClearCapture m_clearCapture;
    QList<ModeView *> m_views;
    ViewState m_last;
    int m_count = 0;
};

} // namespace zx
