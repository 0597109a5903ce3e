#pragma once
// What the download and memory operations need of the layers above the link: the CFile
// check (with its create question), the progress window, the message boxes, the remote
// panel's message line and the mode and status refresh. LogPad lines go through the link
// session's LogPad sink, the panel's progress log is the session's remPrgrs text.
// ChronoRemoteHost builds one from the pieces the chronograph operations already use.
#include <QString>

#include <functional>

namespace zx {

class ChronoOpsHost;
class ProgressSink;
class Prompter;

class RemoteOpsHost {
public:
    virtual ~RemoteOpsHost() = default;
    // 0 when a CFile is (now) open, 1 when the user declined to create one (the host has
    // then shown "Aborted by the user..!").
    virtual int needCFileToRecord() = 0;
    virtual ProgressSink &progress() = 0;
    virtual Prompter &prompter() = 0;
    // A new caption for the open progress window; the bar keeps its steps.
    virtual void progressCaption(const QString &caption) = 0;
    // The remote control panel's message line.
    virtual void panelMessage(const QString &text) = 0;
    // The main window's mode and status refresh.
    virtual void refreshStatus() = 0;
    // A line was added to the panel's progress log (link.remPrgrs); zentrix-cli prints it.
    virtual void progressLogLine(const QString &line) { (void)line; }
    // The question before a memory operation: question is the operation as the menu names it
    // ("Delete String", "Clear eDisk"), what the line naming the units it acts on. always:
    // asked even with the chronograph warnings off (Clear eDisk). True to go ahead.
    virtual bool confirmMemOp(const QString &question, const QString &what, bool always) = 0;
};

// The usual host: the chronograph operations' host, progress window and prompter.
// progressCaption reopens the window under the new title unless a caption hook is set.
class ChronoRemoteHost : public RemoteOpsHost {
public:
    std::function<void(const QString &)> captionHook;   // retitles the progress window

    ChronoRemoteHost(ChronoOpsHost &host, ProgressSink &progress, Prompter &prompter)
        : m_host(host), m_progress(progress), m_prompter(prompter)
    {
    }
    int needCFileToRecord() override;
    ProgressSink &progress() override { return m_progress; }
    Prompter &prompter() override { return m_prompter; }
    void progressCaption(const QString &caption) override;
    void panelMessage(const QString &text) override;
    void refreshStatus() override;
    // The chronograph warning (warnings on) with the units as an extra line; Clear eDisk
    // always asks "Do you want to proceed with Clear eDisk?", No preselected.
    bool confirmMemOp(const QString &question, const QString &what, bool always) override;

private:
    ChronoOpsHost &m_host;
    ProgressSink &m_progress;
    Prompter &m_prompter;
};

} // namespace zx
