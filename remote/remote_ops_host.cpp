#include "remote/remote_ops_host.h"

#include "link/chrono_ops_host.h"
#include "link/progress_sink.h"

namespace zx {

int ChronoRemoteHost::needCFileToRecord() { return m_host.needCFileToRecord(); }

void ChronoRemoteHost::progressCaption(const QString &caption)
{
    if (captionHook)
        captionHook(caption);
    else if (m_progress.progressIsOpen())
        m_progress.progressOpen(caption, 10);
}

void ChronoRemoteHost::panelMessage(const QString &text) { m_host.panelMessage(text); }

void ChronoRemoteHost::refreshStatus() { m_host.refreshStatus(); }

} // namespace zx
