#pragma once
// Plain-text CFiles (.txt, .log, .ini, .bat): UTF-8 when the bytes are valid UTF-8 (with or
// without a byte-order mark), UTF-16 when a UTF-16 byte-order mark says so, else Windows-1252.
// What was found is remembered so that saving writes the file back the same way, line ends included.
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace zx {

enum class TextEncoding {
    Ascii,       // nothing but ASCII was seen: saved as 1252 when it fits, else as UTF-8
    Utf8,
    Utf8Bom,
    Utf16LeBom,
    Utf16BeBom,
    Windows1252,
};

struct PlainTextFormat {
    TextEncoding encoding = TextEncoding::Ascii;
    bool crlf = true; // line ends: CR LF (the Windows default) or LF
    bool operator==(const PlainTextFormat &) const = default;
};

struct DecodedText {
    QString text; // lines separated by '\n'
    PlainTextFormat format;
};

class PlainTextCodec {
public:
    static DecodedText decode(const QByteArray &bytes);
    static QByteArray encode(const QString &text, const PlainTextFormat &format);

    // Document helpers: loading remembers the format on the document, saving uses it.
    static void load(const QByteArray &bytes, QTextDocument *doc);
    static QByteArray save(const QTextDocument *doc);
    // The document as plain text, list items with their marker ("1.", a bullet) and a tab;
    // paragraphs end with '\n', line breaks inside one stay U+2028.
    static QString textOf(const QTextDocument *doc);
    static PlainTextFormat formatOf(const QTextDocument *doc);
    static void setFormatOf(QTextDocument *doc, const PlainTextFormat &format);
};

} // namespace zx
