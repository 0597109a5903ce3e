#pragma once
// Which program wrote a workbook file. Every workbook this program writes carries a custom
// document property whose value is the file's own "modified" time; any other program that
// saves the file afterwards (Excel, LibreOffice, a script) sets a new modified time, so the two
// no longer agree. Only a file where they agree is this program's own, and only such a file is
// ever written over: another program's workbook may hold what the .xlsx reader cannot keep.
#include <QString>

namespace zx::wb {

// The custom document property's name.
inline constexpr const char *kOwnerProperty = "Zentrix workbook";

// The property's value for a file written at secsSinceEpoch (UTC), in the very form the file's
// "modified" time takes ("2024-05-01T10:20:30Z").
QString ownerStamp(qint64 secsSinceEpoch);

// True when path is a workbook this program wrote and nothing saved it since.
bool writtenByThisProgram(const QString &path);

} // namespace zx::wb
