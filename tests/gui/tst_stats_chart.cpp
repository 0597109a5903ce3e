// The String Statistics panel and the velocity chart follow what is on screen: the string being
// shot and, after Stop, the last one; the chart names its CFile and string, numbers its shots as
// the chronograph did, explains its lines, and empties when its CFile closes. A wide dock shows
// the figures and the chart side by side. The real main window, driven by control names.
#include "app/app_context.h"
#include "app/settings_keys.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "platform/port_map.h"
#include "support/gui/main_window_rig.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLegendMarker>
#include <QPointer>
#include <QTextBlock>
#include <QTextEdit>
#include <QValueAxis>
#include <QXYSeries>
#include <QtCharts/QChartView>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

struct Rig : MainWindowRig {
    Rig() { start(); }
    QString source() { return mdi->findChild<QLabel *>(QStringLiteral("lblStatsSource"))->text(); }
    QChart *chart() { return mdi->findChild<QChartView *>(QStringLiteral("chtVelocity"))->chart(); }
    QList<QPointF> plotted()
    {
        QList<QPointF> most;
        for (QAbstractSeries *s : chart()->series())
            if (auto *xy = qobject_cast<QXYSeries *>(s); xy && xy->count() > most.size())
                most = xy->points();
        return most;
    }
    // A new CFile holding the given text, the caret on its line (0-based).
    void write(const QString &text, int line)
    {
        CFileWorkspace &ws = *cfileWorkspace(*mdi);
        ws.files().createNewCFile();
        ws.files().active()->document()->setPlainText(text);
        QTextEdit *editor = ws.windowOf(ws.files().active())->rtfText();
        editor->setTextCursor(QTextCursor(editor->document()->findBlockByNumber(line)));
    }
};

// A string the chronograph numbered from 7 on (the earlier shots went to another CFile).
const QString kLater = QStringLiteral("TAG: Start-\nCAP:#07 2875.42 f/s 0.000696 sec  72.5 fah\n"
                                      "CAP:#08 2870.00 f/s 0.000697 sec  72.5 fah\n"
                                      "CAP:#09 2881.10 f/s 0.000694 sec  72.5 fah\n"
                                      "CAP:#10 2866.90 f/s 0.000698 sec  72.5 fah\n");

} // namespace

class TstStatsChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void afterStopThePanelNamesTheLastString()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        rig.prompter.queue(MsgAnswer::Yes);   // the calibration offer, if any
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuRemStart"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(rig.mdi->windowTitle().contains(QStringLiteral(" {Shoot} ")), 10000);
        QVERIFY(rig.sim.sim().fireShot(2800));
        QVERIFY(rig.sim.sim().fireShot(2810));
        QTRY_VERIFY2(rig.source().startsWith(QStringLiteral("Shooting: string ")), qPrintable(rig.source()));
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuRemStop"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(rig.mdi->windowTitle().contains(QStringLiteral(" {Edit} ")), 10000);
        QTRY_VERIFY2(rig.source().startsWith(QStringLiteral("Last string: string ")), qPrintable(rig.source()));
        QCOMPARE(rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatShots"))->text(), QStringLiteral("2"));
        QVERIFY2(rig.chart()->title().contains(cfileWorkspace(*rig.mdi)->files().active()->caption()),
                 qPrintable(rig.chart()->title()));
    }

    void chartNamesItsStringAndNumbersItsShots()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        rig.write(kLater, 2);
        const QString name = QFileInfo(cfileWorkspace(*rig.mdi)->files().active()->caption()).fileName();
        QTRY_COMPARE(rig.plotted().size(), 4);
        QCOMPARE(rig.plotted().front(), QPointF(7, 2875.42));
        QCOMPARE(rig.plotted().back(), QPointF(10, 2866.90));
        auto *x = qobject_cast<QValueAxis *>(rig.chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(x);
        QCOMPARE(x->min(), 7.0);
        QCOMPARE(x->max(), 10.0);
        QVERIFY2(rig.chart()->title().contains(name) && rig.chart()->title().contains(QStringLiteral("string 1")),
                 qPrintable(rig.chart()->title()));
        // The legend explains the dashed average and the shaded band.
        QVERIFY(rig.chart()->legend()->isVisible());
        QStringList explained;
        for (QLegendMarker *m : rig.chart()->legend()->markers())
            if (m->isVisible())
                explained << m->label();
        QVERIFY2(explained.filter(QStringLiteral("Average")).size() == 1 && explained.filter(QStringLiteral("SD band")).size() == 1,
                 qPrintable(explained.join('|')));

    }

    void chartEmptiesWhenItsCFileCloses()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        rig.write(kLater, 2);
        const QString name = QFileInfo(cfileWorkspace(*rig.mdi)->files().active()->caption()).fileName();
        QTRY_COMPARE(rig.plotted().size(), 4);
        rig.prompter.queue(MsgAnswer::No);   // not saved
        QVERIFY(cfileWorkspace(*rig.mdi)->files().closeDoc(cfileWorkspace(*rig.mdi)->files().active()));
        QTRY_VERIFY2(rig.plotted().isEmpty(), qPrintable(rig.chart()->title()));
        QVERIFY2(!rig.chart()->title().contains(name), qPrintable(rig.chart()->title()));
        QVERIFY2(!rig.source().contains(name), qPrintable(rig.source()));
        QCOMPARE(rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatShots"))->text(), QStringLiteral("0"));
    }

    // View > Ladder Chart brings the ladder to the front when it is a tab behind another dock,
    // rather than closing it; from the front it hides it as before.
    void viewLadderChartRaisesItsTab()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        auto *velocity = rig.mdi->findChild<QDockWidget *>(QStringLiteral("dckChart"));
        auto *ladder = rig.mdi->findChild<QDockWidget *>(QStringLiteral("dckLadder"));
        auto *view = rig.mdi->findChild<QAction *>(QStringLiteral("mnuViewLadder"));
        QVERIFY(velocity && ladder && view);
        rig.mdi->showNormal();
        rig.mdi->resize(1600, 900);
        // A tab behind another stays "visible", moved out of sight: in front is what shows.
        const auto front = [](QDockWidget *d) { return d->isVisible() && !d->visibleRegion().isEmpty(); };
        QTRY_VERIFY(rig.mdi->tabifiedDockWidgets(velocity).contains(ladder));
        velocity->raise();
        QTRY_VERIFY(front(velocity) && !front(ladder));
        view->trigger();
        QTRY_VERIFY(front(ladder) && !front(velocity));
        QVERIFY(view->isChecked());
        view->trigger();
        QTRY_VERIFY(!ladder->isVisible());
        QVERIFY(!view->isChecked());
        view->trigger();
        QTRY_VERIFY(front(ladder));
    }

    void wideDockShowsFiguresBesideTheChart()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        auto *figures = rig.mdi->findChild<QDockWidget *>(QStringLiteral("dckStats"));
        auto *chart = rig.mdi->findChild<QDockWidget *>(QStringLiteral("dckChart"));
        const auto beside = [&] {
            return figures->isVisible() && chart->isVisible() && !figures->visibleRegion().isEmpty()
                && !chart->visibleRegion().isEmpty() && !figures->geometry().intersects(chart->geometry());
        };
        rig.mdi->showNormal();
        rig.mdi->resize(1600, 900);
        QTRY_VERIFY(beside());
        rig.mdi->resize(640, 700);
        QTRY_VERIFY(rig.mdi->tabifiedDockWidgets(figures).contains(chart));
        rig.mdi->resize(1600, 900);
        QTRY_VERIFY(beside());
    }
};

QTEST_MAIN(TstStatsChart)
#include "tst_stats_chart.moc"
