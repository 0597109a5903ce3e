#include "term/text_follower.h"

namespace zx {

TextDelta TextFollower::take(const TrimmedText &t)
{
    TextDelta d;
    const qint64 fresh = t.appendedTotal() - m_seen;
    if (m_seen < 0 || t.rewrites() != m_rewrites || fresh > t.size()) {
        d.rewrite = true;
        d.text = t.text();
    } else {
        d.text = t.view().right(fresh).toString();
    }
    m_seen = t.appendedTotal();
    m_rewrites = t.rewrites();
    return d;
}

QString terminalDisplayText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\r')
            continue;
        if (u == '\n' || u == '\t')
            out.append(c);
        else if (u < 32)
            out.append(QChar(0x2400 + u));
        else if (u == 127)
            out.append(QChar(0x2421));
        else
            out.append(c);
    }
    return out;
}

} // namespace zx
