// The String Library window in the real main window, driven by control names: a folder of
// CFiles read in steps, values, numeric sort, filter, CSV of the shown rows (and a write that
// fails), opening a string at its first shot, cancelling a scan.
#include "app/app_context.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/ladder_chart.h"
#include "app/ui/splash_sequence.h"
#include "app/ui/string_library_window.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/logpad.h"
#include "cfile/ui/cfile_workspace.h"
#include "library/string_table.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace zx;

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray shot(int n, double v)
{
    return QStringLiteral("#%1  %2 f/s 0.000000 sec  70.0 fah\r\n")
        .arg(n, 2, 10, QLatin1Char('0'))
        .arg(v, 0, 'f', 1)
        .toLatin1();
}

struct Rig {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser chooser;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    FrmStringLibrary *win = nullptr;

    Rig()
    {
        tmp.selectChronographByHand();
        ctx.prompter = &prompter;
        mdi = test::startPatiently([&] { return runSplashSequence(ctx); });
        win = stringLibraryWindow(*mdi);
        if (win)
            win->setFileChooser(&chooser);
    }
    ~Rig()
    {
        if (mdi)
            mdi->closeByProgram();
    }
    QTableView *table() { return win->findChild<QTableView *>(QStringLiteral("tblStrings")); }
    QAbstractItemModel *model() { return table()->model(); }
    QString cell(int row, int column) { return model()->index(row, column).data().toString(); }
    void click(const char *name) { win->findChild<QPushButton *>(QString::fromLatin1(name))->click(); }
    // The shown row of a file's string; -1 when none.
    int rowOf(const QString &file, int string)
    {
        for (int r = 0; r < model()->rowCount(); ++r)
            if (cell(r, StringTable::File) == file && cell(r, StringTable::String) == QString::number(string))
                return r;
        return -1;
    }
};

} // namespace

class TstStringLibraryWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void folderSortFilterCsvOpen()
    {
        Rig rig;
        QVERIFY(rig.win);
        rig.mdi->findChild<QAction *>(QStringLiteral("mnuViewStringLibrary"))->trigger();
        QTRY_VERIFY(rig.win->isVisible());
        const int before = rig.model()->rowCount();

        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.txt"), "TAG: Start-{Date=01/05/2026}\r\n" + shot(1, 2801) + shot(2, 2811)
                                                 + "TAG: Stop-\r\nLOAD: Charge=42.5 gr | Powder=Varget\r\n"
                                                 + shot(1, 2750) + shot(2, 2760)));
        QVERIFY(write(dir.filePath("b.txt"), shot(1, 950) + shot(2, 960)));
        rig.chooser.queueFolder(dir.path());
        rig.click("cmdAddFolder");
        QTRY_VERIFY(!rig.win->scanning());
        QCOMPARE(rig.model()->rowCount(), before + 3);
        const QString done = rig.win->findChild<QLabel *>(QStringLiteral("lblScan"))->text();
        QVERIFY2(done.contains(QStringLiteral("2 files read")), qPrintable(done));

        const int first = rig.rowOf("a.txt", 1), loaded = rig.rowOf("a.txt", 2);
        QVERIFY(first >= 0 && loaded >= 0);
        QCOMPARE(rig.cell(first, StringTable::Tag), QStringLiteral("Start-{Date=01/05/2026}"));
        QCOMPARE(rig.cell(first, StringTable::Shots), QStringLiteral("2"));
        QCOMPARE(rig.cell(first, StringTable::Average), QStringLiteral("2806.00"));
        QCOMPARE(rig.cell(first, StringTable::Spread), QStringLiteral("10.00"));
        QCOMPARE(rig.cell(first, StringTable::Sd), QStringLiteral("7.07"));
        QCOMPARE(rig.cell(first, StringTable::Interval), QStringLiteral("63.53")); // t(1) 12.706 * 7.071 / sqrt 2
        QCOMPARE(rig.cell(first, StringTable::Unit), QStringLiteral("f/s"));
        QCOMPARE(rig.cell(first, StringTable::Charge), QString());
        QCOMPARE(rig.cell(loaded, StringTable::Charge), QStringLiteral("42.5 gr"));
        QCOMPARE(rig.cell(loaded, StringTable::Powder), QStringLiteral("Varget"));
        QCOMPARE(rig.cell(loaded, StringTable::Tag), QString()); // the Stop closed the string before

        // Averages sort as numbers: 955 before 2755, though "955.00" > "2755.00" as text.
        rig.table()->sortByColumn(StringTable::Average, Qt::AscendingOrder);
        QCOMPARE(rig.cell(0, StringTable::Average), QStringLiteral("955.00"));
        QCOMPARE(rig.cell(1, StringTable::Average), QStringLiteral("2755.00"));
        QCOMPARE(rig.cell(2, StringTable::Average), QStringLiteral("2806.00"));

        // The filter matches any column: the powder here.
        rig.win->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(QStringLiteral("varget"));
        QCOMPARE(rig.model()->rowCount(), 1);

        // The CSV holds the shown rows only.
        const QString csv = dir.filePath("out.csv");
        rig.chooser.queueSave(csv);
        rig.click("cmdExportCsv");
        QFile in(csv);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(in.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QStringList header = lines[0].split(u',');
        const QStringList fields = lines[1].split(u',');
        QCOMPARE(fields.size(), header.size());
        QCOMPARE(fields[header.indexOf(QStringLiteral("Average"))], QStringLiteral("2755.00"));
        QCOMPARE(fields[header.indexOf(QStringLiteral("Powder"))], QStringLiteral("Varget"));
        QCOMPARE(rig.prompter.count(), 0);

        // A target whose folder is a file: the user is told, nothing is written.
        rig.chooser.queueSave(dir.filePath("b.txt/out.csv"));
        rig.click("cmdExportCsv");
        QCOMPARE(rig.prompter.count(), 1);
        const QString told = rig.prompter.texts().join(u' ');
        QVERIFY2(told.contains(dir.filePath("b.txt/out.csv")), qPrintable(told));

        // Double-click the loaded string: its CFile active, the caret on its first shot (line 6).
        const QRect cell = rig.table()->visualRect(rig.model()->index(0, StringTable::Average));
        QVERIFY(cell.isValid());
        QTest::mouseClick(rig.table()->viewport(), Qt::LeftButton, {}, cell.center()); // as a real double-click
        QTest::mouseDClick(rig.table()->viewport(), Qt::LeftButton, {}, cell.center());
        CFileDoc *doc = cfileWorkspace(*rig.mdi)->files().active();
        QVERIFY(doc);
        QCOMPARE(QFileInfo(doc->caption()).absoluteFilePath(), QFileInfo(dir.filePath("a.txt")).absoluteFilePath());
        QCOMPARE(doc->caret().blockNumber(), 5);

        // The open CFile's strings are listed once, from its open text.
        rig.win->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->clear();
        QTRY_COMPARE(rig.model()->rowCount(), before + 3);

        // Open String on the other file's row.
        rig.table()->setCurrentIndex(rig.model()->index(rig.rowOf("b.txt", 1), 0));
        rig.click("cmdOpenString");
        doc = cfileWorkspace(*rig.mdi)->files().active();
        QCOMPARE(QFileInfo(doc->caption()).fileName(), QStringLiteral("b.txt"));
        QCOMPARE(doc->caret().blockNumber(), 0);
    }

    // The date in the user's short format, sorted as a date; the chronograph the tag names.
    void dateAndChronograph()
    {
        Rig rig;
        QVERIFY(rig.win);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.txt"), "TAG: Import-{SR0001 Report.csv} Device-{LabRadar LBR-1} Date-{2026-01-02 10:00}\r\n"
                                                 + shot(1, 2801)));
        const QDate captured(2025, 12, 31);
        QVERIFY(write(dir.filePath("b.txt"), "TAG: Start-{Date=" + LogPad::shortDate(captured).toUtf8()
                                                 + "  Time=10:00:00  t=36000.00 sec}\r\nTAG: Device-{ RV5 Vantor} Port-{COM1}\r\n"
                                                 + shot(1, 950)));
        rig.win->addFolder(dir.path());
        QTRY_VERIFY(!rig.win->scanning());
        const int a = rig.rowOf("a.txt", 1), b = rig.rowOf("b.txt", 1);
        QVERIFY(a >= 0 && b >= 0);
        QCOMPARE(rig.cell(a, StringTable::Date), QLocale().toString(QDate(2026, 1, 2), QLocale::ShortFormat));
        QCOMPARE(rig.cell(a, StringTable::Chronograph), QStringLiteral("LabRadar LBR-1"));
        QCOMPARE(rig.cell(b, StringTable::Date), QLocale().toString(captured, QLocale::ShortFormat));
        QCOMPARE(rig.cell(b, StringTable::Chronograph), QStringLiteral("RV5 Vantor"));
        // Latest day first: January 2 before New Year's Eve, where the dates' texts sort the other way.
        rig.table()->sortByColumn(StringTable::Date, Qt::DescendingOrder);
        QCOMPARE(rig.cell(0, StringTable::File), QStringLiteral("a.txt"));
        QCOMPARE(rig.cell(1, StringTable::File), QStringLiteral("b.txt"));
    }

    // Rows picked from two files, one in metric units, make one ladder in the first's units.
    void pickedStringsLadder()
    {
        Rig rig;
        QVERIFY(rig.win);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.txt"), "LOAD: Charge=41.0 gr\r\n" + shot(1, 2800) + shot(2, 2810) + "TAG: Stop-\r\n"
                                                 + "LOAD: Charge=42.0 gr\r\n" + shot(1, 2850) + shot(2, 2860)));
        QVERIFY(write(dir.filePath("b.txt"), "LOAD: Charge=2.75 g\r\n#01   870.0 m/s 0.000350 sec  21.0 cel\r\n"
                                             "#02   872.0 m/s 0.000350 sec  21.0 cel\r\n"));
        rig.win->addFolder(dir.path());
        QTRY_VERIFY(!rig.win->scanning());
        auto *chart = rig.win->findChild<LadderChart *>(QStringLiteral("chtLibraryLadder"));
        QVERIFY(chart);
        QItemSelectionModel *pick = rig.table()->selectionModel();
        for (const auto &[file, string] : {std::pair{"b.txt", 1}, {"a.txt", 2}, {"a.txt", 1}})
            pick->select(rig.model()->index(rig.rowOf(file, string), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const Ladder &l = chart->shown();
        QCOMPARE(l.points.size(), std::size_t(3));
        QCOMPARE(l.xUnit, QStringLiteral("gr"));
        QCOMPARE(l.points[0].x, 41.0);
        QCOMPARE(l.points[1].stats.average, 2855.0);
        QVERIFY(qAbs(l.points[2].x - 2.75 * 15.4323584) < 1e-6);
        QVERIFY(qAbs(l.points[2].stats.average - 871 * 3.2808399) < 1e-3);
        QVERIFY(qAbs(l.points[2].stats.sd - std::sqrt(2.0) * 3.2808399) < 1e-3);
        QCOMPARE(l.flattest, 1); // 42 gr to 2.75 g: 2.6 f/s over 0.44 gr
        // One row less: two points, one step.
        pick->select(rig.model()->index(rig.rowOf("b.txt", 1), 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        QCOMPARE(chart->shown().points.size(), std::size_t(2));
        // No picked string gives a temperature.
        auto *field = rig.win->findChild<QComboBox *>(QStringLiteral("cboLibraryLadderField"));
        field->setCurrentIndex(field->findText(QStringLiteral("Temperature")));
        QCOMPARE(chart->shown().points.size(), std::size_t(0));
        QCOMPARE(chart->shown().skipped, 2);
    }

    // The workbook: numbers as numbers under the header; another program's file is left as it
    // is (the rows go into a copy beside it); a target that cannot be written is named.
    void exportWorkbook()
    {
        Rig rig;
        QVERIFY(rig.win);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.txt"), shot(1, 2801) + shot(2, 2811)));
        rig.win->addFolder(dir.path());
        QTRY_VERIFY(!rig.win->scanning());
        rig.win->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(QStringLiteral("a.txt"));
        const QString out = dir.filePath("lib.xlsx");
        rig.chooser.queueSave(out);
        rig.click("cmdExportWorkbook");
        QCOMPARE(rig.prompter.count(), 0);
        QString error;
        auto book = wb::readXlsx(out, &error);
        QVERIFY2(book, qPrintable(error));
        const wb::Worksheet &sheet = book->sheet(0);
        QCOMPARE(std::get<QString>(sheet.value(1, StringTable::Average + 1)), QStringLiteral("Average"));
        QCOMPARE(std::get<double>(sheet.value(2, StringTable::Average + 1)), 2806.0);
        QCOMPARE(std::get<double>(sheet.value(2, StringTable::Shots + 1)), 2.0);
        QCOMPARE(std::get<QString>(sheet.value(2, StringTable::Unit + 1)), QStringLiteral("f/s"));
        QVERIFY(wb::isEmpty(sheet.value(3, 1)));

        // Our own workbook is written over; one another program saved is not.
        rig.chooser.queueSave(out);
        rig.click("cmdExportWorkbook");
        QCOMPARE(rig.prompter.count(), 0);
        QVERIFY(write(out, "PK not ours"));
        rig.chooser.queueSave(out);
        rig.click("cmdExportWorkbook");
        QFile kept(out);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("PK not ours"));
        QVERIFY(wb::readXlsx(dir.filePath("lib Zentrix.xlsx"), &error));
        QCOMPARE(rig.prompter.count(), 1);
        QVERIFY2(rig.prompter.texts().join(u' ').contains(QStringLiteral("lib.xlsx was made by another program")),
                 qPrintable(rig.prompter.texts().join(u' ')));

        // A folder that is a file: told, with the path.
        rig.chooser.queueSave(dir.filePath("a.txt/lib.xlsx"));
        rig.click("cmdExportWorkbook");
        QCOMPARE(rig.prompter.count(), 2);
        QVERIFY(rig.prompter.texts().join(u' ').contains(dir.filePath("a.txt/lib.xlsx")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // a.txt, lib.xlsx, its copy: no stray file
    }

    // A scan on the worker: progress arrives while the test's event loop turns; cancelled at
    // the fifth file, the five files' rows stay and no more come.
    void scanCancels()
    {
        Rig rig;
        QVERIFY(rig.win);
        QTemporaryDir dir;
        QByteArray many;
        for (int n = 1; n <= 60; ++n)
            many += shot(n, 2800 + n % 7);
        for (int i = 0; i < 300; ++i)
            QVERIFY(write(dir.filePath(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0'))), many));
        const int before = rig.model()->rowCount();
        QSignalSpy progress(rig.win, &FrmStringLibrary::scanProgress);
        connect(rig.win, &FrmStringLibrary::scanProgress, rig.win, [&rig](int done) {
            if (done == 5)
                rig.click("cmdCancelScan");
        });
        rig.win->addFolder(dir.path());
        QVERIFY(rig.win->scanning());
        QTRY_VERIFY(!rig.win->scanning());
        QCOMPARE(progress.size(), 5);
        QCOMPARE(progress.last().value(1).toInt(), 300);
        QCOMPARE(rig.model()->rowCount(), before + 5);
        QCOMPARE(rig.cell(rig.model()->rowCount() - 1, StringTable::File), QStringLiteral("f004.txt")); // in order
        const QString line = rig.win->findChild<QLabel *>(QStringLiteral("lblScan"))->text();
        QCOMPARE(line, QStringLiteral("Cancelled after 5 of 300 files"));
        QTest::qWait(100);
        QCOMPARE(rig.model()->rowCount(), before + 5);
    }

    // Rescan: a changed file shows its new shots, a deleted one is gone, one that does not read
    // is named and the files after it are still read.
    void rescanChangedDeletedUnreadable()
    {
        Rig rig;
        QVERIFY(rig.win);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.txt"), shot(1, 2800)));
        QVERIFY(write(dir.filePath("b.txt"), shot(1, 2900)));
        QVERIFY(write(dir.filePath("c.txt"), shot(1, 3000)));
        rig.win->addFolder(dir.path());
        QTRY_VERIFY(!rig.win->scanning());
        QVERIFY(rig.rowOf("c.txt", 1) >= 0);

        QVERIFY(write(dir.filePath("a.txt"), shot(1, 2800) + shot(2, 2810)));
        QVERIFY(QFile::remove(dir.filePath("c.txt")));
        QVERIFY(write(dir.filePath("b.rtf"), "not a CFile")); // between a.txt and b.txt
        rig.click("cmdRescan");
        QTRY_VERIFY(!rig.win->scanning());
        QCOMPARE(rig.cell(rig.rowOf("a.txt", 1), StringTable::Shots), QStringLiteral("2"));
        QVERIFY(rig.rowOf("b.txt", 1) >= 0);
        QCOMPARE(rig.rowOf("c.txt", 1), -1);
        const QString line = rig.win->findChild<QLabel *>(QStringLiteral("lblScan"))->text();
        QVERIFY2(line.contains(QStringLiteral("not read: ") + dir.filePath("b.rtf")), qPrintable(line));
    }
};

QTEST_MAIN(TstStringLibraryWindow)
#include "tst_string_library_window.moc"
