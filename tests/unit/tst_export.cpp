// The workbook export without a chronograph: shot and listing lines, shot rows and their
// formulas, the listing errors, at most 100 strings, energy, momentum and power factor,
// visibility, the reserved file name, a broken file, live capture;
// a workbook another program wrote left as it is (its copy beside it), live rows recovered
// from the capture journal after a crash, zentrix-cli export into an existing workbook.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "link/progress_sink.h"
#include "docformat/decimal_text.h"
#include "workbook/workbook.h"
#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

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

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A workbook as a spreadsheet user's other program writes it: two sheets, fonts and fills, a
// number and a date format, a merge, a comment, a hyperlink, a frozen pane, a formula.
bool makeForeignWorkbook(const QString &path)
{
    const QStringList script{
        QStringLiteral("import sys, datetime"),
        QStringLiteral("from openpyxl import Workbook"),
        QStringLiteral("from openpyxl.styles import Font, PatternFill"),
        QStringLiteral("from openpyxl.comments import Comment"),
        QStringLiteral("wb = Workbook(); ws = wb.active; ws.title = \"Loads\""),
        QStringLiteral("ws[\"A1\"] = \"Powder\"; ws[\"A1\"].font = Font(bold=True, color=\"FF0000\"); ws[\"A1\"].fill = PatternFill(\"solid\", fgColor=\"FFFF00\")"),
        QStringLiteral("ws[\"B1\"] = 42.5; ws[\"B1\"].number_format = \"0.000\""),
        QStringLiteral("ws[\"C1\"] = datetime.date(2024, 5, 1); ws[\"C1\"].number_format = \"yyyy-mm-dd\""),
        QStringLiteral("ws.merge_cells(\"A3:C3\"); ws[\"A3\"] = \"merged\""),
        QStringLiteral("ws[\"A4\"] = \"site\"; ws[\"A4\"].hyperlink = \"https://example.com\""),
        QStringLiteral("ws[\"B4\"] = 1; ws[\"B4\"].comment = Comment(\"a note\", \"me\")"),
        QStringLiteral("ws.freeze_panes = \"A2\""),
        QStringLiteral("ws2 = wb.create_sheet(\"Range\"); ws2[\"A1\"] = 100; ws2[\"A2\"] = \"=A1*2\""),
        QStringLiteral("wb.save(sys.argv[1])"),
    };
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script.join(u'\n'), path});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && QFile::exists(path);
}

