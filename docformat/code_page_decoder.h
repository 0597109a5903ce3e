#pragma once
// Turns bytes of a Windows code page (as named by RTF's \ansicpg and \fcharset) into text.
// Single-byte pages use built-in tables; double-byte pages (932, 936, 949, 950) and the rarer
// ones go through Qt's converters when the Qt build has them, else fall back to Windows-1252.
#include <QString>
#include <QStringDecoder>

#include <memory>

namespace zx {

class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);

    int codePage() const { return m_codePage; }
    // False when neither a table nor a converter exists and 1252 is used instead.
    bool isExact() const { return m_exact; }

    // Decodes data and appends it to out. Each call stands alone: a lead byte left at the end of
    // data becomes a replacement character rather than joining the next call's bytes.
    void appendDecoded(const char *data, qsizetype size, QString &out);

    // Whether a converter for the code page is available in this build.
    static bool isSupported(int codePage);

private:
    int m_codePage;
    bool m_exact = true;
    bool m_symbol = false;
    const char16_t *m_table = nullptr; // 0x80-0xFF, or null for 1252 / a converter
    std::unique_ptr<QStringDecoder> m_converter;
};

// The code page of an RTF \fcharset value; fallback for 1 (default), 256 and unknown values.
// Charset 2 (Symbol) gives the pseudo code page kSymbolCodePage.
int codePageForCharset(int charset, int fallback);
constexpr int kSymbolCodePage = 42;

} // namespace zx
