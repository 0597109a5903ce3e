#include "app/chart_file.h"

#include "platform/save_file.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace zx {

QByteArray chartSvg(const QSize &size, const QString &title, const ChartPainter &paint)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Zentrix chart"));
    {
        QPainter painter(&svg);   // the document is complete when the painter ends
        if (paint)
            paint(painter);
    }
    return buffer.data();
}

bool writeChartSvg(const QString &path, const QSize &size, const QString &title, const ChartPainter &paint,
                   QString *error)
{
    return writeWholeFile(path, chartSvg(size, title, paint), error);
}

bool writeChartPng(const QString &path, const QImage &image, QString *error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        if (error)
            *error = QStringLiteral("the picture could not be made");
        return false;
    }
    return writeWholeFile(path, buffer.data(), error);
}

} // namespace zx
