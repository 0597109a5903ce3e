#pragma once
// ProChrono CSV exports: the shot list ("Shot List,Index,Velocity,...", one row a shot named
// by its string) and the Digital Link layout (a "Shot 1,Shot 2,..." header, then per string
// a row of velocities and a row with its date). Strings come newest first.
#include "import/import_types.h"

#include <QByteArray>

namespace zx::import {

ImportResult readProChrono(const QByteArray &bytes);

} // namespace zx::import
