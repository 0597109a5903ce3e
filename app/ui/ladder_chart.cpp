#include "app/ui/ladder_chart.h"

#include "app/ui/velocity_chart.h"

#include <QContextMenuEvent>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace zx {

namespace {
template <class S> S *named(const char *name, const char *legend)
{
    auto *s = new S;
    s->setObjectName(QString::fromLatin1(name));
    s->setName(QString::fromUtf8(legend));
    return s;
}

void fit(QValueAxis *axis, double lo, double hi)
{
    const double pad = std::max(hi - lo, 1.0) * 0.1;
    axis->setRange(lo - pad, hi + pad);
    axis->applyNiceNumbers();
}
} // namespace

LadderChart::LadderChart(QWidget *parent)
    : QChartView(parent), m_average(named<QLineSeries>("srsLadderAverage", "Average, bars \u00b11 SD")),
      m_points(named<QScatterSeries>("srsLadderPoints", "Strings")),
      m_errorBars(named<QLineSeries>("srsLadderSD", "SD (n-1)")),
      m_flattest(named<QLineSeries>("srsLadderFlattest", "Flattest step")),
      m_spread(named<QScatterSeries>("srsLadderES", "Extreme spread")),
      m_sd(named<QScatterSeries>("srsLadderSDRight", "SD (n-1)")), m_x(new QValueAxis), m_y(new QValueAxis),
      m_y2(new QValueAxis)
{
    setObjectName(QStringLiteral("chtLadder"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(180);
    auto *chart = new QChart;
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_average->setPen(QPen(QColor(47, 127, 216), 2));
    m_points->setMarkerSize(8);
    m_points->setColor(QColor(47, 127, 216));
    m_errorBars->setPen(QPen(QColor(47, 127, 216), 1));
    m_flattest->setPen(QPen(QColor(46, 160, 67), 5));
    m_spread->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_spread->setMarkerSize(7);
    m_spread->setColor(QColor(214, 69, 65));
    m_sd->setMarkerSize(7);
    m_sd->setColor(QColor(230, 160, 40));
    for (QAbstractSeries *s : std::initializer_list<QAbstractSeries *>{m_errorBars, m_average, m_flattest, m_points,
                                                                       m_spread, m_sd})
        chart->addSeries(s);
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    chart->addAxis(m_y2, Qt::AlignRight);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(m_x);
        s->attachAxis(s == m_spread || s == m_sd ? m_y2 : m_y);
    }
    for (QValueAxis *axis : {m_x, m_y, m_y2})
        axis->setLabelFormat(QStringLiteral("%g")); // 2850, 41.3: no trailing zeros
    m_y2->setTitleText(QStringLiteral("ES and SD"));
    // The points and bars are the average line's: one legend entry for the three, in one colour.
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(m_points), static_cast<QAbstractSeries *>(m_errorBars)})
        for (QLegendMarker *m : chart->legend()->markers(s))
            m->setVisible(false);
    setChart(chart);
    show(Ladder());
}

void LadderChart::show(const Ladder &ladder)
{
    m_ladder = ladder;
    QList<QPointF> average, bars, spread, sd;
    double lo = 0, hi = 0, xlo = 0, xhi = 0, top = 1;
    for (const LadderPoint &p : ladder.points) {
        const StringStats &s = p.stats;
        average.append(QPointF(p.x, s.average));
        // One series for every bar: up from the point, down through it and back, so the line
        // between points is the average line's own.
        bars << QPointF(p.x, s.average) << QPointF(p.x, s.average + s.sd) << QPointF(p.x, s.average - s.sd)
             << QPointF(p.x, s.average);
        spread.append(QPointF(p.x, s.spread));
        sd.append(QPointF(p.x, s.sd));
        if (average.size() == 1) {
            lo = s.average - s.sd, hi = s.average + s.sd, xlo = xhi = p.x;
        }
        lo = std::min(lo, s.average - s.sd), hi = std::max(hi, s.average + s.sd);
        xlo = std::min(xlo, p.x), xhi = std::max(xhi, p.x), top = std::max(top, s.spread);
    }
    m_average->replace(average);
    m_points->replace(average);
    m_errorBars->replace(bars);
    m_spread->replace(spread);
    m_sd->replace(sd);
    if (ladder.flattest >= 0)
        m_flattest->replace({average[ladder.flattest], average[ladder.flattest + 1]});
    else
        m_flattest->clear();
    fit(m_y, lo, hi);
    // Ticks on the loads of the ladder when its steps are even enough to give a few; else
    // evenly spread ones.
    const double step = ladderStep(ladder);
    if (step > 0 && (xhi - xlo) / step <= 12) {
        int decimals = 0; // as many as the step needs, so 41.0 reads beside 41.3
        while (decimals < 3 && std::abs(step * std::pow(10, decimals) - std::round(step * std::pow(10, decimals))) > 1e-6)
            ++decimals;
        m_x->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QLatin1Char('f'));
        m_x->setTickType(QValueAxis::TicksDynamic);
        m_x->setTickAnchor(xlo);
        m_x->setTickInterval(step);
        m_x->setRange(xlo - step / 2, xhi + step / 2);
    } else {
        m_x->setLabelFormat(QStringLiteral("%g"));
        m_x->setTickType(QValueAxis::TicksFixed);
        const double xpad = std::max(xhi - xlo, 0.5) * 0.08;
        m_x->setRange(xlo - xpad, xhi + xpad);
    }
    m_y2->setRange(0, std::ceil(top * 1.2));
    m_y2->applyNiceNumbers(); // whole ticks, not fifths of an odd top
    m_x->setTitleText(ladder.xTitle);
    m_y->setTitleText(ladder.yTitle);
    m_y2->setTitleText(ladder.points.empty()            ? QString()
                       : ladder.velocityUnit.isEmpty() ? QStringLiteral("ES and SD")
                                                     : QStringLiteral("ES and SD (%1)").arg(ladder.velocityUnit));
    // No strings: no numbers on the axes either (they would be those of an empty range).
    for (QValueAxis *axis : {m_x, m_y, m_y2})
        axis->setLabelsVisible(!ladder.points.empty());
    chart()->setTitle(ladder.points.empty() ? QStringLiteral("No strings with a load line")
                                            : QStringLiteral("Ladder: %1 strings").arg(ladder.points.size()));
}

void LadderChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    // Short and wide (a dock under the CFiles): the legend beside the plot leaves it the height.
    chart()->legend()->setAlignment(width() > 3 * height() ? Qt::AlignRight : Qt::AlignBottom);
}

bool LadderChart::savePng(const QString &path, QString *error) { return savePicturePng(*this, path, error); }
bool LadderChart::saveSvg(const QString &path, QString *error) { return saveChartSvg(*this, path, error); }

void LadderChart::contextMenuEvent(QContextMenuEvent *event)
{
    offerChartSave(*this, event->globalPos(), QStringLiteral("mnuLadderSave"), QStringLiteral("Save Ladder Chart"),
                   QStringLiteral("ladder"), m_warn);
}

} // namespace zx
