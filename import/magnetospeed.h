#pragma once
// MagnetoSpeed files: the V3/Sporter display's LOG.CSV (many series, "Series,<n>, Shots:,<count>"
// blocks, shot rows "<series>,<shot>,<speed>,<unit>") and the XFR phone app's export (blocks
// after "Synced on:", a dated series row, a "Notes" row, shot rows "<shot>,<speed>,<unit>").
#include "import/import_types.h"

#include <QByteArray>

namespace zx::import {

ImportResult readMagnetoSpeed(const QByteArray &bytes, bool xfr);

} // namespace zx::import
