#pragma once
// What the link layer needs of the LogPad without depending on the CFile layer:
// the line writer for remarks and tags, and the capture target for received text.
#include <QString>

namespace zx {

class LogPadSink {
public:
    virtual ~LogPadSink() = default;
    // Kinds: 0 plain, 1 "REM: ", 2 numbered remark, 10 "TAG: ", 11 dated tag, 20 raw.
    virtual void logPadWrite(const QString &text, int nBefore, int nAfter, int kind) = 0;
    // Insert a received chunk at the end of the active CFile (capture switch on).
    virtual void captureText(const QString &chunk) = 0;
    // True when an active CFile exists to receive text.
    virtual bool hasActiveCFile() const = 0;
};

} // namespace zx
