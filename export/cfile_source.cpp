#include "export/cfile_source.h"

#include "cfile/cfile_codec.h"
#include "cfile/cfile_names.h"

#include <QTextDocument>

namespace zx::xls {

bool readCFileText(const QString &path, QString &text, QString &error)
{
    QTextDocument doc;
    const FileError e = loadCFileText(doc, path, endsWithRtf(path) || isRichClass(extClass(fileTitle(path))));
    if (e) {
        error = e.description;
        return false;
    }
    text = doc.toPlainText();
    return true;
}

} // namespace zx::xls
