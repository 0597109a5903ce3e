#include "docformat/plain_text_codec.h"

#include "docformat/cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace zx {

namespace {
const char *const kFormatProperty = "zxPlainTextFormat";

bool isAscii(const QByteArray &b)
{
    for (const char c : b) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Line ends become '\n'; a lone CR (old Mac files) counts as a line end too.
QString normaliseLineEnds(const QString &in, bool *crlf)
{
    qsizetype crlfCount = 0;
    qsizetype lfCount = 0;
    QString out;
    out.reserve(in.size());
    const QChar *p = in.constData();
    const qsizetype n = in.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < n && p[i + 1] == QLatin1Char('\n')) {
                ++i;
                ++crlfCount;
            }
            out.append(QLatin1Char('\n'));
        } else {
            if (c == QLatin1Char('\n'))
                ++lfCount;
            out.append(c);
        }
    }
    *crlf = crlfCount > 0 || lfCount == 0;
    return out;
}
} // namespace

DecodedText PlainTextCodec::decode(const QByteArray &bytes)
{
    DecodedText d;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        d.format.encoding = TextEncoding::Utf8Bom;
        // Past the byte-order mark a U+FEFF is text: converted, not dropped as a second mark.
        QStringDecoder dec(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        text = dec.decode(QByteArrayView(bytes).sliced(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool le = bytes.startsWith("\xFF\xFE");
        d.format.encoding = le ? TextEncoding::Utf16LeBom : TextEncoding::Utf16BeBom;
        QStringDecoder dec(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::ConvertInitialBom);
        text = dec.decode(QByteArrayView(bytes).sliced(2));
    } else if (isAscii(bytes)) {
        d.format.encoding = TextEncoding::Ascii;
        text = QString::fromLatin1(bytes);
    } else {
        // stateless: a sequence cut off at the end of the file counts as an error too
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError()) {
            d.format.encoding = TextEncoding::Windows1252;
            text = cp1252::decode(bytes);
        } else {
            d.format.encoding = TextEncoding::Utf8;
        }
    }
    d.text = normaliseLineEnds(text, &d.format.crlf);
    return d;
}

QByteArray PlainTextCodec::encode(const QString &text, const PlainTextFormat &format)
{
    QString t = text;
    if (format.crlf)
        t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    switch (format.encoding) {
    case TextEncoding::Windows1252: return cp1252::encode(t);
    case TextEncoding::Utf8: return t.toUtf8();
    case TextEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + t.toUtf8();
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom: {
        const bool le = format.encoding == TextEncoding::Utf16LeBom;
        QStringEncoder enc(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QByteArray(le ? "\xFF\xFE" : "\xFE\xFF", 2) + QByteArray(enc.encode(t));
    }
    case TextEncoding::Ascii: break;
    }
    // No evidence either way: the Windows default when every character fits, else UTF-8.
    return cp1252::canEncode(t) ? cp1252::encode(t) : t.toUtf8();
}

void PlainTextCodec::load(const QByteArray &bytes, QTextDocument *doc)
{
    const DecodedText d = decode(bytes);
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->setPlainText(d.text);
    doc->setUndoRedoEnabled(undo);
    setFormatOf(doc, d.format);
    doc->setModified(false);
}

QByteArray PlainTextCodec::save(const QTextDocument *doc)
{
    QString text = textOf(doc);
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return encode(text, formatOf(doc));
}

QString PlainTextCodec::textOf(const QTextDocument *doc)
{
    QString text;
    text.reserve(doc->characterCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin())
            text += QLatin1Char('\n');
        if (const QTextList *list = b.textList()) {
            switch (list->format().style()) { // Qt gives bullets no marker text
            case QTextListFormat::ListCircle: text += QChar(0x25E6); break;
            case QTextListFormat::ListSquare: text += QChar(0x25AA); break;
            case QTextListFormat::ListDisc:
            case QTextListFormat::ListStyleUndefined: text += QChar(0x2022); break;
            default: text += list->itemText(b); break;
            }
            text += QLatin1Char('\t');
        }
        text += b.text(); // raw: keeps non-breaking spaces (toPlainText turns them into blanks)
    }
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

PlainTextFormat PlainTextCodec::formatOf(const QTextDocument *doc)
{
    PlainTextFormat f;
    const QVariant v = doc->property(kFormatProperty);
    if (v.isValid()) {
        const int code = v.toInt();
        f.encoding = TextEncoding(code >> 1);
        f.crlf = (code & 1) != 0;
    }
    return f;
}

void PlainTextCodec::setFormatOf(QTextDocument *doc, const PlainTextFormat &format)
{
    doc->setProperty(kFormatProperty, (int(format.encoding) << 1) | (format.crlf ? 1 : 0));
}

} // namespace zx
