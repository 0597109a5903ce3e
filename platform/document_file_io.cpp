#include "platform/document_file_io.h"

#include "docformat/plain_text_codec.h"
#include "docformat/rtf_reader.h"
#include "docformat/rtf_writer.h"
#include "platform/save_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

namespace zx {

DocumentFileResult loadDocumentFile(const QString &path, QTextDocument *doc, DocumentFileKind kind)
{
    DocumentFileResult r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = f.errorString();
        return r;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = f.errorString();
        return r;
    }
    if (kind == DocumentFileKind::PlainText) {
        PlainTextCodec::load(bytes, doc);
        r.ok = true;
        return r;
    }
    const RtfReadResult rr = RtfReader::read(bytes, doc);
    r.ok = rr.ok;
    r.notRtf = !rr.ok;
    r.error = rr.error;
    return r;
}

DocumentFileResult saveDocumentFile(const QString &path, const QTextDocument *doc, DocumentFileKind kind)
{
    DocumentFileResult r;
    const QByteArray bytes =
        kind == DocumentFileKind::RichText ? RtfWriter::write(doc) : PlainTextCodec::save(doc);
    if (!writeWholeFile(path, bytes, &r.error))
        return r;
    r.ok = true;
    return r;
}

} // namespace zx
