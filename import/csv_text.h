#pragma once
// The text layer shared by the CSV importers: exports that carry byte-order marks in the
// middle of the file, NUL bytes and padding, narrow no-break spaces in times, cells with a
// blank before the opening quote, decimal commas and thousands separators.
#include <QString>
#include <QStringList>

#include <vector>

namespace zx::import {

struct TextLine {
    int number = 0; // 1-based line of the file
    QString text;   // without line end, BOMs, NULs; U+202F read as a blank
};

// The file's bytes as lines (UTF-8; Latin-1 when the bytes are not valid UTF-8).
std::vector<TextLine> textLines(const QByteArray &bytes);

// One CSV record: quotes removed ("" is a quote), blanks around cells dropped, a blank before
// an opening quote allowed.
QStringList splitCsv(QStringView line, QChar separator = u',');

// A number as exports print it: "2808.2", "488,3" (decimal comma), "1,369.8" or "1.369,8"
// (thousands separators). False for anything else.
bool readNumber(QString text, double *out);
// Digits after the decimal mark of such a number.
int decimalsOf(const QString &text);

// A velocity unit text ("FPS", "ft/s", "fps", "MPS", "m/s") as the program writes it, "f/s"
// or "m/s"; empty when it is neither.
QString velocityUnit(const QString &text);

// A printed date in one of the exports' styles ("April 6, 2024 at 1:36 PM", "JULI 02, 2024
// 17:08", "8. Februar 2025 um 10:08", "04-27-2022", "2023-11-19", "4/12/2025 14:20:05") as
// "yyyy-MM-dd" or "yyyy-MM-dd HH:mm"; the text itself when it does not read.
QString normalDate(const QString &printed);

} // namespace zx::import
