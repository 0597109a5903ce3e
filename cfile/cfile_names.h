#pragma once
// Naming rules of CFiles: extension classes, default names ("CFile" + 1 or 2 digits),
// file titles, and the dialog filter and message pieces shared by the document commands.
#include <QString>

namespace zx {

// Class of a file name from its last four characters (in capitals):
// 0 ".RTF", 3 ".CAP" (rich text); 4 ".TXT", 5 ".LOG", 6 ".INI", 7 ".BAT" (plain text);
// 8 any other ending holding a full stop (invalid); 9 no full stop (no extension).
int extClass(const QString &fileName);
inline bool isRichClass(int cls) { return cls == 0 || cls == 3; }
inline bool isPlainClass(int cls) { return cls >= 4 && cls <= 7; }
// Several loaders (revert, recent files, the command line) pick the format from the
// last three characters only: "RTF" is rich text, anything else plain text.
bool endsWithRtf(const QString &name);

// "CFile" followed by exactly one or two decimal digits: a document never saved.
bool isDefaultName(const QString &caption);

// File name of a path without its folder; both "\" and "/" separate folders.
QString fileTitle(const QString &path);
// Yes when the file can be opened for reading.
bool fileExists(const QString &path);

// The last four characters of a name (or the whole name when shorter).
QString lastFour(const QString &name);

namespace cfiletext {
// The document dialogs' filter, in the "label|pattern|" form.
inline const QString kFilter = QStringLiteral(
    "CFile (*.rtf)|*.rtf|RichText (*.rtf)|*.rtf|Text (*.txt)|*.txt|Log (*.log)|*.log|All (*.*)|*.*|");
inline const QString kValidExt =
    QStringLiteral("Valid extensions are,  ''.cap''  ''.rtf  ''.txt''  ''.log''");
} // namespace cfiletext

} // namespace zx
