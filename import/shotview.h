#pragma once
// Garmin Xero ShotView exports: the phone app's CSV (iOS and Android, English and German) and
// its workbook export, one session a sheet with the same rows as the CSV.
#include "import/import_types.h"

#include <QByteArray>
#include <QStringList>

namespace zx::import {

struct CellRow {
    int line = 0; // 1-based line or sheet row, for messages
    QStringList cells;
};

// One session: the title row, the header row "#, SPEED (unit), ...", the shot rows and the
// labelled summary rows. False with *error set when the rows are not such a session.
bool readShotViewRows(const QString &title, const std::vector<CellRow> &rows, ImportedSeries *out, QString *error);

ImportResult readShotViewCsv(const QByteArray &bytes);

// A workbook sheet: its name, the title cell A1 and the rows from row 2 on.
struct SessionSheet {
    QString name;
    QString titleCell;
    std::vector<CellRow> rows;
};
// Every sheet must hold a session; a sheet that is not one is named in the error.
ImportResult readShotViewSheets(const std::vector<SessionSheet> &sheets, const QString &format);
ImportResult readShotViewXlsx(const QString &path);
// The old binary .xls export (BIFF8), read through FreeXL.
ImportResult readShotViewXls(const QString &path);

} // namespace zx::import
