#include "cli/cli_cfile.h"

#include "cfile/cfile_codec.h"
#include "cfile/cfile_names.h"
#include "cli/cli_session.h"

#include <QFile>
#include <QTextDocument>

namespace zx::cli {

int outFileClass(const QString &out)
{
    if (out.isEmpty()) {
        printText(QStringLiteral("zentrix-cli: --out FILE is required\n"), true);
        return -1;
    }
    const int cls = extClass(fileTitle(out));
    if (cls == 8 || cls == 9) {
        printText(QStringLiteral("''") + lastFour(out) + QStringLiteral("'' has unknown file extension\n"), true);
        return -1;
    }
    return cls;
}

bool loadAnyCFile(QTextDocument &doc, const QString &path)
{
    const int cls = extClass(fileTitle(path));
    bool rich = isRichClass(cls);
    if (!isPlainClass(cls) && !rich) {
        QFile f(path);
        rich = f.open(QIODevice::ReadOnly) && f.read(5) == "{\\rtf";
    }
    const FileError e = loadCFileText(doc, path, rich);
    if (e)
        printText(e.description + QStringLiteral(": ") + path + QStringLiteral("\n"), true);
    return !e;
}

bool CliCFile::save(const QString &out, int cls)
{
    CFileDoc *doc = files.active();
    if (!doc)
        return false;
    const FileError e = saveCFileText(*doc->document(), out, isRichClass(cls));
    if (e) {
        printText(e.description + QStringLiteral("\r\n") + QStringLiteral("modCFile/SaveAs->") + out + QStringLiteral("\n"),
                  true);
        return false;
    }
    return true;
}

} // namespace zx::cli
