// Shot rows into a workbook and out to .xlsx: the export's own row layout (values, nine
// formulas per row, fonts and number formats, a copied header pair every 40 shots), written
// through the workbook model and the .xlsx writer. Prints the time and peak memory, then runs
// bench_workbook_openpyxl.py on the same rows when /usr/bin/python3 has openpyxl.
// Usage: bench_workbook [shot rows, default 10000]
#include "export/export_template.h"
#include "platform/workbook.h"
#include "platform/xlsx_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

CellFormat fmt(double size, bool bold, int color, const char *number = "")
{
    CellFormat f;
    f.fontSize = size;
    f.bold = bold;
    f.colorIndex = color;
    f.numberFormat = QString::fromLatin1(number);
    f.align = HAlign::Center;
    return f;
}

// One export of `shots` shot rows onto the "Capture" sheet, in blocks of 40.
void writeShots(Workbook &book, const Worksheet &templ, int shots)
{
    Worksheet &ws = book.sheet(zx::xls::kLastShotSheet - 1);
    const CellFormat seq = fmt(8, false, 5, "0"), ident = fmt(8, false, 5), big = fmt(10, true, kColorAutomatic),
                     velocity = fmt(10, true, kColorAutomatic, "0.00"), plain = fmt(8, false, kColorAutomatic),
                     stat = fmt(8, false, 5, "0.00"), weight = fmt(8, true, kColorAutomatic, "0.00"),
                     power = fmt(8, false, 3);
    unsigned noise = 12345;
    int row = zx::xls::kFirstShotRow, start = row;
    for (int shot = 0; shot < shots; ++shot) {
        const int n = shot % 40 + 1;
        if (n == 1) {
            templ.copyRowTo(zx::xls::kNamesRow, ws, row);
            templ.copyRowTo(zx::xls::kUnitsRow, ws, row + 1);
            row += 2;
            start = row;
        }
        noise = noise * 1103515245u + 12345u;
        const double v = 2800 + double((noise >> 16) % 2000) / 100.0;
        const QString r = QString::number(row), s = QString::number(start);
        auto put = [&](int col, const CellValue &value, const CellFormat &f) {
            ws.setValue(row, col, value);
            ws.setFormat(row, col, f);
        };
        auto formula = [&](int col, const QString &text, const CellFormat &f) {
            ws.setFormula(row, col, text);
            ws.setFormat(row, col, f);
        };
        put(1, double(shot + 1), seq);
        put(2, 1.0, ident);
        put(3, double(shot / 40 + 1), ident);
        put(4, double(n), big);
        put(5, v, velocity);
        put(6, QStringLiteral("f/s"), plain);
        put(7, 0.0021 + n * 1e-6, big);
        put(8, QStringLiteral("sec"), plain);
        put(9, 68.0, big);
        put(10, QStringLiteral("fah"), plain);
        put(11, double(n), ident);
        formula(12, QStringLiteral("=MIN(E") + s + QStringLiteral(":E") + r + u')', stat);
        formula(13, QStringLiteral("=MAX(E") + s + QStringLiteral(":E") + r + u')', ident);
        formula(14, QStringLiteral("=AVERAGE(E") + s + QStringLiteral(":E") + r + u')', ident);
        formula(15, QStringLiteral("=(M") + r + QStringLiteral("-L") + r + u')', ident);
        if (n < 2) {
            put(16, 0.0, ident);
            put(17, 0.0, ident);
        } else {
            formula(16, QStringLiteral("=STDEV(E") + s + QStringLiteral(":E") + r + u')', ident);
            formula(17, QStringLiteral("=(P") + r + QStringLiteral("* 100)/N") + r, ident);
        }
        put(18, 150.0, weight);
        formula(19, QStringLiteral("=($E%1*iSetup!$D$6*$E%1*iSetup!$D$6 * ($R%1*iSetup!$D$4/2000))").arg(r), power);
        formula(20, QStringLiteral("=($E%1*iSetup!$D$6*$R%1*iSetup!$D$4)").arg(r), power);
        formula(21, QStringLiteral("=($E%1*$R%1/1000)").arg(r), power);
        ws.setActiveCell({row, 1});
        ++row;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CBoox.xlsx"));

    const long memBefore = peakKb(RUSAGE_SELF);
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer total;
    total.start();
    auto templ = zx::xls::buildExportTemplate();
    auto book = zx::xls::buildExportTemplate();
    writeShots(*book, templ->sheet(zx::xls::kLastShotSheet - 1), shots);
    const double fillCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const XlsxResult w = writeXlsx(*book, path);
    const qint64 totalNs = total.nsecsElapsed();
    const double ourCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    if (!w.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(w.error));
        return 1;
    }
    std::printf("zentrix: %d shot rows (9 formulas each) -> %.1f MB .xlsx\n", shots,
                QFileInfo(path).size() / 1e6);
    std::printf("  CPU: model %.3f s + write %.3f s = %.3f s (goal < 0.4 s); wall %.3f s\n", fillCpu,
                ourCpu - fillCpu, ourCpu, totalNs / 1e9);
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
