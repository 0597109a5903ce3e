// The CFile windows in an MDI area: frmDocument with rtfText, the close box question,
// activation, view modes, the File menu and its recent-file entries, the record while capturing.
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "platform/settings_store.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using zx::MsgAnswer;

namespace {

struct Fixture {
    zx::test::TempSettings tmp;
    zx::SettingsStore store;
    zx::test::ScriptedPrompter prompter;
    QMainWindow main;
    QMdiArea *area = new QMdiArea;
    QMenu *file = nullptr;
    zx::CFileWorkspace *ws = nullptr;
    Fixture()
    {
        main.setCentralWidget(area);
        file = main.menuBar()->addMenu("&File");
        auto *exit = file->addAction("E&xit");
        exit->setObjectName("mnuFileExit");
        ws = new zx::CFileWorkspace(&main, area, prompter, store, "Zentrix0");
        ws->installFileMenu(file, exit);
        ws->installLineDisplay(main.statusBar());
        main.resize(800, 600);
        main.show();
    }
    zx::CFileManager &files() { return ws->files(); }
    QAction *action(const QString &name) { return main.findChild<QAction *>(name); }
};

} // namespace

class TstCFileWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAndNames()
    {
        Fixture f;
        f.action("mnuFileNew")->trigger();
        auto *w = f.area->findChild<zx::FrmDocument *>("frmDocument");
        QVERIFY(w);
        QCOMPARE(w->property("Tag").toString(), QString("CFile"));
        auto *edit = w->findChild<QTextEdit *>("rtfText");
        QVERIFY(edit);
        QCOMPARE(edit->document(), f.files().active()->document());
        QVERIFY(w->windowTitle().startsWith("CFile1"));
        f.prompter.queue(MsgAnswer::Yes);
        f.action("mnuFileNew")->trigger();
        QCOMPARE(f.area->subWindowList().size(), 2);
        QCOMPARE(f.files().active()->caption(), QString("CFile2"));
        // Activating the first window makes it the active CFile.
        f.area->setActiveSubWindow(w);
        QCOMPARE(f.files().active()->caption(), QString("CFile1"));
    }

    void closeBoxAsks()
    {
        Fixture f;
        f.files().createNewCFile();
        auto *w = f.ws->activeWindow();
        QTest::keyClicks(w->rtfText(), "CAP: 1");
        QVERIFY(f.files().active()->bChanged());
        f.prompter.queue(MsgAnswer::Cancel);
        QVERIFY(!w->close());
        QCOMPARE(f.area->subWindowList().size(), 1);
        QPointer<zx::FrmDocument> guard(w);
        f.prompter.queue(MsgAnswer::No);
        w->close();
        QTRY_VERIFY(!guard);
        QCOMPARE(f.files().numOfCFIles(), 0);
        QVERIFY(!f.files().active());
        // The menu's Close on the last CFile removes its window too.
        f.files().createNewCFile();
        f.action("mnuFileClose")->trigger();
        QTRY_COMPARE(f.area->subWindowList().size(), 0);
    }

    void lineDisplay()
    {
        Fixture f;
        f.files().createNewCFile();
        auto *edit = f.ws->activeWindow()->rtfText();
        QTest::keyClicks(edit, "a");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "b");
        auto *label = f.main.findChild<QLabel *>("sbrPanelLine");
        QVERIFY(label);
        QCOMPARE(label->text(), QString("Line:2 tot:2"));
    }

    void viewModes()
    {
        Fixture f;
        f.store.write("Zentrix0", "frmMDI", "ViewMode", "2");
        f.files().createNewCFile();
        auto *edit = f.ws->activeWindow()->rtfText();
        QCOMPARE(edit->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QCOMPARE(edit->lineWrapColumnOrWidth(), f.ws->pageWidthPx());
        f.files().setViewMode(1);
        QCOMPARE(edit->lineWrapMode(), QTextEdit::WidgetWidth);
        f.files().setViewMode(7);  // out of range reads as 0
        QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);
        QCOMPARE(f.store.read("Zentrix0", "frmMDI", "ViewMode"), QString("0"));
    }

    void recentFileEntries()
    {
        Fixture f;
        QTemporaryDir dir;
        QFile out(dir.filePath("a.txt"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("A");
        out.close();
        QVERIFY(f.files().openPath(dir.filePath("a.txt"), "x"));
        QList<QAction *> mru;
        for (QAction *a : f.file->actions())
            if (a->objectName() == "mnuFileMRUItem")
                mru << a;
        QCOMPARE(mru.size(), 1);
        QVERIFY(mru.first()->text().endsWith(dir.filePath("a.txt")));
        mru.first()->trigger();
        QCOMPARE(f.files().numOfCFIles(), 2);
        QCOMPARE(f.files().active()->document()->toPlainText(), QString("A"));
    }

    // Shoot mode: only the LogPad writes into the record; the user reads, copies and adds
    // notes at its end. Remote mode: typing goes to the end.
    void recordWhileCapturing()
    {
        Fixture f;
        bool allowed = true, capturing = false;
        f.ws->setEditingAllowed([&] { return allowed; });
        f.ws->setJumpToEndOnKey([&] { return capturing; });
        f.files().createNewCFile();
        auto *w = f.ws->activeWindow();
        auto *edit = w->rtfText();
        const auto text = [&] { return edit->toPlainText(); };
        const auto menuHas = [&](const char *name) {
            std::unique_ptr<QMenu> menu(f.ws->popupMenu(w, {}));
            return menu->findChild<QAction *>(name) != nullptr;
        };
        QTest::keyClicks(edit, "note ");
        f.ws->logPad().captureText("CAP:#01 2875.42 f/s\r\n");
        // A captured line is not the user's edit: Ctrl+Z leaves it, in any mode.
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString("note CAP:#01 2875.42 f/s\n"));
        QVERIFY(menuHas("edit-paste"));
        QTextCursor c = edit->textCursor();
        c.setPosition(0);
        edit->setTextCursor(c);
        QTest::keyClicks(edit, "y");  // Edit mode: where the caret is
        capturing = true;
        edit->setTextCursor(c);
        QTest::keyClicks(edit, "x");
        QCOMPARE(text(), QString("ynote CAP:#01 2875.42 f/s\nx"));

        allowed = false;
        f.ws->logPad().captureText("CAP:#02 2880.00 f/s\r\n");
        const QString record = text();
        QGuiApplication::clipboard()->setText("pasted");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        for (int key : {Qt::Key_X, Qt::Key_V, Qt::Key_Z})
            QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(text(), record);
        // Typed text goes to the end; Backspace takes back only what was typed.
        c.setPosition(0);
        edit->setTextCursor(c);
        QTest::keyClicks(edit, "ok");
        QCOMPARE(text(), record + "ok");
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(text(), record);
        // The pop-up keeps copy and select all, nothing that changes the text.
        QVERIFY(menuHas("edit-copy") && menuHas("select-all"));
        for (const char *name : {"edit-undo", "edit-redo", "edit-cut", "edit-paste", "edit-delete"})
            QVERIFY2(!menuHas(name), name);
    }
};

QTEST_MAIN(TstCFileWindow)
#include "tst_cfile_window.moc"
