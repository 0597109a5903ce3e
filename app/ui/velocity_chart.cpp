#include "app/ui/velocity_chart.h"

#include "app/chart_file.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

namespace zx {

VelocityChart::VelocityChart(QWidget *parent)
    : QChartView(parent), m_shots(new QLineSeries), m_points(new QScatterSeries), m_average(new QLineSeries),
      m_bandHigh(new QLineSeries), m_bandLow(new QLineSeries), m_band(new QAreaSeries(m_bandHigh, m_bandLow)),
      m_x(new QValueAxis), m_y(new QValueAxis)
{
    setObjectName(QStringLiteral("chtVelocity"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(180);
    auto *chart = new QChart;
    chart->legend()->setVisible(false);
    // Under the CFiles the chart is short: the legend goes beside the plot rather than under it,
    // and velocities are labelled in whole units, so the plot keeps its height and its labels.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 0, 4, 0));
    QFont title = chart->titleFont();
    title.setPointSizeF(title.pointSizeF() * 0.9);
    title.setBold(true);
    chart->setTitleFont(title);
    chart->setBackgroundRoundness(0);
    m_band->setColor(QColor(47, 127, 216, 40));
    m_band->setBorderColor(Qt::transparent);
    m_average->setPen(QPen(QColor(214, 69, 65), 1.5, Qt::DashLine));
    m_shots->setPen(QPen(QColor(47, 127, 216), 2));
    m_points->setMarkerSize(7);
    m_points->setColor(QColor(47, 127, 216));
    m_points->setBorderColor(Qt::white);
    for (QAbstractSeries *s : std::initializer_list<QAbstractSeries *>{m_band, m_average, m_shots, m_points})
        chart->addSeries(s);
    m_x->setLabelFormat(QStringLiteral("%d"));
    m_x->setTitleText(QStringLiteral("Shot"));
    m_y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(m_x);
        s->attachAxis(m_y);
    }
    setChart(chart);
    // The legend explains the average and the band; the shots are what the axes name.
    m_shots->setName(QStringLiteral("Shots"));
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(m_points), static_cast<QAbstractSeries *>(m_shots)})
        for (QLegendMarker *m : chart->legend()->markers(s))
            m->setVisible(false);
}

void VelocityChart::show(const VelocityPlot &p)
{
    chart()->setTitle(p.title);
    m_shots->replace(p.shots);
    m_points->replace(p.shots);
    const bool any = !p.shots.isEmpty();
    m_average->replace(any ? QList<QPointF>{QPointF(p.xFirst, p.average), QPointF(p.xLast, p.average)} : QList<QPointF>{});
    m_bandHigh->replace(any ? QList<QPointF>{QPointF(p.xFirst, p.average + p.sd), QPointF(p.xLast, p.average + p.sd)}
                            : QList<QPointF>{});
    m_bandLow->replace(any ? QList<QPointF>{QPointF(p.xFirst, p.average - p.sd), QPointF(p.xLast, p.average - p.sd)}
                           : QList<QPointF>{});
    m_average->setName(p.averageLabel);
    m_band->setName(p.bandLabel);
    chart()->legend()->setVisible(any);
    m_x->setRange(p.xFirst, p.xLast);
    m_x->setTickCount(p.xTicks);
    m_y->setRange(p.yLow, p.yHigh);
    if (any)
        m_y->applyNiceNumbers();
    m_y->setTitleText(p.yTitle);
}

bool savePicturePng(QWidget &widget, const QString &path, QString *error)
{
    return writeChartPng(path, widget.grab().toImage(), error);
}

bool saveChartSvg(QChartView &view, const QString &path, QString *error)
{
    // Laid out at a page's size rather than the dock's, where axis labels are cut to "...";
    // the chart goes back to its place before anything repaints.
    QChart *chart = view.chart();
    const QRectF was = chart->geometry();
    const QSize size = was.size().toSize().expandedTo(QSize(900, 560));
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    const bool ok = writeChartSvg(path, size, chart->title(),
                                  [&](QPainter &p) { view.scene()->render(&p, QRectF(QPointF(0, 0), size), chart->geometry()); },
                                  error);
    chart->setGeometry(was);
    return ok;
}

bool VelocityChart::savePng(const QString &path, QString *error) { return savePicturePng(*this, path, error); }

void offerChartSave(QChartView &view, const QPoint &globalPos, const QString &actionStem, const QString &title,
                    const QString &defaultStem, const std::function<void(const QString &)> &warn)
{
    QMenu menu(&view);
    QAction *png = menu.addAction(QStringLiteral("Save Chart as PNG..."));
    png->setObjectName(actionStem + QStringLiteral("Png"));
    QAction *svg = menu.addAction(QStringLiteral("Save Chart as SVG..."));
    svg->setObjectName(actionStem + QStringLiteral("Svg"));
    QAction *chosen = menu.exec(globalPos);
    if (chosen != png && chosen != svg)
        return;
    const QString ext = chosen == png ? QStringLiteral(".png") : QStringLiteral(".svg");
    QString path = QFileDialog::getSaveFileName(&view, title, defaultStem + ext,
                                                chosen == png ? QStringLiteral("PNG pictures (*.png)")
                                                              : QStringLiteral("SVG pictures (*.svg)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(ext, Qt::CaseInsensitive))
        path += ext;
    QString error;
    const bool ok = chosen == png ? savePicturePng(view, path, &error) : saveChartSvg(view, path, &error);
    if (!ok && warn)
        warn(QStringLiteral("Could not write ") + path + QStringLiteral(":\r\n") + error);
}

void VelocityChart::contextMenuEvent(QContextMenuEvent *event)
{
    offerChartSave(*this, event->globalPos(), QStringLiteral("mnuChartSave"), QStringLiteral("Save Chart"),
                   QStringLiteral("velocity"), m_warn);
}

} // namespace zx
