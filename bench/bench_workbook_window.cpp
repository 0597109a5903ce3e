// The workbook window over a big sheet: opening it on N shot rows, following rows appended one
// at a time as live capture writes them (a cellsChanged per row), and painting the grid after
// jumps through the sheet. Prints CPU times; runs offscreen unless a platform is set.
// Usage: bench_workbook_window [shot rows, default 10000]
#include "export/export_template.h"
#include "export/ui/workbook_window.h"

#include <QApplication>
#include <QTableView>

#include <cstdio>
#include <sys/resource.h>

using namespace zx;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void writeRow(wb::Worksheet &ws, int row, int n)
{
    wb::CellFormat velocity;
    velocity.bold = true;
    velocity.numberFormat = QStringLiteral("0.00");
    ws.setNumber(row, 1, n);
    ws.setNumber(row, 5, 2800 + n % 50);
    ws.setFormat(row, 5, velocity);
    const int start = row - (n - 1) % 40;
    ws.setFormula(row, 12, QStringLiteral("=MIN(E%1:E%2)").arg(start).arg(row));
    ws.setFormula(row, 14, QStringLiteral("=AVERAGE(E%1:E%2)").arg(start).arg(row));
    if ((n - 1) % 40 > 0)
        ws.setFormula(row, 16, QStringLiteral("=STDEV(E%1:E%2)").arg(start).arg(row));
    ws.setActiveCell({row, 1});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    auto book = xls::buildExportTemplate();
    const int sheet = xls::kLastShotSheet - 1;
    wb::Worksheet &ws = book->sheet(sheet);
    for (int i = 0; i < rows; ++i)
        writeRow(ws, xls::kFirstShotRow + i, i + 1);
    ws.setRowHidden(xls::kFirstShotRow + rows / 2, true);
    book->setActiveSheet(sheet);

    xls::WorkbookWindow window;
    double t = cpuSeconds();
    window.showWorkbook(*book, {}, nullptr);
    app.processEvents();
    std::printf("open on %d rows: %.3f s\n", rows, cpuSeconds() - t);

    const int appended = 1000;
    t = cpuSeconds();
    for (int i = 0; i < appended; ++i) {
        writeRow(ws, xls::kFirstShotRow + rows + i, rows + i + 1);
        window.cellsChanged(sheet);
        app.processEvents(); // the repaint of each row, as the user would see it
    }
    std::printf("%d rows appended one by one: %.3f ms a row (with their recalculation)\n", appended,
                (cpuSeconds() - t) * 1000 / appended);

    QTableView *view = window.sheetView(sheet);
    t = cpuSeconds();
    const int jumps = 50;
    for (int i = 0; i < jumps; ++i) {
        view->scrollTo(view->model()->index((i * 7919) % (rows + appended), 0));
        view->viewport()->grab();
    }
    std::printf("jump and paint: %.2f ms a screen\n", (cpuSeconds() - t) * 1000 / jumps);
    return 0;
}
