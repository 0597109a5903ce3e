// The RTF reader on arbitrary bytes: loading into an empty document and pasting into one that
// holds text. Besides crashes and sanitizer reports it checks what the reader promises:
// no more characters than the input has bytes, no undo history after loading, and a paste that
// leaves the text around it alone and is taken back by one undo.
#include "fuzz/fuzz_support.h"
#include "docformat/rtf_reader.h"

#include <QTextCursor>
#include <QTextDocument>

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const bool isRtf = RtfReader::isRtf(input);

    QTextDocument doc;
    doc.setPlainText(QStringLiteral("before"));
    const RtfReadResult r = RtfReader::read(input, &doc);
    ZX_FUZZ_CHECK(r.ok == isRtf);
    if (!r.ok) {
        ZX_FUZZ_CHECK(doc.toRawText() == QStringLiteral("before"));
        return 0;
    }
    // One character per byte at most (the final paragraph end is the document's own).
    ZX_FUZZ_CHECK(doc.characterCount() - 1 <= qsizetype(size));
    ZX_FUZZ_CHECK(doc.metaInformation(QTextDocument::DocumentTitle).size() <= qsizetype(size));
    ZX_FUZZ_CHECK(!doc.isUndoAvailable());
    ZX_FUZZ_CHECK(!doc.isModified());

    // Pasting costs a second parse: only for half of the inputs, picked by the last byte.
    if ((data[size - 1] & 1) == 0)
        return 0;
    QTextDocument target;
    target.setPlainText(QStringLiteral("ab\ncd"));
    const QString original = target.toRawText();
    QTextCursor cursor(&target);
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor); // "b" is replaced
    const RtfReadResult p = RtfReader::insert(input, cursor);
    ZX_FUZZ_CHECK(p.ok);
    const QString after = target.toRawText();
    ZX_FUZZ_CHECK(after.size() - (original.size() - 1) <= qsizetype(size));
    ZX_FUZZ_CHECK(after.startsWith(QLatin1Char('a')));
    ZX_FUZZ_CHECK(after.endsWith(original.mid(2)));
    ZX_FUZZ_CHECK(cursor.position() >= 1 && cursor.position() <= after.size() - (original.size() - 2));
    target.undo();
    ZX_FUZZ_CHECK(target.toRawText() == original);
    return 0;
}
