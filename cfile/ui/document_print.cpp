#include "cfile/ui/document_print.h"

#include "cfile/document_defaults.h"
#include "platform/save_file.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>

#include <memory>

namespace zx {

namespace {
// The document is laid out as on the screen and scaled to the printer, so that lines break
// where view mode 2 shows them.
double layoutDpi()
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}
} // namespace

void setPrintMargins(QPagedPaintDevice &printer, const MarginDefaults &m)
{
    printer.setPageMargins(QMarginsF(m.leftTw / 20.0, 54.0, m.rightTw / 20.0, 54.0), QPageLayout::Point);
}

int printCFile(const QTextDocument &source, QPagedPaintDevice &printer, const QString &title)
{
    QPainter p;
    if (!p.begin(&printer))
        return 0;
    const double scale = printer.logicalDpiX() / layoutDpi();
    const QRectF paint = printer.pageLayout().paintRectPixels(printer.logicalDpiX());
    QFont headFont(QStringLiteral("Arial"), 9);
    const QFontMetricsF fm(headFont, &printer);
    const double band = fm.height() * 2; // header and footer bands, in printer pixels

    std::unique_ptr<QTextDocument> doc(source.clone());
    QTextFrameFormat ff = doc->rootFrame()->frameFormat();
    ff.setMargin(0); // the printer's margins take their place
    doc->rootFrame()->setFrameFormat(ff);
    const QSizeF body(paint.width() / scale, (paint.height() - 2 * band) / scale);
    doc->setPageSize(body);
    const int pages = doc->pageCount();
    const QString name = QFileInfo(title).fileName().isEmpty() ? title : QFileInfo(title).fileName();
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);

    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer.newPage();
        p.setFont(headFont);
        p.setPen(Qt::black);
        const QRectF head(0, 0, paint.width(), fm.height());
        p.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, name);
        p.drawText(head, Qt::AlignRight | Qt::AlignVCenter, date);
        p.drawLine(QPointF(0, fm.height() * 1.3), QPointF(paint.width(), fm.height() * 1.3));
        p.drawText(QRectF(0, paint.height() - fm.height(), paint.width(), fm.height()), Qt::AlignCenter,
                   QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages));

        p.save();
        p.translate(0, band);
        p.scale(scale, scale);
        p.translate(0, -i * body.height());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, i * body.height(), body.width(), body.height());
        ctx.palette.setColor(QPalette::Text, Qt::black);
        p.setClipRect(ctx.clip);
        doc->documentLayout()->draw(&p, ctx);
        p.restore();
    }
    p.end();
    return pages;
}

int printCFileToPdf(const QTextDocument &doc, const QString &path, const QString &title,
                    const MarginDefaults &margins)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    int pages = 0;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setTitle(title);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        setPrintMargins(pdf, margins);
        pages = printCFile(doc, pdf, title);
    }
    if (pages == 0 || !commitSaveFile(file))
        return 0;
    return pages;
}

} // namespace zx
