#include "docformat/code_page_decoder.h"

#include "docformat/code_page_tables.h"
#include "docformat/cp1252.h"

namespace zx {

namespace {

QByteArray converterName(int codePage)
{
    switch (codePage) {
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1361: return "Johab";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 65001: return "UTF-8";
    case 10001: return "x-mac-japanese";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10029: return "x-mac-centraleurroman";
    default: break;
    }
    if (codePage >= 28591 && codePage <= 28605)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + QByteArray::number(codePage);
    if (codePage == 874)
        return "windows-874";
    return "IBM" + QByteArray::number(codePage);
}

std::unique_ptr<QStringDecoder> makeConverter(int codePage)
{
    auto d = std::make_unique<QStringDecoder>(converterName(codePage).constData(),
                                              QStringConverter::Flag::Stateless);
    if (!d->isValid())
        return nullptr;
    return d;
}

bool allAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage)
{
    if (codePage == 1252 || codePage == 0)
        return;
    if (codePage == kSymbolCodePage) {
        m_symbol = true;
        return;
    }
    m_table = builtinCodePageTable(codePage);
    if (m_table)
        return;
    m_converter = makeConverter(codePage);
    m_exact = m_converter != nullptr;
}

bool CodePageDecoder::isSupported(int codePage)
{
    return CodePageDecoder(codePage).isExact();
}

void CodePageDecoder::appendDecoded(const char *data, qsizetype size, QString &out)
{
    if (size <= 0)
        return;
    if (allAscii(data, size)) { // by far the most common case: no table work at all
        out.append(QLatin1StringView(data, size));
        return;
    }
    if (m_converter) {
        out.append(m_converter->decode(QByteArrayView(data, size)));
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + size);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b < 0x80)
            dst[i] = b;
        else if (m_table)
            dst[i] = m_table[b - 0x80];
        else if (m_symbol && b == 0xB7)
            dst[i] = 0x2022; // the Symbol font's bullet, used by list markers
        else
            dst[i] = cp1252::toUnicode(b);
    }
}

int codePageForCharset(int charset, int fallback)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return fallback;
    }
}

} // namespace zx
