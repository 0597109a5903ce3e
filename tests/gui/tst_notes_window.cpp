// The iNotes window keeps what the user typed: Exit answered Cancel, a termination request
// (recovery copy offered at the next start), the section-ID check box, notes the user added at
// any level and removed only when he says so, boxes over the window, backups past 999, and a
// save that cannot be written.
#include "app/ui/frm_mdi.h"
#include "app/ui/orderly_exit.h"
#include "app/ui/splash_sequence.h"
#include "notes/notes_store.h"
#include "notes/ui/frm_tip.h"
#include "platform/termination.h"
#include "platform/ui/qt_prompter.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace zx;
using test::ScriptedPrompter;

namespace {

const QByteArray kSmallFile = "<_1.0.0.0_>\r\n<:Start:>\r\nWelcome\r\n<_5.0.0.0_>\r\n<:Five:>\r\nFive\r\n";

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Adds a note at level 1-4 after the current one and types its title and body.
void addAndType(QWidget *tip, int level, const QString &ref, const QString &body)
{
    child<QComboBox>(tip, "cmbAddLevel")->setCurrentIndex(level - 1);
    child<QPushButton>(tip, "cmdAdd")->click();
    auto *refex = child<QLineEdit>(tip, "txtRefex");
    refex->selectAll();
    QTest::keyClicks(refex, ref);
    auto *notex = child<QPlainTextEdit>(tip, "txtNotex");
    notex->selectAll();
    QTest::keyClicks(notex, body);
}

// The whole program over one settings and program folder, started again as often as needed.
struct Program {
    ScriptedPrompter prompter;
    AppContext ctx;
    QPointer<FrmMdi> mdi;
    explicit Program() { ctx.prompter = &prompter; }
    ~Program()
    {
        if (mdi) {
            prompter.queue(MsgAnswer::No);
            mdi->closeByProgram();
        }
    }
    FrmMdi *start() { return mdi = runSplashSequence(ctx); }
    FrmTip *notes()
    {
        mdi->findChild<QAction *>(QStringLiteral("mnuViewNotes"))->trigger();
        return mdi->findChild<FrmTip *>(QStringLiteral("frmTip"));
    }
};

QString notesPath(const test::TempSettings &tmp)
{
    return tmp.path() + QStringLiteral("/program/") + NotesStore::kFileName;
}

} // namespace

class TestNotesWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitCancelKeepsProgramAndTypedNotes()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        Program run;
        run.start();
        FrmTip *tip = run.notes();
        addAndType(tip, 4, QStringLiteral("Mine"), QStringLiteral("150 gr at 2810 fps"));
        tip->hide();
        run.prompter.queue(MsgAnswer::Cancel);
        run.mdi->findChild<QAction *>(QStringLiteral("mnuFileExit"))->trigger();
        QTest::qWait(50);
        QVERIFY2(run.mdi, "Cancel ended the program");
        QVERIFY(run.prompter.last().text.startsWith(QStringLiteral("iNotes have been changed! ")));
        QVERIFY(tip->isVisible());
        QCOMPARE(child<QPlainTextEdit>(tip, "txtNotex")->toPlainText(), QStringLiteral("150 gr at 2810 fps"));
        QVERIFY(!readBytes(notesPath(tmp)).contains("2810 fps"));
    }

    void terminationWritesRecoveryOfferedAtNextStart()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        const QString path = notesPath(tmp);
        const QString recovery = QFileInfo(path).dir().filePath(QStringLiteral("zentnots-recovered.ini"));
        QByteArray before;
        {
            Program run;
            run.start();
            before = readBytes(path);
            addAndType(run.notes(), 4, QStringLiteral("Mine"), QStringLiteral("150 gr at 2810 fps"));
            {
                OrderlyExit orderly(run.ctx);   // gone before its grace time: the process lives on
                orderly.setMainWindow(run.mdi, {});
                QEventLoop loop;   // the main loop's level, from which alone the orderly end closes
                connect(run.mdi, &QObject::destroyed, &loop, &QEventLoop::quit);
                QTimer::singleShot(0, &orderly, [&orderly] { orderly.request(); });
                QTimer::singleShot(2000, &loop, &QEventLoop::quit);
                loop.exec();
            }
            clearTerminationRequest();
            QVERIFY(run.mdi.isNull());
            QVERIFY2(!run.prompter.anyTextContains(QStringLiteral("Save Changes ?")), qPrintable(run.prompter.texts().join('|')));
        }
        QCOMPARE(readBytes(path), before);   // the notes file itself is left as it was
        QVERIFY(readBytes(recovery).contains("150 gr at 2810 fps"));

        Program next;
        next.prompter.queue(MsgAnswer::Yes);
        next.start();
        QVERIFY(next.prompter.count() >= 1);
        QVERIFY2(next.prompter.at(0).text.contains(QDir::toNativeSeparators(recovery)), qPrintable(next.prompter.at(0).text));
        QVERIFY(readBytes(path).contains("150 gr at 2810 fps"));
        QVERIFY(!QFile::exists(recovery));
    }

    void recoveryRefusedIsRemovedAndNotesFileKept()
    {
        test::TempSettings tmp;
        tmp.selectChronographByHand();
        const QString path = notesPath(tmp);
        QDir().mkpath(QFileInfo(path).path());
        writeBytes(path, kSmallFile);
        const QString recovery = QFileInfo(path).dir().filePath(QStringLiteral("zentnots-recovered.ini"));
        writeBytes(recovery, kSmallFile + "<_5.0.0.1_>\r\n<:Lost:>\r\nlost text\r\n");
        Program run;
        run.prompter.queue(MsgAnswer::No);
        run.start();
        QVERIFY(run.prompter.count() >= 1);
        QVERIFY(run.prompter.at(0).text.contains(QDir::toNativeSeparators(recovery)));
        QVERIFY(!QFile::exists(recovery));
        QCOMPARE(readBytes(path), kSmallFile);
    }

    void sectionIdsToggleKeepsTypedText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile);
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        addAndType(&tip, 4, QStringLiteral("Mine"), QStringLiteral("typed before the tick"));
        tip.chkRefSee()->click();
        QCOMPARE(child<QPlainTextEdit>(&tip, "txtNotex")->toPlainText(), QStringLiteral("typed before the tick"));
        QCOMPARE(child<QLineEdit>(&tip, "txtRefex")->text(), QStringLiteral("Mine"));
        QVERIFY(child<QLabel>(&tip, "lblSection")->text().contains(QStringLiteral("{1.0.0.1}")));
        tip.chkRefSee()->click();
        QVERIFY(!child<QLabel>(&tip, "lblSection")->text().contains(QStringLiteral("{")));
        QCOMPARE(child<QPlainTextEdit>(&tip, "txtNotex")->toPlainText(), QStringLiteral("typed before the tick"));
    }

    void addedNoteStaysUsers_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("id");
        QTest::newRow("chapter") << 1 << "2.0.0.0";
        QTest::newRow("section") << 2 << "1.1.0.0";
        QTest::newRow("topic") << 3 << "1.0.1.0";
        QTest::newRow("user iNote") << 4 << "1.0.0.1";
    }

    void addedNoteStaysUsers()
    {
        QFETCH(int, level);
        QFETCH(QString, id);
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile);
        ScriptedPrompter p;
        {
            NotesStore store(p);
            store.load(path);
            FrmTip tip(store, p);
            tip.showNote(NoteId{{1, 0, 0, 0}}, false);
            addAndType(&tip, level, QStringLiteral("My loads"), QStringLiteral("Varget 44.0"));
            child<QPushButton>(&tip, "cmdSave")->click();
            QVERIFY(!store.changed());
        }
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.showNote(*NoteId::parse(id), false);
        QCOMPARE(child<QLineEdit>(&tip, "txtRefex")->text(), QStringLiteral("My loads"));
        QVERIFY(child<QLabel>(&tip, "lblSection")->text().startsWith(QStringLiteral("User iNote")));
        auto *notex = child<QPlainTextEdit>(&tip, "txtNotex");
        QVERIFY(!notex->isReadOnly());
        notex->moveCursor(QTextCursor::End);
        QTest::keyClicks(notex, QStringLiteral(" grains"));
        child<QPushButton>(&tip, "cmdSave")->click();
        QVERIFY(readBytes(path).contains("Varget 44.0 grains"));
        auto *del = child<QPushButton>(&tip, "cmdDelete");
        QVERIFY(del->isEnabled());
        p.queue({MsgAnswer::No, MsgAnswer::Yes});
        del->click();   // asked first: No keeps the note
        QVERIFY2(p.anyTextContains("{" + id + "} ''My loads''"), qPrintable(p.texts().join('|')));
        QCOMPARE(child<QLineEdit>(&tip, "txtRefex")->text(), QStringLiteral("My loads"));
        del->click();
        QCOMPARE(p.pending(), 0);
        QCOMPARE(store.indexOf(*NoteId::parse(id)), 0);
        QCOMPARE(store.count(), 2);
    }

    void pagingAndGoTo()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile + "<_5.0.0.1_>\r\n<:Mine:>\r\nmy text\r\n");
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        auto *refex = child<QLineEdit>(&tip, "txtRefex");
        auto *label = child<QLabel>(&tip, "lblSection");
        const auto press = [&tip](const char *name) { child<QPushButton>(&tip, name)->click(); };
        QCOMPARE(label->text(), QStringLiteral("System iNote  1 of 3"));
        QVERIFY(refex->isReadOnly() && !child<QPushButton>(&tip, "cmdDelete")->isEnabled());
        press("cmdUp");
        QCOMPARE(p.last().text, QStringLiteral("Top Reached - Nowhere To Go...!"));
        press("cmdLast");
        QCOMPARE(refex->text(), QStringLiteral("Mine"));
        QCOMPARE(label->text(), QStringLiteral("User iNote  3 of 3"));
        QVERIFY(!refex->isReadOnly() && child<QPushButton>(&tip, "cmdDelete")->isEnabled());
        press("cmdDown");
        QCOMPARE(p.last().text, QStringLiteral("Bottom Reached - Nowhere To Go...!"));
        press("cmdFirst");
        press("cmdDown");
        QCOMPARE(refex->text(), QStringLiteral("Five"));
        const auto goTo = [&](const char *id) {
            tip.txtGoTo()->setText(QString::fromLatin1(id));
            press("cmdGoTo");
        };
        goTo("5.0.0.1");
        QCOMPARE(refex->text(), QStringLiteral("Mine"));
        goTo("7.0.0.0");
        QCOMPARE(p.last().text, QStringLiteral("Section {7.0.0.0} not found."));
        goTo("1.2");
        QCOMPARE(p.last().text, QStringLiteral("Invalid Section ID Numbers - format example: <_nn.nn.nn.nn_>"));
        QCOMPARE(refex->text(), QStringLiteral("Mine"));
        QCOMPARE(p.count(), 4);
    }

    void closeAsksAboutChanges_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("Yes saves") << MsgAnswer::Yes;
        QTest::newRow("No leaves the file") << MsgAnswer::No;
        QTest::newRow("Cancel keeps the window") << MsgAnswer::Cancel;
    }

    void closeAsksAboutChanges()
    {
        QFETCH(MsgAnswer, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile);
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        child<QPushButton>(&tip, "cmdClose")->click();   // nothing changed: nothing asked
        QCOMPARE(p.count(), 0);
        QVERIFY(!tip.isVisible());
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        addAndType(&tip, 4, QStringLiteral("Mine"), QStringLiteral("typed"));
        p.queue(answer);
        child<QPushButton>(&tip, "cmdClose")->click();
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.last().text, QStringLiteral("iNotes have been changed! \r\nSave Changes ?"));
        QCOMPARE(p.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(tip.isVisible(), answer == MsgAnswer::Cancel);
        QCOMPARE(readBytes(path).contains("typed"), answer == MsgAnswer::Yes);
    }

    void boxesComeUpOverTheNotesWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile);
        QWidget mainWindow;
        QtPrompter prompter(&mainWindow);   // as the program's: carried by the main window
        NotesStore store(prompter);
        store.load(path);
        FrmTip tip(store, prompter, &mainWindow);
        mainWindow.show();
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        QVERIFY(QTest::qWaitForWindowActive(&tip));
        QWidget *carrier = nullptr;
        QTimer::singleShot(0, &tip, [&carrier] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                    carrier = box->parentWidget();
                    box->accept();
                }
        });
        child<QPushButton>(&tip, "cmdUp")->click();   // at the first note: "Top Reached ..."
        QCOMPARE(carrier, &tip);
    }

    void backupsGoOnPast999()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(NotesStore::kFileName);
        writeBytes(path, kSmallFile);
        for (int n = 1; n <= 999; ++n)
            writeBytes(dir.filePath(QStringLiteral("zentnots%1.ini").arg(n, 3, 10, QLatin1Char('0'))), "old");
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.chkBackup()->setChecked(true);
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        addAndType(&tip, 4, QStringLiteral("Mine"), QStringLiteral("after a thousand saves"));
        child<QPushButton>(&tip, "cmdSave")->click();
        QCOMPARE(p.count(), 0);
        QVERIFY(readBytes(path).contains("after a thousand saves"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("zentnots1000.ini"))), kSmallFile);
    }

    void failedSaveKeepsOldFileAndTells_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("parentIsFile");
        QTest::newRow("disk full") << false << false;
        QTest::newRow("disk full, backup first") << true << false;
        QTest::newRow("folder is a file") << false << true;
    }

    void failedSaveKeepsOldFileAndTells()
    {
        QFETCH(bool, backup);
        QFETCH(bool, parentIsFile);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("notes")));
        const QString path = dir.filePath(QStringLiteral("notes/zentnots.ini"));
        QByteArray big = kSmallFile;
        for (int i = 0; i < 50; ++i)
            big += "<_9." + QByteArray::number(i) + ".0.0_>\r\n<:filler:>\r\n" + QByteArray(200, 'f') + "\r\n";
        writeBytes(path, big);
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        FrmTip tip(store, p);
        tip.chkBackup()->setChecked(backup);
        tip.showNote(NoteId{{1, 0, 0, 0}}, false);
        addAndType(&tip, 4, QStringLiteral("Mine"), QStringLiteral("never half written"));
        QString kept = path;
        if (parentIsFile) {   // the notes folder was moved away and a file took its name
            QVERIFY(QDir(dir.path()).rename(QStringLiteral("notes"), QStringLiteral("moved")));
            writeBytes(dir.filePath(QStringLiteral("notes")), "a file, not a folder");
            kept = dir.filePath(QStringLiteral("moved/zentnots.ini"));
        }
        const QStringList before = QDir(QFileInfo(kept).path()).entryList(QDir::Files | QDir::Hidden);

        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 1024;   // the old file is larger: neither a copy of it nor the new file fits
        if (!parentIsFile)
            setrlimit(RLIMIT_FSIZE, &small);
        child<QPushButton>(&tip, "cmdSave")->click();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(store.changed());
        QCOMPARE(p.count(), 1);
        const QStringList told = p.lastLines();
        QCOMPARE(told.value(0), QStringLiteral("Error in saving iNotes file...!"));
        QVERIFY2(p.last().text.contains(QDir::toNativeSeparators(store.path())), qPrintable(p.last().text));
        QVERIFY2(told.size() >= 3 && !told.last().isEmpty(), qPrintable(p.last().text));   // the system's reason
        QCOMPARE(readBytes(kept), big);
        QCOMPARE(QDir(QFileInfo(kept).path()).entryList(QDir::Files | QDir::Hidden), before);   // no stray temporary or backup
    }
};

QTEST_MAIN(TestNotesWindow)
#include "tst_notes_window.moc"
