#pragma once
// One worksheet as a table model for the workbook window: values shown with their number
// formats, fonts, colours and alignment as a spreadsheet shows them, computed on request for
// the visible cells only (a sheet of any size costs nothing until it is looked at). Editing
// writes the worksheet: a number, TRUE/FALSE, "=formula", text (a leading ' keeps it text) or
// nothing (clears the cell).
#include "workbook/workbook.h"

#include <QAbstractTableModel>
#include <QFont>

namespace zx::xls {

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows and columns shown beyond the last used or formatted ones.
    static constexpr int kSpareRows = 100;
    static constexpr int kSpareColumns = 10;

    // A number shown in the General format (the view fits its digits to the column).
    static constexpr int GeneralNumberRole = Qt::UserRole + 1;

    SheetModel(wb::Worksheet &sheet, QObject *parent = nullptr);

    wb::Worksheet &sheet() const { return m_sheet; }
    // The font a cell without a size of its own is shown in (its point size is the default size).
    void setBaseFont(const QFont &font) { m_baseFont = font; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A rejected formula leaves the cell as it was, returns false and emits inputRejected.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The worksheet was written from outside: grow to its extent and repaint.
    void refresh();

    // The cell's value as a spreadsheet shows it under `numberFormat` ("0", "0.00", "0%", General).
    static QString formatValue(const wb::CellValue &value, const QString &numberFormat);
    // A General number in at most `digits` significant digits, as a narrow column shows it.
    static QString generalNumber(double value, int digits);
    // Writes what the user typed into the cell; false (cell unchanged, *error says why) for a
    // formula that does not parse.
    static bool writeInput(wb::Worksheet &sheet, int row, int col, const QString &text, QString *error);

Q_SIGNALS:
    void inputRejected(const QString &cellName, const QString &why);
    // The user wrote a cell (formulas on other sheets may have followed).
    void cellWritten(int row, int col);

private:
    int wantedRows() const;
    int wantedColumns() const;

    wb::Worksheet &m_sheet;
    QFont m_baseFont;
    int m_rows = 0;
    int m_cols = 0;
};

} // namespace zx::xls
