#include "docformat/rtf_tokenizer.h"

#include <climits>

namespace zx::rtf {

namespace {
inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

Token Tokenizer::next()
{
    Token t;
    for (;;) {
        if (m_p >= m_end)
            return t; // End
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            t.type = Token::GroupOpen;
            return t;
        }
        if (c == '}') {
            ++m_p;
            t.type = Token::GroupClose;
            return t;
        }
        if (c == '\\')
            return controlWord();
        if (c == '\t') { // some writers put literal tabs in text
            ++m_p;
            t.type = Token::Symbol;
            t.symbol = '\t';
            return t;
        }
        if (static_cast<unsigned char>(c) < 0x20) { // CR, LF, NUL and other controls are noise
            ++m_p;
            continue;
        }
        const char *start = m_p;
        while (m_p < m_end) {
            const char d = *m_p;
            if (d == '{' || d == '}' || d == '\\' || static_cast<unsigned char>(d) < 0x20)
                break;
            ++m_p;
        }
        t.type = Token::Text;
        t.data = start;
        t.size = m_p - start;
        return t;
    }
}

Token Tokenizer::controlWord()
{
    Token t;
    ++m_p; // the backslash
    if (m_p >= m_end) {
        t.type = Token::End;
        return t;
    }
    const char c = *m_p;
    if (!isLetter(c)) {
        ++m_p;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_p < m_end) {
                const int v = hexValue(*m_p);
                if (v < 0)
                    break;
                value = value * 16 + v;
                ++m_p;
                ++digits;
            }
            if (digits == 0) { // "\'" without hex digits: nothing usable
                t.type = Token::Symbol;
                t.symbol = 0;
                return t;
            }
            t.type = Token::Hex;
            t.hex = static_cast<unsigned char>(value);
            return t;
        }
        t.type = Token::Symbol;
        t.symbol = c;
        return t;
    }

    const char *start = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    t.type = Token::Word;
    t.word = std::string_view(start, size_t(std::min<qsizetype>(m_p - start, kMaxWordLength)));

    bool negative = false;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    if (m_p < m_end && isDigit(*m_p)) {
        long long value = 0;
        while (m_p < m_end && isDigit(*m_p)) {
            if (value <= INT_MAX)
                value = value * 10 + (*m_p - '0');
            ++m_p;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        t.hasParam = true;
        t.param = negative ? -int(value) : int(value);
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p; // the delimiting space belongs to the control word

    if (t.word == "bin") { // raw bytes follow; they may hold braces and backslashes
        const qsizetype n = t.hasParam && t.param > 0 ? t.param : 0;
        const qsizetype avail = m_end - m_p;
        t.type = Token::Binary;
        t.data = m_p;
        t.size = std::min(n, avail);
        m_p += t.size;
    }
    return t;
}

} // namespace zx::rtf
