#pragma once
// Follows a trimmed text view (the terminal text) without copying it: what was appended since
// the last look. A view appends that to its own copy; after a clear or a backspace that took
// back a character it redraws everything.
#include "link/text_buffers.h"

namespace zx {

struct TextDelta {
    bool rewrite = false;     // redraw everything from text (first look, clear, backspace)
    QString text;             // the whole text (rewrite) or what was appended
};

class TextFollower {
public:
    TextDelta take(const TrimmedText &t);
    void reset() { m_seen = -1; }

private:
    qint64 m_seen = -1;        // t.appendedTotal() at the last look
    quint64 m_rewrites = 0;
};

// The terminal text as shown: control characters as visible marks (U+2400 block), line ends
// as one LF; every character but CR keeps one place.
QString terminalDisplayText(QStringView text);

} // namespace zx
