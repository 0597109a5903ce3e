// .xlsx files: what is written reads back the same; a failed write keeps the old file; broken
// or foreign files give a message; other programs' files read; the export template has the rows
// and constants the export uses; LibreOffice, forced to recalculate, agrees with every stored
// formula result of an export.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "link/progress_sink.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "workbook/zip_package.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"

using namespace zx::wb;

namespace {

std::unique_ptr<Workbook> sampleBook()
{
    auto book = std::make_unique<Workbook>();
    Worksheet &ws = book->addSheet(QStringLiteral("Capture"));
    Worksheet &other = book->addSheet(QStringLiteral("My Sheet"));
    other.setNumber(2, 2, 0.3048);
    ws.setNumber(5, 5, 2801.25);
    ws.setNumber(6, 5, 2799.5);
    ws.setText(7, 5, QStringLiteral("-?-"));
    ws.setText(1, 1, QStringLiteral("Help"));
    ws.setHyperlink(1, 1, QStringLiteral("file:///opt/zentrix/zenthlpx.htm"));
    ws.setText(1, 2, QStringLiteral("site"));
    ws.setHyperlink(1, 2, QStringLiteral("https://example.com/rv5?x=1"));
    ws.setText(2, 3, QStringLiteral("caf\u00E9 <&> \"quoted\""));
    ws.setValue(3, 3, true);
    ws.setFormula(6, 12, QStringLiteral("=MIN(E5:E7)"));
    ws.setFormula(6, 16, QStringLiteral("=STDEV(E5:E6)"));
    ws.setFormula(6, 19, QStringLiteral("=$E6*'My Sheet'!$B$2"));
    ws.setFormula(8, 2, QStringLiteral("=1/0"));
    ws.setFormula(8, 3, QStringLiteral("=E7"));
    ws.setFormula(8, 4, QStringLiteral("=C2"));                         // a text result
    ws.setFormula(8, 5, QStringLiteral("=\"St\u00FCck \u4E2D\""));  // a text and result beyond ASCII
    ws.setValue(9, 2, CellError::NA);
    CellFormat f;
    f.fontSize = 10;
    f.bold = true;
    f.colorIndex = 5;
    f.numberFormat = QStringLiteral("0.00");
    f.align = HAlign::Center;
    ws.setFormat(5, 5, f);
    ws.setColumnWidth(5, 9);
    ws.setColumnWidth(11, 4.5);
    ws.setColumnHidden(8, true);
    ws.setRowHidden(4, true);
    ws.setRowHeight(3, 13.5);
    ws.setActiveCell({6, 1});
    book->setActiveSheet(0);
    return book;
}

// Numbers keep 15 significant digits and more, as a spreadsheet stores them.
bool sameCell(const CellValue &a, const CellValue &b)
{
    if (isNumber(a) && isNumber(b))
        return qAbs(std::get<double>(a) - std::get<double>(b)) <= 1e-14 * qAbs(std::get<double>(a));
    return a == b;
}

// A copy of `source` with one part left out or replaced.
void rezip(const QString &source, const QString &dest, const QString &partName, const QByteArray *replacement)
{
    ZipReader in(source);
    ZipWriter out(dest);
    QVERIFY(in.isOpen() && out.isOpen());
    for (const QString &name : in.names()) {
        QByteArray data;
        QCOMPARE(in.read(name, &data, 1 << 28), ZipReader::Status::Ok);
        if (name == partName) {
            if (!replacement)
                continue;
            data = *replacement;
        }
        QVERIFY(out.add(name, data));
    }
    QVERIFY(out.close());
}

// An export as the program makes it: CFile blocks in f/s and m/s, single-shot blocks, shots
// with an unknown velocity, time or temperature ("-?-"), a weight in grains and in grams.
QString exportedBook(const QString &folder)
{
    zx::test::ScriptedPrompter prompter;
    zx::test::ScriptedFileChooser chooser;
    zx::test::RecordingLogPad pad;
    zx::NullProgressSink progress;
    zx::xls::ExcelLink link{prompter, chooser, zx::ProgramFiles(folder + QStringLiteral("/program"), {})};
    const QString path = folder + QStringLiteral("/exported.xlsx");
    link.setNewBookPath(path);
    if (link.excOpen(3) != 0)
        return {};
    Worksheet &ws = *link.book()->sheet(QStringLiteral("CFile"));
    ws.setNumber(zx::xls::kGrainsWeightCell.row, zx::xls::kGrainsWeightCell.col, 147.5);
    ws.setNumber(zx::xls::kGramsWeightCell.row, zx::xls::kGramsWeightCell.col, 9.72);
    const QString text = QStringLiteral(
        "CAP:#01 2875.42 f/s 0.000696 sec  72.5 fah\n"
        "CAP:#02 2870.00 f/s 0.000697 sec  998.0 fah\n"
        "CAP:#03 0.00 f/s 0.000697 sec  70.0 fah\n"
        "CAP:#04 2881.30 f/s 0.000000 sec  -5.0 fah\n"
        "CAP:#01 2901.10 f/s 0.000690 sec  71.0 fah\n"     // a single-shot block
        "CAP:#01  876.40 m/s 0.000697 sec  -5.0 cel\n"
        "CAP:#02  880.15 m/s 0.000695 sec  21.0 cel\n"
        "CAP:#03 0.00 m/s 0.000700 sec  21.0 cel\n"
        "CAP:#04  872.90 m/s 0.000701 sec  21.5 cel\n"
        "CAP:#01  877.00 m/s 0.000699 sec  21.5 cel\n");   // a single-shot block in m/s
    zx::xls::ExportSources src;
    src.cfileText = [&text] { return text; };
    zx::xls::ExportDriver driver(link, src, pad, progress, zx::xls::ExportOptions{});
    if (driver.exportCFile() != 0)
        return {};
    link.release();
    return path;
}

CellAddr firstFormulaCell(const Worksheet &ws, int col)
{
    for (int row = 1; row <= ws.usedExtent().row; ++row)
        if (!ws.formula(row, col).isEmpty() && isNumber(ws.value(row, col)))
            return {row, col};
    return {};
}

// A copy of the package with the stored result of one formula cell replaced.
void tamperResult(const QString &from, const QString &to, int sheetIndex, CellAddr cell, double value)
{
    const QString partName = QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetIndex + 1);
    QByteArray part;
    QCOMPARE(ZipReader(from).read(partName, &part, 1 << 28), ZipReader::Status::Ok);
    QString xml = QString::fromUtf8(part);
    const QRegularExpression re(QStringLiteral("(<c r=\"%1\"[^>]*><f>[^<]*</f><v>)[^<]*(</v>)").arg(cellName(cell.row, cell.col)));
    const QRegularExpressionMatch m = re.match(xml);
    QVERIFY(m.hasMatch());
    xml = xml.left(m.capturedEnd(1)) + QString::number(value) + xml.mid(m.capturedStart(2));
    const QByteArray bytes = xml.toUtf8();
    rezip(from, to, partName, &bytes);
}

