// Live capture into the workbook through the receive path (the queue the link port fills and
// the timer drains), in both unit systems against values worked out by hand; live lines that
// arrive while an export writes the same sheet; link off and its question; exports that find
// no shots.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "link/link_session.h"
#include "link/progress_sink.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QtTest>

using namespace zx;
using namespace zx::xls;

namespace {

struct LiveRig {
    LiveRig()
    {
        link.setNewBookPath(settings.path() + QStringLiteral("/live.xlsx"));
        link.hooks.chronoWarnings = [] { return false; };
        link.hooks.liveQueue = [this](bool on) { session.bExcCapture = on; };
        session.hooks.excelLine = [this](const QString &line) { link.captureLine(line); };
    }
    // The workbook made, the bullet weights set (150 grains in S1, 10 grams in S2), the link on.
    void linkOn()
    {
        QCOMPARE(link.excOpen(3), 0);
        wb::Worksheet &ws = capture();
        ws.setValue(kGrainsWeightCell.row, kGrainsWeightCell.col, 150.0);
        ws.setValue(kGramsWeightCell.row, kGramsWeightCell.col, 10.0);
        link.linkOn();
        QVERIFY(link.liveLink);
    }
    // The chronograph's text as the port receives it, then the timer's drain.
    void receive(const QString &text)
    {
        session.termRx(text);
        session.excDrain();
    }
    wb::Worksheet &capture() { return *link.book()->sheet(QStringLiteral("Capture")); }
    double number(const char *cell)
    {
        wb::CellAddr a;
        wb::parseCellName(QString::fromLatin1(cell), &a);
        const wb::CellValue v = capture().value(a.row, a.col);
        return wb::isNumber(v) ? std::get<double>(v) : -1e300;
    }
    QString text(const char *cell)
    {
        wb::CellAddr a;
        wb::parseCellName(QString::fromLatin1(cell), &a);
        return wb::displayText(capture().value(a.row, a.col));
    }

    zx::test::TempSettings settings;
    zx::test::ScriptedPrompter prompter;
    zx::test::ScriptedFileChooser chooser;
    zx::test::RecordingLogPad pad;
    NullProgressSink progress;
    LinkSession session{&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr};
    ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
};

bool near(double got, double want) { return qAbs(got - want) <= 1e-6 * qMax(1.0, qAbs(want)); }

} // namespace

