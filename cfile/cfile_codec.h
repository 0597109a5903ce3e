#pragma once
// Reading and writing a CFile's text: rich text (RTF) or plain text.
// Every write goes through QSaveFile, so a failed save leaves the previous file intact.
#include <QString>

class QTextDocument;

namespace zx {

struct FileError {
    int number = 0;        // 0: no error
    QString description;   // the system's text, shown to the user
    bool badRichText = false;  // the file was read but is not valid rich text
    explicit operator bool() const { return number != 0; }
};

// Replaces the document's content with the file's. On error the document is unchanged.
FileError loadCFileText(QTextDocument &doc, const QString &path, bool rich);
// The file's bytes, with the same errors as loadCFileText.
FileError readCFileBytes(const QString &path, QByteArray &data);
// Writes the whole document. On error the old file stays as it was.
FileError saveCFileText(const QTextDocument &doc, const QString &path, bool rich);

// The encodings alone, for callers that keep text elsewhere (the CLI, tests).
QByteArray encodeCFile(const QTextDocument &doc, bool rich);
FileError decodeCFile(QTextDocument &doc, const QByteArray &data, bool rich);

} // namespace zx
