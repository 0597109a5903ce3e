#include "platform/termination.h"

#include <atomic>

namespace zx {
namespace {
std::atomic<bool> g_requested{false};
}

bool terminationRequested() { return g_requested.load(); }
void requestTermination() { g_requested.store(true); }
void clearTerminationRequest() { g_requested.store(false); }

MsgAnswer terminationAnswer(MsgButtons buttons)
{
    const QList<MsgAnswer> answers = buttonAnswers(buttons);
    for (MsgAnswer a : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Abort})
        if (answers.contains(a))
            return a;
    return answers.first();
}

} // namespace zx
