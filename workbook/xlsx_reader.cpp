// Reading an .xlsx file: minizip opens the package (zip_package), QXmlStreamReader reads its parts.
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "workbook/zip_package.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace zx::wb {

namespace {

constexpr qint64 kMaxPartSize = 256 * 1024 * 1024; // refuse parts that unpack to absurd sizes

// The system's reason a file does not read (a folder, a missing file, no permission), or
// empty when it reads: minizip only says that it opened no package.
QString systemReadReason(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    char byte;
    const bool reads = ::read(fd, &byte, 1) >= 0;
    const int readErrno = errno;
    ::close(fd);
    return reads ? QString() : QString::fromLocal8Bit(std::strerror(readErrno));
}

struct SheetEntry {
    QString name;
    QString part; // package path, e.g. "xl/worksheets/sheet1.xml"
};

struct SharedFormula {
    int row = 0, col = 0;
    QString text;
};

class XlsxReader {
public:
    explicit XlsxReader(const QString &path) : m_path(path), m_zip(path) {}

    std::unique_ptr<Workbook> read()
    {
        if (!m_zip.isOpen()) {
            const QString reason = systemReadReason(m_path);
            return fail(reason.isEmpty() ? QStringLiteral("it is not an .xlsx workbook (not a zip package).")
                                         : reason + u'.');
        }
        QByteArray data;
        if (!part(QStringLiteral("xl/workbook.xml"), &data, true))
            return nullptr;
        auto book = std::make_unique<Workbook>();
        std::vector<SheetEntry> sheets;
        int activeTab = 0;
        if (!readWorkbookPart(data, &sheets, &activeTab))
            return nullptr;
        if (part(QStringLiteral("xl/sharedStrings.xml"), &data, false) && !readSharedStrings(data))
            return nullptr;
        if (part(QStringLiteral("xl/styles.xml"), &data, false))
            readDateStyles(data);
        // All sheets first, so formulas naming a later sheet find it.
        for (const SheetEntry &s : sheets)
            book->addSheet(s.name);
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (!part(sheets[i].part, &data, true) || !readSheet(data, book->sheet(int(i))))
                return nullptr;
            readHyperlinks(sheets[i].part, book->sheet(int(i)));
        }
        // Formulas go in last, with the results the file stored: a value read after a formula
        // that uses it (on a later sheet) must not recalculate that formula.
        for (PendingFormula &f : m_formulas)
            f.sheet->setFormulaWithResult(f.at.row, f.at.col, f.text, f.value);
        if (activeTab >= 0 && activeTab < book->sheetCount())
            book->setActiveSheet(activeTab);
        return book;
    }
    const QString &error() const { return m_error; }

private:
    std::nullptr_t fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
        return nullptr;
    }

    bool part(const QString &name, QByteArray *out, bool required)
    {
        out->clear();
        switch (m_zip.read(name, out, kMaxPartSize)) {
        case ZipReader::Status::Ok:
            return true;
        case ZipReader::Status::Missing:
            if (required)
                fail(QStringLiteral("its part %1 is missing.").arg(name));
            return false;
        case ZipReader::Status::Unreadable:
            fail(QStringLiteral("its part %1 cannot be unpacked.").arg(name));
            return false;
        case ZipReader::Status::TooLarge:
            fail(QStringLiteral("its part %1 is too large.").arg(name));
            return false;
        case ZipReader::Status::Damaged:
            break;
        }
        fail(QStringLiteral("its part %1 is damaged.").arg(name));
        return false;
    }

    bool xmlFailed(const QXmlStreamReader &xml, const QString &part)
    {
        if (!xml.hasError())
            return false;
        fail(QStringLiteral("its part %1 is not valid XML (%2, line %3).")
                 .arg(part, xml.errorString())
                 .arg(xml.lineNumber()));
        return true;
    }

    bool readWorkbookPart(const QByteArray &data, std::vector<SheetEntry> *sheets, int *activeTab)
    {
        QHash<QString, QString> targets; // relationship id -> part
        QByteArray rels;
        if (!part(QStringLiteral("xl/_rels/workbook.xml.rels"), &rels, true))
            return false;
        QXmlStreamReader rx(rels);
        while (!rx.atEnd()) {
            rx.readNext();
            if (rx.isStartElement() && rx.name() == QLatin1String("Relationship")) {
                QString target = rx.attributes().value(QLatin1String("Target")).toString();
                target = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
                targets.insert(rx.attributes().value(QLatin1String("Id")).toString(), QDir::cleanPath(target));
            }
        }
        if (xmlFailed(rx, QStringLiteral("xl/_rels/workbook.xml.rels")))
            return false;

        QXmlStreamReader xml(data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const auto attrs = xml.attributes();
            if (xml.name() == QLatin1String("workbookView"))
                *activeTab = attrs.value(QLatin1String("activeTab")).toInt();
            else if (xml.name() == QLatin1String("workbookPr"))
                m_date1904 = isTrue(attrs.value(QLatin1String("date1904")));
            else if (xml.name() == QLatin1String("sheet")) {
                QString rid;
                for (const auto &a : attrs)
                    if (a.name() == QLatin1String("id"))
                        rid = a.value().toString();
                const QString name = attrs.value(QLatin1String("name")).toString();
                if (name.isEmpty() || !targets.contains(rid))
                    return fail(QStringLiteral("its sheet list is damaged.")), false;
                sheets->push_back({name, targets.value(rid)});
            }
        }
        if (xmlFailed(xml, QStringLiteral("xl/workbook.xml")))
            return false;
        if (sheets->empty())
            return fail(QStringLiteral("it has no sheets.")), false;
        return true;
    }

    // The text of an <si> or <is> element: all its <t> pieces (rich text runs included),
    // without phonetic hints.
    static QString itemText(QXmlStreamReader &xml)
    {
        QString text;
        const QString end = xml.name().toString();
        int skipDepth = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("rPh"))
                    ++skipDepth;
                else if (xml.name() == QLatin1String("t") && skipDepth == 0)
                    text += xml.readElementText();
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("rPh"))
                    --skipDepth;
                else if (xml.name() == end)
                    break;
            }
        }
        return text;
    }

    // Which cell styles show dates, and in which number format. Dates are day numbers; the
    // program counts them from 1900 as most workbooks do.
    void readDateStyles(const QByteArray &data)
    {
        QHash<int, QString> custom;
        QXmlStreamReader xml(data);
        bool inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
                inCellXfs = false;
            if (!xml.isStartElement())
                continue;
            const auto attrs = xml.attributes();
            if (xml.name() == QLatin1String("numFmt"))
                custom.insert(attrs.value(QLatin1String("numFmtId")).toInt(), attrs.value(QLatin1String("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs"))
                inCellXfs = true;
            else if (inCellXfs && xml.name() == QLatin1String("xf")) {
                const int id = attrs.value(QLatin1String("numFmtId")).toInt();
                const QString code = custom.contains(id) ? custom.value(id) : builtInDateFormat(id);
                m_dateFormats.push_back(isDateFormat(code) ? code : QString());
            }
        }
        // A damaged styles part costs only the date formats.
    }

    static QString builtInDateFormat(int id)
    {
        switch (id) {
        case 14: return QStringLiteral("yyyy-mm-dd");
        case 15: return QStringLiteral("d-mmm-yy");
        case 16: return QStringLiteral("d-mmm");
        case 17: return QStringLiteral("mmm-yy");
        case 18: return QStringLiteral("h:mm AM/PM");
        case 19: return QStringLiteral("h:mm:ss AM/PM");
        case 20: return QStringLiteral("h:mm");
        case 21: return QStringLiteral("h:mm:ss");
        case 22: return QStringLiteral("yyyy-mm-dd h:mm");
        case 45: return QStringLiteral("mm:ss");
        case 46: return QStringLiteral("[h]:mm:ss");
        case 47: return QStringLiteral("mm:ss.0");
        default: return {};
        }
    }

    // A format shows a date or a time when, outside quotes, escapes and [colour] brackets, it has
    // a day, month, year, hour or second letter ("[h]" counts: it is elapsed time).
    static bool isDateFormat(const QString &code)
    {
        bool quoted = false;
        for (qsizetype i = 0; i < code.size(); ++i) {
            const QChar c = code[i];
            if (c == u'"')
                quoted = !quoted;
            else if (quoted)
                continue;
            else if (c == u'\\' || c == u'_' || c == u'*')
                ++i;
            else if (c == u'[') {
                const qsizetype end = code.indexOf(u']', i);
                const QString inner = code.mid(i + 1, end - i - 1).toLower();
                if (!inner.isEmpty() && (inner[0] == u'h' || inner[0] == u'm' || inner[0] == u's'))
                    return true;
                if (end < 0)
                    return false;
                i = end;
            } else if (QStringLiteral("dDmMyYhHsS").contains(c))
                return true;
        }
        return false;
    }

    QString dateFormatOf(int style) const
    {
        return style >= 0 && style < qsizetype(m_dateFormats.size()) ? m_dateFormats[std::size_t(style)] : QString();
    }

    bool readSharedStrings(const QByteArray &data)
    {
        QXmlStreamReader xml(data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("si"))
                m_strings << itemText(xml);
        }
        return !xmlFailed(xml, QStringLiteral("xl/sharedStrings.xml"));
    }

    // The sheet's hyperlinks: an address from the sheet's relationships (a URL or a file), a
    // place in the workbook ("internal:Sheet!A1"), or both joined by "#". A link whose
    // relationships cannot be read is left out; the cell keeps its value.
    void readHyperlinks(const QString &sheetPart, Worksheet &ws)
    {
        const std::vector<Link> links = std::exchange(m_links, {});
        if (links.empty())
            return;
        const qsizetype slash = sheetPart.lastIndexOf(u'/');
        const QString relsPart = sheetPart.left(slash + 1) + QStringLiteral("_rels/") + sheetPart.mid(slash + 1) + QStringLiteral(".rels");
        QHash<QString, QString> targets;
        QByteArray rels;
        if (part(relsPart, &rels, false)) {
            QXmlStreamReader rx(rels);
            while (!rx.atEnd()) {
                rx.readNext();
                if (rx.isStartElement() && rx.name() == QLatin1String("Relationship"))
                    targets.insert(rx.attributes().value(QLatin1String("Id")).toString(),
                                   rx.attributes().value(QLatin1String("Target")).toString());
            }
        }
        for (const Link &l : links) {
            QString address = targets.value(l.rid);
            if (!l.location.isEmpty())
                address = address.isEmpty() ? QStringLiteral("internal:") + l.location : address + u'#' + l.location;
            if (!address.isEmpty())
                ws.setHyperlink(l.at.row, l.at.col, address);
        }
    }

    bool readSheet(const QByteArray &data, Worksheet &ws)
    {
        QXmlStreamReader xml(data);
        QHash<QString, SharedFormula> shared;
        int row = 0, col = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const auto name = xml.name();
            const auto attrs = xml.attributes();
            if (name == QLatin1String("col")) {
                const int first = attrs.value(QLatin1String("min")).toInt();
                const int last = std::min(attrs.value(QLatin1String("max")).toInt(), kMaxColumns);
                const bool hidden = isTrue(attrs.value(QLatin1String("hidden")));
                const bool customWidth = attrs.hasAttribute(QLatin1String("width"));
                const double width = charactersOf(attrs.value(QLatin1String("width")).toDouble());
                for (int c = std::max(first, 1); c <= last; ++c) {
                    if (customWidth)
                        ws.setColumnWidth(c, width);
                    if (hidden)
                        ws.setColumnHidden(c, true);
                }
            } else if (name == QLatin1String("row")) {
                row = attrs.hasAttribute(QLatin1String("r")) ? attrs.value(QLatin1String("r")).toInt() : row + 1;
                col = 0;
                if (row < 1 || row > kMaxRows)
                    return fail(QStringLiteral("sheet %1 has a row outside the sheet.").arg(ws.name())), false;
                if (isTrue(attrs.value(QLatin1String("customHeight"))) || attrs.hasAttribute(QLatin1String("ht")))
                    ws.setRowHeight(row, attrs.value(QLatin1String("ht")).toDouble());
                if (isTrue(attrs.value(QLatin1String("hidden"))))
                    ws.setRowHidden(row, true);
            } else if (name == QLatin1String("c")) {
                CellAddr at{row, col + 1};
                if (attrs.hasAttribute(QLatin1String("r")) &&
                    !parseCellName(attrs.value(QLatin1String("r")).toString(), &at))
                    return fail(QStringLiteral("sheet %1 has a cell with a broken address.").arg(ws.name())), false;
                if (at.row < 1)
                    return fail(QStringLiteral("sheet %1 has a cell outside any row.").arg(ws.name())), false;
                row = at.row;
                col = at.col;
                const int style = attrs.hasAttribute(QLatin1String("s")) ? attrs.value(QLatin1String("s")).toInt() : -1;
                if (!readCell(xml, ws, at, attrs.value(QLatin1String("t")).toString(), style, shared))
                    return false;
            } else if (name == QLatin1String("hyperlink")) {
                CellAddr a;
                const QString ref = attrs.value(QLatin1String("ref")).toString().section(u':', 0, 0);
                if (!parseCellName(ref, &a))
                    continue;
                QString rid;
                for (const auto &at : attrs)
                    if (at.name() == QLatin1String("id"))
                        rid = at.value().toString();
                m_links.push_back({a, rid, attrs.value(QLatin1String("location")).toString()});
            } else if (name == QLatin1String("selection") && attrs.hasAttribute(QLatin1String("activeCell"))) {
                CellAddr a;
                if (parseCellName(attrs.value(QLatin1String("activeCell")).toString(), &a))
                    ws.setActiveCell(a);
            }
        }
        return !xmlFailed(xml, ws.name());
    }

    // A file stores column widths with the cell padding (5 pixels at 7 pixels per character);
    // the model, like a spreadsheet's user, counts characters.
    static double charactersOf(double fileWidth)
    {
        const double pixels = std::round(fileWidth * 7);
        const double chars = pixels >= 12 ? (pixels - 5) / 7 : pixels / 12;
        return std::round(chars * 100) / 100;
    }

    static bool isTrue(QStringView v) { return v == QLatin1String("1") || v == QLatin1String("true"); }

    bool readCell(QXmlStreamReader &xml, Worksheet &ws, CellAddr at, const QString &type, int style,
                  QHash<QString, SharedFormula> &shared)
    {
        QString raw, formula;
        bool hasValue = false, hasFormula = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("v")) {
                raw = xml.readElementText();
                hasValue = !raw.isEmpty(); // "<v></v>": a formula whose result was never stored (scripts write these)
            } else if (xml.name() == QLatin1String("is")) {
                raw = itemText(xml);
                hasValue = true;
            } else if (xml.name() == QLatin1String("f")) {
                const auto attrs = xml.attributes();
                const bool isShared = attrs.value(QLatin1String("t")) == QLatin1String("shared");
                const QString si = attrs.value(QLatin1String("si")).toString();
                formula = xml.readElementText();
                hasFormula = true;
                // A shared formula is written once; the other cells repeat it, shifted.
                if (isShared && !formula.isEmpty())
                    shared.insert(si, {at.row, at.col, formula});
                else if (isShared) {
                    const auto it = shared.constFind(si);
                    if (it == shared.constEnd())
                        return fail(QStringLiteral("sheet %1, cell %2 refers to a missing formula.")
                                        .arg(ws.name(), cellName(at.row, at.col))),
                               false;
                    formula = shiftFormula(QStringLiteral("=") + it->text, at.row - it->row, at.col - it->col).mid(1);
                }
            }
        }
        CellValue value;
        if (hasValue && !decode(type, raw, &value))
            return fail(QStringLiteral("sheet %1, cell %2 holds a value that cannot be read.")
                            .arg(ws.name(), cellName(at.row, at.col))),
                   false;
        // libxlsxwriter can store a formula's error result only as text.
        CellError asError;
        if (hasFormula && isText(value) && errorFromText(std::get<QString>(value), &asError))
            value = asError;
        // Dates: day numbers of the 1900 system, in their date format ("d" cells are ISO text).
        QString dateFormat = dateFormatOf(style);
        if (type == QLatin1String("d") && isText(value)) {
            if (const std::optional<double> day = isoDay(std::get<QString>(value))) {
                value = *day;
                if (dateFormat.isEmpty())
                    dateFormat = QStringLiteral("yyyy-mm-dd hh:mm:ss");
            }
        } else if (!dateFormat.isEmpty() && isNumber(value) && m_date1904) {
            value = std::get<double>(value) + kDays1900To1904;
        }
        if (hasFormula && !formula.isEmpty())
            m_formulas.push_back({&ws, at, QStringLiteral("=") + formula, value});
        else if (hasValue)
            ws.setValue(at.row, at.col, value);
        if (!dateFormat.isEmpty() && (hasValue || hasFormula)) {
            CellFormat f;
            f.numberFormat = dateFormat;
            ws.setFormat(at.row, at.col, f);
        }
        return true;
    }

    // The 1904 system counts from 1904-01-01 = 0; the 1900 system calls that day 1462.
    static constexpr double kDays1900To1904 = 1462;

    // "2024-05-01" or "2024-05-01T18:00:00" as a 1900-system day number.
    static std::optional<double> isoDay(const QString &text)
    {
        QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!dt.isValid())
            dt = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
        if (!dt.isValid())
            return std::nullopt;
        const QDate epoch(1899, 12, 30);
        return double(epoch.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
    }

    bool decode(const QString &type, const QString &raw, CellValue *out) const
    {
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = raw.toInt(&ok);
            if (!ok || i < 0 || i >= m_strings.size())
                return false;
            *out = m_strings[i];
        } else if (type == QLatin1String("str") || type == QLatin1String("inlineStr") || type == QLatin1String("d")) {
            *out = raw;
        } else if (type == QLatin1String("b")) {
            *out = raw.trimmed() == QLatin1String("1");
        } else if (type == QLatin1String("e")) {
            CellError e = CellError::Value;
            errorFromText(raw.trimmed(), &e);
            *out = e;
        } else {
            bool ok = false;
            const double d = raw.toDouble(&ok);
            if (!ok)
                return false;
            *out = d;
        }
        return true;
    }

    struct Link {
        CellAddr at;
        QString rid;      // relationship id of the address, or empty
        QString location; // a place in the workbook, or empty
    };
    struct PendingFormula {
        Worksheet *sheet;
        CellAddr at;
        QString text;
        CellValue value;
    };
    QString m_path;
    ZipReader m_zip;
    std::vector<Link> m_links; // of the sheet being read
    std::vector<PendingFormula> m_formulas;
    std::vector<QString> m_dateFormats; // by cell style: the date format, or empty
    bool m_date1904 = false;
    QStringList m_strings;
    QString m_error;
};

} // namespace

std::unique_ptr<Workbook> readXlsx(const QString &path, QString *error)
{
    XlsxReader reader(path);
    std::unique_ptr<Workbook> book = reader.read();
    if (!book && error)
        *error = QStringLiteral("The workbook %1 cannot be read:\n%2")
                     .arg(QDir::toNativeSeparators(path), reader.error());
    return book;
}

} // namespace zx::wb
