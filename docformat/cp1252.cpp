#include "docformat/cp1252.h"

namespace zx::cp1252 {

namespace {
// 0x80-0x9F; the rest of the high half equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isUndefinedSlot(char16_t ch) // the C1 controls that stand for 1252's undefined bytes
{
    return ch == 0x81 || ch == 0x8D || ch == 0x8F || ch == 0x90 || ch == 0x9D;
}
} // namespace

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

int fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    if (ch >= 0x80 && ch < 0xA0)
        return isUndefinedSlot(ch) ? int(ch) : -1;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

QString decode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = toUnicode(static_cast<unsigned char>(data[i]));
    return out;
}

QByteArray encode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = fromUnicode(src[i]);
        dst[i] = b < 0 ? '?' : char(b);
    }
    return out;
}

bool canEncode(const QString &text)
{
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (src[i] >= 0x80 && fromUnicode(src[i]) < 0)
            return false;
    }
    return true;
}

} // namespace zx::cp1252
