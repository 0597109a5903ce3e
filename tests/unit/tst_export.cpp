// The workbook export without a chronograph: shot and listing lines, shot rows and their
// formulas, the listing errors, visibility, the reserved file name, a broken file, live capture.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "link/progress_sink.h"
#include "platform/decimal_text.h"
#include "platform/workbook.h"
#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QFile>
#include <QtTest>

#include <cstring>

using namespace zx;
using namespace zx::xls;
using zx::test::RecordingLogPad;
using zx::test::ScriptedFileChooser;
using zx::test::ScriptedPrompter;

namespace {

QString listing(int shots, const QString &shotForm = QStringLiteral("MMR:%1 2906.30 0.000688 72.3"))
{
    QString t = QStringLiteral("2\r\nMMR:Fol=01 Str=04 Siz=%1 Vel=f/s Tim=sec Tmp=fah\r\n").arg(shots, 2, 10, QLatin1Char('0'));
    for (int s = 1; s <= shots; ++s)
        t += shotForm.arg(s, 2, 10, QLatin1Char('0')) + QStringLiteral("\r\n");
    return t + QStringLiteral("MMR:<End> Fol=01 Str=04\r\nMMR:<End> CAP=OFF\r\nDAT>");
}

struct Rig {
    Rig() { link.setNewBookPath(settings.path() + QStringLiteral("/book.xlsx")); }
    int run(int sourceKind, int sheet, int type, const QString &text)
    {
        ExportSources src;
        src.download = [text](int, QStringList &lines) {
            lines = textLines(text);
            return 0;
        };
        src.cfileText = src.loggerText = [text] { return text; };
        ExportDriver d(link, src, pad, progress, options);
        const int r = d.run(3, sourceKind, sheet, type);
        skipped = d.linesSkipped();
        return r;
    }
    wb::Worksheet &sheet(int s) { return link.writer()->sheet(s); }
    QString formula(int s, const QString &cell)
    {
        wb::CellAddr a;
        parseCellName(cell, &a);
        const wb::Worksheet &ws = sheet(s);
        return ws.formula(a.row, a.col).isEmpty() ? wb::displayText(ws.value(a.row, a.col)) : ws.formula(a.row, a.col);
    }
    zx::test::TempSettings settings;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    RecordingLogPad pad;
    NullProgressSink progress;
    ExportOptions options;
    ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
    int skipped = 0;
};

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Shot numbers are read by a short cut; it must give the very double a full conversion gives.
    void decimalTextIsExact()
    {
        for (const char *text : {"2906.30", "0.000688", "-5.0", "+72.3", ".5", "5.", "999999999999999",
                                 "1234567890123456", "0.1234567890123456", "1e-4", "1.2.3", "-", "", " 7"}) {
            const QString s = QString::fromLatin1(text);
            bool ok = false;
            const double full = s.toDouble(&ok);
            double quick = -1;
            QCOMPARE(zx::readDecimal(s, &quick), ok);
            if (ok)
                QVERIFY2(std::memcmp(&quick, &full, sizeof full) == 0, text);
        }
    }

    void cfileGrainsAndGrams()
    {
        Rig rig;
        const QString text = QStringLiteral("TAG: Start-\nCAP:#01 2875.42 f/s 0.000696 sec  72.5 fah\n"
                                            "CAP:#02 2870.00 f/s 0.000697 sec  998.0 fah\nCAP:#03 28x0 f/s\n"
                                            "CAP:#01  900.00 m/s 0.000697 sec  -5.0 cel\nCAP:#02 0.00 m/s 0.000700 sec -5.0 cel\n");
        QCOMPARE(rig.run(SrcCapture, 4, ExpCFile, text), 0);
        QCOMPARE(rig.skipped, 1);
        QVERIFY(rig.pad.rendered().contains(QStringLiteral("Lines Skipped = 1")));
        // First block: rows 7 and 8 (header rows 5 and 6); second block after an empty row.
        QCOMPARE(rig.formula(4, QStringLiteral("P7")), QStringLiteral("0"));
        QCOMPARE(rig.formula(4, QStringLiteral("P8")), QStringLiteral("=STDEV(E7:E8)"));
        QCOMPARE(rig.formula(4, QStringLiteral("Q8")), QStringLiteral("=(P8* 100)/N8"));
        QCOMPARE(rig.formula(4, QStringLiteral("I8")), QStringLiteral("-?-"));
        QCOMPARE(rig.formula(4, QStringLiteral("S8")),
                 QStringLiteral("=($E8*iSetup!$D$6*$E8*iSetup!$D$6 * ($R8*iSetup!$D$4/2000))"));
        QCOMPARE(rig.formula(4, QStringLiteral("U8")), QStringLiteral("=($E8*$R8/1000)"));
        QCOMPARE(rig.formula(4, QStringLiteral("R11")), QStringLiteral("(grams)"));
        QCOMPARE(rig.formula(4, QStringLiteral("S12")), QStringLiteral("=($E12*$E12 * ($R12/2000))"));
        QCOMPARE(rig.formula(4, QStringLiteral("U13")), QStringLiteral("=($E13/iSetup!$D$6*$R13*iSetup!$D$5/1000)"));
        QCOMPARE(rig.formula(4, QStringLiteral("E13")), QStringLiteral("-?-"));
        QCOMPARE(rig.formula(4, QStringLiteral("I13")), QStringLiteral("-5"));
        QCOMPARE(rig.sheet(4).format(12, 18).numberFormat, QStringLiteral("0.0000"));
        QCOMPARE(wb::displayText(rig.sheet(4).value(13, 14)), QStringLiteral("900")); // AVERAGE skips "-?-"
        QVERIFY(wb::displayText(rig.sheet(4).value(15, 1)).startsWith(u"End CAP-Import(1)"));
        // The book on disk holds the rows.
        QString error;
        const auto back = wb::readXlsx(rig.link.bookPath(), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->sheet(QStringLiteral("CFile"))->formula(12, 19), QStringLiteral("=($E12*$E12 * ($R12/2000))"));
    }