class TstExportLive : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first block after Link On takes the units of its first shot. Worked by hand, with
    // iSetup's D4 = 0.06479891 g/gr, D5 = 1/D4 gr/g, D6 = 0.3048 (m/s)/(f/s):
    //  f/s, 2800 f/s, 150 gr: 853.44 m/s, 9.7198365 g; energy 853.44^2 * 9.7198365/2000
    //    = 3539.7692 J; momentum 853.44 * 9.7198365 = 8295.2973; power factor 2800*150/1000 = 420.
    //  m/s, 900 m/s, 10 g: energy 900^2 * 10/2000 = 4050 J; momentum 900*10 = 9000; power factor
    //    2952.7559 f/s * 154.32358 gr / 1000 = 455.67987.
    void firstLiveBlockInItsShotsUnits_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("velocityHeading");
        QTest::addColumn<QString>("weightHeading");
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("energy");
        QTest::addColumn<double>("momentum");
        QTest::addColumn<double>("powerFactor");
        QTest::addRow("f/s") << QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n") << "(f/s)" << "(grains)"
                             << 150.0 << 3539.7692478796 << 8295.29726256 << 420.0;
        QTest::addRow("m/s") << QStringLiteral("CAP:#01  900.00 m/s 0.000696 sec  20.0 cel\r\n") << "(m/s)" << "(grams)"
                             << 10.0 << 4050.0 << 9000.0 << 455.6798726262;
    }
    void firstLiveBlockInItsShotsUnits()
    {
        QFETCH(QString, line);
        QFETCH(QString, velocityHeading);
        QFETCH(QString, weightHeading);
        QFETCH(double, weight);
        QFETCH(double, energy);
        QFETCH(double, momentum);
        QFETCH(double, powerFactor);
        LiveRig rig;
        rig.linkOn();
        QVERIFY(rig.link.newBlockRequest); // link on asks for a new block
        rig.receive(line);
        QVERIFY(!rig.link.newBlockRequest);
        // Begin rows 5 and 6 in the shot's units, the shot on row 7, no empty header above.
        QCOMPARE(rig.text("V5"), QStringLiteral("Begin CAP-Import(1)"));
        QCOMPARE(rig.text("E6"), velocityHeading);
        QCOMPARE(rig.text("R6"), weightHeading);
        QVERIFY2(near(rig.number("R7"), weight), qPrintable(rig.text("R7")));
        QVERIFY2(near(rig.number("S7"), energy), qPrintable(rig.text("S7")));
        QVERIFY2(near(rig.number("T7"), momentum), qPrintable(rig.text("T7")));
        QVERIFY2(near(rig.number("U7"), powerFactor), qPrintable(rig.text("U7")));
        QCOMPARE(rig.capture().formula(7, 12), QStringLiteral("=MIN(E7:E7)"));
    }

    // A later block in the other units: its own headings and formulas, the first block's kept.
    void unitsChangeAtNewBlock()
    {
        LiveRig rig;
        rig.linkOn();
        rig.receive(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n#02 2810.00 f/s 0.000695 sec  72.5 fah\r\n"));
        rig.prompter.queue(MsgAnswer::Yes);
        QVERIFY(rig.link.sheetBeforeDoubleClick(QStringLiteral("Capture"), 8, 1));
        rig.receive(QStringLiteral("CAP:#01  900.00 m/s 0.000696 sec  20.0 cel\r\n"));
        // Empty row 9, begin rows 10 and 11, the metric shot on 12.
        QCOMPARE(rig.text("E11"), QStringLiteral("(m/s)"));
        QVERIFY(near(rig.number("S12"), 4050.0));
        QVERIFY(near(rig.number("U12"), 455.6798726262));
        QVERIFY(near(rig.number("S8"), 3565.0984640538)); // 2810 f/s: 856.488^2 * 9.7198365/2000
        QCOMPARE(rig.capture().formula(8, 14), QStringLiteral("=AVERAGE(E7:E8)"));
    }

    // Live lines that arrive while an export writes the Capture sheet wait until it ends; then
    // they start a block of their own below the export's end line.
    void liveLinesWaitForTheExport()
    {
        LiveRig rig;
        rig.linkOn();
        rig.receive(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n"));
        QString logger;
        for (int n = 1; n <= 130; ++n)
            logger += QStringLiteral("#%1 2700.00 f/s 0.000700 sec  70.0 fah\r\n").arg(n % 40 + 1, 2, 10, QLatin1Char('0'));
        int arrivals = 0;
        ExportSources src;
        src.loggerText = [&] { return logger; };
        src.pumpEvents = [&] { rig.receive(QStringLiteral("CAP:#%1 2900.00 f/s 0.000690 sec  72.5 fah\r\n").arg(++arrivals + 1, 2, 10, QLatin1Char('0'))); };
        ExportDriver driver(rig.link, src, rig.pad, rig.progress, ExportOptions{});
        QCOMPARE(driver.exportLogger(), 0);
        QCOMPARE(arrivals, 2);
        // Every row between the export's begin and end lines is the export's.
        const wb::Worksheet &ws = rig.capture();
        int end = 0, liveRows = 0, exportRows = 0;
        for (int row = 8; row <= ws.usedExtent().row; ++row) {
            const QString a = wb::displayText(ws.value(row, 1));
            if (a.startsWith(QLatin1String("End LGR-Import")))
                end = row;
            const wb::CellValue e = ws.value(row, 5);
            if (!wb::isNumber(e))
                continue;
            if (std::get<double>(e) == 2900.0) {
                QVERIFY2(end > 0, qPrintable(QStringLiteral("live row %1 inside the export").arg(row)));
                ++liveRows;
                QCOMPARE(ws.value(row, 11), wb::CellValue(double(liveRows))); // n counts its own block
            } else if (std::get<double>(e) == 2700.0) {
                QVERIFY2(end == 0, qPrintable(QStringLiteral("export row %1 after its end line").arg(row)));
                ++exportRows;
            }
        }
        QCOMPARE(exportRows, 130);
        QCOMPARE(liveRows, 2);
    }

    // Link off while the chronograph records shots asks first (No preselected); No keeps the
    // link, Yes or no recording ends it: "Link Off" in the status cell, the queue off, on disk.
    void linkOffAndItsQuestion_data()
    {
        QTest::addColumn<bool>("recording");
        QTest::addColumn<int>("answer"); // MsgAnswer; unused without a question
        QTest::addColumn<bool>("ends");
        QTest::addRow("sensors off") << false << int(MsgAnswer::No) << true;
        QTest::addRow("recording, Yes") << true << int(MsgAnswer::Yes) << true;
        QTest::addRow("recording, No") << true << int(MsgAnswer::No) << false;
    }
    void linkOffAndItsQuestion()
    {
        QFETCH(bool, recording);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        LiveRig rig;
        rig.link.hooks.recordingShots = [&] { return recording; };
        rig.linkOn();
        QVERIFY(rig.session.bExcCapture);
        const int asked = rig.prompter.count();
        rig.prompter.queue(MsgAnswer(answer));
        rig.link.linkOff();
        QCOMPARE(rig.prompter.count(), asked + (recording ? 1 : 0));
        if (recording) {
            QCOMPARE(rig.prompter.last().text,
                     QStringLiteral("Excel can not be Unlinked while Chronograph\r\nsensors are still on, this may cause loss of "
                                    "data.\r\nYou must first turn sensors off - click on <Stop>.\r\n\r\nDo you want to "
                                    "Unlink Excel anyway.?"));
            QCOMPARE(rig.prompter.last().buttons, MsgButtons::YesNo);
            QCOMPARE(zx::defaultAnswer(rig.prompter.last()), MsgAnswer::No);
        }
        QCOMPARE(rig.link.liveLink, !ends);
        QCOMPARE(rig.session.bExcCapture, !ends);
        QCOMPARE(rig.text("A2"), ends ? QStringLiteral("Link Off") : QStringLiteral("Link On"));
        QString error;
        const auto back = wb::readXlsx(rig.link.bookPath(), &error);
        QVERIFY2(back, qPrintable(error));
        if (ends)
            QCOMPARE(wb::displayText(back->sheet(QStringLiteral("Capture"))->value(2, 1)), QStringLiteral("Link Off"));
        // Shots after an ended link stay out of the workbook.
        const wb::CellAddr extent = rig.capture().usedExtent();
        rig.receive(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n"));
        QCOMPARE(rig.capture().usedExtent() == extent, ends);
    }

    // An export that finds no shots says so and writes nothing: no workbook is made, and a
    // linked one keeps its counter and rows.
    void exportWithoutShots_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addRow("empty CFile") << int(ExpCFile) << QString();
        QTest::addRow("CFile of remarks") << int(ExpCFile) << QStringLiteral("REM: shooting later\r\nTAG: Start-\r\n");
        QTest::addRow("CFile, unreadable shot") << int(ExpCFile) << QStringLiteral("CAP:#03 28x0 f/s\r\n");
        QTest::addRow("iLoger without shots") << int(ExpLogger) << QStringLiteral("RV5 ready\r\nDAT>");
    }
    void exportWithoutShots()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        LiveRig rig;
        ExportSources src;
        src.cfileText = src.loggerText = [&] { return text; };
        ExportDriver driver(rig.link, src, rig.pad, rig.progress, ExportOptions{});
        const int sheet = type == ExpCFile ? 4 : 5;
        const int kind = type == ExpCFile ? SrcCapture : SrcLogger;
        QCOMPARE(driver.run(3, kind, sheet, type), int(ExportNoShots));
        QVERIFY2(rig.pad.rendered().contains(QStringLiteral("There are no shots to export")), qPrintable(rig.pad.rendered()));
        QVERIFY(!rig.pad.rendered().contains(QStringLiteral("Successfully")));
        QVERIFY(!rig.link.linked);
        QVERIFY(!QFile::exists(rig.settings.path() + QStringLiteral("/live.xlsx")));
        // Into a linked workbook: nothing changes.
        QCOMPARE(rig.link.excOpen(3), 0);
        const wb::Worksheet &ws = *rig.link.book()->sheet(QString::fromLatin1(kSheetNames[sheet - 1]));
        const wb::CellAddr before = ws.usedExtent();
        const wb::CellValue counter = ws.value(kCounterCell.row, kCounterCell.col);
        QCOMPARE(driver.run(3, kind, sheet, type), int(ExportNoShots));
        QCOMPARE(ws.usedExtent(), before);
        QCOMPARE(ws.value(kCounterCell.row, kCounterCell.col), counter);
        QVERIFY(!rig.link.exporting);
    }
};

QTEST_GUILESS_MAIN(TstExportLive)
#include "tst_export_live.moc"
