#include "app/settings_keys.h"
#include "app/startup.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "platform/termination.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

using namespace zx;
namespace keys = zx::keys;

namespace {
struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    Fixture()
    {
        tmp.selectChronographByHand();
        ctx.prompter = &prompter;
    }
    ~Fixture()
    {
        if (mdi)
            mdi->closeByProgram();
    }
    FrmMdi *start()
    {
        mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
        return mdi;
    }
    QString get(const SettingKey &k) { return ctx.store.read(ctx.instanceName(), k); }
    QAction *action(const char *name) { return mdi->findChild<QAction *>(QString::fromLatin1(name)); }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithOneEmptyCFile()
    {
        Fixture f;
        FrmMdi *w = f.start();
        QVERIFY(w->isVisible() && w->isEnabled());
        QVERIFY(w->windowTitle().startsWith("Zentrix0 {COM1=OFF} {Edit}"));
        const QList<QMdiSubWindow *> docs = w->mdiArea()->subWindowList();
        QCOMPARE(docs.size(), 1);
        QVERIFY(docs.first()->findChild<QTextEdit *>("rtfText")->toPlainText().isEmpty());
        QVERIFY(!w->menuNamed("mnuDebug")->menuAction()->isVisible());
        QVERIFY(w->standardToolbar()->isVisible() && w->formatToolbar()->isVisible());
        QCOMPARE(w->statusPanel(1)->text(), QString("Sensitivity ???"));
        QCOMPARE(f.prompter.count(), 0);
        // At least the default width; wider where the toolbars need it (first run).
        const double twips = w->width() * twipsPerPixel(w);
        const double toolbars = w->standardToolbar()->sizeHint().width() * twipsPerPixel(w);
        QVERIFY2(twips > 8025 - 30 && (twips > toolbars - 30 || w->frameGeometry().width() >= w->screen()->availableGeometry().width()),
                 qPrintable(QString::number(twips)));
    }
    // Alt+letter must reach one command: a letter taken twice in a menu only moves the highlight.
    void accessKeysAreUniqueInEachMenu()
    {
        Fixture f;
        f.start();
        f.action("mnuTerminal")->trigger(); // a window with menus of its own
        QStringList clashes;
        for (QWidget *widget : QApplication::allWidgets()) {
            auto *menu = qobject_cast<QMenu *>(widget);
            if (!menu)
                continue;
            QHash<QChar, QString> taken;
            for (const QAction *a : menu->actions()) {
                const QString text = QString(a->text()).replace(QLatin1String("&&"), QString());
                const qsizetype amp = text.indexOf(u'&');
                if (a->isSeparator() || amp < 0 || amp + 1 >= text.size())
                    continue;
                const QChar key = text.at(amp + 1).toUpper();
                if (taken.contains(key))
                    clashes << QStringLiteral("%1: %2 / %3").arg(menu->title(), taken[key], a->text());
                taken.insert(key, a->text());
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
    }
    void cfileCommandsFollowTheActiveCFile()
    {
        Fixture f;
        FrmMdi *w = f.start();
        auto *text = w->mdiArea()->activeSubWindow()->findChild<QTextEdit *>("rtfText");
        // An empty CFile: Save and the format toolbar, nothing that needs text or a selection.
        QTRY_VERIFY(f.action("Save")->isEnabled());
        QVERIFY(f.action("Bold")->isEnabled());
        QVERIFY(!f.action("Cut")->isEnabled());
        QVERIFY(!f.action("Print")->isEnabled());
        QTest::keyClicks(text, "2810 fps");
        QTRY_VERIFY(f.action("Print")->isEnabled());
        QVERIFY(f.action("Undo")->isEnabled());
        QVERIFY(!f.action("Copy")->isEnabled());
        text->selectAll();
        QTRY_VERIFY(f.action("Cut")->isEnabled());
        QVERIFY(f.action("mnuEditCut")->isEnabled());
        // The toolbar's Bold makes the selection bold, and the button shows it.
        f.action("Bold")->trigger();
        QTRY_VERIFY(f.action("Bold")->isChecked());
        QCOMPARE(text->textCursor().charFormat().fontWeight(), int(QFont::Bold));
        f.action("CaseToUpper")->trigger();
        QCOMPARE(text->toPlainText(), QString("2810 FPS"));
        // No CFile at all: every CFile command off.
        f.prompter.queue(MsgAnswer::No);   // do not save the changes
        f.action("mnuFileCloseAll")->trigger();
        QTRY_VERIFY(w->mdiArea()->subWindowList().isEmpty());
        QTRY_VERIFY(!f.action("Save")->isEnabled());
        QVERIFY(!f.action("Bold")->isEnabled());
        QVERIFY(!f.action("mnuEditCut")->isEnabled());
        // A new one enables them again.
        f.action("New")->trigger();
        QTRY_VERIFY(f.action("Save")->isEnabled());
    }
    void layoutTogglesAreStoredAtOnce()
    {
        Fixture f;
        f.ctx.store.write("Zentrix0", keys::frmMDI::FormatToolbar, "False");
        FrmMdi *w = f.start();
        QVERIFY(!w->formatToolbar()->isVisible());
        QVERIFY(!f.action("mnuViewFormatBar")->isChecked());
        f.action("mnuViewRuler")->trigger();
        QCOMPARE(f.get(keys::frmMDI::Ruler), QString("True"));
        f.action("mnuViewToolbar")->trigger();
        QVERIFY(!w->standardToolbar()->isVisible());
        QCOMPARE(f.get(keys::frmMDI::StandardToolbar), QString("False"));
    }
    void debugMenuFollowsFlags()
    {
        Fixture f;
        FrmMdi *w = f.start();
        f.ctx.soft.softDebugSee = true;
        w->updateDebugMenu();
        QVERIFY(w->menuNamed("mnuDebug")->menuAction()->isVisible());
        f.action("mnuDbgMaxLev")->trigger();
        QVERIFY(f.action("mnuDbgMaxLev")->isChecked());
        QCOMPARE(w->menuNamed("mnuDbgLev")->title(), QString("Lev-4..."));
        f.action("mnuDbgSftHid")->trigger();
        QVERIFY(!w->menuNamed("mnuDebug")->menuAction()->isVisible());
    }
    void exitWritesRecordAndSettings()
    {
        Fixture f;
        FrmMdi *w = f.start();
        const int widthTwips = qRound(w->width() * twipsPerPixel(w));
        f.ctx.errorCount = 2;
        f.ctx.showWarn = false;
        f.action("mnuFileExit")->trigger();
        QTRY_VERIFY(f.mdi.isNull());
        QCOMPARE(f.get(keys::Morvane::AppRun), QString());
        QCOMPARE(f.get(keys::Morvane::AppEnd), QString("Zentrix0"));
        QCOMPARE(f.get(keys::Morvane::AppNum), QString("3"));
        QCOMPARE(f.get(keys::frmErrox::gxMoxErc), QString("2"));
        QCOMPARE(f.get(keys::frmVipNotes::ShowWarn), QString("False"));
        QCOMPARE(f.get(keys::frmMDI::SizWinX).toInt() / 100, widthTwips / 100);
        QCOMPARE(f.prompter.count(), 0);   // File/Exit asks nothing
        Q_UNUSED(w);
    }
    void closeBoxAsksToQuit()
    {
        Fixture f;
        FrmMdi *w = f.start();
        int docQueries = 0;
        w->setQueryCloseDocuments([&] { return ++docQueries != 2; });   // the second: Cancel in a CFile
        f.prompter.queue(MsgAnswer::No);
        QVERIFY(!w->queryClose(true));
        QCOMPARE(docQueries, 0);
        QVERIFY(f.prompter.last().text.endsWith("Do you really want to Quit ?"));
        f.prompter.queue(MsgAnswer::Yes);
        QVERIFY(w->queryClose(true));
        QVERIFY(!w->queryClose(false));   // File/Exit: no question, but the CFile cancels
        f.ctx.showWarn = false;           // warnings off: no question either
        QVERIFY(w->queryClose(true));
        QCOMPARE(f.prompter.count(), 2);
        w->setQueryCloseDocuments({});
    }
    void commandLineFile()   // told: empty when loaded
    {
        for (const auto &[file, told] : {std::pair{"shots.txt", ""}, {"gone.rtf", "File doesn't exists!"},
                                         {"bad.rtf", "Invalid file format"}}) {
            Fixture f;
            QTemporaryDir dir;
            for (const char *name : {"shots.txt", "bad.rtf"}) {
                QFile out(dir.filePath(name));
                QVERIFY(out.open(QIODevice::WriteOnly));
                out.write("  1   2810 fps\r\n  2   2822 fps\r\n");
            }
            f.ctx.cmd.cmdPath = dir.path() + "/";
            f.ctx.cmd.cmdFile = file;
            FrmMdi *w = f.start();
            QCOMPARE(w->mdiArea()->subWindowList().size(), 1);   // one CFile, loaded or left empty
            QMdiSubWindow *doc = w->mdiArea()->activeSubWindow();
            auto *text = doc->findChild<QTextEdit *>("rtfText");
            if (!*told) {
                QCOMPARE(doc->windowTitle(), dir.filePath(file));
                QVERIFY(text->toPlainText().contains("2822 fps"));
                QVERIFY(!text->document()->isModified());
                QCOMPARE(f.prompter.count(), 0);
            } else {
                QCOMPARE(doc->windowTitle(), QString("CFile1"));
                QCOMPARE(f.prompter.count(), 1);   // the CFile's own message, not the general error report
                QCOMPARE(f.prompter.last().text, QString(told));
            }
        }
    }
    void terminationClosesWithoutQuestions()
    {
        Fixture f;
        FrmMdi *w = f.start();
        QTest::keyClicks(w->mdiArea()->activeSubWindow()->findChild<QTextEdit *>("rtfText"), "2810 fps");
        requestTermination();
        w->close();   // as from the close box: neither the quit nor the save question
        clearTerminationRequest();
        QTRY_VERIFY(f.mdi.isNull());
        QCOMPARE(f.prompter.count(), 0);
        QCOMPARE(f.get(keys::Morvane::AppEnd), QString("Zentrix0"));
    }
    void viewModesReachableAndWordWrapFollows()
    {
        Fixture f;
        f.ctx.store.write("Zentrix0", keys::frmMDI::ViewMode, "1");
        f.start();
        QVERIFY(f.action("WordWrap")->isChecked());   // from the start
        QVERIFY(f.action("mnuWrapLineOn")->isChecked());
        f.action("mnuWrapLinePage")->trigger();
        QCOMPARE(f.get(keys::frmMDI::ViewMode), QString("2"));
        QVERIFY(!f.action("WordWrap")->isChecked());
        auto *text = f.mdi->mdiArea()->activeSubWindow()->findChild<QTextEdit *>("rtfText");
        QCOMPARE(text->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QTest::keyClicks(text, "2810 fps");   // the button needs text
        QTRY_VERIFY(f.action("WordWrap")->isEnabled());
        f.action("WordWrap")->trigger();   // pressed: wrap at the window
        QCOMPARE(f.get(keys::frmMDI::ViewMode), QString("1"));
        QVERIFY(f.action("WordWrap")->isChecked());
        f.action("WordWrap")->trigger();   // released: no wrap
        QCOMPARE(f.get(keys::frmMDI::ViewMode), QString("0"));
        QVERIFY(f.action("mnuWrapLineOff")->isChecked());
        QCOMPARE(text->lineWrapMode(), QTextEdit::NoWrap);
    }
    void userLevelZeroResetsSequence()
    {
        Fixture f;
        f.start();
        QCOMPARE(int(f.ctx.soft.userLevel), 0);
        QAction *reseq = f.action("mnuCFileReSeq");
        QVERIFY(reseq && reseq->isVisible() && reseq->isEnabled());
        f.prompter.queue(MsgAnswer::Yes);
        reseq->trigger();
        QVERIFY(f.prompter.last().text.startsWith("Current sequence number is 2"));
    }
    void chronoWarningsOffCountAtOnce()   // Cancel, then Yes on "stop these messages": New asks no more
    {
        Fixture f;
        f.start();
        f.prompter.queue({MsgAnswer::Cancel, MsgAnswer::Yes});
        QVERIFY(!confirmWarning(f.ctx, "Q"));
        const int boxes = f.prompter.count();
        f.action("New")->trigger();
        QCOMPARE(f.prompter.count(), boxes);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
