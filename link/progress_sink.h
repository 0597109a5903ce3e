#pragma once
// What a chronograph operation needs of the progress window: a title, a scale
// (the number of steps the bar spans; 12 for short on/off operations, 120 for a
// calibration) and closing. The window's Abort button calls the link's
// croUserAbort; logic code never sees the button itself.
#include <QString>

namespace zx {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Open (or retitle) the progress window. showFrame false keeps the window's
    // own frame hidden (a status fetch inside another operation's window).
    virtual void progressOpen(const QString &title, int scale, bool showFrame = true) = 0;
    virtual void progressClose() = 0;
    // One step of the bar (a received line while stepping is on).
    virtual void progressStep() {}
    virtual bool progressIsOpen() const = 0;
};

// A sink that shows nothing (zentrix-cli, tests that do not look at progress).
class NullProgressSink : public ProgressSink {
public:
    void progressOpen(const QString &, int, bool) override { m_open = true; }
    void progressClose() override { m_open = false; }
    bool progressIsOpen() const override { return m_open; }

private:
    bool m_open = false;
};

} // namespace zx
