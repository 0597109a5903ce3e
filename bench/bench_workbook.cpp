// 10,000 "CAP:" lines of a CFile exported to a workbook by the whole command a user runs,
// `zentrix-cli export --cfile F --out B.xlsx` (process start, the CFile read, the export
// driver, the workbook model, the .xlsx writer), blocks of 40, side by side with
// bench_workbook_openpyxl.py writing the same rows with formulas (when /usr/bin/python3 has
// openpyxl). The split between building the sheet and writing the .xlsx is measured on the
// same rows in this process, the command's own path with the write held until the end.
// Usage: bench_workbook [shot lines, default 10000]
#include "bench/bench_doubles.h"
#include "export/cfile_source.h"
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "link/logpad_sink.h"
#include "link/progress_sink.h"
#include "workbook/workbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

// CPU time: wall time means little on a shared, busy machine.
double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class QuietLogPad : public zx::LogPadSink {
public:
    void logPadWrite(const QString &, int, int, int) override {}
    void captureText(const QString &) override {}
    bool hasActiveCFile() const override { return true; }
};

// A plain CFile of `shots` shot lines, strings of 40, as the chronograph prints them.
bool writeCFile(const QString &path, int shots)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    unsigned noise = 12345;
    QByteArray text;
    for (int shot = 0; shot < shots; ++shot) {
        noise = noise * 1103515245u + 12345u;
        const double v = 2800 + double((noise >> 16) % 2000) / 100.0;
        text += QStringLiteral("CAP:#%1 %2 f/s %3 sec  68.0 fah\r\n")
                    .arg(shot % 40 + 1, 2, 10, QLatin1Char('0'))
                    .arg(v, 7, 'f', 2)
                    .arg(2.0 / v, 0, 'f', 6)
                    .toLatin1();
    }
    return f.write(text) == text.size();
}

struct Run {
    bool ok = false;
    double cpu = 0, wall = 0;
};

// A child program to its end: its CPU time (user and system) and wall time.
Run runChild(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer wall;
    wall.start();
    p.start(program, args);
    Run r;
    r.ok = p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    r.wall = double(wall.nsecsElapsed()) / 1e9;
    r.cpu = cpuSeconds(RUSAGE_CHILDREN) - before;
    return r;
}

// The command's path in this process: building (CFile read, model, formulas, recalculation)
// with the write held, then the one write. False when the export failed.
bool splitInProcess(const QString &cfile, const QString &book, double &build, double &write)
{
    zx::bench::SilentPrompter prompter;
    zx::bench::NoChooser chooser;
    QuietLogPad logPad;
    zx::NullProgressSink progress;
    zx::xls::ExcelLink link(prompter, chooser, zx::ProgramFiles::forDesktop());
    link.setNewBookPath(book);
    link.holdSaves(true);
    const double start = cpuSeconds(RUSAGE_SELF);
    QString text, error;
    zx::xls::ExportSources sources;
    sources.cfileText = [&] { return text; };
    if (!zx::xls::readCFileText(cfile, text, error) || link.connect(3) != 0)
        return false;
    zx::xls::ExportDriver driver(link, sources, logPad, progress, zx::xls::ExportOptions{});
    if (driver.exportCFile() != 0)
        return false;
    const double built = cpuSeconds(RUSAGE_SELF);
    link.holdSaves(false);
    const bool saved = link.save();
    build = built - start;
    write = cpuSeconds(RUSAGE_SELF) - built;
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString cfile = dir.filePath(QStringLiteral("shots.txt"));
    const QString one = dir.filePath(QStringLiteral("one.txt"));
    qputenv("ZX_PROGRAM_DIR", dir.filePath(QStringLiteral("program")).toLocal8Bit()); // the child's too
    if (!writeCFile(cfile, shots) || !writeCFile(one, 1))
        return 1;
    const QString cli = QStringLiteral(ZX_CLI_PATH);
    const auto exportTo = [&](const QString &from, const QString &name) {
        return runChild(cli, {QStringLiteral("export"), QStringLiteral("--cfile"), from, QStringLiteral("--out"),
                              dir.filePath(name)});
    };
    // The program folder's templates are made by the first run: a user's is made once.
    if (!exportTo(one, QStringLiteral("warm.xlsx")).ok) {
        std::fprintf(stderr, "zentrix-cli export failed on one shot\n");
        return 1;
    }
    const Run ours = exportTo(cfile, QStringLiteral("book.xlsx"));
    if (!ours.ok) {
        std::fprintf(stderr, "zentrix-cli export failed\n");
        return 1;
    }
    std::printf("zentrix-cli export: %d CAP: lines of a CFile -> %.1f MB .xlsx: CPU %.3f s, wall %.3f s (whole process)\n",
                shots, double(QFileInfo(dir.filePath(QStringLiteral("book.xlsx"))).size()) / 1e6, ours.cpu, ours.wall);
    double build = 0, write = 0;
    if (!splitInProcess(cfile, dir.filePath(QStringLiteral("split.xlsx")), build, write)) {
        std::fprintf(stderr, "the export in this process failed\n");
        return 1;
    }
    std::printf("  split (same rows, in this process): building %.3f s (CFile read, model, formulas, recalculation), "
                "writing %.3f s (.xlsx: libxlsxwriter's XML and zip, read-back check)\n",
                build, write);

    const QString script = QStringLiteral(ZX_SOURCE_DIR "/bench/bench_workbook_openpyxl.py");
    if (!runChild(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import openpyxl")}).ok) {
        std::printf("openpyxl: skipped (/usr/bin/python3 with openpyxl not available; "
                    "bench/run_bench_workbook.sh installs python3-openpyxl)\n");
        return 0;
    }
    const Run theirs = runChild(QStringLiteral("/usr/bin/python3"),
                                {script, QString::number(shots), dir.filePath(QStringLiteral("py.xlsx"))});
    if (!theirs.ok) {
        std::printf("openpyxl: the script failed\n");
        return 1;
    }
    std::printf("openpyxl: CPU %.3f s, wall %.3f s (whole script)\n", theirs.cpu, theirs.wall);
    std::printf("  zentrix-cli / openpyxl: CPU %.3f, wall %.3f (goal <= 0.15)\n", ours.cpu / theirs.cpu,
                ours.wall / theirs.wall);
    return 0;
}
