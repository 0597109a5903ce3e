#pragma once
// Where a new export workbook is saved: beside the CFile its shots come from, named after it,
// so the user finds the two together; in the documents folder for a CFile never saved.
#include <QString>

namespace zx::xls {

// The workbook path wanted for a CFile: "<folder of the CFile>/<CFile name>.xlsx", or
// "<documents>/<caption>.xlsx" when the CFile has no file yet (onDisk false), or
// "<documents>/Zentrix Workbook.xlsx" without a CFile. No file is looked at.
QString wantedBookPath(const QString &cfileCaption, bool onDisk, const QString &documentsFolder);

// The first of "<stem>.xlsx", "<stem> 2.xlsx", "<stem> 3.xlsx", ... beside `wanted` that no
// file (or folder) has: a new workbook never replaces anything.
QString freeBookPath(const QString &wanted);

} // namespace zx::xls
