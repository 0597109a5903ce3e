#pragma once
// A small reader of Excel 97 (BIFF8) workbooks for the exports FreeXL does not parse (the
// ShotView Android app's): the compound file's sectors, FAT and directory, the "Workbook"
// stream (from the mini stream too), the sheet list, the shared strings across CONTINUE
// records, and the cells as text (LABELSST, LABEL, NUMBER, RK, MULRK). Nothing else.
#include <QByteArray>
#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace zx::import {

struct BiffSheet {
    QString name;
    std::map<std::pair<int, int>, QString> cells; // (row, column), 0-based
    int rows = 0, columns = 0;                    // one past the last used
};

// The shared string table: the SST record's data and its CONTINUE records' data.
std::vector<QString> readSharedStrings(const std::vector<QByteArray> &records);

// False with *error ("byte N: expected ...") when the bytes are not such a workbook.
bool readBiffWorkbook(const QByteArray &file, std::vector<BiffSheet> *sheets, QString *error);

} // namespace zx::import
