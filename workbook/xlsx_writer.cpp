// Writing a workbook with libxlsxwriter. libxlsxwriter opens the output file itself, so the
// file cannot go through QSaveFile; the same guarantee is kept by hand: a temporary file in
// the target folder, every return code checked, the result read back, flushed to disk, then
// renamed over the old one. libxlsxwriter does not check the writes to its own scratch files
// (a full disk leaves a sheet cut short inside a zip that closes without an error), so the
// written package is checked part by part (xlsx_verify) before it replaces anything.
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "workbook/xlsx_error_cells.h"
#include "workbook/xlsx_origin.h"
#include "workbook/xlsx_verify.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

namespace zx::wb {

namespace {

constexpr int kMaxTextLength = 32767; // the longest text a cell can hold
constexpr int kMaxUrlLength = 2079;

class XlsxWriter {
public:
    XlsxWriter(const Workbook &book, lxw_workbook *out) : m_book(book), m_out(out)
    {
        m_formats.assign(std::size_t(book.formatCount()), nullptr);
    }

    bool write()
    {
        for (int i = 0; i < m_book.sheetCount() && m_error.isEmpty(); ++i) {
            m_sheet = i;
            writeSheet(m_book.sheet(i), i == m_book.activeSheet());
        }
        return m_error.isEmpty();
    }
    const QString &error() const { return m_error; }
    // The last row written on each sheet, in the order the sheets were added.
    const std::vector<int> &lastRows() const { return m_lastRows; }
    const ErrorCellMap &errorCells() const { return m_errorCells; }

private:
    lxw_format *format(std::uint16_t id)
    {
        if (id == 0 || id >= m_formats.size())
            return nullptr;
        if (lxw_format *f = m_formats[id])
            return f;
        const CellFormat &cf = m_book.formatAt(id);
        lxw_format *f = workbook_add_format(m_out);
        if (!f) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("out of memory for cell formats");
            return nullptr;
        }
        if (cf.fontSize > 0)
            format_set_font_size(f, cf.fontSize);
        if (cf.bold)
            format_set_bold(f);
        if (cf.underline)
            format_set_underline(f, LXW_UNDERLINE_SINGLE);
        if (const int rgb = paletteColor(cf.colorIndex); rgb >= 0)
            format_set_font_color(f, lxw_color_t(rgb));
        if (!cf.numberFormat.isEmpty())
            format_set_num_format(f, cf.numberFormat.toUtf8().constData());
        switch (cf.align) {
        case HAlign::Left: format_set_align(f, LXW_ALIGN_LEFT); break;
        case HAlign::Center: format_set_align(f, LXW_ALIGN_CENTER); break;
        case HAlign::Right: format_set_align(f, LXW_ALIGN_RIGHT); break;
        case HAlign::General: break;
        }
        m_formats[id] = f;
        return f;
    }

    void check(lxw_error err, const Worksheet &ws, int row, int col)
    {
        if (err != LXW_NO_ERROR && m_error.isEmpty())
            m_error = QStringLiteral("sheet %1, cell %2: %3")
                          .arg(ws.name(), cellName(row, col), QString::fromUtf8(lxw_strerror(err)));
    }

    void writeSheet(const Worksheet &ws, bool active)
    {
        lxw_worksheet *out = workbook_add_worksheet(m_out, ws.name().toUtf8().constData());
        if (!out) {
            m_error = QStringLiteral("the sheet name \"%1\" cannot be used").arg(ws.name());
            return;
        }
        m_lastRows.push_back(0);
        if (active)
            worksheet_activate(out);
        const CellAddr sel = ws.activeCell();
        if (sel.row >= 1 && sel.col >= 1)
            worksheet_set_selection(out, lxw_row_t(sel.row - 1), lxw_col_t(sel.col - 1), lxw_row_t(sel.row - 1),
                                    lxw_col_t(sel.col - 1));
        for (int c = 1; c <= ws.lastFormattedColumn(); ++c) {
            const double width = ws.columnWidth(c);
            const bool hidden = ws.isColumnHidden(c);
            if (width < 0 && !hidden)
                continue;
            lxw_row_col_options opt{hidden ? uint8_t(1) : uint8_t(0), 0, 0};
            check(worksheet_set_column_opt(out, lxw_col_t(c - 1), lxw_col_t(c - 1),
                                               width < 0 ? LXW_DEF_COL_WIDTH : width, nullptr, &opt),
                  ws, 1, c);
        }
        // Row by row, in order: the writer keeps only the current row in memory.
        const int lastRow = std::max(ws.usedExtent().row, ws.lastFormattedRow());
        for (int r = 1; r <= lastRow && m_error.isEmpty(); ++r) {
            const double height = ws.rowHeight(r);
            const bool hidden = ws.isRowHidden(r);
            if (height >= 0 || hidden) {
                lxw_row_col_options opt{hidden ? uint8_t(1) : uint8_t(0), 0, 0};
                check(worksheet_set_row_opt(out, lxw_row_t(r - 1), height < 0 ? LXW_DEF_ROW_HEIGHT : height, nullptr,
                                            &opt),
                      ws, r, 1);
                m_lastRows.back() = r;
            }
            for (int c = 1; c <= ws.usedExtent().col; ++c)
                if (const Cell *cell = ws.cell(r, c); cell && writeCell(ws, out, r, c, *cell))
                    m_lastRows.back() = r;
        }
    }

