#pragma once
// Imported series as CFile text: per series a tag line naming the source file, the device and
// the date, the file's load or note text and the vendor's printed statistics, then one shot
// line a shot in the form the chronograph's capture writes (the time of flight is not known:
// 0.000000 sec; nor the temperature: 999.9, as the chronograph writes it without a sensor).
// The program's shot reader reads the strings back, each tag line ending one.
#include "import/import_types.h"

#include <QString>

namespace zx::import {

// CR LF lines, ready for the LogPad's raw write.
QString cfileText(const ImportResult &result, const QString &sourceName);

} // namespace zx::import
