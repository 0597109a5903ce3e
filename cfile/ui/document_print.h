#pragma once
// Printing a CFile: pages laid out at the printer's page width less the stored margins (the
// width view mode 2 wraps at), each page headed by the CFile's name and the date and footed by
// "Page n of m". The same painting serves the printer, a PDF file and the print preview.
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace zx {

struct MarginDefaults;

// The printer's margins from the stored ones (left and right; top and bottom 0.75 inch).
void setPrintMargins(QPagedPaintDevice &printer, const MarginDefaults &margins);

// Paints the document on the printer (or a PDF writer); returns the number of pages (0 when nothing printed).
int printCFile(const QTextDocument &doc, QPagedPaintDevice &printer, const QString &title);

// Prints to a PDF file, written whole or not at all (no printer needed); the number of pages, 0
// when the file could not be made.
int printCFileToPdf(const QTextDocument &doc, const QString &path, const QString &title,
                    const MarginDefaults &margins);

} // namespace zx
