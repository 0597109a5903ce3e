// zentrix-cli export --cfile FILE --out OUT: the shots of a CFile into OUT, the format by OUT's
// extension (.csv: one row per shot with the string's running statistics).
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "export/csv_export.h"

#include <QFileInfo>
#include <QTextDocument>

namespace {

int runExport(const QStringList &args)
{
    using namespace zx::cli;
    const QString in = option(args, QStringLiteral("--cfile")), out = option(args, QStringLiteral("--out"));
    if (in.isEmpty() || out.isEmpty()) {
        printText(QStringLiteral("zentrix-cli: export --cfile FILE --out OUT.csv\n"), true);
        return 2;
    }
    if (QFileInfo(out).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
        printText(QStringLiteral("zentrix-cli: export writes .csv files: ") + out + QStringLiteral("\n"), true);
        return 2;
    }
    QTextDocument doc;
    if (!loadAnyCFile(doc, in))
        return 1;
    QString error;
    const int shots = zx::writeShotsCsv(doc.toPlainText(), out, &error);
    if (shots < 0) {
        printText(QStringLiteral("Could not write ") + out + QStringLiteral(": ") + error + QStringLiteral("\n"), true);
        return 1;
    }
    printText(QString::number(shots) + QStringLiteral(" shots written to ") + out + QStringLiteral("\n"));
    return 0;
}

zx::cli::Registrar reg({"export", "--cfile FILE --out OUT.csv: the CFile's shots, one row per shot", runExport});

} // namespace
