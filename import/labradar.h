#pragma once
// LabRadar series reports ("SR0001 Report.csv"): a key;value header block padded with NULs
// and blanks, then the shot table, separated by ';' (announced by "sep=;") or ','.
#include "import/import_types.h"

#include <QByteArray>

namespace zx::import {

ImportResult readLabRadar(const QByteArray &bytes);

} // namespace zx::import
