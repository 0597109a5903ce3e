#include "export/cfile_source.h"

#include "cfile/cfile_codec.h"
#include "cfile/cfile_names.h"
#include "docformat/plain_text_codec.h"

#include <QTextDocument>

namespace zx::xls {

bool readCFileText(const QString &path, QString &text, QString &error)
{
    QByteArray data;
    FileError e = readCFileBytes(path, data);
    if (!e) {
        // Plain text needs no document; rich text is read the way the CFile window reads it.
        if (!(endsWithRtf(path) || isRichClass(extClass(fileTitle(path))))) {
            text = PlainTextCodec::decode(data).text;
            return true;
        }
        QTextDocument doc;
        e = decodeCFile(doc, data, true);
        text = doc.toPlainText();
    }
    if (e)
        error = e.description;
    return !e;
}

} // namespace zx::xls
