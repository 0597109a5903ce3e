#include "library/string_table.h"

#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <limits>

namespace zx {

namespace {

QString measure(const LoadMeasure &m)
{
    if (!m.known)
        return {};
    const QString n = QString::number(m.value, 'f', m.decimals);
    return m.unit.isEmpty() ? n : n + u' ' + m.unit;
}

QString bullet(const LoadData &l)
{
    return QStringList{measure(l.bulletWeight), l.bullet}.join(u' ').trimmed();
}

QString length(const LoadData &l)
{
    return l.length.known ? l.lengthKind + u' ' + measure(l.length) : QString();
}

QString csvField(QString text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

void StringTable::setOpenRows(std::vector<LibraryRow> rows)
{
    m_open = std::move(rows);
    m_openPaths.clear();
    for (const LibraryRow &r : m_open)
        m_openPaths.insert(QFileInfo(r.path).absoluteFilePath());
    rebuild();
}

// A folder's scan hands its files over one by one: the new rows are inserted after the others,
// so the view's sort places only them (a reset would sort every row again for each file).
void StringTable::addScannedRows(const std::vector<LibraryRow> &rows)
{
    m_scanned.insert(m_scanned.end(), rows.begin(), rows.end());
    std::vector<LibraryRow> shown;
    for (const LibraryRow &r : rows)
        if (!isOpen(r.path))
            shown.push_back(r);
    if (shown.empty())
        return;
    const int first = int(m_shown.size());
    beginInsertRows({}, first, first + int(shown.size()) - 1);
    m_shown.insert(m_shown.end(), std::make_move_iterator(shown.begin()), std::make_move_iterator(shown.end()));
    endInsertRows();
}

void StringTable::clearScanned()
{
    m_scanned.clear();
    rebuild();
}

bool StringTable::isOpen(const QString &path) const
{
    return !m_openPaths.isEmpty() && m_openPaths.contains(QFileInfo(path).absoluteFilePath());
}

void StringTable::rebuild()
{
    beginResetModel();
    m_shown = m_open;
    for (const LibraryRow &r : m_scanned)
        if (!isOpen(r.path))
            m_shown.push_back(r);
    endResetModel();
}

int StringTable::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_shown.size()); }

int StringTable::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant StringTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != kSortRole))
        return {};
    const LibraryRow &r = row(index.row());
    const StringStats &s = r.stats;
    const bool sort = role == kSortRole;
    const auto number = [sort](double v, int decimals) -> QVariant {
        return sort ? QVariant(v) : QVariant(QString::number(v, 'f', decimals));
    };
    const auto loadNumber = [&](const LoadMeasure LoadData::*field) -> QVariant {
        if (!r.load || !((*r.load).*field).known)
            return sort ? QVariant(-1e300) : QVariant(QString()); // strings without it sort first
        return sort ? QVariant(((*r.load).*field).value) : QVariant(measure((*r.load).*field));
    };
    const auto loadText = [&](QString (*text)(const LoadData &)) -> QVariant {
        return r.load ? text(*r.load) : QString();
    };
    switch (index.column()) {
    case Date: // the user's short date; by day when sorted, strings without a date first
        if (sort)
            return r.date.isValid() ? r.date.toJulianDay() : std::numeric_limits<qint64>::min();
        return r.date.isValid() ? QLocale().toString(r.date, QLocale::ShortFormat) : QString();
    case Tag: return r.tag;
    case Chronograph: return r.chronograph;
    case File: return sort ? r.path : QFileInfo(r.path).fileName();
    case String: return sort ? QVariant(r.string) : QVariant(QString::number(r.string));
    case Shots: return sort ? QVariant(s.count) : QVariant(QString::number(s.count));
    case Average: return number(s.average, 2);
    case Spread: return number(s.spread, 2);
    case Sd: return number(s.sd, 2);
    case SdPercent: return number(s.sdPercent, 2);
    case Interval: return number((s.ciHigh - s.ciLow) / 2, 2); // the mean's 95% interval, +/- this
    case Unit: return r.unit;
    case Charge: return loadNumber(&LoadData::charge);
    case Powder: return loadText([](const LoadData &l) { return l.powder; });
    case Bullet:
        return sort && r.load && r.load->bulletWeight.known ? QVariant(r.load->bulletWeight.value) : loadText(bullet);
    case Length:
        return sort && r.load && r.load->length.known ? QVariant(r.load->length.value) : loadText(length);
    case Primer: return loadText([](const LoadData &l) { return l.primer; });
    case Case: return loadText([](const LoadData &l) { return l.caseName; });
    case Temp: return loadNumber(&LoadData::temperature);
    case Note: return loadText([](const LoadData &l) { return l.notes; });
    default: return {};
    }
}

QVariant StringTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const names[ColumnCount] = {"Date", "Tag", "File", "Chronograph", "String", "Shots", "Average", "ES",
                                                   "SD (n-1)",   "SD %",   "95% CI +/-", "Unit", "Charge",
                                                   "Powder",     "Bullet", "Length", "Primer", "Case", "Temp", "Note"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(names[section]);
}

QByteArray tableCsv(const QAbstractItemModel &model)
{
    QString out;
    const int columns = model.columnCount();
    QStringList fields;
    for (int c = 0; c < columns; ++c)
        fields << csvField(model.headerData(c, Qt::Horizontal).toString());
    out += fields.join(u',') + QStringLiteral("\r\n");
    for (int r = 0; r < model.rowCount(); ++r) {
        fields.clear();
        for (int c = 0; c < columns; ++c)
            fields << csvField(model.index(r, c).data().toString());
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace zx
