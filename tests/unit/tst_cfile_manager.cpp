// CFile document commands without windows: names, sequence, save, save as, save all,
// revert, the close question and failed saves.
#include "cfile/cfile_codec.h"
#include "cfile/cfile_manager.h"
#include "platform/settings_store.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using zx::MsgAnswer;
using zx::MsgButtons;

namespace {

struct Fixture {
    zx::test::TempSettings tmp;
    zx::SettingsStore store;
    zx::test::ScriptedPrompter prompter;
    zx::test::ScriptedFileChooser chooser;
    zx::CFileManager files{prompter, chooser, store, QStringLiteral("Zentrix0")};
    QList<QString> errors;  // "description|number|location"
    Fixture()
    {
        files.setErrorReport([this](const QString &d, int n, const QString &loc) {
            errors << d + QLatin1Char('|') + QString::number(n) + QLatin1Char('|') + loc;
        });
    }
    void type(zx::CFileDoc *doc, const QString &text)
    {
        QTextCursor c(doc->document());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TstCFileManager : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sequenceAndGate()
    {
        Fixture f;
        f.files.createNewCFile();  // the start-up CFile
        QCOMPARE(f.files.active()->caption(), QString("CFile1"));
        f.prompter.queue({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
        f.files.mnuFileNew();
        f.files.mnuFileNew();
        f.files.mnuFileNew();
        QCOMPARE(f.prompter.count(), 3);
        QCOMPARE(f.files.numOfCFIles(), 4);
        QCOMPARE(f.files.docs().at(1)->caption(), QString("CFile2"));
        QCOMPARE(f.files.docs().at(3)->caption(), QString("CFile4"));
        QCOMPARE(f.files.active()->caption(), QString("CFile4"));
        QVERIFY(!f.files.active()->bChanged());
        // Declining the gate creates nothing; the number is not used up.
        f.prompter.queue(MsgAnswer::No);
        f.files.mnuFileNew();
        QCOMPARE(f.files.numOfCFIles(), 4);
        QCOMPARE(f.files.cfileSeq(), qint16(4));
        // Chronograph warnings off: no question.
        f.store.write("Zentrix0", "frmVipNotes", "ShowWarnRV", "False");
        const int before = f.prompter.count();
        f.files.mnuFileNew();
        QCOMPARE(f.prompter.count(), before);
        QCOMPARE(f.files.active()->caption(), QString("CFile5"));
    }

    void reSequence()
    {
        Fixture f;
        f.files.mnuCFileReSeq();  // no CFile: no question
        QCOMPARE(f.prompter.count(), 0);
        f.files.createNewCFile();
        f.files.createNewCFile();
        f.prompter.queue(MsgAnswer::No);
        f.files.mnuCFileReSeq();
        QCOMPARE(f.prompter.lastLines(), QStringList({"Current sequence number is 3", "",
                                                       "There are active CFiles present.!",
                                                       "Reset Sequence Number Anyway...?  "}));
        QCOMPARE(f.prompter.last().defaultButton, 2);
        QCOMPARE(f.files.cfileSeq(), qint16(2));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuCFileReSeq();
        QCOMPARE(f.files.cfileSeq(), qint16(0));
        QCOMPARE(f.files.createNewCFile()->caption(), QString("CFile1"));
    }

    void noCFileBoxes_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("text");
        QTest::newRow("Close") << 0 << "No Open CFile !";
        QTest::newRow("CloseAll") << 1 << "No open CFiles!...";
        QTest::newRow("Save") << 2 << "No Open CFile !";
        QTest::newRow("SaveAs") << 3 << "No Open CFiles !";
        QTest::newRow("SaveAll") << 4 << "No Open CFile !";
        QTest::newRow("SaveSelectionAs") << 5 << "No Open CFile !";
        QTest::newRow("Revert") << 6 << "No Open CFile !";
    }
    void noCFileBoxes()
    {
        QFETCH(int, cmd);
        QFETCH(QString, text);
        Fixture f;
        using M = void (zx::CFileManager::*)();
        const M cmds[] = {&zx::CFileManager::mnuFileClose,  &zx::CFileManager::mnuFileCloseAll,
                          &zx::CFileManager::mnuFileSave,   &zx::CFileManager::mnuFileSaveAs,
                          &zx::CFileManager::mnuFileSaveAll, &zx::CFileManager::mnuFileSaveSelectionAs,
                          &zx::CFileManager::mnuFileRevert};
        (f.files.*cmds[cmd])();
        QCOMPARE(f.prompter.count(), 1);
        QCOMPARE(f.prompter.last().text, text);
        QCOMPARE(f.prompter.last().title, QString("LogPad"));
        QCOMPARE(f.chooser.count(), 0);
    }

    void needActiveCFile()
    {
        Fixture f;
        QVERIFY(f.files.needActiveCFile());  // default answer No
        QCOMPARE(f.prompter.lastLines(), QStringList({"There Are No Opened CFiles..!", "Create a New CFile.?"}));
        QCOMPARE(f.prompter.last().defaultButton, 2);
        f.prompter.queue(MsgAnswer::Yes);
        QVERIFY(!f.files.needActiveCFile());
        QCOMPARE(f.files.numOfCFIles(), 1);
        QVERIFY(!f.files.needActiveCFile());
        QCOMPARE(f.prompter.count(), 2);
    }

    void saveDefaultNameGoesToSaveAs()
    {
        Fixture f;
        QTemporaryDir dir;
        f.files.createNewCFile();
        f.files.createNewCFile();
        zx::CFileDoc *doc = f.files.createNewCFile();
        f.type(doc, "shots");
        f.files.mnuFileSave();  // Cancel
        QCOMPARE(f.chooser.count(), 1);
        QCOMPARE(f.chooser.last().title, QString("Save As"));
        QCOMPARE(f.chooser.last().proposed, QString("CFile3.rtf"));
        QVERIFY(doc->bChanged());
        QCOMPARE(f.prompter.count(), 0);  // Cancel is silent
        // Invalid extension: Retry shows the dialog again.
        f.chooser.queueSave(dir.filePath("x.doc"));
        f.chooser.queueSave(dir.filePath("x.txt"));
        f.prompter.queue(MsgAnswer::Retry);
        f.files.mnuFileSave();
        QCOMPARE(f.prompter.lines(0), QStringList({"File name ''x.doc'' has invalid file extension",
                                                   "Valid extensions are,  ''.cap''  ''.rtf  ''.txt''  ''.log''"}));
        QCOMPARE(f.prompter.at(0).buttons, MsgButtons::RetryCancel);
        QCOMPARE(doc->caption(), dir.filePath("x.txt"));
        QVERIFY(!doc->bChanged());
        QCOMPARE(readAll(dir.filePath("x.txt")), QByteArray("shots"));
        // Next save goes straight to the file.
        f.type(doc, "\nmore");
        f.files.mnuFileSave();
        QCOMPARE(f.chooser.count(), 3);
        QCOMPARE(readAll(dir.filePath("x.txt")), QByteArray("shots\r\nmore"));
    }

    void saveUnknownExtension()
    {
        Fixture f;
        QTemporaryDir dir;
        zx::CFileDoc *doc = f.files.createNewCFile();
        f.type(doc, "x");
        doc->setCaption(dir.filePath("run.abc"));
        f.files.mnuFileSave();
        QCOMPARE(f.prompter.last().text, QString("''.abc'' has unknown file extension"));
        QVERIFY(!QFile::exists(dir.filePath("run.abc")));
        QVERIFY(doc->bChanged());
        // No extension: ".rtf" is added.
        doc->setCaption(dir.filePath("run"));
        f.files.mnuFileSave();
        QCOMPARE(doc->caption(), dir.filePath("run.rtf"));
        QVERIFY(QFile::exists(dir.filePath("run.rtf")));
    }

    void openChecksExtensions()
    {
        Fixture f;
        QTemporaryDir dir;
        writeFile(dir.filePath("data.log"), "CAP: 1 2800\r\nCAP: 2 2810\r\n");
        writeFile(dir.filePath("notes.htm"), "x");
        writeFile(dir.filePath("README"), "x");
        // notes.htm: Ignore skips it; README: Abort ends the command; data.log before stays open.
        f.chooser.queueOpen({dir.filePath("data.log"), dir.filePath("notes.htm"), dir.filePath("README"),
                             dir.filePath("data.log")});
        f.prompter.queue({MsgAnswer::Ignore, MsgAnswer::Abort});
        f.files.openDocument();
        QCOMPARE(f.chooser.last().title, QString("Select file(s) to open"));
        QCOMPARE(f.prompter.count(), 2);
        QCOMPARE(f.prompter.lines(0), QStringList({"File name ''notes.htm'' has invalid file extension",
                                                   "Valid extensions are,  ''.cap''  ''.rtf  ''.txt''  ''.log''"}));
        QCOMPARE(f.prompter.at(0).buttons, MsgButtons::AbortRetryIgnore);
        QCOMPARE(f.prompter.lines(1), QStringList({"File name ''README'' has no file extension"}));
        QCOMPARE(f.files.numOfCFIles(), 1);
        zx::CFileDoc *doc = f.files.active();
        QCOMPARE(doc->caption(), dir.filePath("data.log"));
        QCOMPARE(doc->document()->toPlainText(), QString("CAP: 1 2800\nCAP: 2 2810\n"));
        QVERIFY(!doc->bChanged());
        QCOMPARE(f.files.mru().entries().value(0), dir.filePath("data.log"));
        QCOMPARE(f.files.cfileSeq(), qint16(1));
    }

    void openRetryShowsDialogAgain()
    {
        Fixture f;
        QTemporaryDir dir;
        writeFile(dir.filePath("a.txt"), "A");
        f.chooser.queueOpen({dir.filePath("README")});
        f.chooser.queueOpen({dir.filePath("a.txt")});
        f.prompter.queue(MsgAnswer::Retry);
        f.files.openDocument();
        QCOMPARE(f.chooser.count(), 2);
        QCOMPARE(f.files.active()->document()->toPlainText(), QString("A"));
    }

    void openBadRichTextKeepsEmptyCFile()
    {
        Fixture f;
        QTemporaryDir dir;
        writeFile(dir.filePath("bad.rtf"), "this is not rich text");
        f.chooser.queueOpen({dir.filePath("bad.rtf")});
        f.files.openDocument();
        QCOMPARE(f.files.numOfCFIles(), 1);
        QCOMPARE(f.files.active()->caption(), QString("CFile1"));
        QVERIFY(f.files.active()->isEmptyText());
        QCOMPARE(f.prompter.count(), 1);
        QVERIFY(!f.prompter.last().text.isEmpty());
        QVERIFY(f.errors.isEmpty());
    }

    void richTextRoundTrip()
    {
        Fixture f;
        QTemporaryDir dir;
        zx::CFileDoc *doc = f.files.createNewCFile();
        QTextCursor c(doc->document());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.insertText("TAG: Start", bold);
        c.insertText("\nCAP: 1 2801 f/s");
        f.chooser.queueSave(dir.filePath("run.cap"));
        QVERIFY(f.files.saveAs(doc));
        QVERIFY(f.files.closeDoc(doc));
        f.chooser.queueOpen({dir.filePath("run.cap")});
        f.files.openDocument();
        zx::CFileDoc *back = f.files.active();
        QCOMPARE(back->document()->toPlainText(), QString("TAG: Start\nCAP: 1 2801 f/s"));
        QTextCursor at(back->document());
        at.setPosition(2);
        QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
    }

    void saveAllWithNeverSavedDocument()
    {
        Fixture f;
        QTemporaryDir dir;
        writeFile(dir.filePath("old.txt"), "old");
        zx::CFileDoc *never = f.files.createNewCFile();
        f.type(never, "new text");
        QVERIFY(f.files.openPath(dir.filePath("old.txt"), "x"));
        f.type(f.files.active(), " plus");
        f.chooser.queueSave(dir.filePath("first.rtf"));
        f.files.mnuFileSaveAll();
        QCOMPARE(f.chooser.count(), 1);
        QCOMPARE(f.chooser.last().proposed, QString("CFile1.rtf"));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QCOMPARE(f.prompter.count(), 0);
        QCOMPARE(readAll(dir.filePath("old.txt")), QByteArray("old plus"));
        QVERIFY(QFile::exists(dir.filePath("first.rtf")));
    }

    void saveAllCancelStopsEverything()
    {
        Fixture f;
        f.files.createNewCFile();
        f.files.createNewCFile();
        f.files.mnuFileSaveAll();  // Cancel in the first dialog
        QCOMPARE(f.chooser.count(), 1);
        QCOMPARE(f.files.numOfCFIles(), 2);
    }

    void revert()
    {
        Fixture f;
        QTemporaryDir dir;
        writeFile(dir.filePath("r.txt"), "saved");
        QVERIFY(f.files.openPath(dir.filePath("r.txt"), "x"));
        zx::CFileDoc *doc = f.files.active();
        f.files.mnuFileRevert();  // unchanged: nothing happens
        QCOMPARE(f.prompter.count(), 0);
        f.type(doc, " edited");
        f.files.mnuFileRevert();  // default No
        QCOMPARE(f.prompter.last().text, "Do you want to revert [" + dir.filePath("r.txt") + "] to last saved version ?");
        QCOMPARE(f.prompter.last().title, QString("Zentrix - Revert"));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNo);
        QCOMPARE(doc->document()->toPlainText(), QString("saved edited"));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuFileRevert();
        QCOMPARE(doc->document()->toPlainText(), QString("saved"));
        QVERIFY(!doc->bChanged());
        // The file vanished: the error report names the location, the text stays.
        f.type(doc, "!");
        QFile::remove(dir.filePath("r.txt"));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuFileRevert();
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors.first().endsWith("|modDocument\\RevertDocument"));
        QCOMPARE(doc->document()->toPlainText(), QString("saved!"));
    }

