#pragma once
// The one-chronograph-task guard. Every operation that talks to the chronograph
// enters it first and leaves it afterwards; a second operation started while
// one waits inside a transaction (events are pumped there) is refused, and the
// user may ask to abort the running one.
#include "platform/prompter.h"

#include <QString>
#include <QtGlobal>
#include <functional>

namespace zx {

struct CroTaskState {
    bool busy = false;   // a task holds the guard
    quint16 held = 0;    // granted entries
    quint16 depth = 0;   // enter calls not yet matched by a leave
};

class CroTask {
public:
    enum Action { Query = 0, Enter = 1, Leave = 2 };

    // deviceName: the selected device as listed in the port properties (leading
    // blanks are removed here). requestAbort: sets the running transaction's
    // connect-abort request when the user chooses to abort the busy task.
    CroTask(Prompter &prompter, std::function<QString()> deviceName,
            std::function<void()> requestAbort);

    // action 0 asks, 1 enters, 2 leaves. Returns true when refused (enter) or
    // busy (query); false otherwise.
    bool croTask(int action);

    bool busy() const { return croTaskState.busy; }
    const CroTaskState &state() const { return croTaskState; }

    void setRequestAbort(std::function<void()> f) { m_requestAbort = std::move(f); }
    void setDeviceName(std::function<QString()> f) { m_deviceName = std::move(f); }

private:
    Prompter &m_prompter;
    std::function<QString()> m_deviceName;
    std::function<void()> m_requestAbort;
    CroTaskState croTaskState;
};

// Enters the guard on construction and leaves it on destruction when entered,
// so early returns in an operation keep the guard balanced.
class CroTaskScope {
public:
    explicit CroTaskScope(CroTask &task) : m_task(task), m_refused(task.croTask(CroTask::Enter)) {}
    ~CroTaskScope()
    {
        if (!m_refused)
            m_task.croTask(CroTask::Leave);
    }
    CroTaskScope(const CroTaskScope &) = delete;
    CroTaskScope &operator=(const CroTaskScope &) = delete;
    bool refused() const { return m_refused; }

private:
    CroTask &m_task;
    bool m_refused;
};

} // namespace zx
