// Where the main window's export puts a new workbook, and the bullet weight its blocks use:
// the real main window, driven by its control names.
#include "app/app_context.h"
#include "app/ui/document_factory.h"
#include "app/ui/excel_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "export/excel_link.h"
#include "workbook/workbook.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {

// A string in f/s (rows 7 and 8 of the CFile sheet) and one in m/s (row 12).
const QByteArray kShots = "TAG: Start-\nCAP:#01 2875.42 f/s 0.000696 sec  72.5 fah\n"
                          "CAP:#02 2870.00 f/s 0.000697 sec  72.5 fah\n"
                          "CAP:#01  900.00 m/s 0.000697 sec  -5.0 cel\n";

struct Rig {
    TempSettings tmp;
    ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    QTemporaryDir range; // the user's CFile folder

    Rig()
    {
        tmp.selectChronographByHand();
        ctx.prompter = &prompter;
        mdi = startPatiently([&] { return runSplashSequence(ctx); });
    }
    ~Rig()
    {
        if (mdi)
            mdi->closeByProgram();
    }
    // A CFile on disk, opened.
    bool open(const QString &name)
    {
        QFile f(range.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(kShots) == kShots.size() && (f.close(), true)
               && cfileWorkspace(*mdi)->files().openPath(f.fileName(), QStringLiteral("test"));
    }
    void exportCFile() { mdi->findChild<QAction *>(QStringLiteral("mnuExpExcCFi"))->trigger(); }
    xls::ExcelLink &link() { return excelDesk(*mdi)->link(); }
    double number(int row, int col) { return std::get<double>(link().book()->sheet(3).value(row, col)); }
    // A workbook window shows the linked book with its folder in the title (windows of earlier
    // rigs may still be around).
    bool titleSaysWhere()
    {
        const QFileInfo book(link().bookPath());
        const QString title = book.fileName() + QStringLiteral(" (") + QDir::toNativeSeparators(book.absolutePath()) + u')';
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmWorkbook") && w->isVisible() && w->windowTitle().startsWith(title))
                return true;
        return false;
    }
};

} // namespace

class TstWorkbookPlace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The weight typed in the String Statistics panel is the one the new blocks compute with,
    // in grains and in grams.
    void panelWeightReachesTheBlocks()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        QVERIFY(rig.open(QStringLiteral("Weight.txt")));
        rig.mdi->findChild<QDoubleSpinBox *>(QStringLiteral("txtBulletGrains"))->setValue(168);
        rig.exportCFile();
        QVERIFY2(rig.link().book(), qPrintable(rig.prompter.texts().join('|')));
        QCOMPARE(rig.number(7, 18), 168.0);
        // (2875.42 ft/s x 0.3048)^2 x 168 gr x 0.06479891 g/gr / 2000 = 4180.99 J
        QVERIFY2(qAbs(rig.number(7, 19) - 4180.99) < 0.01, qPrintable(QString::number(rig.number(7, 19))));
        // 900^2 m/s x 10.8862 g / 2000 = 4408.92 J
        QVERIFY2(qAbs(rig.number(12, 19) - 4408.92) < 0.01, qPrintable(QString::number(rig.number(12, 19))));
        // The panel shows the workbook's units beside its own for the string under the caret:
        // average 2872.71 ft/s gives 4173.1 J and 9532.0 g-m/s.
        CFileWorkspace &ws = *cfileWorkspace(*rig.mdi);
        QTextEdit *editor = ws.windowOf(ws.files().active())->rtfText();
        editor->setTextCursor(QTextCursor(editor->document()->findBlockByNumber(1)));
        auto *energy = rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatEnergy"));
        auto *momentum = rig.mdi->findChild<QLabel *>(QStringLiteral("lblStatMomentum"));
        QTRY_VERIFY2(energy->text().endsWith(QStringLiteral("ft-lbf (4173.1 J)")), qPrintable(energy->text()));
        QVERIFY2(momentum->text().endsWith(QStringLiteral("lbf-s (9532.0 g-m/s)")), qPrintable(momentum->text()));
    }

    // A new workbook goes beside its CFile, named after it, and never over what has that name
    // already (a file, a folder, a link to nothing); the status bar and the window say where.
    void newWorkbookBesideTheCFile_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addRow("nothing there") << QString();
        QTest::addRow("a file") << QStringLiteral("file");
        QTest::addRow("a folder") << QStringLiteral("folder");
        QTest::addRow("a dangling link") << QStringLiteral("link");
    }
    void newWorkbookBesideTheCFile()
    {
        QFETCH(QString, taken);
        Rig rig;
        QVERIFY(rig.mdi);
        QVERIFY(rig.open(QStringLiteral("Range Day.txt")));
        const QString first = rig.range.filePath(QStringLiteral("Range Day.xlsx"));
        QFile other(first);
        if (taken == u"file")
            QVERIFY(other.open(QIODevice::WriteOnly) && other.write("someone's own") > 0 && (other.close(), true));
        else if (taken == u"folder")
            QVERIFY(QDir().mkdir(first));
        else if (taken == u"link")
            QVERIFY(QFile::link(rig.range.filePath(QStringLiteral("gone.xlsx")), first));
        rig.exportCFile();
        const QString expected = taken.isEmpty() ? first : rig.range.filePath(QStringLiteral("Range Day 2.xlsx"));
        QCOMPARE(rig.link().bookPath(), expected);
        QVERIFY(QFileInfo(expected).isFile() && QFileInfo(expected).size() > 0);
        if (taken == u"file") {
            QVERIFY(other.open(QIODevice::ReadOnly));
            QCOMPARE(other.readAll(), QByteArray("someone's own"));
        } else if (taken == u"folder") {
            QVERIFY(QFileInfo(first).isDir());
        } else if (taken == u"link") {
            QVERIFY(QFileInfo(first).isSymLink());
        }
        QVERIFY2(rig.mdi->statusBar()->currentMessage().contains(QDir::toNativeSeparators(expected)),
                 qPrintable(rig.mdi->statusBar()->currentMessage()));
        QVERIFY(rig.titleSaysWhere());
    }

    // A CFile never saved: the documents folder, the CFile's name.
    void unsavedCFileIntoDocuments()
    {
        Rig rig;
        QVERIFY(rig.mdi);
        CFileDoc *doc = cfileWorkspace(*rig.mdi)->files().active();
        QVERIFY(doc);
        doc->document()->setPlainText(QString::fromLatin1(kShots));
        rig.exportCFile();
        QCOMPARE(rig.link().bookPath(), QDir(rig.tmp.path()).filePath(QStringLiteral("Documents/") + doc->caption() + QStringLiteral(".xlsx")));
        QVERIFY(QFileInfo::exists(rig.link().bookPath()));
    }
};

QTEST_MAIN(TstWorkbookPlace)
#include "tst_workbook_place.moc"