    // False when nothing went into the sheet (an empty cell without a format).
    bool writeCell(const Worksheet &ws, lxw_worksheet *out, int r, int c, const Cell &cell)
    {
        const lxw_row_t row = lxw_row_t(r - 1);
        const lxw_col_t col = lxw_col_t(c - 1);
        lxw_format *fmt = format(cell.format);
        if (isError(cell.value)) // written as text here, made an error cell afterwards
            m_errorCells[m_sheet].insert(cellName(r, c));
        if (!ws.hyperlinks().empty()) {
            const QString url = ws.hyperlink(r, c);
            if (!url.isEmpty() && url.size() <= kMaxUrlLength) {
                check(worksheet_write_url_opt(out, row, col, linkTarget(url).constData(), fmt,
                                              textOf(displayText(cell.value)).constData(), nullptr),
                      ws, r, c);
                return true;
            }
        }
        if (cell.formula) {
            const char *text = utf8(cell.formula->text, 0, cell.formula->text.size());
            if (const double *d = std::get_if<double>(&cell.value))
                check(worksheet_write_formula_num(out, row, col, text, fmt, *d), ws, r, c);
            else if (const bool *b = std::get_if<bool>(&cell.value))
                check(worksheet_write_formula_num(out, row, col, text, fmt, *b ? 1 : 0), ws, r, c);
            else
                check(worksheet_write_formula_str(out, row, col, text, fmt, utf8(displayText(cell.value), 1)), ws, r, c);
            return true;
        }
        if (const double *d = std::get_if<double>(&cell.value))
            check(worksheet_write_number(out, row, col, *d, fmt), ws, r, c);
        else if (const bool *b = std::get_if<bool>(&cell.value))
            check(worksheet_write_boolean(out, row, col, *b ? 1 : 0, fmt), ws, r, c);
        else if (isEmpty(cell.value) || (isText(cell.value) && std::get<QString>(cell.value).isEmpty())) {
            if (!fmt)
                return false;
            check(worksheet_write_blank(out, row, col, fmt), ws, r, c);
        } else
            check(worksheet_write_string(out, row, col, utf8(displayText(cell.value), 0), fmt), ws, r, c);
        return true;
    }

    static QByteArray textOf(const QString &s) { return s.left(kMaxTextLength).toUtf8(); }

    // The text (at most `limit` characters) as UTF-8, in one of two buffers kept from cell to
    // cell: a sheet of shot rows holds a hundred thousand texts and formulas, nearly all of them
    // ASCII, each otherwise an allocation.
    const char *utf8(const QString &s, int buffer, qsizetype limit = kMaxTextLength)
    {
        std::string &out = m_utf8[buffer];
        out.clear();
        const qsizetype n = std::min(s.size(), limit);
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t ch = s[i].unicode();
            if (ch >= 0x80) {
                out = s.left(limit).toUtf8().toStdString();
                break;
            }
            out.push_back(char(ch));
        }
        return out.c_str();
    }

    // A plain path becomes a link to a local file; addresses with a scheme stay as they are.
    static QByteArray linkTarget(const QString &url)
    {
        static const char *const kSchemes[] = {"http://", "https://", "ftp://", "mailto:", "file:///", "internal:",
                                               "external:"};
        for (const char *s : kSchemes)
            if (url.startsWith(QLatin1String(s), Qt::CaseInsensitive))
                return url.toUtf8();
        return "external:" + url.toUtf8();
    }

    const Workbook &m_book;
    lxw_workbook *m_out;
    std::vector<lxw_format *> m_formats;
    std::vector<int> m_lastRows;
    QString m_error;
    ErrorCellMap m_errorCells;
    int m_sheet = 0;
    std::string m_utf8[2];
};