    void closeQuestion()
    {
        Fixture f;
        QTemporaryDir dir;
        zx::CFileDoc *doc = f.files.createNewCFile();
        f.type(doc, "x");
        f.prompter.queue(MsgAnswer::Cancel);
        QVERIFY(!f.files.closeDoc(doc));
        QCOMPARE(f.prompter.lastLines(), QStringList({"File CFile1 has changed !", "Save changes ?"}));
        QCOMPARE(f.prompter.last().title, QString("Zentrix"));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.files.numOfCFIles(), 1);
        // Yes with Cancel in the Save As dialog: the window stays.
        f.prompter.queue(MsgAnswer::Yes);
        QVERIFY(!f.files.closeDoc(doc));
        QCOMPARE(f.files.numOfCFIles(), 1);
        // Yes and a name: saved and closed.
        f.prompter.queue(MsgAnswer::Yes);
        f.chooser.queueSave(dir.filePath("c.txt"));
        QVERIFY(f.files.closeDoc(doc));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QCOMPARE(readAll(dir.filePath("c.txt")), QByteArray("x"));
        // No: closed without saving.
        doc = f.files.createNewCFile();
        f.type(doc, "y");
        f.prompter.queue(MsgAnswer::No);
        QVERIFY(f.files.closeDoc(doc));
        // An emptied document asks nothing.
        doc = f.files.createNewCFile();
        f.type(doc, "z");
        doc->document()->clear();
        QVERIFY(doc->bChanged());
        const int shown = f.prompter.count();
        QVERIFY(f.files.closeDoc(doc));
        QCOMPARE(f.prompter.count(), shown);
    }

