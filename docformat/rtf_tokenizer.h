#pragma once
// Splits RTF bytes into tokens. Never allocates, never fails: odd input becomes odd tokens
// (over-long control words are cut, huge numbers saturate, stray bytes are text), so the reader
// above it stays linear in the input size whatever the file holds.
#include <QtGlobal>

#include <string_view>

namespace zx::rtf {

struct Token {
    enum Type { End, GroupOpen, GroupClose, Word, Symbol, Text, Hex, Binary };
    Type type = End;
    std::string_view word;   // Word: the letters (at most kMaxWordLength)
    bool hasParam = false;   // Word
    int param = 0;           // Word: saturated to the int range
    char symbol = 0;         // Symbol: the character after the backslash; a literal tab is '\t'
    unsigned char hex = 0;   // Hex: the byte of \'hh
    const char *data = nullptr; // Text / Binary
    qsizetype size = 0;
};

class Tokenizer {
public:
    static constexpr int kMaxWordLength = 32;

    Tokenizer(const char *data, qsizetype size) : m_p(data), m_end(data + size), m_begin(data) {}

    Token next();
    qsizetype offset() const { return m_p - m_begin; }
    bool atEnd() const { return m_p >= m_end; }

private:
    Token controlWord();

    const char *m_p;
    const char *m_end;
    const char *m_begin;
};

} // namespace zx::rtf
