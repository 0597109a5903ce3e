#pragma once
// The ladder chart: average velocity against a load field (the charge by default), one point
// per string with its SD (n-1) as an error bar, the flattest step drawn over the line, and the
// extreme spread and SD of each string on the right-hand axis. Its pop-up menu saves it as PNG or SVG.
#include "library/ladder.h"

#include <QtCharts/QChartView>

#include <functional>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace zx {

class LadderChart : public QChartView {
    Q_OBJECT
public:
    explicit LadderChart(QWidget *parent = nullptr);
    void show(const Ladder &ladder);
    const Ladder &shown() const { return m_ladder; }
    bool savePng(const QString &path, QString *error);
    bool saveSvg(const QString &path, QString *error);
    void setWarn(std::function<void(const QString &)> warn) { m_warn = std::move(warn); }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Ladder m_ladder;
    QLineSeries *m_average;   // srsLadderAverage
    QScatterSeries *m_points;
    QLineSeries *m_errorBars; // srsLadderSD: each bar drawn down and up again from its point
    QLineSeries *m_flattest;  // srsLadderFlattest
    QScatterSeries *m_spread; // srsLadderES
    QScatterSeries *m_sd;     // srsLadderSDRight
    QValueAxis *m_x, *m_y, *m_y2;
    std::function<void(const QString &)> m_warn;
};

} // namespace zx
