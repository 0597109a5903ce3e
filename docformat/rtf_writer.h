#pragma once
// Writes a QTextDocument as RTF that WordPad, Word, LibreOffice and TextEdit open: Windows-1252
// header, font and colour tables, character formats per run, paragraph formats, and list items
// with both old-style numbering (\pn) and the marker text (\pntext) so that every reader shows
// the bullets. Characters outside 1252 are written as \u with a '?' stand-in.
#include <QByteArray>

class QTextDocument;

namespace zx {

class RtfWriter {
public:
    static QByteArray write(const QTextDocument *doc);
    // Only the characters from position from up to (not including) to, e.g. a selection.
    static QByteArray write(const QTextDocument *doc, int from, int to);
};

} // namespace zx