    void closeAllMostRecentFirst()
    {
        Fixture f;
        f.files.createNewCFile();
        f.type(f.files.createNewCFile(), "a");
        f.type(f.files.createNewCFile(), "b");
        f.prompter.queue({MsgAnswer::No, MsgAnswer::Cancel});
        f.files.mnuFileCloseAll();
        QCOMPARE(f.prompter.lines(0).first(), QString("File CFile3 has changed !"));
        QCOMPARE(f.prompter.lines(1).first(), QString("File CFile2 has changed !"));
        QCOMPARE(f.files.numOfCFIles(), 2);  // Cancel stopped it
        QCOMPARE(f.files.active()->caption(), QString("CFile2"));
    }

    void windowStateStored()
    {
        Fixture f;
        zx::CFileDoc *doc = f.files.createNewCFile();
        doc->setWindowState(2);
        f.files.closeDoc(doc);
        QCOMPARE(f.store.read("Zentrix0", "CFile", "CFileState"), QString("2"));
        doc = f.files.createNewCFile();
        QCOMPARE(doc->windowState(), 2);
        doc->setWindowState(1);  // minimised: not stored
        f.files.closeDoc(doc);
        QCOMPARE(f.store.read("Zentrix0", "CFile", "CFileState"), QString("2"));
    }

