#include "docformat/rtf_reader.h"

#include "docformat/rich_text_props.h"
#include "docformat/rtf_parser.h"

#include <QTextCursor>
#include <QTextDocument>

namespace zx {

namespace {
// Where "{\rtf" starts after an optional byte-order mark and white space, or -1.
qsizetype rtfStart(const QByteArray &data)
{
    qsizetype i = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return QByteArrayView(data).sliced(i).startsWith("{\\rtf") ? i : -1;
}

// The data from "{\rtf" on, without copying it.
QByteArray fromRtfStart(const QByteArray &data)
{
    const qsizetype i = rtfStart(data);
    return i <= 0 ? data : QByteArray::fromRawData(data.constData() + i, data.size() - i);
}
} // namespace

bool RtfReader::isRtf(const QByteArray &data)
{
    return rtfStart(data) >= 0;
}

QString RtfReader::notRtfDescription()
{
    return QStringLiteral("Invalid file format");
}

RtfReadResult RtfReader::read(const QByteArray &data, QTextDocument *doc)
{
    RtfReadResult r;
    if (!isRtf(data)) {
        r.error = notRtfDescription();
        return r;
    }
    // Without undo records a big file costs a fraction of the memory and time.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    {
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        rtf::Parser parser(fromRtfStart(data), cursor);
        parser.run();
        cursor.endEditBlock();
        r.truncated = parser.truncated();
        doc->setMetaInformation(QTextDocument::DocumentTitle, parser.title());
        if (parser.defaultTabTwips() > 0) {
            QTextOption opt = doc->defaultTextOption();
            opt.setTabStopDistance(richtext::twipsToPixels(parser.defaultTabTwips()));
            doc->setDefaultTextOption(opt);
        }
    }
    doc->setUndoRedoEnabled(undo);
    doc->setModified(false);
    r.ok = true;
    return r;
}

RtfReadResult RtfReader::insert(const QByteArray &data, QTextCursor &cursor)
{
    RtfReadResult r;
    if (!isRtf(data)) {
        r.error = notRtfDescription();
        return r;
    }
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    rtf::Parser parser(fromRtfStart(data), cursor);
    parser.run();
    cursor.setPosition(parser.position());
    cursor.endEditBlock();
    r.truncated = parser.truncated();
    r.ok = true;
    return r;
}

} // namespace zx
