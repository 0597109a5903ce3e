// 10,000 "CAP:" lines of a CFile exported to a workbook the way the menu's CFile export does it
// (the CFile read, the export driver, the workbook model, the .xlsx writer), blocks of 40.
// Prints the CPU time and peak memory, then runs bench_workbook_openpyxl.py on the same rows
// when /usr/bin/python3 has openpyxl.
// Usage: bench_workbook [shot lines, default 10000]
#include "bench/bench_doubles.h"
#include "export/cfile_source.h"
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "link/logpad_sink.h"
#include "link/progress_sink.h"
#include "export/export_template.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

using namespace zx::wb;

namespace {

double cpuSeconds(int who) // CPU time: wall time means little on a shared, busy machine
{
    rusage u{};
    getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakKb(int who)
{
    rusage u{};
    getrusage(who, &u);
    return u.ru_maxrss;
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    const QString cfile = dir.filePath(QStringLiteral("shots.txt"));
    qputenv("ZX_PROGRAM_DIR", dir.filePath(QStringLiteral("program")).toLocal8Bit());
    if (!writeCFile(cfile, shots))
        return 1;
    zx::bench::SilentPrompter prompter;
    zx::bench::NoChooser chooser;
    QuietLogPad logPad;
    zx::NullProgressSink progress;
    zx::xls::ExcelLink link(prompter, chooser, zx::ProgramFiles::forDesktop());
    link.setNewBookPath(path);
    if (link.connect(3) != 0) // the templates are made once per program folder, not timed
        return 1;

    const long memBefore = peakKb(RUSAGE_SELF);
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer total;
    total.start();
    QString text, error;
    zx::xls::ExportSources sources;
    sources.cfileText = [&] { return text; };
    if (!zx::xls::readCFileText(cfile, text, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    zx::xls::ExportDriver driver(link, sources, logPad, progress, zx::xls::ExportOptions{});
    const int result = driver.exportCFile();
    const qint64 totalNs = total.nsecsElapsed();
    const double ourCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    if (result != 0) {
        std::fprintf(stderr, "export failed (%d) %s\n", result, qPrintable(link.lastError()));
        return 1;
    }
    std::printf("zentrix: %d CAP: lines of a CFile -> %d shot rows (9 formulas each) -> %.1f MB .xlsx\n", shots,
                driver.rowsWritten(), QFileInfo(path).size() / 1e6);
    // The file write alone, again on the finished workbook: what libxlsxwriter's XML and zip
    // take of the total, whatever the model in front of it does.
    const double saveBefore = cpuSeconds(RUSAGE_SELF);
    link.save();
    const double saveCpu = cpuSeconds(RUSAGE_SELF) - saveBefore;
    std::printf("  CPU %.3f s (goal < 0.4 s); wall %.3f s\n", ourCpu, totalNs / 1e9);
    std::printf("  of which writing the .xlsx (libxlsxwriter's XML and zip) %.3f s, reading and building the sheet %.3f s\n",
                saveCpu, ourCpu - saveCpu);
    std::printf("  peak memory %.1f MB (%.1f MB before)\n", peakKb(RUSAGE_SELF) / 1024.0, memBefore / 1024.0);

    const QString script = QStringLiteral(ZX_SOURCE_DIR "/bench/bench_workbook_openpyxl.py");
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
        std::printf("openpyxl: skipped (/usr/bin/python3 with openpyxl not available; "
                    "bench/run_bench_workbook.sh installs python3-openpyxl)\n");
        return 0;
    }
    QProcess py;
    py.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer pyTime;
    pyTime.start();
    py.start(QStringLiteral("/usr/bin/python3"), {script, QString::number(shots), dir.filePath(QStringLiteral("py.xlsx"))});
    if (!py.waitForFinished(600000) || py.exitCode() != 0) {
        std::printf("openpyxl: the script failed\n");
        return 1;
    }
    const double theirs = cpuSeconds(RUSAGE_CHILDREN); // the probe's start-up counts too: a few ms
    std::printf("openpyxl: CPU %.3f s, wall %.3f s (whole script), peak memory %.1f MB\n", theirs,
                pyTime.nsecsElapsed() / 1e9, peakKb(RUSAGE_CHILDREN) / 1024.0);
    std::printf("  zentrix takes %.1f times less CPU (goal >= 10)\n", theirs / ourCpu);
    return 0;
}
