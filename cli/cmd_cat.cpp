// zentrix-cli cat FILE: print the plain text of a CFile, rich (.rtf, .cap) or plain text.
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"

#include <QTextDocument>

namespace {

int runCat(const QStringList &args)
{
    using namespace zx::cli;
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--"))) {
        printText(QStringLiteral("zentrix-cli: cat FILE\n"), true);
        return 2;
    }
    QTextDocument doc;
    if (!zx::cli::loadAnyCFile(doc, args.first()))
        return 1;
    QString text = doc.toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    printText(text);
    return 0;
}

zx::cli::Registrar reg({"cat", "FILE",
                        "print the plain text of a CFile (rich or plain text)",
                        "", runCat});

} // namespace
