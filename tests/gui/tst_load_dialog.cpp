// The load dialog on the String Statistics panel in the real main window, driven by control
// name: the load of the string under the caret written before its first shot and shown on the
// panel, and the next string's load written at the end, edited again and not doubled. The
// ladder chart's data as the captured shots of the next string come in.
#include "app/startup.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/ladder_chart.h"
#include "app/ui/splash_sequence.h"
#include "app/ui/stats_desk.h"
#include "cfile/cfile_manager.h"
#include "cfile/logpad.h"
#include "cfile/shot_strings.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QComboBox>
#include <QLegendMarker>
#include <QDialog>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtCharts/QLineSeries>
#include <QtTest>

using namespace zx;

namespace {
const QString kText = "TAG: Start\nCAP:#01 2800.00 f/s 0.000714 sec 72.5 fah\nCAP:#02 2810.00 f/s 0.000712 sec 72.5 fah\n"
                      "CAP:#01 2900.00 f/s 0.000690 sec 72.4 fah\nCAP:#02 2910.00 f/s 0.000687 sec 72.4 fah\nTAG: Stop";

struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    Fixture()
    {
        tmp.selectChronographByHand();
        ctx.prompter = &prompter;
        mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
    }
    ~Fixture()
    {
        if (!mdi)
            return;
        for (CFileDoc *d : cfileWorkspace(*mdi)->files().docs())
            d->setChanged(false);
        mdi->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTextEdit *editor() { return cfileWorkspace(*mdi)->activeWindow()->rtfText(); }
    void caretAt(int line)
    {
        QTextCursor c(editor()->document());
        if (line < 0)
            c.movePosition(QTextCursor::End);
        else
            c.setPosition(editor()->document()->findBlockByNumber(line).position());
        editor()->setTextCursor(c);
    }
    QDialog *openDialog()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last one closed
        auto *button = statsDesk(*mdi)->dock()->findChild<QPushButton *>("cmdLoadData");
        if (!button)
            return nullptr;
        button->click();
        return mdi->findChild<QDialog *>("frmLoad");
    }
    QString panelLoad()
    {
        QTest::qWait(200); // the panel follows the caret once it settles
        return statsDesk(*mdi)->dock()->findChild<QLabel *>("lblStatsLoad")->text();
    }
};
} // namespace

class TstLoadDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadOfTheStringUnderTheCaret()
    {
        Fixture f;
        QVERIFY(f.mdi);
        f.editor()->setPlainText(kText);
        f.caretAt(4);
        QDialog *d = f.openDialog();
        QVERIFY(d && d->isVisible());
        d->findChild<QLineEdit *>("txtCharge")->setText("42,5");
        d->findChild<QComboBox *>("cboChargeUnit")->setCurrentText("g");
        d->findChild<QLineEdit *>("txtPowder")->setText("Varget");
        d->findChild<QLineEdit *>("txtBulletWeight")->setText("168gr");
        d->findChild<QLineEdit *>("txtBullet")->setText("SMK");
        d->findChild<QPushButton *>("cmdOK")->click();
        const QStringList lines = f.editor()->toPlainText().split('\n');
        QCOMPARE(lines.value(3), "LOAD: Charge=42.5 g | Powder=Varget | Bullet=168 gr SMK");
        QCOMPARE(findShotStrings(lines).at(1).shots.front().velocity, 2900.0);
        QVERIFY(!findShotStrings(lines).at(0).load);
        f.caretAt(5);
        QCOMPARE(f.panelLoad(), "Load: 42.5 g Varget, 168 gr SMK");
        f.caretAt(1);
        QCOMPARE(f.panelLoad(), "Load: -");
    }
    void loadOfTheNextString()
    {
        Fixture f;
        QVERIFY(f.mdi);
        f.editor()->setPlainText(kText + "\nLOAD: Charge=41.0 gr\nCAP:#01 2950.00 f/s 0.000678 sec 72.4 fah\nTAG: Stop");
        f.caretAt(-1);
        QDialog *d = f.openDialog();
        QVERIFY(d);
        QCOMPARE(d->findChild<QLineEdit *>("txtCharge")->text(), "41.0"); // the last load to start from
        d->findChild<QLineEdit *>("txtCharge")->setText("41.5");
        d->findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(f.editor()->toPlainText().split('\n').mid(9), QStringList({"LOAD: Charge=41.5 gr", ""}));
        f.caretAt(-1);
        d = f.openDialog();
        QCOMPARE(d->findChild<QLineEdit *>("txtCharge")->text(), "41.5");
        d->findChild<QLineEdit *>("txtNotes")->setText("hot | day");
        d->findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(f.editor()->toPlainText().split('\n').mid(9),
                 QStringList({"LOAD: Charge=41.5 gr | Note=hot | day", ""}));
    }
    // The ladder follows the string being fired, shot by shot, from the captured text.
    void ladderGrowsWithEachShot()
    {
        Fixture f;
        QVERIFY(f.mdi);
        f.editor()->setPlainText("LOAD: Charge=40.0 gr\n" + kText.section('\n', 0, 2) + "\nTAG: Stop\nLOAD: Charge=40.5 gr\n"
                                 + kText.section('\n', 3) + "\nLOAD: Charge=41.0 gr\n");
        f.caretAt(-1);
        QTest::qWait(200);
        auto *chart = statsDesk(*f.mdi)->ladderDock()->findChild<LadderChart *>("chtLadder");
        QVERIFY(chart);
        const auto series = [chart](const char *name) {
            return chart->chart()->findChild<QLineSeries *>(QString::fromLatin1(name));
        };
        QCOMPARE(series("srsLadderAverage")->points(), QList<QPointF>({{40, 2805}, {40.5, 2905}}));
        QCOMPARE(series("srsLadderSD")->points().mid(0, 4),
                 QList<QPointF>({{40, 2805}, {40, 2805 + 5 * M_SQRT2}, {40, 2805 - 5 * M_SQRT2}, {40, 2805}}));
        LogPad &pad = cfileWorkspace(*f.mdi)->logPad();
        pad.captureText("CAP:#01 2900.00 f/s 0.000690 sec 72.4 fah\r\n");
        QTest::qWait(50);
        QCOMPARE(series("srsLadderAverage")->points().value(2), QPointF(41, 2900));
        pad.captureText("CAP:#02 2920.00 f/s 0.000690 sec 72.4 fah\r\n");
        QTest::qWait(50);
        QCOMPARE(series("srsLadderAverage")->points().value(2), QPointF(41, 2910));
        // The legend tells its entries apart: no two in one colour, none without a name.
        QStringList legend;
        QList<QRgb> colours;
        for (QLegendMarker *m : chart->chart()->legend()->markers())
            if (m->isVisible()) {
                QVERIFY2(!colours.contains(m->brush().color().rgb()), qPrintable(m->label() + " shares its colour"));
                colours << m->brush().color().rgb();
                legend << m->label();
            }
        QVERIFY2(legend.size() >= 3 && !legend.contains(QString()), qPrintable(legend.join(" | ")));
        // 100 per grain, then 10 per grain: the last step is the flattest.
        QCOMPARE(series("srsLadderFlattest")->points(), QList<QPointF>({{40.5, 2905}, {41, 2910}}));
        // As SVG: a document that parses, with the chart's title and the axes' titles and units as text.
        QTemporaryDir svgDir;
        QString svgError;
        QVERIFY2(chart->saveSvg(svgDir.filePath("ladder.svg"), &svgError), qPrintable(svgError));
        QFile svg(svgDir.filePath("ladder.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QStringList texts;
        QString root;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && root.isEmpty())
                root = xml.name().toString();
            else if (xml.isCharacters() && !xml.isWhitespace())
                texts << xml.text().toString().simplified();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(root, "svg");
        for (const char *want : {"Ladder: 3 strings", "Charge weight (gr)", "Average velocity (f/s)", "ES and SD (f/s)"})
            QVERIFY2(texts.contains(want), qPrintable(QString(want) + " not among " + texts.join(" | ")));
        // Along the bullet weight: none of these loads gives one.
        statsDesk(*f.mdi)->ladderDock()->findChild<QComboBox *>("cboLadderField")->setCurrentIndex(1);
        QTRY_VERIFY(series("srsLadderAverage")->points().isEmpty());
        // Saved as PNG; a target that is a folder is refused and leaves nothing behind.
        QTemporaryDir dir;
        QString error;
        QVERIFY(!chart->savePng(dir.path(), &error) && !error.isEmpty());
        QVERIFY(chart->savePng(dir.filePath("ladder.png"), &error));
        QFile png(dir.filePath("ladder.png"));
        QVERIFY(png.open(QIODevice::ReadOnly) && png.read(4) == "\x89PNG");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ladder.png"});
    }
};

QTEST_MAIN(TstLoadDialog)
#include "tst_load_dialog.moc"
