// The find and replace window in the real main window, driven by control name: the scopes
// through the buttons, a change of CFile or of its text, the selected block, the replace
// buttons, the histories across a restart and the clear at exit.
#include "app/settings_keys.h"
#include "app/startup.h"
#include "app/ui/document_factory.h"
#include "app/ui/edit_windows_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "cfile/cfile_manager.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "edit/edit_settings_keys.h"
#include "edit/ui/frm_find.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QtTest>

using namespace zx;

namespace {
struct Fixture {
    test::TempSettings tmp;
    test::ScriptedPrompter prompter;
    std::unique_ptr<AppContext> ctx;
    QPointer<FrmMdi> mdi;
    Fixture()
    {
        tmp.selectChronographByHand();
        start();
    }
    ~Fixture() { stop(); }
    void start()
    {
        ctx = std::make_unique<AppContext>();
        ctx->prompter = &prompter;
        mdi = zx::test::startPatiently([&] { return runSplashSequence(*ctx); });
    }
    // An orderly exit with the CFiles saved as far as closing is concerned.
    void stop()
    {
        if (!mdi)
            return;
        for (CFileDoc *d : files().docs())
            d->setChanged(false);
        mdi->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CFileManager &files() { return cfileWorkspace(*mdi)->files(); }
    QTextEdit *editor() { return cfileWorkspace(*mdi)->activeWindow()->rtfText(); }
    void setText(const QString &text)
    {
        editor()->setPlainText(text);
        QTextCursor c = editor()->textCursor();
        c.setPosition(0);
        editor()->setTextCursor(c);
    }
    void select(int from, int to)
    {
        QTextCursor c = editor()->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor()->setTextCursor(c);
    }
    QDialog *window()
    {
        // As the Search button and Edit/Find do (they are off while the CFile is empty).
        FrmFind *w = editWindowsDesk(*mdi)->findWindow();
        if (!w->isVisible())
            w->open(false);
        return w;
    }
    void replaceWindow()
    {
        QCoreApplication::processEvents();   // the commands follow the text
        mdi->findChild<QAction *>(QStringLiteral("mnuEditReplace"))->trigger();
        QVERIFY(window()->isVisible());
    }
    template <class T> T *control(const char *name) { return window()->findChild<T *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) { return control<QPushButton>(name); }
    void findText(const QString &text) { control<QComboBox>("cboText")->setEditText(text); }
    void scope(const QString &entry)
    {
        auto *c = control<QComboBox>("cmbDirection");
        c->setCurrentIndex(c->findText(entry));
    }
    // Find clicked; the hit's position or -1 (the not-found box answered).
    int find()
    {
        const int before = prompter.count();
        button("cmdFind")->click();
        if (prompter.count() > before && prompter.last().text.startsWith(QStringLiteral("Text Not Found")))
            return -1;
        return editor()->textCursor().hasSelection() ? editor()->textCursor().selectionStart() : -2;
    }
    QString get(const SettingKey &k) { return ctx->store.read(ctx->instanceName(), k); }
};
} // namespace

class TstFindWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // "zebra" at 0, 12 and 24; the caret stands at 14, inside the second one.
    void scopes_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<int>>("hits");
        QTest::newRow("ALL") << "ALL" << QList<int>{0, 12, 24};
        QTest::newRow("Down") << "Down" << QList<int>{24};
        QTest::newRow("Up") << "Up" << QList<int>{0};
        QTest::newRow("DownLoop") << "DownLoop" << QList<int>{24, 0};
        QTest::newRow("UpLoop") << "UpLoop" << QList<int>{0, 24};
        QTest::newRow("Top2Cursor") << "Top2Cursor" << QList<int>{0};
        QTest::newRow("End2Cursor") << "End2Cursor" << QList<int>{24};
    }
    void scopes()
    {
        QFETCH(QString, entry);
        QFETCH(QList<int>, hits);
        Fixture f;
        f.setText(QStringLiteral("zebra one / zebra two / zebra"));
        f.select(14, 14);
        f.findText(QStringLiteral("zebra"));
        f.scope(entry);
        QList<int> got;
        for (int hit; (hit = f.find()) >= 0 && got.size() < 5;)
            got << hit;
        QCOMPARE(got, hits);
        QVERIFY(f.prompter.last().text.contains(QStringLiteral("All of Specified  <")
                                                + f.control<QLabel>("lblDirection")->text() + QStringLiteral(">  Region Searched. ")));
    }

    // Another CFile active: the search starts anew there, without a question.
    void newSearchInAnotherCFile()
    {
        Fixture f;
        f.setText(QStringLiteral("the zebra"));
        f.findText(QStringLiteral("zebra"));
        QCOMPARE(f.find(), 4);
        f.files().createNewCFile();
        f.setText(QStringLiteral("zebra the"));   // same length
        const int shown = f.prompter.count();
        QCOMPARE(f.find(), 0);
        QCOMPARE(f.prompter.count(), shown);
        QCOMPARE(f.control<QLabel>("lblStatus")->text(), QStringLiteral("Found Text - Line: 1"));
    }

    // Typing over text keeps its length: still a change of the CFile.
    void sameLengthEditIsAChange()
    {
        Fixture f;
        f.setText(QStringLiteral("zebra zebra zebra"));
        f.findText(QStringLiteral("zebra"));
        QCOMPARE(f.find(), 0);
        QTextCursor c = f.editor()->textCursor();
        c.setPosition(6);
        c.setPosition(11, QTextCursor::KeepAnchor);
        c.insertText(QStringLiteral("horse"));
        f.select(17, 17);
        f.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(f.find(), 0);   // Yes: a new search from the top
        QCOMPARE(f.prompter.at(f.prompter.count() - 1).text,
                 QStringLiteral("CFile has changed...!\r\nReset Find Parameters.?"));
        // The reset command names the CFile when it changed since the search began.
        f.button("cmdFndRst")->click();
        QCOMPARE(f.prompter.last().text, QStringLiteral("Reset Search Parameters?"));
        QCOMPARE(f.find(), 12);   // No: the search goes on
        f.editor()->textCursor().insertText(QStringLiteral("Z"));   // the hit typed over
        f.button("cmdFndRst")->click();
        QCOMPARE(f.prompter.last().text, QStringLiteral("Reset CFile Search Parameters..?"));
    }

    // The block bounds the region for every scope; a caret inside it splits it.
    void withinBlock_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("caret");   // -1: the block itself is selected
        QTest::addColumn<QList<int>>("hits");
        QTest::newRow("Top2Cursor, block") << "Top2Cursor" << -1 << QList<int>{6, 12, 18};
        QTest::newRow("End2Cursor, block") << "End2Cursor" << -1 << QList<int>{18, 12, 6};
        QTest::newRow("Down, block") << "Down" << -1 << QList<int>{6, 12, 18};
        QTest::newRow("Up, block") << "Up" << -1 << QList<int>{18, 12, 6};
        QTest::newRow("Top2Cursor, caret inside") << "Top2Cursor" << 15 << QList<int>{6, 12};
        QTest::newRow("End2Cursor, caret inside") << "End2Cursor" << 15 << QList<int>{18};
        QTest::newRow("Down, caret inside") << "Down" << 15 << QList<int>{18};
        QTest::newRow("UpLoop, caret inside") << "UpLoop" << 15 << QList<int>{12, 6, 18};
    }
    void withinBlock()
    {
        QFETCH(QString, entry);
        QFETCH(int, caret);
        QFETCH(QList<int>, hits);
        Fixture f;
        // "cat" at 0, 6, 12, 18 and 24; the block runs from 5 to 23.
        f.setText(QStringLiteral("cat + cat + cat + cat + cat"));
        f.select(5, 23);
        f.findText(QStringLiteral("cat"));
        f.control<QCheckBox>("chkBlock")->setChecked(true);
        if (caret >= 0) {
            QCOMPARE(f.find(), 6);   // the block is taken when the search begins
            f.select(caret, caret);
        }
        f.scope(entry);
        QList<int> got;
        for (int hit; (hit = f.find()) >= 0 && got.size() < 6;)
            got << hit;
        QCOMPARE(got, hits);
        QVERIFY(f.prompter.last().text.startsWith(QStringLiteral("Text Not Found <Within Selected Block>")));
    }

    void replaceButtonsOnlyAfterAHit()
    {
        Fixture f;
        f.setText(QStringLiteral("one zebra"));
        f.replaceWindow();
        QPushButton *replace = f.button("cmdReplace");
        QPushButton *at = f.button("cmdRepAtt");
        QVERIFY(!replace->isEnabled() && !at->isEnabled());
        f.findText(QStringLiteral("zebra"));
        QCOMPARE(f.find(), 4);
        QVERIFY(replace->isEnabled() && at->isEnabled());
        QCOMPARE(f.button("cmdFind")->text(), QStringLiteral("&Find Next"));
        f.findText(QStringLiteral("one"));   // a new search
        QVERIFY(!replace->isEnabled() && !at->isEnabled());
        QCOMPARE(f.find(), 0);
        QVERIFY(replace->isEnabled());
        QCOMPARE(f.find(), -1);
        QVERIFY(!replace->isEnabled() && !at->isEnabled());
    }

    // The replace text's length matters only while the replace panel is shown.
    void longReplaceTextAskedOnlyWithItsPanel()
    {
        Fixture f;
        f.setText(QStringLiteral("zebra"));
        f.replaceWindow();
        f.control<QComboBox>("cboReplace")->setEditText(QString(3000, QLatin1Char('r')));
        f.button("cmdShowReplace")->click();   // hidden
        f.findText(QStringLiteral("zebra"));
        QCOMPARE(f.find(), 0);
        QCOMPARE(f.prompter.count(), 0);
        f.button("cmdShowReplace")->click();   // shown again
        f.prompter.queue(MsgAnswer::No);
        f.button("cmdRepAtt")->click();
        QVERIFY(f.prompter.last().text.startsWith(QStringLiteral("Replace text is to long..!")));
        QCOMPARE(f.editor()->toPlainText(), QStringLiteral("zebra"));
    }

    void panelSwitches()
    {
        Fixture f;
        QPushButton *special = f.button("cmdShowSpecial");
        QVERIFY(special);
        QWidget *options = f.control<QCheckBox>("chkWholeWord");
        QCOMPARE(special->text(), QStringLiteral("Hide Special Features"));
        QVERIFY(options->isVisible());
        special->click();
        QCOMPARE(special->text(), QStringLiteral("Show Special Features"));
        QVERIFY(!options->isVisible());
        QPushButton *ext = f.button("cmdShowExtensions");
        QCOMPARE(ext->text(), QStringLiteral("Hide Extensions"));
        ext->click();
        QCOMPARE(ext->text(), QStringLiteral("Show Extensions"));
        QVERIFY(!f.control<QComboBox>("cmbDirection")->isVisible());
    }

    void historiesAcrossARestart()
    {
        Fixture f;
        f.setText(QStringLiteral("alpha beta"));
        f.replaceWindow();
        for (const char *t : {"alpha", "beta"}) {
            f.findText(QString::fromLatin1(t));
            f.find();
        }
        f.control<QComboBox>("cboReplace")->setEditText(QStringLiteral("gamma"));
        f.button("cmdRepAtt")->click();
        f.stop();
        QCOMPARE(f.get(keys::frmMDI::SearchFindHistory), QStringLiteral("beta@.\n.@alpha"));
        f.start();
        auto *box = f.control<QComboBox>("cboText");
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QStringLiteral("beta"));
        QCOMPARE(f.control<QComboBox>("cboReplace")->itemText(0), QStringLiteral("gamma"));
    }

    // Cleared at exit stays cleared; SaveRegistry turned off after the window was made holds.
    void exitClearAndSaveFlag_data()
    {
        QTest::addColumn<bool>("clearAtExit");
        QTest::newRow("clear at exit") << true;
        QTest::newRow("SaveRegistry off") << false;
    }
    void exitClearAndSaveFlag()
    {
        QFETCH(bool, clearAtExit);
        Fixture f;
        f.setText(QStringLiteral("alpha"));
        f.findText(QStringLiteral("alpha"));
        f.find();
        if (clearAtExit) {
            f.ctx->soft.clearRegistry = true;
            f.prompter.queue(MsgAnswer::Yes);
        } else {
            f.ctx->soft.saveRegistry = false;
        }
        f.stop();
        QVERIFY(!f.ctx->store.contains(f.ctx->instanceName(), keys::frmMDI::SearchFindHistory));
        QVERIFY(!f.ctx->store.contains(f.ctx->instanceName(), keys::frmMDI::SearchWindowLeft));
    }

    // A place stored for a screen that is gone: the window comes back on a screen.
    void savedPlaceFittedToTheScreens()
    {
        Fixture f;
        const QString app = f.ctx->instanceName();
        f.ctx->store.writeInt(app, keys::frmMDI::SearchWindowLeft, 900000);
        f.ctx->store.writeInt(app, keys::frmMDI::SearchWindowTop, -50000);
        QDialog *w = f.window();
        const QRect screen = f.mdi->screen()->availableGeometry();
        QVERIFY2(screen.contains(w->frameGeometry().topLeft()),
                 qPrintable(QStringLiteral("%1,%2").arg(w->x()).arg(w->y())));
    }
};

QTEST_MAIN(TstFindWindow)
#include "tst_find_window.moc"
