// The document windows of the main window: stored defaults, the page-width wrap, printing to
// PDF and the print preview, the file bar, the full-screen view.
#include "app/startup.h"
#include "app/ui/document_desk.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/keypad_desk.h"
#include "app/ui/remote_panel_desk.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_manager.h"
#include "cfile/cfile_settings.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/document_print.h"
#include "cfile/ui/frm_document.h"
#include "cfile/ui/frm_file_bar.h"
#include "cfile/ui/frm_full_screen.h"
#include "remote/keypad.h"
#include "remote/ui/frm_key_pad.h"
#include "remote/ui/frm_rem_ctr.h"
#include "support/scripted_file_chooser.h"
#include "support/startup_patience.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

using namespace zx;

namespace {
struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser chooser;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    DocumentDesk *desk = nullptr;
    Fixture()
    {
        tmp.selectChronographByHand();
        ctx.prompter = &prompter;
        mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
        desk = documentDesk(*mdi);
        desk->setFileChooser(&chooser);
    }
    ~Fixture()
    {
        if (mdi)
            mdi->closeByProgram();
    }
    CFileManager &files() { return cfileWorkspace(*mdi)->files(); }
    QTextEdit *editor() { return cfileWorkspace(*mdi)->activeWindow()->rtfText(); }
    // Three paragraphs, each starting a page; saved as far as closing is concerned.
    void fillThreePages()
    {
        QTextCursor c(editor()->document());
        QTextBlockFormat page;
        page.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.insertText(QStringLiteral("first"));
        for (const char *t : {"second", "third"}) {
            c.insertBlock(page);
            c.insertText(QString::fromLatin1(t));
        }
        files().active()->setChanged(false);
        QCoreApplication::processEvents(); // the commands follow the text
    }
    void trigger(const char *name)
    {
        QAction *a = mdi->findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY2(a && a->isEnabled(), name);
        a->trigger();
    }
};

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
    return int(QString::fromLatin1(f.readAll()).count(page));
}
} // namespace

class TstDocumentWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabStopText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("stops");
        QTest::newRow("stored") << "720;1440" << QList<int>{720, 1440};
        QTest::newRow("typed, unsorted, repeated") << " 1440, 720 ,720" << QList<int>{720, 1440};
        QTest::newRow("garbage and out of the page") << "abc;-5;0;31681;300" << QList<int>{300};
        QTest::newRow("empty") << "" << QList<int>{};
    }
    void tabStopText()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, stops);
        QCOMPARE(DocumentDefaults::parseTabStops(text), stops);
        QCOMPARE(DocumentDefaults::parseTabStops(DocumentDefaults::formatTabStops(stops)), stops);
    }

    void defaultsRoundTripAndPageWrap()
    {
        Fixture f;
        DocumentDefaults &d = f.desk->defaults();
        const TextDefaults text{true, QStringLiteral("Courier New"), 14, 0x0000FF, 0xE0FFFF, true, false, true, false};
        const TabDefaults tabs{true, {360, 2880}};
        d.setText(text);
        d.setTabs(tabs);
        d.setMargins({false, 1440, 1440});
        f.trigger("mnuMargDefault"); // the user's click stores it
        DocumentDefaults again(f.ctx.store, f.ctx.instanceName());
        QCOMPARE(again.text(), text);
        QCOMPARE(again.tabs(), tabs);
        QCOMPARE(again.margins(), (MarginDefaults{true, 1440, 1440}));
        QVERIFY(f.mdi->findChild<QAction *>("mnuMargDefault")->isChecked());

        // View mode 2 wraps at the page width less the margins: one inch more margin, one inch less line.
        f.trigger("mnuWrapLinePage");
        QCOMPARE(f.editor()->lineWrapMode(), QTextEdit::FixedPixelWidth);
        const int wide = f.editor()->lineWrapColumnOrWidth();
        d.setMargins({true, 1440, 2880});
        f.trigger("mnuWrapLinePage");
        QVERIFY(qAbs(wide - f.editor()->lineWrapColumnOrWidth() - f.editor()->logicalDpiX()) <= 1);
        // A new CFile gets the default tabs.
        f.prompter.queue(MsgAnswer::Yes);
        f.trigger("mnuFileNew");
        const QList<QTextOption::Tab> got = f.editor()->document()->defaultTextOption().tabs();
        QCOMPARE(got.size(), 2);
    }

    void printToPdf()
    {
        Fixture f;
        f.fillThreePages();
        QTemporaryDir dir;
        const QString direct = dir.filePath("direct.pdf");
        QCOMPARE(printCFileToPdf(*f.editor()->document(), direct, "CFile1", {}), 3);
        QCOMPARE(pdfPages(direct), 3);
        QCOMPARE(printCFileToPdf(*f.editor()->document(), dir.filePath("no/such/folder.pdf"), "x", {}), 0);

        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: the print dialog would show");
        const QString chosen = dir.filePath("CFile1.pdf");
        f.prompter.queue(MsgAnswer::Yes);
        f.chooser.queueSave(chosen);
        f.trigger("mnuFilePrint");
        QCOMPARE(f.prompter.count(), 1);
        QVERIFY(f.prompter.last().text.startsWith("There is no printer installed"));
        QCOMPARE(f.chooser.last().proposed, QString("CFile1.pdf"));
        QCOMPARE(pdfPages(chosen), 3);
    }

    void previewShowsThePages()
    {
        Fixture f;
        f.fillThreePages();
        f.trigger("mnuFilePrintPreview");
        auto *dlg = f.mdi->findChild<QPrintPreviewDialog *>("frmPrintPreview");
        QVERIFY(dlg && dlg->isVisible());
        auto *preview = dlg->findChild<QPrintPreviewWidget *>();
        QTRY_COMPARE(preview->pageCount(), 3);
        dlg->close();
    }

    void fileBarOpensIntoACFile()
    {
        Fixture f;
        QTemporaryDir dir;
        QFile rtf(dir.filePath("range.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly) && rtf.write("{\\rtf1 {\\b 100 yd} zero}") > 0);
        rtf.close();
        FrmFileBar *bar = f.desk->fileBar();
        bar->setFolder(dir.path());
        QCOMPARE(f.ctx.store.read(f.ctx.instanceName(), cfilekeys::FileBarPath), dir.path());
        auto *list = bar->findChild<QListView *>("lstFiles");
        QModelIndex item;
        QTRY_VERIFY((item = list->model()->index(0, 0, list->rootIndex())).isValid());
        QCOMPARE(item.data().toString(), QString("range.rtf"));
        Q_EMIT list->activated(item);
        QCOMPARE(f.files().active()->caption(), rtf.fileName());
        QCOMPARE(f.editor()->toPlainText(), QString("100 yd zero"));
        QVERIFY(!f.files().active()->bChanged());
    }

    void dateWindowUndoesOnlyItsOwnInserts()
    {
        Fixture f;
        QTest::keyClicks(f.editor(), QStringLiteral("my note"));
        f.trigger("mnuInsertDateTime");
        auto *w = f.mdi->findChild<QDialog *>(QStringLiteral("frmTimeDate"));
        QVERIFY(w && w->isVisible());
        const auto button = [w](const char *name) { return w->findChild<QPushButton *>(QString::fromLatin1(name)); };
        // An empty pattern inserts nothing, so Undo has nothing of the window's to take back.
        w->findChild<QLineEdit *>(QStringLiteral("txtCustom"))->clear();
        button("cmdInsCusFor")->click();
        button("cmdUndo")->click();
        QCOMPARE(f.editor()->toPlainText(), QStringLiteral("my note"));

        // What one opening inserted is not counted by the next one.
        button("cmdInsert")->click();
        button("cmdClose")->click();
        f.trigger("mnuInsertDateTime");
        QVERIFY(!button("cmdUndo")->isEnabled());
        const QString before = f.editor()->toPlainText();
        button("cmdInsert")->click();
        QVERIFY(f.editor()->toPlainText() != before);
        button("cmdUndo")->click();   // the one insert of this opening, no "to many insers"
        QCOMPARE(f.prompter.count(), 0);
        QCOMPARE(f.editor()->toPlainText(), before);
    }

    void fullScreenFollowsTheCFile()
    {
        Fixture f;
        f.trigger("mnuViewFullScreen");
        FrmFullScreen *full = f.desk->fullScreen();
        QVERIFY(full && full->isVisible());
        QCOMPARE(full->view()->document(), f.editor()->document());
        // Remote opens the keypad: the chronograph's keys within reach of the full view.
        full->findChild<QPushButton *>("cmdRemote")->click();
        KeyPadDesk *pad = keyPadDesk(*f.mdi);
        QVERIFY(pad && pad->window());
        QTRY_VERIFY(pad->window()->isVisible());
        QVERIFY(pad->pad().isOpen());
        QVERIFY(f.mdi->isEnabled());   // the main window stays usable
        full->close();
        QVERIFY(full->view()->document() != f.editor()->document());
    }
};

QTEST_MAIN(TstDocumentWindows)
#include "tst_document_windows.moc"
