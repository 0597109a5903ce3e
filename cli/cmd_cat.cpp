// zentrix-cli cat FILE: print the plain text of a CFile, rich (.rtf, .cap) or plain text.
#include "cfile/cfile_codec.h"
#include "cfile/cfile_names.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"

#include <QFile>
#include <QTextDocument>

namespace {

int runCat(const QStringList &args)
{
    using namespace zx::cli;
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--"))) {
        printText(QStringLiteral("zentrix-cli: cat FILE\n"), true);
        return 2;
    }
    const QString path = args.first();
    const int cls = zx::extClass(zx::fileTitle(path));
    bool rich = zx::isRichClass(cls);
    if (!zx::isPlainClass(cls) && !rich) {
        // Unknown extension: the content decides.
        QFile f(path);
        rich = f.open(QIODevice::ReadOnly) && f.read(5) == "{\\rtf";
    }
    QTextDocument doc;
    const zx::FileError e = zx::loadCFileText(doc, path, rich);
    if (e) {
        printText(e.description + QStringLiteral(": ") + path + QStringLiteral("\n"), true);
        return 1;
    }
    QString text = doc.toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    printText(text);
    return 0;
}

zx::cli::Registrar reg({"cat", "FILE: print the plain text of a CFile (rich or plain text)", runCat});

} // namespace
