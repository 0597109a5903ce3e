#include "app/ui/velocity_chart.h"

#include "platform/save_file.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QSaveFile>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

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
    chart->setMargins(QMargins(4, 4, 4, 4));
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
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(m_x);
        s->attachAxis(m_y);
    }
    setChart(chart);
}

void VelocityChart::show(const std::vector<double> &v, const StringStats &st, const QString &units)
{
    QList<QPointF> shots;
    for (size_t i = 0; i < v.size(); ++i)
        shots.append(QPointF(double(i + 1), v[i]));
    m_shots->replace(shots);
    m_points->replace(shots);
    const double last = std::max<double>(2, double(v.size()));
    m_average->replace({QPointF(1, st.average), QPointF(last, st.average)});
    m_bandHigh->replace({QPointF(1, st.average + st.sd), QPointF(last, st.average + st.sd)});
    m_bandLow->replace({QPointF(1, st.average - st.sd), QPointF(last, st.average - st.sd)});
    m_x->setRange(1, last);
    m_x->setTickCount(std::min(int(last), 10));
    const double lo = std::min(st.minimum, st.average - st.sd), hi = std::max(st.maximum, st.average + st.sd);
    const double pad = std::max(1.0, (hi - lo) * 0.15);
    m_y->setRange(std::floor(lo - pad), std::ceil(hi + pad));
    m_y->applyNiceNumbers();
    m_y->setTitleText(v.empty() ? QString() : QStringLiteral("Velocity (") + units + QLatin1Char(')'));
}

bool savePicturePng(QWidget &widget, const QString &path, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !widget.grab().save(&f, "PNG")) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return commitSaveFile(f, error);
}

bool VelocityChart::savePng(const QString &path, QString *error) { return savePicturePng(*this, path, error); }

void VelocityChart::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *save = menu.addAction(QStringLiteral("Save Chart as PNG..."));
    save->setObjectName(QStringLiteral("mnuChartSavePng"));
    if (menu.exec(event->globalPos()) != save)
        return;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart"), QStringLiteral("velocity.png"),
                                                QStringLiteral("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    QString error;
    if (!savePng(path, &error) && m_warn)
        m_warn(QStringLiteral("Could not write ") + path + QStringLiteral(":\r\n") + error);
}

} // namespace zx
