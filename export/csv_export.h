#pragma once
// The shots of a CFile as comma-separated values: one row per shot with its folder, string,
// shot number, velocity, units, time and temperature, then the string's statistics up to and
// including that shot. Numbers use a decimal point whatever the locale.
#include <QString>
#include <QStringList>

namespace zx {

QString shotsCsv(const QStringList &lines);
// Writes shotsCsv of the document text to path through QSaveFile; the number of shots written,
// or -1 with the reason in *error (the old file then stays as it was).
int writeShotsCsv(const QString &documentText, const QString &path, QString *error);

} // namespace zx
