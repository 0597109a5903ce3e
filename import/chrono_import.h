#pragma once
// Reading another chronograph's file: the format is told from the content (never from the
// name alone), then its reader returns the series of shots or the reason it did not read.
#include "import/import_types.h"

#include <QByteArray>

namespace zx::import {

enum class Format { Unknown, ShotViewCsv, ShotViewXlsx, ShotViewXls, Fit, LabRadar, MagnetoSpeedLog, MagnetoSpeedXfr, ProChrono };

// The format of a file's first bytes (a few kilobytes are enough).
Format detectFormat(const QByteArray &head);

// Reads bytes of a text or FIT format (a workbook needs its path: importFile).
ImportResult importBytes(const QByteArray &bytes);
// Reads the file; the error names the file's problem, not the file (the caller knows it).
ImportResult importFile(const QString &path);

} // namespace zx::import
