#pragma once
// The String Library's table: one row per string, from the open CFiles' current text and from
// the files of scanned folders (a folder's file that is open shows its open text only). Shown
// text in Qt::DisplayRole, the value to sort by (numbers as numbers) in kSortRole.
#include "cfile/string_library.h"

#include <QAbstractTableModel>
#include <QSet>

#include <vector>

namespace zx {

class StringTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Tag, File, Chronograph, String, Shots, Average, Spread, Sd, SdPercent, Interval, Unit,
                  Charge, Powder, Bullet, Length, Primer, Case, Temp, Note, ColumnCount };
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setOpenRows(std::vector<LibraryRow> rows);
    void addScannedRows(const std::vector<LibraryRow> &rows);
    void clearScanned();
    const LibraryRow &row(int index) const { return m_shown[std::size_t(index)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rebuild();
    bool isOpen(const QString &path) const;

    std::vector<LibraryRow> m_open, m_scanned, m_shown;
    QSet<QString> m_openPaths; // absolute paths of the open CFiles
};

// The rows of a model as CSV: a header line, then each row's shown text, fields quoted where
// they hold a comma, a quote or a line break; lines end with CR LF.
QByteArray tableCsv(const QAbstractItemModel &model);

} // namespace zx
