// The workbook window over a workbook built from the export template: what the grid shows,
// editing, the double-click and close events, and saving.
#include "export/book_journal.h"
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "export/export_template.h"
#include "export/ui/workbook_window.h"
#include "link/progress_sink.h"
#include "support/recording_logpad.h"
#include "workbook/xlsx_file.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace zx;
using namespace zx::test;
using namespace zx::xls;

namespace {

constexpr int kCapture = kLastShotSheet - 1; // 0-based

struct Events : WorkbookEvents {
    bool handleDoubleClick = true;
    QStringList doubleClicks;
    QStringList closes;
    bool sheetBeforeDoubleClick(const QString &sheet, int row, int col) override
    {
        doubleClicks << sheet + QLatin1Char('!') + wb::cellName(row, col);
        return handleDoubleClick;
    }
    void workbookBeforeClose(const QString &name) override { closes << name; }
};

struct Rig {
    TempSettings tmp;
    std::unique_ptr<wb::Workbook> book = buildExportTemplate();
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    Events events;
    WorkbookWindow window;
    Rig()
    {
        wb::Worksheet &ws = book->sheet(kCapture);
        wb::CellFormat velocity;
        velocity.bold = true;
        velocity.fontSize = 10;
        velocity.colorIndex = 5;
        velocity.numberFormat = QStringLiteral("0.00");
        velocity.align = wb::HAlign::Center;
        for (int r = 5; r <= 7; ++r) {
            ws.setNumber(r, 5, 1000 + r);
            ws.setFormat(r, 5, velocity);
        }
        ws.setFormula(7, 12, QStringLiteral("=MIN(E5:E7)"));
        ws.setText(1, 1, QStringLiteral("Help"));
        ws.setHyperlink(1, 1, tmp.path() + QStringLiteral("\\zenthlpx.htm")); // as written on Windows
        ws.setColumnHidden(2, true);
        ws.setRowHidden(3, true);
        book->setActiveSheet(kCapture);
        window.setServices(&prompter, &chooser);
        window.showWorkbook(*book, {}, &events);
    }
    QTableView *view() { return window.sheetView(kCapture); }
    QString shown(int row, int col, int role = Qt::DisplayRole)
    {
        return view()->model()->index(row - 1, col - 1).data(role).toString();
    }
    bool editing()
    {
        const auto editors = view()->viewport()->findChildren<QLineEdit *>();
        return std::any_of(editors.begin(), editors.end(), [](QLineEdit *e) { return e->isVisible(); });
    }
    QRect cellRect(int row, int col) { return view()->visualRect(view()->model()->index(row - 1, col - 1)); }
};

} // namespace

class TestWorkbookWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsValuesInTheirFormats();
    void editingRecalculates();
    void doubleClickHandledNeverEdits();
    void closeReportsOnlyTheUsersClose();
    void saveWritesAReadableFile();
    void linkedBookSavedAndDiscarded();
    void saveAsMovesTheLink();
    void sheetsFoundByName();
};

