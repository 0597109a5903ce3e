#include "link/text_buffers.h"

#include <algorithm>

namespace zx {

TrimmedText::TrimmedText(int limit, int drop, int hardCap) : m_limit(limit), m_drop(drop), m_hardCap(hardCap) {}

void TrimmedText::clear()
{
    m_buf.clear();
    m_head = 0;
    ++m_rewrites;
}

void TrimmedText::setText(const QString &text)
{
    m_buf = text;
    m_head = 0;
    ++m_rewrites;
    enforceCap();
}

bool TrimmedText::trimIfOver()
{
    if (size() <= m_limit)
        return false;
    dropFront(m_drop);
    return true;
}

void TrimmedText::dropFront(qsizetype n)
{
    m_head += std::min(n, size());
    compact();
}

void TrimmedText::append(QStringView s)
{
    m_buf.append(s);
    m_appended += s.size();
    enforceCap();
}

void TrimmedText::chopLast()
{
    if (size() > 0)
        m_buf.chop(1);
    ++m_rewrites;
}

void TrimmedText::enforceCap()
{
    if (m_hardCap > 0 && size() > m_hardCap)
        dropFront(size() - m_hardCap);
}

void TrimmedText::compact()
{
    if (m_head == 0)
        return;
    if (m_head >= m_buf.size()) {
        clear();
        return;
    }
    // Move the live text down only when the dead prefix is as large as it (amortised O(1)).
    if (m_head > 4096 && m_head >= size()) {
        m_buf.remove(0, m_head);
        m_head = 0;
    }
}

} // namespace zx