// The owner mark (xlsx_origin.h): the file's modified time, repeated in a custom property.
bool markAsOwn(lxw_workbook *out)
{
    lxw_doc_properties props{};
    props.created = std::time(nullptr); // written as both the created and the modified time
    const QByteArray stamp = ownerStamp(qint64(props.created)).toUtf8();
    return workbook_set_properties(out, &props) == LXW_NO_ERROR
           && workbook_set_custom_property_string(out, kOwnerProperty, stamp.constData()) == LXW_NO_ERROR;
}

// Why writes in folder fail, in the system's words: libxlsxwriter does not pass on the errors
// of its scratch files, so after a short file the folder is asked again with a probe of
// about the size that did not fit (removed at once).
QString diskReason(const QString &folder, qint64 bytes)
{
    QTemporaryFile probe(folder + QStringLiteral("/.zentrix-probe.XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    const QByteArray block(64 * 1024, '\0');
    for (qint64 done = 0; done < bytes;) {
        const ssize_t n = ::write(probe.handle(), block.constData(), std::size_t(block.size()));
        if (n < 0)
            return QString::fromLocal8Bit(std::strerror(errno));
        done += n;
    }
    return QStringLiteral("the data could not be written in full");
}

// Why workbook_close failed: its own words say only "ZIP_ERRNO" or "error creating the file";
// the system's reason comes first, from errno as the failing call left it, or, where that is
// gone, from the folder asked again.
QString closeFailure(lxw_error closed, int savedErrno, const QString &folder)
{
    const QString words = QString::fromUtf8(lxw_strerror(closed));
    switch (closed) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        break;
    default:
        return words;
    }
    const QString reason = savedErrno != 0 ? QString::fromLocal8Bit(std::strerror(savedErrno))
                                           : diskReason(folder, 4 * 1024 * 1024);
    return reason + QStringLiteral(" (") + words + u')';
}

bool flushToDisk(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return ::fsync(f.handle()) == 0;
}

} // namespace

XlsxResult writeXlsx(const Workbook &book, const QString &path)
{
    XlsxResult result;
    const QFileInfo target(path);
    auto failed = [&](const QString &why) {
        result.error = QStringLiteral("The workbook could not be saved as %1:\n%2")
                           .arg(QDir::toNativeSeparators(target.absoluteFilePath()), why);
        return result;
    };
    if (book.sheetCount() == 0)
        return failed(QStringLiteral("it has no sheets."));
    // Reserve a unique name beside the target; libxlsxwriter then writes that file.
    QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        return failed(reserve.errorString());
    const QString temp = reserve.fileName();
    reserve.close();

    // libxlsxwriter's scratch files go in the target folder too: they meet the same disk.
    QByteArray scratchDir = QFile::encodeName(target.absolutePath());
    lxw_workbook_options options{};
    options.constant_memory = 1;
    options.tmpdir = scratchDir.data();
    lxw_workbook *out = workbook_new_opt(QFile::encodeName(temp).constData(), &options);
    if (!out) {
        QFile::remove(temp);
        return failed(QStringLiteral("the file could not be created."));
    }
    if (!markAsOwn(out)) {
        workbook_close(out);
        QFile::remove(temp);
        return failed(QStringLiteral("its document properties could not be set."));
    }
    XlsxWriter writer(book, out);
    const bool written = writer.write();
    errno = 0;
    const lxw_error closed = workbook_close(out);
    const int closeErrno = errno;   // the system's reason of a failed file or zip operation
    if (!written || closed != LXW_NO_ERROR) {
        const QString why = !written ? writer.error() : closeFailure(closed, closeErrno, target.absolutePath());
        QFile::remove(temp);
        return failed(why);
    }
    if (QString why; !writer.errorCells().empty() && !markErrorCells(temp, writer.errorCells(), &why)) {
        QFile::remove(temp);
        return failed(why);
    }
    if (const QString broken = checkWrittenPackage(temp, writer.lastRows()); !broken.isEmpty()) {
        const QString why = diskReason(target.absolutePath(), 4 * QFileInfo(temp).size() + 1024 * 1024) + QStringLiteral(" (")
                            + broken + u')';
        QFile::remove(temp);
        return failed(why);
    }
    // The temporary name is private (owner only); the file takes the old file's permissions or
    // the usual ones for a new file.
    QFile::setPermissions(temp, target.exists() ? QFile::permissions(target.absoluteFilePath())
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                      QFile::ReadOther);
    if (!flushToDisk(temp) ||
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) !=
            0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        return failed(why);
    }
    result.ok = true;
    return result;
}

} // namespace zx::wb
