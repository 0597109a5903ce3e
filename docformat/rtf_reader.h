#pragma once
// Reads rich text (RTF) as WordPad, Word, LibreOffice and TextEdit write it into a QTextDocument:
// fonts, sizes, colours, bold / italic / underline / strike-through, super- and subscript and
// character offsets, paragraph alignment, indents, tab stops, bullets and numbered lists (list
// tables with the marker text their producer wrote), code pages and Unicode. Footnotes keep their
// number in the text and their text after the body. Pictures, headers, footers and other hidden
// parts are skipped; tables become one paragraph per row with the cells separated by tabs.
//
// Broken files load as far as they go: unbalanced braces, a truncated end, huge numbers or
// binary garbage never stop the reader. Time is linear and memory a small multiple of the input.
#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;

namespace zx {

struct RtfReadResult {
    bool ok = false;        // false: the data is not RTF and nothing was changed
    QString error;          // the description to show when !ok
    bool truncated = false; // the data ended inside open groups (what was there is loaded)
};

class RtfReader {
public:
    // True when the data starts with "{\rtf" (after a byte-order mark or white space).
    static bool isRtf(const QByteArray &data);

    // Replaces the content of doc. Undo history is cleared, as after loading a file.
    static RtfReadResult read(const QByteArray &data, QTextDocument *doc);

    // Inserts at the cursor (pasting), as one undo step; the cursor ends after the insertion.
    static RtfReadResult insert(const QByteArray &data, QTextCursor &cursor);

    // What is reported for data that is not RTF.
    static QString notRtfDescription();
};

} // namespace zx