bool sameResult(const CellValue &a, const CellValue &b)
{
    if (isNumber(a) && isNumber(b))
        return qAbs(std::get<double>(a) - std::get<double>(b)) <= 1e-9 * qMax(1.0, qAbs(std::get<double>(a)));
    return a == b;
}

// Every formula cell of `ours` whose stored result differs from `theirs`: "Sheet!A1: ours / theirs".
QStringList differences(const Workbook &ours, const Workbook &theirs, int *compared)
{
    QStringList out;
    *compared = 0;
    for (int i = 0; i < ours.sheetCount(); ++i) {
        const Worksheet &a = ours.sheet(i);
        const Worksheet *b = const_cast<Workbook &>(theirs).sheet(a.name());
        for (int row = 1; row <= a.usedExtent().row; ++row)
            for (int col = 1; col <= a.usedExtent().col; ++col) {
                if (a.formula(row, col).isEmpty())
                    continue;
                ++*compared;
                const CellValue other = b ? b->value(row, col) : CellValue{};
                if (!sameResult(a.value(row, col), other))
                    out << a.name() + u'!' + cellName(row, col) + QStringLiteral(": ") + displayText(a.value(row, col))
                               + QStringLiteral(" / ") + displayText(other);
            }
    }
    return out;
}

} // namespace

class TestXlsxFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shots.xlsx"));
        auto book = sampleBook();
        const XlsxResult w = writeXlsx(*book, path);
        QVERIFY2(w.ok, qPrintable(w.error));
        QString error;
        auto back = readXlsx(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->sheetCount(), 2);
        QCOMPARE(back->sheet(1).name(), QStringLiteral("My Sheet"));
        const Worksheet &a = book->sheet(0);
        const Worksheet &b = back->sheet(0);
        for (int r = 1; r <= a.usedExtent().row; ++r)
            for (int c = 1; c <= a.usedExtent().col; ++c) {
                const QString where = cellName(r, c);
                QVERIFY2(sameCell(a.value(r, c), b.value(r, c)), qPrintable(where + ": " + displayText(a.value(r, c)) + " / " + displayText(b.value(r, c))));
                QCOMPARE(b.formula(r, c), a.formula(r, c));
            }
        QCOMPARE(b.value(8, 2), CellValue(CellError::Div0));
        QCOMPARE(b.hyperlink(1, 1), QStringLiteral("file:///opt/zentrix/zenthlpx.htm"));
        QCOMPARE(b.hyperlink(1, 2), QStringLiteral("https://example.com/rv5?x=1"));
        QCOMPARE(int(b.hyperlinks().size()), 2);
        // Files keep widths in whole pixels: within a seventh of a character.
        QVERIFY(qAbs(b.columnWidth(5) - 9.0) < 0.15 && qAbs(b.columnWidth(11) - 4.5) < 0.15);
        QVERIFY(b.isColumnHidden(8) && !b.isColumnHidden(7));
        QVERIFY(b.isRowHidden(4) && !b.isRowHidden(5));
        QCOMPARE(b.rowHeight(3), 13.5);
        QCOMPARE(b.activeCell(), (CellAddr{6, 1}));
        // What was read recomputes like the original.
        back->sheet(1).setNumber(2, 2, 1);
        QCOMPARE(back->sheet(0).value(6, 19), CellValue(2799.5));
    }

    // Error results and error values are error cells in the file, as every spreadsheet writes them.
    void errorsAreErrorCells()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("errors.xlsx"));
        QVERIFY(writeXlsx(*sampleBook(), path).ok);
        QByteArray part;
        QCOMPARE(ZipReader(path).read(QStringLiteral("xl/worksheets/sheet1.xml"), &part, 1 << 28), ZipReader::Status::Ok);
        const QString xml = QString::fromUtf8(part);
        static const QRegularExpression b8(QStringLiteral(R"(<c r="B8"[^>]* t="e"><f>1/0</f><v>#DIV/0!</v></c>)"));
        static const QRegularExpression b9(QStringLiteral(R"(<c r="B9"[^>]* t="e"><v>#N/A</v></c>)"));
        QVERIFY2(b8.match(xml).hasMatch(), qPrintable(xml.mid(xml.indexOf(QLatin1String("r=\"B8\"")) - 4, 80)));
        QVERIFY2(b9.match(xml).hasMatch(), qPrintable(xml.mid(xml.indexOf(QLatin1String("r=\"B9\"")) - 4, 80)));
        QVERIFY(xml.contains(QLatin1String("-?-"))); // text that is no error stays text
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("errors.xlsx")});
    }

    void failedWriteKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("CBoox.xls"));
        QVERIFY(writeXlsx(*sampleBook(), path).ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();

        Workbook bad;
        bad.addSheet(QStringLiteral("bad[name]"));
        const XlsxResult w = writeXlsx(bad, path);
        QVERIFY(!w.ok);
        QVERIFY2(w.error.contains(QStringLiteral("CBoox.xls")), qPrintable(w.error));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left

        QVERIFY(!writeXlsx(*sampleBook(), dir.filePath(QStringLiteral("missing/x.xlsx"))).ok);
    }

    void brokenFilesGiveMessages_data()
    {
        QTest::addColumn<int>("cut");        // bytes kept of the good file when no part is named, -1 all
        QTest::addColumn<QString>("part");   // the part left out or replaced
        QTest::addColumn<QByteArray>("replacement");
        const QString sheet1 = QStringLiteral("xl/worksheets/sheet1.xml");
        QTest::newRow("not a zip") << 0 << QString() << QByteArray("{\\rtf1 not a workbook}");
        QTest::newRow("empty") << 0 << QString() << QByteArray();
        QTest::newRow("truncated") << 2 << QString() << QByteArray();
        QTest::newRow("missing sheet part") << 0 << "xl/worksheets/sheet2.xml" << QByteArray();
        QTest::newRow("missing workbook part") << 0 << "xl/workbook.xml" << QByteArray();
        QTest::newRow("bad sheet xml") << 0 << sheet1
                                       << QByteArray("<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row>");
        QTest::newRow("bad shared string index")
            << 0 << sheet1
            << QByteArray("<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>999</v></c></row></sheetData></worksheet>");
        QTest::newRow("no such file") << -1 << QString() << QByteArray();
        QTest::newRow("sheet data damaged") << -2 << sheet1 << QByteArray();
    }
    void brokenFilesGiveMessages()
    {
        QFETCH(int, cut);
        QFETCH(QString, part);
        QFETCH(QByteArray, replacement);
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.xlsx"));
        const QString path = dir.filePath(QStringLiteral("broken.xlsx"));
        QVERIFY(writeXlsx(*sampleBook(), good).ok);
        if (cut == -2) { // a byte of the part's packed data changed: its checksum no longer matches
            QFile in(good), out(path);
            QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
            QByteArray bytes = in.readAll();
            const qsizetype at = bytes.indexOf(part.toUtf8()) + part.size() + 16;
            QVERIFY(at > part.size() + 16 && at < bytes.size());
            bytes[at] = char(bytes[at] ^ 0x5a);
            out.write(bytes);
        } else if (!part.isEmpty()) {
            rezip(good, path, part, replacement.isEmpty() ? nullptr : &replacement);
        } else if (cut >= 0) {
            QFile in(good), out(path);
            QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
            const QByteArray bytes = in.readAll();
            out.write(cut ? bytes.left(bytes.size() / cut) : replacement);
        }
        QString error;
        QVERIFY(!readXlsx(path, &error));
        QVERIFY2(error.contains(QStringLiteral("broken.xlsx")) && error.size() > 40, qPrintable(error));
    }

    // What other programs write: inline and shared strings, booleans, error cells, formulas
    // with and without stored results, dates in the 1900 and the 1904 date system (read as
    // 1900-system day numbers in their date format), plain numbers left alone.
    void otherProgramsFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("formulaCell"); // holds =B1*2
        QTest::addColumn<QString>("errorCell");
        QTest::addColumn<int>("error");
        for (const char *system : {"1900", "1904"}) {
            QTest::addRow("openpyxl %s", system) << QStringLiteral("openpyxl-%1.xlsx").arg(QLatin1String(system)) << "B5" << "B6" << int(CellError::NA);
            QTest::addRow("LibreOffice %s", system) << QStringLiteral("libreoffice-%1.xlsx").arg(QLatin1String(system)) << "B4" << "B5" << int(CellError::Div0);
        }
    }
    void otherProgramsFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, formulaCell);
        QFETCH(QString, errorCell);
        QFETCH(int, error);
        QString why;
        const auto book = readXlsx(QStringLiteral(ZX_TEST_DATA "/xlsx/") + file, &why);
        QVERIFY2(book, qPrintable(why));
        const Worksheet &ws = *book->sheet(QStringLiteral("Data"));
        const auto at = [&ws](const QString &name) {
            CellAddr a;
            parseCellName(name, &a);
            return a;
        };
        QCOMPARE(ws.value(1, 1), CellValue(QStringLiteral("velocity")));
        QCOMPARE(ws.value(1, 2), CellValue(2801.5));
        QCOMPARE(ws.value(3, 2), CellValue(45413.0)); // 2024-05-01
        QVERIFY2(ws.format(3, 2).numberFormat.contains(QLatin1String("yy")), qPrintable(ws.format(3, 2).numberFormat));
        QCOMPARE(ws.value(7, 2), CellValue(42.0));
        QVERIFY(ws.format(7, 2).numberFormat.isEmpty());
        const CellAddr f = at(formulaCell), e = at(errorCell);
        QCOMPARE(ws.formula(f.row, f.col), QStringLiteral("=B1*2"));
        QCOMPARE(ws.value(e.row, e.col), CellValue(CellError(error)));
        if (file.startsWith(u"openpyxl")) {
            QCOMPARE(ws.value(2, 2), CellValue(true));
            QCOMPARE(ws.value(4, 2), CellValue(45413.75)); // 18:00
        } else {
            QCOMPARE(ws.value(4, 2), CellValue(5603.0));
            QCOMPARE(ws.formula(6, 2), QStringLiteral("=B1>2800"));
            QCOMPARE(ws.value(6, 2), CellValue(true));
        }
    }

    // Parts as Excel writes them: shared formulas, ISO date cells, shared strings with runs.
    void excelStyleCells()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("excel.xlsx"));
        const QByteArray sheet =
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
            "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*10</f><v>20</v></c></row>"
            "<row r=\"2\"><c r=\"A2\"><v>3</v></c><c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>30</v></c></row>"
            "<row r=\"3\"><c r=\"A3\" t=\"d\"><v>2024-05-01T18:00:00</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>454137.5</v></c></row>"
            "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><r><t>two </t></r><r><t>runs</t></r></is></c>"
            "<c r=\"B4\" t=\"e\"><f>A1/0</f><v>#DIV/0!</v></c><c r=\"C4\" t=\"b\"><v>0</v></c></row>"
            "</sheetData></worksheet>";
        const QString source = QFINDTESTDATA(ZX_TEST_DATA "/xlsx/openpyxl-1904.xlsx");
        rezip(source, path, QStringLiteral("xl/worksheets/sheet1.xml"), &sheet);
        QString why;
        const auto book = readXlsx(path, &why);
        QVERIFY2(book, qPrintable(why));
        const Worksheet &ws = book->sheet(0);
        QCOMPARE(ws.formula(2, 2), QStringLiteral("=A2*10"));
        QCOMPARE(ws.formula(3, 2), QStringLiteral("=A3*10"));
        QCOMPARE(ws.value(3, 1), CellValue(45413.75)); // ISO dates name the day itself: no 1904 shift
        QCOMPARE(ws.value(4, 1), CellValue(QStringLiteral("two runs")));
        QCOMPARE(ws.value(4, 2), CellValue(CellError::Div0));
        QCOMPARE(ws.value(4, 3), CellValue(false));
    }

    void exportTemplate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(zx::xls::kMasterTemplateFile));
        QVERIFY(zx::xls::writeExportTemplate(path).ok);
        QString error;
        auto book = readXlsx(path, &error);
        QVERIFY2(book, qPrintable(error));
        QCOMPARE(book->sheetCount(), zx::xls::kSheetCount);
        for (int i = 0; i < zx::xls::kSheetCount; ++i)
            QCOMPARE(book->sheet(i).name(), QString::fromLatin1(zx::xls::kSheetNames[i]));
        for (int i = 0; i < zx::xls::kLastShotSheet; ++i) {
            const Worksheet &ws = book->sheet(i);
            QCOMPARE(ws.value(zx::xls::kNamesRow, 1), CellValue(QStringLiteral("Sequence")));
            QCOMPARE(ws.value(zx::xls::kUnitsRow, 1), CellValue(QStringLiteral("(Shot #)")));
            QCOMPARE(ws.value(zx::xls::kNamesRow, zx::xls::kMarkerColumn), CellValue(QStringLiteral("BLK")));
            QCOMPARE(ws.value(zx::xls::kUnitsRow, zx::xls::kMarkerColumn), CellValue(QStringLiteral("BLK")));
            QVERIFY(ws.rowHeight(zx::xls::kUnitsRow) > 0 && ws.rowHeight(zx::xls::kFirstShotRow) > 0);
            for (int col : {1, 2, 3, 6, 7})
                QVERIFY(ws.columnWidth(col) > 0);
        }
        const Worksheet &setup = book->sheet(zx::xls::kSetupSheet - 1);
        QCOMPARE(setup.name(), QStringLiteral("iSetup"));
        QCOMPARE(setup.value(4, 4), CellValue(0.06479891));
        QCOMPARE(setup.value(6, 4), CellValue(0.3048));
        QVERIFY(qAbs(std::get<double>(setup.value(5, 4)) * 0.06479891 - 1) < 1e-12);
        const CellValue grams = book->sheet(0).value(zx::xls::kGramsWeightCell.row, zx::xls::kGramsWeightCell.col);
        QVERIFY(qAbs(std::get<double>(grams) - 150 * 0.06479891) < 1e-9);
    }

    // LibreOffice, made to recalculate every formula when it loads the file, computes the same
    // results the program stored: an export with blocks in f/s and m/s, single-shot blocks and
    // "-?-" rows, every formula cell compared. A tampered stored result must be caught.
    void libreOfficeRecalculates()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed (scripts/install-deps.sh installs it)");
        QTemporaryDir dir;
        const QString good = exportedBook(dir.path());
        QVERIFY(!good.isEmpty());
        QString error;
        const auto ours = readXlsx(good, &error);
        QVERIFY2(ours, qPrintable(error));
        // The tampered copy: one stored energy result changed in the file.
        const QString tampered = dir.filePath(QStringLiteral("tampered.xlsx"));
        const Worksheet &cfile = *ours->sheet(QStringLiteral("CFile"));
        const CellAddr victim = firstFormulaCell(cfile, 19);
        QVERIFY(victim.row > 0);
        tamperResult(good, tampered, ours->sheetIndex(QStringLiteral("CFile")), victim, 7777.0);
        // A profile of its own whose OOXML recalculation on load is "always".
        const QString profile = dir.filePath(QStringLiteral("profile"));
        QVERIFY(QDir().mkpath(profile + QStringLiteral("/user")));
        QFile xcu(profile + QStringLiteral("/user/registrymodifications.xcu"));
        QVERIFY(xcu.open(QIODevice::WriteOnly));
        xcu.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                  "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                  "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\"><prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\">"
                  "<value>0</value></prop></item>\n</oor:items>\n");
        xcu.close();
        const QString out = dir.filePath(QStringLiteral("recalculated"));
        QProcess p;
        p.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(), QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"), QStringLiteral("xlsx"), QStringLiteral("--outdir"), out, good, tampered});
        QVERIFY(p.waitForFinished(180000));
        const auto theirs = readXlsx(out + QStringLiteral("/") + QFileInfo(good).fileName(), &error);
        QVERIFY2(theirs, qPrintable(error + QString::fromLocal8Bit(p.readAllStandardError())));
        int compared = 0;
        const QStringList differ = differences(*ours, *theirs, &compared);
        QVERIFY2(differ.isEmpty(), qPrintable(differ.mid(0, 10).join(u'\n')));
        QVERIFY2(compared >= 80, qPrintable(QString::number(compared)));
        qInfo("LibreOffice recalculated %d formula cells and agrees", compared);
        // The tampered result is recalculated away, so the comparison names it.
        const auto fromTampered = readXlsx(tampered, &error);
        const auto recalculated = readXlsx(out + QStringLiteral("/tampered.xlsx"), &error);
        QVERIFY2(fromTampered && recalculated, qPrintable(error));
        QCOMPARE(fromTampered->sheet(QStringLiteral("CFile"))->value(victim.row, victim.col), CellValue(7777.0));
        QCOMPARE(differences(*fromTampered, *recalculated, &compared),
                 QStringList{QStringLiteral("CFile!") + cellName(victim.row, victim.col) + QStringLiteral(": 7777 / ")
                             + displayText(cfile.value(victim.row, victim.col))});
    }
};

QTEST_GUILESS_MAIN(TestXlsxFile)
#include "tst_xlsx_file.moc"