const QString kShot = QStringLiteral("CAP:#01 2875.42 f/s 0.000696 sec  72.5 fah\n");

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

    // A load line is the string's, not a shot: not a row, and not an unreadable shot either.
    void loadLinePassedBy()
    {
        Rig rig;
        const QString text = QStringLiteral("LOAD: Charge=42.5 gr | Note=lot #4, CAP:#09 2800.00 f/s\n") + kShot;
        QCOMPARE(rig.run(SrcCapture, 4, ExpCFile, text), 0);
        QCOMPARE(rig.skipped, 0);
        QCOMPARE(rig.formula(4, QStringLiteral("E7")), QStringLiteral("2875.42"));
        QCOMPARE(rig.formula(4, QStringLiteral("E8")), QString());
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

    // The help link of a new workbook is a file URL on every system, and reads back as one.
    void helpLinkIsAFileUrl()
    {
        Rig rig;
        QCOMPARE(rig.link.excOpen(3), 0);
        const QString link = rig.link.book()->sheet(0).hyperlink(1, 1);
        QVERIFY2(link.startsWith(QStringLiteral("file:///")) && !link.contains(u'\\'), qPrintable(link));
        QVERIFY(link.endsWith(QStringLiteral("/zenthlpx.htm")));
        QCOMPARE(QUrl(link).toLocalFile(), QFileInfo(rig.link.programFiles().path(QStringLiteral("zenthlpx.htm"))).absoluteFilePath());
        QString error;
        const auto back = wb::readXlsx(rig.link.bookPath(), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->sheet(0).hyperlink(1, 1), link);
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

    // A memory export takes at most 100 strings; the 101st and later are left out.
    void hundredStringsAtMost_data()
    {
        QTest::addColumn<int>("strings");
        QTest::addColumn<int>("written");
        QTest::addRow("100") << 100 << 100;
        QTest::addRow("101") << 101 << 100;
        QTest::addRow("130") << 130 << 100;
    }
    void hundredStringsAtMost()
    {
        QFETCH(int, strings);
        QFETCH(int, written);
        QString text = QStringLiteral("2\r\n");
        for (int k = 0; k < strings; ++k) { // folders of 20 strings, one shot each
            const QString key = QStringLiteral("Fol=%1 Str=%2").arg(k / 20 + 1, 2, 10, QLatin1Char('0')).arg(k % 20 + 1, 2, 10, QLatin1Char('0'));
            text += QStringLiteral("MMR:") + key + QStringLiteral(" Siz=01 Vel=f/s Tim=sec Tmp=fah\r\nMMR:01 2906.30 0.000688 72.3\r\n")
                    + QStringLiteral("MMR:<End> ") + key + QStringLiteral("\r\n");
        }
        text += QStringLiteral("MMR:<End> CAP=OFF\r\nDAT>");
        Rig rig;
        QCOMPARE(rig.run(SrcMemory, 3, ExpEDisk, text), 0);
        QCOMPARE(rig.link.writer()->sequence, written);
        // Each string: two begin rows, its shot, an empty row; then the end line.
        const int end = 5 + 4 * written;
        QVERIFY(wb::displayText(rig.sheet(3).value(end, 1)).startsWith(QStringLiteral("End MMR-Import(1)")));
        QCOMPARE(rig.formula(3, QStringLiteral("W%1").arg(end - 4)),
                 ShotSheetWriter::positionText((written - 1) / 20 + 1, (written - 1) % 20 + 1));
    }

    // Energy, momentum and power factor of an export in both unit systems, on the sheet and
    // as the file stores them. Worked by hand with iSetup's D4 = 0.06479891 g/gr,
    // D5 = 1/D4, D6 = 0.3048: 2800 f/s with 150 gr is 853.44 m/s with 9.7198365 g, energy
    // 853.44^2 * 9.7198365/2000 = 3539.7692 J, momentum 8295.2973, power factor 420;
    // 900 m/s with 10 g: 4050 J, 9000, and 2952.7559 f/s * 154.32358 gr/1000 = 455.67987.
    void energyMomentumPowerFactor()
    {
        Rig rig;
        QCOMPARE(rig.link.excOpen(3), 0);
        rig.sheet(3).setValue(kGrainsWeightCell.row, kGrainsWeightCell.col, 150.0);
        rig.sheet(3).setValue(kGramsWeightCell.row, kGramsWeightCell.col, 10.0);
        const QString text = QStringLiteral(
            "2\r\nMMR:Fol=01 Str=04 Siz=01 Vel=f/s Tim=sec Tmp=fah\r\nMMR:01 2800.00 0.000688 72.3\r\nMMR:<End> Fol=01 Str=04\r\n"
            "MMR:Fol=01 Str=05 Siz=01 Vel=m/s Tim=sec Tmp=cel\r\nMMR:01 900.00 0.000688 20.0\r\nMMR:<End> Fol=01 Str=05\r\n"
            "MMR:<End> CAP=OFF\r\nDAT>");
        QCOMPARE(rig.run(SrcMemory, 3, ExpEDisk, text), 0);
        QString error;
        const auto back = wb::readXlsx(rig.link.bookPath(), &error);
        QVERIFY2(back, qPrintable(error));
        const wb::Worksheet &saved = *back->sheet(QStringLiteral("eDisk"));
        // f/s shot on row 7; empty row 8, begin rows 9 and 10, the m/s shot on row 11.
        const struct {
            int row, col;
            double want;
        } cells[] = {{7, 19, 3539.7692478796}, {7, 20, 8295.29726256}, {7, 21, 420.0},
                     {11, 19, 4050.0}, {11, 20, 9000.0}, {11, 21, 455.6798726262}};
        for (const auto &c : cells) {
            const QString at = wb::cellName(c.row, c.col);
            for (const wb::CellValue &v : {rig.sheet(3).value(c.row, c.col), saved.value(c.row, c.col)})
                QVERIFY2(wb::isNumber(v) && qAbs(std::get<double>(v) - c.want) <= 1e-6 * c.want,
                         qPrintable(at + QStringLiteral(": ") + wb::displayText(v)));
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
        // A good template under the reserved name is copied to the first free CBookN name:
        // an earlier session's CBook1.xlsx stays as it was.
        const QString good = rig.settings.path() + QStringLiteral("/CBoox.xlsx");
        QVERIFY(writeExportTemplate(good).ok);
        const QString earlier = rig.settings.path() + QStringLiteral("/CBook1.xlsx");
        QVERIFY(writeExportTemplate(earlier).ok);
        const QByteArray goodBytes = fileBytes(good), earlierBytes = fileBytes(earlier);
        rig.chooser.queueOpen({good});
        rig.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(rig.link.excOpen(1), 0);
        QVERIFY(rig.prompter.last().text.endsWith(QStringLiteral("file to CBook2.xlsx  ?")));
        QCOMPARE(rig.link.bookPath(), rig.settings.path() + QStringLiteral("/CBook2.xlsx"));
        QVERIFY(QFile::exists(rig.link.bookPath()));
        QCOMPARE(fileBytes(earlier), earlierBytes);
        QCOMPARE(fileBytes(good), goodBytes);
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
        // The user's close after the window's "No": the file stays as saved, no journal is left.
        rig.link.workbookBeforeClose(QStringLiteral("book.xlsx"));
        QCOMPARE(notes, 10);
        QVERIFY(!rig.link.linked && !rig.link.liveLink);
        saved = wb::readXlsx(rig.settings.path() + QStringLiteral("/book.xlsx"), &error);
        QVERIFY(wb::isEmpty(saved->sheet(QStringLiteral("Capture"))->value(12, 5)));
        QVERIFY(!QFile::exists(BookJournal::pathFor(rig.settings.path() + QStringLiteral("/book.xlsx"))));
    }
    // Export Setup > Open on another program's workbook, then an export into it.
    void foreignWorkbookIsLeftAsItIs()
    {
        Rig rig;
        const QString user = rig.settings.path() + QStringLiteral("/Loads.xlsx");
        if (!makeForeignWorkbook(user))
            QSKIP("/usr/bin/python3 with openpyxl is needed to write another program's workbook");
        const QByteArray before = fileBytes(user);
        rig.chooser.queueOpen({user});
        QVERIFY2(rig.link.excOpen(1) == 0, qPrintable(rig.link.lastError()));
        QCOMPARE(rig.run(SrcCapture, 4, ExpCFile, kShot), 0);
        const QString copy = rig.settings.path() + QStringLiteral("/Loads Zentrix.xlsx");
        QCOMPARE(rig.link.bookPath(), copy);
        QCOMPARE(rig.link.copiedFrom(), user);
        QCOMPARE(rig.prompter.count(), 1); // told once, not at every save
        QVERIFY(rig.prompter.at(0).text.startsWith(QStringLiteral("Loads.xlsx was made by another program")));
        QVERIFY(rig.prompter.at(0).text.contains(QStringLiteral("\tLoads Zentrix.xlsx\r\n")));
        rig.link.release();
        QCOMPARE(fileBytes(user), before);
        QString error;
        const auto back = wb::readXlsx(copy, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("Loads"))->value(1, 1)), QStringLiteral("Powder"));
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("Loads"))->value(1, 2)), QStringLiteral("42.5"));
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("Loads"))->value(3, 1)), QStringLiteral("merged"));
        QCOMPARE(back->sheet(QStringLiteral("Range"))->formula(2, 1), QStringLiteral("=A1*2"));
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("CFile"))->value(7, 5)), QStringLiteral("2875.42"));
        // The copy is the program's own: opened again it is updated in place.
        ExcelLink again{rig.prompter, rig.chooser, ProgramFiles::forDesktop()};
        rig.chooser.queueOpen({copy});
        QCOMPARE(again.excOpen(1), 0);
        QCOMPARE(again.bookPath(), copy);
        QVERIFY(again.copiedFrom().isEmpty());
        QVERIFY(!QFile::exists(rig.settings.path() + QStringLiteral("/Loads Zentrix 2.xlsx")));
    }

    // Workbooks LibreOffice and openpyxl wrote, in both date systems: opened, exported into
    // (their copy beside them), and the copy opened again in place.
    void otherProgramsWorkbooks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("errorCell");
        for (const char *system : {"1900", "1904"}) {
            QTest::addRow("openpyxl %s", system) << QStringLiteral("openpyxl-%1").arg(QLatin1String(system)) << "B6";
            QTest::addRow("LibreOffice %s", system) << QStringLiteral("libreoffice-%1").arg(QLatin1String(system)) << "B5";
        }
    }
    void otherProgramsWorkbooks()
    {
        QFETCH(QString, file);
        QFETCH(QString, errorCell);
        Rig rig;
        const QString user = rig.settings.path() + u'/' + file + QStringLiteral(".xlsx");
        QVERIFY(QFile::copy(QStringLiteral(ZX_TEST_DATA "/xlsx/") + file + QStringLiteral(".xlsx"), user));
        const QByteArray before = fileBytes(user);
        rig.chooser.queueOpen({user});
        QVERIFY2(rig.link.excOpen(1) == 0, qPrintable(rig.link.lastError()));
        QCOMPARE(rig.run(SrcCapture, 4, ExpCFile, kShot), 0);
        rig.link.release();
        QCOMPARE(fileBytes(user), before);
        const QString copy = rig.settings.path() + u'/' + file + QStringLiteral(" Zentrix.xlsx");
        QString error;
        const auto back = wb::readXlsx(copy, &error);
        QVERIFY2(back, qPrintable(error));
        const wb::Worksheet &data = *back->sheet(QStringLiteral("Data"));
        QCOMPARE(data.value(1, 2), wb::CellValue(2801.5));
        QCOMPARE(data.value(3, 2), wb::CellValue(45413.0)); // 2024-05-01, whichever system the file used
        QVERIFY(!data.format(3, 2).numberFormat.isEmpty());
        wb::CellAddr e;
        parseCellName(errorCell, &e);
        QVERIFY2(wb::isError(data.value(e.row, e.col)), qPrintable(wb::displayText(data.value(e.row, e.col))));
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("CFile"))->value(7, 5)), QStringLiteral("2875.42"));
        ExcelLink again{rig.prompter, rig.chooser, ProgramFiles::forDesktop()};
        rig.chooser.queueOpen({copy});
        QCOMPARE(again.excOpen(1), 0);
        QCOMPARE(again.bookPath(), copy);
    }

    // The copy cannot be written (disk full): no file is left beside the user's, which is kept.
    void foreignWorkbookCopyFails()
    {
        Rig rig;
        const QString folder = rig.settings.path() + QStringLiteral("/mine");
        QVERIFY(QDir().mkpath(folder));
        const QString user = folder + QStringLiteral("/Loads.xlsx");
        if (!makeForeignWorkbook(user))
            QSKIP("/usr/bin/python3 with openpyxl is needed to write another program's workbook");
        QVERIFY(prepareTemplateFiles(rig.link.programFiles()));
        const QByteArray before = fileBytes(user);
        rig.chooser.queueOpen({user});
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{4096, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const int stage = rig.link.excOpen(1);
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(stage, 90);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Loads.xlsx")});
        QCOMPARE(fileBytes(user), before);
        QCOMPARE(rig.prompter.count(), 0); // never the copy's announcement; the caller tells the cause
        QVERIFY2(rig.link.lastError().contains(QStringLiteral("could not be saved")), qPrintable(rig.link.lastError()));
    }

    // Live rows captured after the last save come back when the workbook is linked again.
    void captureSurvivesCrash_data()
    {
        QTest::addColumn<int>("firstBlock");
        QTest::addColumn<int>("secondBlock"); // shots after a new block; -1: no new block
        QTest::addRow("within the first block") << 4 << -1;
        QTest::addRow("after a new block") << 3 << 2;
    }
    void captureSurvivesCrash()
    {
        QFETCH(int, firstBlock);
        QFETCH(int, secondBlock);
        zx::test::TempSettings settings;
        const QString path = settings.path() + QStringLiteral("/live.xlsx");
        QStringList live; // every cell of the Capture sheet as the running link had it
        const auto cells = [](const wb::Worksheet &ws) {
            QStringList t;
            for (int row = 5; row <= 20; ++row)
                for (int col = 1; col <= 23; ++col)
                    t << (ws.formula(row, col).isEmpty() ? wb::displayText(ws.value(row, col)) : ws.formula(row, col));
            return t;
        };
        {
            ScriptedPrompter prompter;
            ScriptedFileChooser chooser;
            auto link = std::make_unique<ExcelLink>(prompter, chooser, ProgramFiles::forDesktop());
            link->setNewBookPath(path);
            link->hooks.chronoWarnings = [] { return false; };
            link->linkOn();
            for (int n = 1; n <= firstBlock; ++n)
                link->captureLine(QStringLiteral("CAP:#%1 28%2.50 f/s 0.000696 sec  72.5 fah").arg(n, 2, 10, QLatin1Char('0')).arg(n, 2, 10, QLatin1Char('0')));
            if (secondBlock >= 0) {
                prompter.queue(MsgAnswer::Yes);
                link->sheetBeforeDoubleClick(QStringLiteral("Capture"), 7, 1);
                for (int n = 1; n <= secondBlock; ++n)
                    link->captureLine(QStringLiteral("CAP:#%1 27%2.25 m/s 0.000700 sec  20.0 cel").arg(n, 2, 10, QLatin1Char('0')).arg(n, 2, 10, QLatin1Char('0')));
            }
            live = cells(*link->book()->sheet(QStringLiteral("Capture")));
            link.reset(); // the program ends without a save
        }
        QVERIFY(QFile::exists(BookJournal::pathFor(path)));
        ScriptedPrompter prompter;
        ScriptedFileChooser chooser;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        chooser.queueOpen({path});
        QCOMPARE(link.excOpen(1), 0);
        const int lost = secondBlock >= 0 ? secondBlock : firstBlock;
        QCOMPARE(prompter.count(), 1);
        QVERIFY2(prompter.at(0).text.startsWith(QStringLiteral("Zentrix ended before %1 captured shots could be saved in live.xlsx.").arg(lost)),
                 qPrintable(prompter.at(0).text));
        QVERIFY(!QFile::exists(BookJournal::pathFor(path)));
        QString error;
        const auto back = wb::readXlsx(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(cells(*back->sheet(QStringLiteral("Capture"))), live);
    }

    // The journal's cost per captured shot.
    void journalAppendCost()
    {
        zx::test::TempSettings settings;
        BookJournal j;
        const QString book = settings.path() + QStringLiteral("/cost.xlsx");
        constexpr int kLines = 2000;
        QElapsedTimer clock;
        clock.start();
        for (int n = 0; n < kLines; ++n)
            QVERIFY(j.append(book, {}, {false, QStringLiteral("CAP:#01 2875.42 f/s 0.000696 sec  72.5 fah")}));
        qInfo("journal append: %.1f microseconds a shot", double(clock.nsecsElapsed()) / kLines / 1000.0);
        const auto back = BookJournal::read(BookJournal::pathFor(book));
        QVERIFY(back);
        QCOMPARE(back->entries.size(), kLines);
        j.clear(book);
        QVERIFY(!QFile::exists(BookJournal::pathFor(book)));
    }

    // zentrix-cli export --out an existing workbook: another program's is left as it is.
    void cliExportIntoExistingWorkbook()
    {
        if (qEnvironmentVariable("ZX_BINARY_DIR").isEmpty())
            QSKIP("ZX_BINARY_DIR is not set");
        zx::test::TempSettings settings;
        const QString user = settings.path() + QStringLiteral("/Loads.xlsx");
        if (!makeForeignWorkbook(user))
            QSKIP("/usr/bin/python3 with openpyxl is needed to write another program's workbook");
        const QString cfile = settings.path() + QStringLiteral("/shots.txt");
        QFile f(cfile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kShot.toUtf8());
        f.close();
        const QByteArray before = fileBytes(user);
        const auto cli = [&](const QString &out) {
            QProcess p;
            p.start(qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli"),
                    {QStringLiteral("export"), QStringLiteral("--cfile"), cfile, QStringLiteral("--out"), out});
            p.waitForFinished(60000);
            return std::pair{p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput())};
        };
        auto [code, out] = cli(user);
        QCOMPARE(code, 0);
        const QString copy = settings.path() + QStringLiteral("/Loads Zentrix.xlsx");
        QVERIFY2(out.contains(QStringLiteral("Shots written to ") + copy), qPrintable(out));
        QCOMPARE(fileBytes(user), before);
        QString error;
        auto back = wb::readXlsx(copy, &error);
        QVERIFY2(back && back->sheet(QStringLiteral("Loads")) && back->sheet(QStringLiteral("CFile")), qPrintable(error));
        // The program's own workbook takes the next export in place, its earlier rows kept.
        std::tie(code, out) = cli(copy);
        QCOMPARE(code, 0);
        QVERIFY(!QFile::exists(settings.path() + QStringLiteral("/Loads Zentrix 2.xlsx")));
        back = wb::readXlsx(copy, &error);
        QVERIFY(back);
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("CFile"))->value(7, 5)), QStringLiteral("2875.42"));
        QVERIFY(back->sheet(QStringLiteral("CFile"))->usedExtent().row > 9);
        QCOMPARE(wb::displayText(back->sheet(QStringLiteral("Loads"))->value(1, 1)), QStringLiteral("Powder"));
    }
};

QTEST_GUILESS_MAIN(TstExport)
#include "tst_export.moc"
