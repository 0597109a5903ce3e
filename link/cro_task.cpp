#include "link/cro_task.h"

namespace zx {

CroTask::CroTask(Prompter &prompter, std::function<QString()> deviceName,
                 std::function<void()> requestAbort)
    : m_prompter(prompter), m_deviceName(std::move(deviceName)), m_requestAbort(std::move(requestAbort))
{
}

bool CroTask::croTask(int action)
{
    if (croTaskState.depth == 0)
        croTaskState.held = 0;

    switch (action) {
    case Query:
        return croTaskState.busy;

    case Enter: {
        ++croTaskState.depth;
        if (!croTaskState.busy) {
            croTaskState.busy = true;
            ++croTaskState.held;
            return false;
        }
        const QString device = m_deviceName ? m_deviceName().trimmed() : QString();
        MsgRequest r;
        r.text = QStringLiteral("Zentrix can't execute this function right now.!\t\r\n")
                 + QStringLiteral("It is busy talking to  [") + device + QStringLiteral("].\r\n")
                 + QStringLiteral("\r\n")
                 + QStringLiteral("Aborting this task may result in data loss.!\r\n")
                 + QStringLiteral("Do you want to abort  [") + device + QStringLiteral("]  task anyway.?\t");
        r.buttons = MsgButtons::YesNo;
        r.defaultButton = 2;
        r.icon = MsgIcon::Question;
        r.systemModal = true;
        r.foreground = true;
        if (m_prompter.show(r) == MsgAnswer::Yes && m_requestAbort)
            m_requestAbort();
        // The refused caller does not run and does not leave; the depth it
        // raised stays counted, as the guard's record has always kept it.
        return true;
    }

    case Leave:
        if (croTaskState.depth > 0)
            --croTaskState.depth;
        if (croTaskState.busy && croTaskState.held > 0) {
            --croTaskState.held;
            croTaskState.busy = false;
            return false;
        }
        {
            MsgRequest r;
            r.text = QStringLiteral("<croTask> Sequence Failure Error...?\r\n"
                                    "To clear this error you must,\r\n"
                                    "save your work, and restart the program.");
            r.icon = MsgIcon::Critical;
            m_prompter.show(r);
        }
        croTaskState.held = 0;
        croTaskState.depth = 0;
        return false;

    default:
        return false;
    }
}

} // namespace zx
