#pragma once
// The velocity chart of one string: the shots at their numbers, the average as a line and the
// band of one standard deviation around it, with a title and a legend (app/velocity_plot works
// out what to draw). Its pop-up menu saves it as a PNG or SVG picture.
#include "app/velocity_plot.h"

#include <QtCharts/QChartView>

#include <functional>

class QAreaSeries;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace zx {

// A window's picture into a PNG file (app/chart_file); false with the reason in *error.
bool savePicturePng(QWidget &widget, const QString &path, QString *error);
// A chart as drawn on the screen into an SVG file, its title as the document's title.
bool saveChartSvg(QChartView &view, const QString &path, QString *error);
// A chart's pop-up: "Save Chart as PNG..." and "Save Chart as SVG..." (actions named
// actionStem + "Png" / "Svg") ask for a file, starting at defaultStem with the extension, and
// write the chart there; a failure goes to warn with the path and reason.
void offerChartSave(QChartView &view, const QPoint &globalPos, const QString &actionStem, const QString &title,
                    const QString &defaultStem, const std::function<void(const QString &)> &warn);

class VelocityChart : public QChartView {
    Q_OBJECT
public:
    explicit VelocityChart(QWidget *parent = nullptr);
    // An empty plot clears the chart.
    void show(const VelocityPlot &plot);
    // Writes the chart as a PNG file through QSaveFile; false with the reason in *error.
    bool savePng(const QString &path, QString *error);
    bool saveSvg(const QString &path, QString *error) { return saveChartSvg(*this, path, error); }
    // Where a failed save is told.
    void setWarn(std::function<void(const QString &)> warn) { m_warn = std::move(warn); }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QLineSeries *m_shots;
    QScatterSeries *m_points;
    QLineSeries *m_average;
    QLineSeries *m_bandHigh;
    QLineSeries *m_bandLow;
    QAreaSeries *m_band;
    QValueAxis *m_x;
    QValueAxis *m_y;
    std::function<void(const QString &)> m_warn;
};

} // namespace zx
