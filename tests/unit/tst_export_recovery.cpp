// The workbook link after a failure: a workbook that could not be made ready leaves nothing
// behind (New and Open work at once afterwards), the message says why, and the iSetup sheet's
// switch error reaches the user.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "link/progress_sink.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace zx;
using namespace zx::xls;

namespace {

// A workbook of this program's own whose iSetup sheet has text where a constant belongs.
QString bookWithBadConstant(const QString &folder)
{
    wb::Workbook book;
    book.addSheet(QStringLiteral("Notes")).setValue(1, 1, QStringLiteral("mine"));
    book.addSheet(QStringLiteral("iSetup")).setValue(kGrainsToGramsCell.row, kGrainsToGramsCell.col, QStringLiteral("grains"));
    const QString path = folder + QStringLiteral("/constant.xlsx");
    return wb::writeXlsx(book, path).ok ? path : QString();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
}

} // namespace

class TstExportRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failedOpenLeavesNothingBehind_data()
    {
        QTest::addColumn<QString>("setup");  // which failure
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("cause");  // a piece of the message's second line
        QTest::addRow("constant not a number") << "constant" << 70 << "D4";
        QTest::addRow("file unreadable") << "broken" << 12 << "not an .xlsx workbook";
        QTest::addRow("folder not writable") << "folder" << 90 << "could not be saved";
    }
    void failedOpenLeavesNothingBehind()
    {
        QFETCH(QString, setup);
        QFETCH(int, stage);
        QFETCH(QString, cause);
        zx::test::TempSettings settings;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        int mode = 1;
        if (setup == u"constant") {
            chooser.queueOpen({bookWithBadConstant(settings.path())});
        } else if (setup == u"broken") {
            chooser.queueOpen({writeFile(settings.path() + QStringLiteral("/broken.xlsx"), "PK\x03\x04 no more")});
        } else {
            // A folder that cannot be made: its parent is a file (this bites root too).
            mode = 3;
            writeFile(settings.path() + QStringLiteral("/plain"), "x");
            link.setNewBookPath(settings.path() + QStringLiteral("/plain/book.xlsx"));
        }
        QCOMPARE(link.connect(mode), 1000 + stage);
        QCOMPARE(prompter.count(), 1);
        const QStringList lines = prompter.lastLines();
        QCOMPARE(lines.value(0), QStringLiteral("Zentrix to Excel Connection Failed...!"));
        QVERIFY2(lines.mid(1).join(u'\n').contains(cause), qPrintable(prompter.last().text));
        QVERIFY(!link.linked && !link.exporting && !link.book());
        // New works at once, and the book it makes is the only one.
        link.setNewBookPath(settings.path() + QStringLiteral("/new.xlsx"));
        QCOMPARE(link.excOpen(3), 0);
        QCOMPARE(link.bookPath(), settings.path() + QStringLiteral("/new.xlsx"));
        QVERIFY(!link.book()->sheet(QStringLiteral("Notes")));
    }

    // A cancelled file choice is no error to explain: the box has its one line.
    void cancelledChoiceHasNoCause()
    {
        zx::test::TempSettings settings;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        chooser.queueOpen({bookWithBadConstant(settings.path())});
        QCOMPARE(link.connect(1), 1070);
        chooser.queueOpen({QString()});
        QCOMPARE(link.connect(1), 1012);
        QCOMPARE(prompter.last().text, QStringLiteral("Zentrix to Excel Connection Failed...!"));
    }

    // The user's edits of the template file take effect in a new workbook: the constants, the
    // column widths and the height of the begin rows.
    void templateEditsTakeEffect()
    {
        zx::test::TempSettings settings;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        QVERIFY(prepareTemplateFiles(link.programFiles()));
        const QString templ = link.programFiles().path(QString::fromLatin1(kTemplateFile));
        QString error;
        auto edited = wb::readXlsx(templ, &error);
        QVERIFY2(edited, qPrintable(error));
        edited->sheet(QStringLiteral("iSetup"))->setValue(kFeetToMetresCell.row, kFeetToMetresCell.col, 0.3);
        edited->sheet(QStringLiteral("CFile"))->setColumnWidth(6, 20);
        edited->sheet(QStringLiteral("CFile"))->setRowHeight(kUnitsRow, 30);
        QVERIFY(wb::writeXlsx(*edited, templ).ok);
        link.setNewBookPath(settings.path() + QStringLiteral("/book.xlsx"));
        QCOMPARE(link.excOpen(3), 0);
        QCOMPARE(link.book()->sheet(QStringLiteral("iSetup"))->value(kFeetToMetresCell.row, kFeetToMetresCell.col), wb::CellValue(0.3));
        const wb::Worksheet &cfile = *link.book()->sheet(QStringLiteral("CFile"));
        QVERIFY2(qAbs(cfile.columnWidth(6) - 20) < 0.2, qPrintable(QString::number(cfile.columnWidth(6))));
        // A block's units row is a copy of the template's row 4.
        link.writer()->beginBlock(4, {QStringLiteral("CAP"), 1, QStringLiteral("Pause(0)"), ShotRecord{}});
        QCOMPARE(cfile.rowHeight(link.writer()->nextRow(4) - 1), 30.0);
        QCOMPARE(prompter.count(), 0);
    }

    // A template file that does not read is made again from the program's own, with a message;
    // the broken file is kept beside it.
    void brokenTemplateRebuilt()
    {
        zx::test::TempSettings settings;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        QVERIFY(prepareTemplateFiles(link.programFiles()));
        const QString templ = link.programFiles().path(QString::fromLatin1(kTemplateFile));
        QVERIFY(!writeFile(templ, "PK\x03\x04 broken").isEmpty());
        link.setNewBookPath(settings.path() + QStringLiteral("/book.xlsx"));
        QCOMPARE(link.excOpen(3), 0);
        QCOMPARE(prompter.count(), 1);
        QVERIFY2(prompter.last().text.contains(QStringLiteral("CBoox.xlsx")), qPrintable(prompter.last().text));
        QString error;
        QVERIFY2(wb::readXlsx(templ, &error), qPrintable(error));
        QFile kept(QFileInfo(templ).dir().filePath(QStringLiteral("CBoox broken.xlsx")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("PK\x03\x04 broken"));
    }

    // The iSetup sheet's switch that does not read YES or NO: the LogPad says which cell.
    void setupSwitchErrorReachesUser()
    {
        zx::test::TempSettings settings;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        zx::test::RecordingLogPad pad;
        NullProgressSink progress;
        ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
        link.setNewBookPath(settings.path() + QStringLiteral("/book.xlsx"));
        QCOMPARE(link.excOpen(3), 0);
        link.book()->sheet(QStringLiteral("iSetup"))->setValue(kFirstSwitchRow + 1, 4, QStringLiteral("MAYBE"));
        ExportOptions options;
        options.fromSetupSheet = true;
        const QString text = QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n");
        ExportSources src;
        src.cfileText = [&] { return text; };
        ExportDriver driver(link, src, pad, progress, options);
        QCOMPARE(driver.exportCFile(), int(ExportBadSetup));
        QVERIFY2(pad.rendered().contains(QStringLiteral("Cell D10 of the \"iSetup\" sheet holds \"MAYBE\"")), qPrintable(pad.rendered()));
        QVERIFY(pad.rendered().contains(QStringLiteral("Failed to complete data export...!")));
        QVERIFY(!link.exporting);
    }
};

QTEST_GUILESS_MAIN(TstExportRecovery)
#include "tst_export_recovery.moc"
