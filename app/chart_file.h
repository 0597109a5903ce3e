#pragma once
// Chart pictures into files: PNG from a rendered image, SVG from a painting (text stays text,
// lines stay lines, so a chart scales for print). Both are written whole to a temporary file
// beside the target and renamed over it only when every byte is on the disk: a failed save
// leaves the old picture as it was. No widgets here, so tests and commands can call them.
#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QImage;
class QPainter;

namespace zx {

using ChartPainter = std::function<void(QPainter &painter)>;

// The SVG document of paint on a canvas of size, with title as its <title>.
QByteArray chartSvg(const QSize &size, const QString &title, const ChartPainter &paint);
// False with the system's reason in *error; the target is then untouched.
bool writeChartSvg(const QString &path, const QSize &size, const QString &title, const ChartPainter &paint,
                   QString *error);
bool writeChartPng(const QString &path, const QImage &image, QString *error);

} // namespace zx
