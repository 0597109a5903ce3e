#include "remote/remote_ops_host.h"

#include "link/chrono_ops_host.h"
#include "link/progress_sink.h"
#include "platform/prompter.h"

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

bool ChronoRemoteHost::confirmMemOp(const QString &question, const QString &what, bool always)
{
    const QString crlf = QStringLiteral("\r\n");
    if (!always)
        return m_host.confirmWarning(what + crlf + QLatin1Char('\t') + question);
    MsgRequest r;
    r.text = QStringLiteral("Do you want to proceed with ") + question + QLatin1Char('?') + crlf + what;
    r.buttons = MsgButtons::YesNo;
    r.defaultButton = 2;
    r.icon = MsgIcon::Exclamation;
    r.systemModal = true;
    r.foreground = true;
    return m_prompter.show(r) == MsgAnswer::Yes;
}

} // namespace zx
