#pragma once
// A freshly written .xlsx package checked for completeness before it may replace anything.
// libxlsxwriter does not check the writes to its scratch files, so a full disk can leave a
// part cut short inside a zip that closed without an error. Cheap enough for every save: the
// parts are unpacked but not parsed.
#include <QString>

#include <vector>

namespace zx::wb {

// Empty when every XML part of the package at path ends with its root's end tag and the data
// of sheet i (in the order the sheets were added) ends with a whole row numbered lastRows[i]
// (0: a sheet without rows); else what is wrong, in words for a message.
QString checkWrittenPackage(const QString &path, const std::vector<int> &lastRows);

} // namespace zx::wb
