// ShotView's binary .xls workbooks through FreeXL: every cell as its text (the app stores the
// numbers as text, decimal commas included), then the same sheet reader as the .xlsx export.
// FreeXL 1.0.6 answers the Android app's own files with success and no handle: those go to
// the small BIFF reader of this folder.
#include "import/biff_reader.h"
#include "import/shotview.h"

#include <QFile>

#include <freexl.h>

namespace zx::import {

namespace {

QString cellText(const void *handle, unsigned row, unsigned short col)
{
    FreeXL_CellValue v;
    if (freexl_get_cell_value(handle, row, col, &v) != FREEXL_OK)
        return {};
    switch (v.type) {
    case FREEXL_CELL_INT:
        return QString::number(v.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return QString::number(v.value.double_value, 'g', 15);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return v.value.text_value ? QString::fromUtf8(v.value.text_value).trimmed() : QString();
    default:
        return {};
    }
}

// Closes the workbook on every way out.
struct XlsHandle {
    const void *handle = nullptr;
    ~XlsHandle()
    {
        if (handle)
            freexl_close(handle);
    }
};

ImportResult readShotViewBiff(const QString &path, ImportResult r)
{
    QFile f(path);
    std::vector<BiffSheet> book;
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = f.errorString();
        return r;
    }
    if (!readBiffWorkbook(f.readAll(), &book, &r.error))
        return r;
    std::vector<SessionSheet> sheets;
    for (const BiffSheet &b : book) {
        auto cell = [&](int row, int col) {
            const auto it = b.cells.find({row, col});
            return it == b.cells.end() ? QString() : it->second.trimmed();
        };
        SessionSheet sheet{b.name, cell(0, 0), {}};
        for (int row = 1; row < b.rows; ++row) {
            CellRow cr{row + 1, {}};
            for (int col = 0; col < b.columns; ++col)
                cr.cells << cell(row, col);
            sheet.rows.push_back(cr);
        }
        sheets.push_back(std::move(sheet));
    }
    return readShotViewSheets(sheets, r.format);
}

} // namespace

ImportResult readShotViewXls(const QString &path)
{
    ImportResult r;
    r.format = QStringLiteral("Garmin ShotView workbook (.xls)");
    XlsHandle xls;
    if (freexl_open(QFile::encodeName(path).constData(), &xls.handle) != FREEXL_OK || !xls.handle)
        return readShotViewBiff(path, r);
    unsigned int count = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        r.error = QStringLiteral("expected the workbook's sheet list");
        return r;
    }
    std::vector<SessionSheet> sheets;
    for (unsigned short s = 0; s < count; ++s) {
        const char *name = nullptr;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(xls.handle, s, &name) != FREEXL_OK
            || freexl_select_active_worksheet(xls.handle, s) != FREEXL_OK
            || freexl_worksheet_dimensions(xls.handle, &rows, &cols) != FREEXL_OK) {
            r.error = QStringLiteral("expected sheet %1 to open").arg(s + 1);
            return r;
        }
        SessionSheet sheet{name ? QString::fromUtf8(name) : QString(), cellText(xls.handle, 0, 0), {}};
        // Cells past the last ones read as empty: the dimensions are counts in some files and
        // last indexes in others.
        for (unsigned row = 1; row <= rows; ++row) {
            CellRow cr{int(row) + 1, {}};
            for (unsigned short col = 0; col <= cols; ++col)
                cr.cells << cellText(xls.handle, row, col);
            sheet.rows.push_back(cr);
        }
        sheets.push_back(std::move(sheet));
    }
    return readShotViewSheets(sheets, r.format);
}

} // namespace zx::import
