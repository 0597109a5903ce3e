// zentrix-cli export --cfile FILE --out BOOK.xlsx [--weight GRAINS]
// zentrix-cli export --port P --scope string|folder|edisk --out BOOK.xlsx [--weight GRAINS]
// zentrix-cli export --cfile FILE --out SHOTS.csv
// The CFile's "CAP:" lines, or the chronograph's memory downloaded first, written into the
// workbook as the program's export commands write them: a new one, or an existing one joined
// as the desktop's Open joins it. Exit 0 only after a complete export. Nothing is written
// before the export succeeded: a failed export (a silent chronograph, a full disk) leaves an
// existing BOOK byte for byte as it was and creates none.
// A .csv output gets the CFile's shots, one row per shot with the string's running statistics.
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_remote.h"
#include "export/cfile_source.h"
#include "export/csv_export.h"
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "workbook/workbook.h"

#include <QFileInfo>

namespace {

using namespace zx::cli;
using namespace zx::xls;

void fail(const QString &text) { printText(QStringLiteral("zentrix-cli export: ") + text + u'\n', true); }

// The one place that knows the output formats: where the workbook is written for --out.
bool outputSupported(const QString &out) { return QFileInfo(out).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0; }

// --weight: the bullet weight cell (grains) of every shot sheet, before any block reads it.
void setWeight(ExcelLink &link, double grains)
{
    for (int sheet = 1; sheet <= kLastShotSheet; ++sheet)
        link.writer()->sheet(sheet).setValue(kGrainsWeightCell.row, kGrainsWeightCell.col, grains);
}

// --out: an existing workbook is opened as the desktop's Open opens one (its sheets kept; one
// another program wrote is left as it is and its copy beside it gets the sheets); otherwise a
// new one. Nothing is written before finishOutBook, after the whole export succeeded.
int openOutBook(ExcelLink &link, const QString &out)
{
    const QString path = QFileInfo(out).absoluteFilePath();
    link.holdSaves(true);
    if (!QFileInfo::exists(path)) {
        link.setNewBookPath(path);
        return link.connect(3);
    }
    link.setOwnBookPath(path);
    return link.connect(1);
}

// Writes the workbook; names the copy when --out was left as it is.
bool finishOutBook(ExcelLink &link, const QString &out)
{
    link.holdSaves(false);
    if (!link.save())
        return false;
    if (!link.copiedFrom().isEmpty())
        printText(QStringLiteral("Shots written to ") + link.bookPath() + QStringLiteral("; ") + out
                  + QStringLiteral(" is left as it is\n"));
    return true;
}

bool isCsv(const QString &out) { return QFileInfo(out).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0; }

int runCsvExport(const QString &cfile, const QString &out)
{
    QString text, error;
    if (cfile.isEmpty()) {
        fail(QStringLiteral("--cfile FILE is required for a .csv output"));
        return 2;
    }
    if (!readCFileText(cfile, text, error)) {
        fail(error);
        return 1;
    }
    const int shots = zx::writeShotsCsv(text, out, &error);
    if (shots < 0) {
        fail(QStringLiteral("could not write ") + out + QStringLiteral(": ") + error);
        return 1;
    }
    printText(QString::number(shots) + QStringLiteral(" shots written to ") + out + u'\n');
    return 0;
}

int runExport(const QStringList &args)
{
    const QString out = option(args, QStringLiteral("--out"));
    const QString cfile = option(args, QStringLiteral("--cfile"));
    if (isCsv(out))
        return runCsvExport(cfile, out);
    const QStringList scopes{QStringLiteral("string"), QStringLiteral("folder"), QStringLiteral("edisk")};
    const int scope = int(scopes.indexOf(option(args, QStringLiteral("--scope")).toLower())) + 1;
    bool weightOk = true;
    const QString weightText = option(args, QStringLiteral("--weight"));
    const double weight = weightText.isEmpty() ? 0 : weightText.toDouble(&weightOk);
    if (out.isEmpty() || !outputSupported(out) || (cfile.isEmpty() == (scope < 1)) || !weightOk) {
        fail(QStringLiteral("--out BOOK.xlsx and either --cfile FILE or --port P --scope string|folder|edisk "
                            "are required; --weight takes a number of grains"));
        return 2;
    }
    QString text, error;
    if (!cfile.isEmpty() && !readCFileText(cfile, text, error)) {
        fail(error);
        return 1;
    }
    std::unique_ptr<OpsSession> s;
    std::unique_ptr<RemoteSession> remote;
    if (cfile.isEmpty()) {
        s = makeOpsSession(args);
        if (!s)
            return 2;
        remote = std::make_unique<RemoteSession>(*s, false);
    }
    ConsolePrompter prompter(hasFlag(args, QStringLiteral("--yes")));
    ConsoleLogPad logPad;
    NoFileChooser chooser;
    zx::NullProgressSink progress;
    ExcelLink link(s ? s->cli->prompter : prompter, chooser, zx::ProgramFiles::forDesktop());
    ExportSources sources;
    sources.cfileText = [&] { return text; };
    if (remote)
        sources.download = [&](int sc, QStringList &lines) { return remote->ops.croGetShots(sc, &lines); };
    zx::LogPadSink &pad = s ? static_cast<zx::LogPadSink &>(s->cli->logPad) : logPad;
    QString done; // the export's success line, said once the workbook is written
    int result = openOutBook(link, out);
    if (result == 0) {
        if (!weightText.isEmpty())
            setWeight(link, weight);
        ExportDriver driver(link, sources, pad, progress, ExportOptions{});
        result = cfile.isEmpty() ? driver.run(3, SrcMemory, scope, scope) : driver.exportCFile();
        done = driver.heldSuccess();
    }
    if (s)
        endOpsSession(*s);
    if (result != 0) {
        fail(result > 1000 ? QStringLiteral("Zentrix to Excel Connection Failed...! (") + QString::number(result - 1000) + u')'
                           : QStringLiteral("Failed to complete data export...! (") + QString::number(result) + u')');
        fail(out + QStringLiteral(" was not written") + (link.lastError().isEmpty() ? QString() : QStringLiteral(": ") + link.lastError()));
        return 1;
    }
    if (!finishOutBook(link, out)) {
        fail(out + QStringLiteral(" was not written: ") + link.lastError());
        return 1;
    }
    if (!done.isEmpty())
        pad.logPadWrite(done, 0, 1, 0);
    return 0;
}

Registrar reg({"export", "--cfile FILE | --port P --scope string|folder|edisk, --out BOOK.xlsx [--weight "
               "GRAINS]",
               "shots into a workbook or a CSV file",
               "--cfile FILE --out SHOTS.csv writes one row per shot.",
               runExport});

} // namespace
