#pragma once
// Loading and saving a CFile's document as rich text (RTF) or plain text. Saving goes through
// QSaveFile, so a failed write never destroys the previous version of the file.
#include <QString>

class QTextDocument;

namespace zx {

enum class DocumentFileKind { RichText, PlainText };

struct DocumentFileResult {
    bool ok = false;
    bool notRtf = false; // loading as rich text: the file is not RTF (the document is unchanged)
    QString error;       // what went wrong, for the message box
};

// The document is left unchanged when loading fails.
DocumentFileResult loadDocumentFile(const QString &path, QTextDocument *doc, DocumentFileKind kind);
DocumentFileResult saveDocumentFile(const QString &path, const QTextDocument *doc, DocumentFileKind kind);

} // namespace zx