    void failedSaveKeepsOldFileAndDocument()
    {
        Fixture f;
        QTemporaryDir dir;
        const QString path = dir.filePath("log.txt");
        writeFile(path, "previous version");
        QVERIFY(f.files.openPath(path, "x"));
        zx::CFileDoc *doc = f.files.active();
        f.type(doc, QString(20000, QLatin1Char('x')));
        // A full disk: writes beyond 1 KB fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1024;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        f.files.mnuFileSave();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors.first().endsWith("|moxCFile-SaveCFile-(3)"));
        QCOMPARE(readAll(path), QByteArray("previous version"));
        QVERIFY(doc->bChanged());
        QCOMPARE(doc->caption(), path);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"log.txt"}));  // no leftovers
        // Save As into a folder that does not exist.
        f.chooser.queueSave(dir.filePath("nope/x.rtf"));
        f.files.mnuFileSaveAs();
        QCOMPARE(f.errors.size(), 2);
        QVERIFY(f.errors.last().endsWith("|modCFile/SaveAs->" + dir.filePath("nope/x.rtf")));
        QCOMPARE(doc->caption(), path);
        QVERIFY(doc->bChanged());
        // The close question's Yes with a failing save keeps the window.
        if (::geteuid() != 0) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            f.prompter.queue(MsgAnswer::Yes);
            QVERIFY(!f.files.closeDoc(doc));
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(f.files.numOfCFIles(), 1);
            QCOMPARE(readAll(path), QByteArray("previous version"));
        }
    }

    void mruMissingFile()
    {
        Fixture f;
        QTemporaryDir dir;
        f.files.mru().add(dir.filePath("gone.rtf"));
        f.files.mnuFileMRUItem(dir.filePath("gone.rtf"));
        QCOMPARE(f.prompter.last().text, QString("File doesn't exists!"));
        QCOMPARE(f.prompter.last().title, QString("LogPad - MRUItem"));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QVERIFY(f.files.mru().entries().isEmpty());
        // The list is kept per instance.
        writeFile(dir.filePath("a.log"), "1");
        f.files.mnuFileMRUItem(dir.filePath("a.log"));
        QCOMPARE(f.files.active()->caption(), dir.filePath("a.log"));
        zx::MruList again(f.store, "Zentrix0");
        QCOMPARE(again.entries(), QStringList({dir.filePath("a.log")}));
        zx::MruList other(f.store, "Zentrix1");
        QVERIFY(other.entries().isEmpty());
    }

    void saveSelectionAs()
    {
        Fixture f;
        QTemporaryDir dir;
        zx::CFileDoc *doc = f.files.createNewCFile();
        f.type(doc, "one two three");
        QTextCursor c(doc->document());
        c.setPosition(4);
        c.setPosition(7, QTextCursor::KeepAnchor);
        doc->setCaret(c);
        f.chooser.queueSave(dir.filePath("sel.txt"));
        f.files.mnuFileSaveSelectionAs();
        QCOMPARE(f.chooser.last().title, QString("Save Selection As"));
        QCOMPARE(f.chooser.last().proposed, QString("CFile1"));
        QCOMPARE(readAll(dir.filePath("sel.txt")), QByteArray("two"));
        QCOMPARE(doc->caption(), QString("CFile1"));
        QVERIFY(doc->bChanged());
    }

    void lineDisplay()
    {
        QCOMPARE(zx::CFileManager::lineDisplay(12, 1234567), QString("Line:12 tot:1,234,567"));
    }
};

QTEST_GUILESS_MAIN(TstCFileManager)
#include "tst_cfile_manager.moc"