    void listingErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("rows"); // shot rows written
        QTest::addRow("40 shots") << listing(40) << 0 << 40;
        QTest::addRow("41 shots") << listing(41) << 102 << 0;
        QTest::addRow("keyed form") << listing(3, QStringLiteral("MMR:Fol=01 Str=04 Sho=%1 Vel=2906.30 f/s Tim=0.000688 sec Tmp=72.3 fah"))
                                    << 0 << 3;
        QTest::addRow("no header") << QStringLiteral("DAT>") << 101 << 0;
        QTest::addRow("other string") << listing(2, QStringLiteral("MMR:Fol=01 Str=05 Sho=%1 Vel=2906.30 f/s Tim=0.000688 sec Tmp=72.3 fah"))
                                      << 103 << 0;
        QTest::addRow("beyond size") << listing(2).replace(QStringLiteral("Siz=02"), QStringLiteral("Siz=01")) << 103 << 1;
        QTest::addRow("no end") << listing(2).section(QStringLiteral("MMR:<End>"), 0, 0) << 104 << 2;
    }
    void listingErrors()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QFETCH(int, rows);
        Rig rig;
        QCOMPARE(rig.run(SrcMemory, 2, ExpFolder, text), result);
        QCOMPARE(rig.link.writer()->sequence, rows);
        if (result == 0) {
            QCOMPARE(rig.formula(2, QStringLiteral("B7")), QStringLiteral("1"));
            QCOMPARE(rig.formula(2, QStringLiteral("W5")), QStringLiteral("    Folder=1    String=4"));
        } else {
            QVERIFY(rig.pad.rendered().contains(QStringLiteral("Failed to complete data export...!  Time=")));
        }
    }

    void visibility_data()
    {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<bool>("unitsAfter");
        QTest::addColumn<bool>("names");
        QTest::addColumn<QString>("hidden"); // hidden columns among B..U, then hidden label rows
        QTest::addRow("String, defaults") << 1 << false << true << "FGHJK";
        QTest::addRow("CFile, units after") << 4 << true << true << "";
        QTest::addRow("eDisk, units after, no names") << 3 << true << false << "GHKrow9";
    }
    void visibility()
    {
        QFETCH(int, sheet);
        QFETCH(bool, unitsAfter);
        QFETCH(bool, names);
        QFETCH(QString, hidden);
        Rig rig;
        rig.options.unitsAfterValue = unitsAfter;
        rig.options.namesEveryString = names;
        const int type = sheet == 4 ? ExpCFile : sheet;
        const QString text = sheet == 4 ? QStringLiteral("CAP:#01 2875.42 f/s 0.000696 sec 72.5 fah\nCAP:#01 2875.42 f/s 0.000696 sec 72.5 fah")
                                        : listing(1).replace(QStringLiteral("MMR:<End> CAP=OFF"), listing(1).mid(3));
        QCOMPARE(rig.run(sheet == 4 ? SrcCapture : SrcMemory, sheet, type, text), 0);
        QString got;
        for (int col = 2; col <= 21; ++col)
            if (rig.sheet(sheet).isColumnHidden(col))
                got += wb::columnName(col);
        for (int row = 6; row <= rig.link.writer()->nextRow(sheet); ++row)
            if (rig.sheet(sheet).isRowHidden(row))
                got += QStringLiteral("row%1").arg(row);
        QCOMPARE(got, hidden);
    }

    void reservedNameAndBrokenFile()
    {
        Rig rig;
        const QString broken = rig.settings.path() + QStringLiteral("/cboox.XLSX");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 not really a workbook");
        f.close();
        const auto bytes = [&] {
            QFile g(broken);
            return g.open(QIODevice::ReadOnly) ? g.readAll() : QByteArray();
        };
        const QByteArray before = bytes();
        rig.chooser.queueOpen({broken});
        rig.chooser.queueOpen({broken});
        rig.prompter.queue({MsgAnswer::No, MsgAnswer::Yes});
        QCOMPARE(rig.link.excOpen(1), 12);
        QCOMPARE(rig.prompter.count(), 2);
        QCOMPARE(rig.prompter.at(0).buttons, MsgButtons::YesNoCancel);
        QCOMPARE(rig.prompter.at(0).defaultButton, 3);
        QVERIFY(rig.prompter.at(0).text.startsWith(QStringLiteral("File name  CBoox.xlsx  is reserved for Excel Templates.")));
        QCOMPARE(bytes(), before);
        QVERIFY(!QFile::exists(rig.settings.path() + QStringLiteral("/CBook1.xlsx")));
        QVERIFY(!rig.link.linked && !rig.link.exporting);
        QCOMPARE(rig.link.excOpen(1), 12); // the chooser cancelled
        // A good template under the reserved name is opened as CBook1.xlsx.
        const QString good = rig.settings.path() + QStringLiteral("/CBoox.xlsx");
        QVERIFY(writeExportTemplate(good).ok);
        rig.chooser.queueOpen({good});
        rig.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(rig.link.excOpen(1), 0);
        QCOMPARE(rig.link.bookPath(), rig.settings.path() + QStringLiteral("/CBook1.xlsx"));
        QCOMPARE(rig.link.excOpen(3), 9);
    }

    void liveCapture()
    {
        Rig rig;
        rig.link.hooks.chronoWarnings = [] { return false; };
        rig.link.linkOn();
        QVERIFY(rig.link.linked && rig.link.liveLink);
        QCOMPARE(rig.formula(5, QStringLiteral("A2")), QStringLiteral("Link On"));
        rig.link.captureLine(QStringLiteral("CAP:#01 2875.42 f/s 0.000696 sec  72.5 fah"));
        rig.link.captureLine(QStringLiteral("CAP:#02 2870.00 f/s 0.000697"));
        rig.link.captureLine(QStringLiteral("#02 2865.00 f/s 0.000697 sec  72.5 fah"));
        QCOMPARE(rig.link.liveSkipped, 1);
        QCOMPARE(rig.formula(5, QStringLiteral("N8")), QStringLiteral("=AVERAGE(E7:E8)"));
        // A double-click on another sheet is Excel's; on Capture it asks for a new block.
        QVERIFY(!rig.link.sheetBeforeDoubleClick(QStringLiteral("String"), 7, 1));
        rig.prompter.queue(MsgAnswer::No);
        QVERIFY(rig.link.sheetBeforeDoubleClick(QStringLiteral("Capture"), 7, 1));
        QVERIFY(!rig.link.newBlockRequest);
        rig.prompter.queue(MsgAnswer::Yes);
        QVERIFY(rig.link.sheetBeforeDoubleClick(QStringLiteral("Capture"), 7, 1));
        QCOMPARE(rig.prompter.at(rig.prompter.count() - 1).text, QStringLiteral("Start New Statistics Block?"));
        rig.link.captureLine(QStringLiteral("CAP:#03 2880.00 f/s 0.000695 sec  72.5 fah"));
        // The new block: empty row 9, header rows 10 and 11, its first shot on 12.
        QCOMPARE(rig.formula(5, QStringLiteral("W10")), QStringLiteral("Pause(2)"));
        QCOMPARE(rig.formula(5, QStringLiteral("L12")), QStringLiteral("=MIN(E12:E12)"));
        QCOMPARE(rig.formula(5, QStringLiteral("P12")), QStringLiteral("0"));
        // Saved when the block began: both earlier shots are on disk.
        QString error;
        auto saved = wb::readXlsx(rig.link.bookPath(), &error);
        QVERIFY(saved);
        QCOMPARE(wb::displayText(saved->sheet(QStringLiteral("Capture"))->value(8, 5)), QStringLiteral("2865"));
        int notes = 0;
        rig.link.hooks.postNote = [&](int n) { notes += n; };
        rig.link.workbookBeforeClose(QStringLiteral("book.xlsx"));
        QCOMPARE(notes, 10);
        QVERIFY(!rig.link.linked && !rig.link.liveLink);
        saved = wb::readXlsx(rig.settings.path() + QStringLiteral("/book.xlsx"), &error);
        QCOMPARE(wb::displayText(saved->sheet(QStringLiteral("Capture"))->value(12, 5)), QStringLiteral("2880"));
    }
};

QTEST_GUILESS_MAIN(TstExport)
#include "tst_export.moc"
