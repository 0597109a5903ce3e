#pragma once
// Garmin Xero session files (.fit): the FIT file header, definition and data messages
// (compressed timestamps and developer fields included), the CRC, and of the messages the
// file id, the chronograph session (387) and its shots (388). Speeds are stored in mm/s.
#include "import/import_types.h"

#include <QByteArray>

namespace zx::import {

// True when the bytes start like a FIT file (header size 12 or 14 and ".FIT").
bool looksLikeFit(const QByteArray &bytes);

ImportResult readFit(const QByteArray &bytes);

// The FIT CRC-16 of the first end bytes.
quint16 fitCrc(const QByteArray &bytes, qsizetype end);

} // namespace zx::import