void TestWorkbookWindow::showsValuesInTheirFormats()
{
    Rig rig;
    QCOMPARE(rig.window.objectName(), QStringLiteral("frmWorkbook"));
    QCOMPARE(rig.view()->model()->index(4, 4).data().toString(), QStringLiteral("1005.00"));
    const QModelIndex e5 = rig.view()->model()->index(4, 4);
    const QFont font = e5.data(Qt::FontRole).value<QFont>();
    QVERIFY(font.bold());
    QCOMPARE(font.pointSizeF(), 10.0);
    QCOMPARE(e5.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    QCOMPARE(Qt::Alignment(e5.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // A formula reading another sheet, in the grams format.
    QCOMPARE(rig.shown(2, 19), QStringLiteral("9.7198"));
    QCOMPARE(rig.shown(7, 12), QStringLiteral("1005"));
    QVERIFY(rig.view()->isColumnHidden(1));
    QVERIFY(rig.view()->isRowHidden(2));
    QVERIFY(!rig.view()->isRowHidden(3));
    // Cells written by the link far below the shown rows: the grid grows and follows them.
    wb::Worksheet &ws = rig.book->sheet(kCapture);
    ws.setNumber(12000, 1, 42);
    ws.setRowHidden(11999, true);
    ws.setActiveCell({12000, 1});
    rig.window.cellsChanged(kCapture);
    QVERIFY(rig.view()->model()->rowCount() >= 12000);
    QCOMPARE(rig.view()->currentIndex().row(), 11999);
    QVERIFY(rig.view()->isRowHidden(11998));
    QCOMPARE(rig.window.findChild<QLineEdit *>(QStringLiteral("txtCellAddress"))->text(), QStringLiteral("A12000"));
}

void TestWorkbookWindow::editingRecalculates()
{
    Rig rig;
    QAbstractItemModel *m = rig.view()->model();
    QVERIFY(m->setData(m->index(4, 4), QStringLiteral("990.5")));
    QCOMPARE(rig.shown(7, 12), QStringLiteral("990.5"));
    // Through the formula line.
    rig.view()->setCurrentIndex(m->index(7, 0));
    auto *line = rig.window.findChild<QLineEdit *>(QStringLiteral("txtFormula"));
    line->setText(QStringLiteral("=L7*2"));
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(rig.shown(8, 1), QStringLiteral("1981"));
    QCOMPARE(rig.shown(8, 1, Qt::EditRole), QStringLiteral("=L7*2"));
    // A formula that does not parse keeps the cell and says why.
    QVERIFY(!m->setData(m->index(7, 0), QStringLiteral("=SUM(")));
    QCOMPARE(rig.shown(8, 1, Qt::EditRole), QStringLiteral("=L7*2"));
    QCOMPARE(rig.prompter.count(), 1);
    QVERIFY(rig.prompter.last().text.contains(QStringLiteral("A8")));
    QVERIFY(rig.window.isModified());
}

void TestWorkbookWindow::doubleClickHandledNeverEdits()
{
    Rig rig;
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QUrl opened;
    rig.window.openUrl = [&opened](const QUrl &url) { return opened = url, true; };
    QTest::mouseClick(rig.view()->viewport(), Qt::LeftButton, {}, rig.cellRect(1, 1).center());
    QCOMPARE(opened, QUrl::fromLocalFile(rig.tmp.path() + QStringLiteral("/zenthlpx.htm")));
    QTest::mouseDClick(rig.view()->viewport(), Qt::LeftButton, {}, rig.cellRect(6, 5).center());
    QCOMPARE(rig.events.doubleClicks, QStringList{QStringLiteral("Capture!E6")});
    QVERIFY(!rig.editing());
    rig.events.handleDoubleClick = false;
    QTest::mouseDClick(rig.view()->viewport(), Qt::LeftButton, {}, rig.cellRect(6, 5).center());
    QCOMPARE(rig.events.doubleClicks.size(), 2);
    QVERIFY(rig.editing());
}

void TestWorkbookWindow::closeReportsOnlyTheUsersClose()
{
    Rig rig;
    QVERIFY(rig.window.close());
    QCOMPARE(rig.events.closes, QStringList{QStringLiteral("Book1")});
    QVERIFY(rig.window.close());
    QCOMPARE(rig.events.closes.size(), 1);
    QCOMPARE(rig.window.sheetView(0), nullptr);

    rig.window.showWorkbook(*rig.book, {}, &rig.events);
    rig.window.closeByProgram();
    QVERIFY(!rig.window.isVisible());
    QCOMPARE(rig.events.closes.size(), 1);
    QCOMPARE(rig.prompter.count(), 0);

    // Unsaved changes: Cancel keeps the window and reports nothing.
    rig.window.showWorkbook(*rig.book, {}, &rig.events);
    rig.window.cellsChanged(kCapture);
    rig.prompter.queue(MsgAnswer::Cancel);
    QVERIFY(!rig.window.close());
    QVERIFY(rig.window.isVisible());
    QCOMPARE(rig.events.closes.size(), 1);
}

void TestWorkbookWindow::saveWritesAReadableFile()
{
    Rig rig;
    const QString dir = rig.tmp.path();
    rig.chooser.queueSave(dir + QStringLiteral("/shots"));
    QVERIFY(rig.window.save()); // never saved: asks where
    QCOMPARE(rig.window.filePath(), dir + QStringLiteral("/shots.xlsx"));
    QVERIFY(rig.window.windowTitle().startsWith(QStringLiteral("shots.xlsx")));
    QString error;
    const auto back = wb::readXlsx(rig.window.filePath(), &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->sheet(kCapture).value(7, 12), wb::CellValue(1005.0));
    QVERIFY(back->sheet(kCapture).isColumnHidden(2));

    rig.chooser.queueSave(dir + QStringLiteral("/no such folder/shots.xlsx"));
    QVERIFY(!rig.window.saveAs());
    QVERIFY(rig.prompter.last().text.startsWith(QStringLiteral("The workbook could not be saved")));
    QCOMPARE(rig.window.filePath(), dir + QStringLiteral("/shots.xlsx"));
}

namespace {

// The window as the export link's view, over the link's own workbook.
struct LinkRig {
    TempSettings tmp;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    RecordingLogPad pad;
    NullProgressSink progress;
    WorkbookWindow window;
    ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
    QString path = tmp.path() + QStringLiteral("/book.xlsx");
    LinkRig()
    {
        window.setServices(&prompter, &chooser);
        link.setView(&window);
        link.setNewBookPath(path);
        link.hooks.chronoWarnings = [] { return false; };
    }
    int exportCFile(const QString &text)
    {
        ExportSources src;
        src.cfileText = [text] { return text; };
        ExportDriver driver(link, src, pad, progress, ExportOptions{});
        return driver.exportCFile();
    }
    // Column E of a sheet as saved on disk.
    QStringList velocitiesOnDisk(const QString &file, const QString &sheet)
    {
        QString error;
        const auto back = wb::readXlsx(file, &error);
        QStringList v;
        if (const wb::Worksheet *ws = back ? back->sheet(sheet) : nullptr)
            for (int row = 5; row <= ws->usedExtent().row; ++row)
                if (wb::isNumber(ws->value(row, 5)))
                    v << wb::displayText(ws->value(row, 5));
        return v;
    }
};

} // namespace

// A finished export is saved: the window has nothing to ask. Live rows since the last save are
// a change; "No" at the close question leaves the file as last saved, and no journal brings
// them back.
void TestWorkbookWindow::linkedBookSavedAndDiscarded()
{
    LinkRig rig;
    QCOMPARE(rig.exportCFile(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n")), 0);
    QVERIFY(!rig.window.isModified());
    QVERIFY(!rig.window.windowTitle().startsWith(QStringLiteral("book.xlsx*")));
    rig.link.linkOn();
    QVERIFY(!rig.window.isModified());
    rig.link.captureLine(QStringLiteral("CAP:#01 2900.00 f/s 0.000690 sec  72.5 fah"));
    QVERIFY(rig.window.isModified());
    QVERIFY(QFile::exists(BookJournal::pathFor(rig.path)));
    rig.prompter.queue(MsgAnswer::No);
    QVERIFY(rig.window.close());
    QVERIFY(rig.prompter.last().text.startsWith(QStringLiteral("Do you want to save the changes")));
    QVERIFY(!rig.link.linked);
    QVERIFY(!rig.velocitiesOnDisk(rig.path, QStringLiteral("Capture")).contains(QStringLiteral("2900")));
    QVERIFY(!QFile::exists(BookJournal::pathFor(rig.path)));
    // Yes saves it.
    rig.chooser.queueOpen({rig.path});
    QCOMPARE(rig.link.excOpen(1), 0);
    rig.link.linkOn();
    rig.link.captureLine(QStringLiteral("CAP:#01 2950.00 f/s 0.000690 sec  72.5 fah"));
    rig.prompter.queue(MsgAnswer::Yes);
    QVERIFY(rig.window.close());
    QVERIFY(rig.velocitiesOnDisk(rig.path, QStringLiteral("Capture")).contains(QStringLiteral("2950")));
    QVERIFY(!QFile::exists(BookJournal::pathFor(rig.path)));
}

// Save As: the link goes on with the new file; the old one stays as it was saved.
void TestWorkbookWindow::saveAsMovesTheLink()
{
    LinkRig rig;
    QCOMPARE(rig.exportCFile(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n")), 0);
    const QString moved = rig.tmp.path() + QStringLiteral("/moved.xlsx");
    rig.chooser.queueSave(moved);
    QVERIFY(rig.window.saveAs());
    QCOMPARE(rig.link.bookPath(), moved);
    QCOMPARE(rig.exportCFile(QStringLiteral("CAP:#01 2700.00 f/s 0.000696 sec  72.5 fah\r\n")), 0);
    QCOMPARE(rig.velocitiesOnDisk(moved, QStringLiteral("CFile")), (QStringList{"2800", "2700"}));
    QCOMPARE(rig.velocitiesOnDisk(rig.path, QStringLiteral("CFile")), QStringList{"2800"});
    QCOMPARE(rig.window.filePath(), moved);
    QVERIFY(!rig.window.isModified());
}

// A workbook whose own sheets come first: the export shows and lays out its own sheet's tab.
void TestWorkbookWindow::sheetsFoundByName()
{
    LinkRig rig;
    wb::Workbook mine;
    for (const char *name : {"Loads", "Range", "Notes", "Targets"})
        mine.addSheet(QString::fromLatin1(name)).setValue(1, 1, QStringLiteral("mine"));
    const QString path = rig.tmp.path() + QStringLiteral("/mine.xlsx");
    QVERIFY(wb::writeXlsx(mine, path).ok);
    rig.chooser.queueOpen({path});
    QCOMPARE(rig.link.excOpen(1), 0);
    QCOMPARE(rig.exportCFile(QStringLiteral("CAP:#01 2800.00 f/s 0.000696 sec  72.5 fah\r\n")), 0);
    const int cfile = rig.link.book()->sheetIndex(QStringLiteral("CFile"));
    QVERIFY(cfile >= 4);
    auto *tabs = rig.window.findChild<QTabWidget *>();
    QVERIFY(tabs);
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("CFile"));
    // The CFile tab is laid out from the CFile sheet.
    QTableView *view = rig.window.sheetView(cfile);
    for (int col = 1; col <= 21; ++col)
        QCOMPARE(view->isColumnHidden(col - 1), rig.link.book()->sheet(cfile).isColumnHidden(col));
    QVERIFY(view->isColumnHidden(5)); // F, the units column, hidden by default
}

QTEST_MAIN(TestWorkbookWindow)
#include "tst_workbook_window.moc"
