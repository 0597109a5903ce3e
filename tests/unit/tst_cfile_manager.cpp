// CFile document commands without windows: names, sequence, open, save, save as, save all,
// revert, the close question and failed saves; and the naming rules they rest on.
#include "cfile/cfile_codec.h"
#include "cfile/cfile_manager.h"
#include "cfile/cfile_names.h"
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
    QTemporaryDir dir;
    QStringList errors; // "description|number|location"
    Fixture()
    {
        files.setErrorReport([this](const QString &d, int n, const QString &loc) {
            errors << d + QLatin1Char('|') + QString::number(n) + QLatin1Char('|') + loc;
        });
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    void type(zx::CFileDoc *doc, const QString &text)
    {
        QTextCursor c(doc->document());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    }
    zx::CFileDoc *typed(const QString &text)
    {
        zx::CFileDoc *doc = files.createNewCFile();
        type(doc, text);
        return doc;
    }
    void write(const char *name, const QByteArray &data)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    }
    QByteArray read(const char *name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString text() const { return files.active()->document()->toPlainText(); }
};

const QString kInvalidExt = QStringLiteral("File name ''%1'' has invalid file extension");

} // namespace

class TstCFileManager : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extClass()
    {
        const std::pair<const char *, int> cases[] = {
            {"A.RTF", 0}, {"data.cap", 3}, {"x.Txt", 4}, {"data.log", 5}, {"zent.ini", 6}, {"run.bat", 7},
            {"run.abc", 8}, {"a.xy", 8}, {".", 8}, {"page.html", 9}, {"README", 9}, {"", 9}};   // dot in the last four
        for (const auto &[name, cls] : cases)
            QVERIFY2(zx::extClass(name) == cls, name);
    }

    void names()
    {
        for (const char *yes : {"CFile7", "CFile42"})
            QVERIFY2(zx::isDefaultName(yes), yes);
        for (const char *no : {"CFile100", "CFile", "CFile4a", "cfile4", "/tmp/CFile4.rtf", "CFile4.rtf"})
            QVERIFY2(!zx::isDefaultName(no), no);
        QCOMPARE(zx::fileTitle("C:\\x\\run.abc"), QString("run.abc"));
        QCOMPARE(zx::fileTitle("/home/u/a.rtf"), QString("a.rtf"));
        QVERIFY(zx::endsWithRtf("x.RtF") && !zx::endsWithRtf("x.cap"));
        QCOMPARE(zx::CFileManager::lineDisplay(12, 1234567), QString("Line:12 tot:1,234,567"));
    }

    void sequenceAndGate()
    {
        Fixture f;
        f.files.createNewCFile(); // the start-up CFile
        f.prompter.queue({MsgAnswer::Yes, MsgAnswer::Yes});
        f.files.mnuFileNew();
        f.files.mnuFileNew();
        QCOMPARE(f.prompter.count(), 2);
        QCOMPARE(f.files.numOfCFIles(), 3);
        QCOMPARE(f.files.docs().at(1)->caption(), QString("CFile2"));
        QCOMPARE(f.files.active()->caption(), QString("CFile3"));
        QVERIFY(!f.files.active()->bChanged());
        f.prompter.queue(MsgAnswer::No); // declined: nothing created, the number not used up
        f.files.mnuFileNew();
        QCOMPARE(f.files.numOfCFIles(), 3);
        QCOMPARE(f.files.cfileSeq(), qint16(3));
        f.store.write("Zentrix0", "frmVipNotes", "ShowWarnRV", "False"); // chronograph warnings off
        f.files.mnuFileNew();
        QCOMPARE(f.prompter.count(), 3);
        QCOMPARE(f.files.active()->caption(), QString("CFile4"));
    }

    void reSequence()
    {
        Fixture f;
        f.files.mnuCFileReSeq(); // no CFile: no question
        QCOMPARE(f.prompter.count(), 0);
        f.files.createNewCFile();
        f.files.createNewCFile();
        f.prompter.queue(MsgAnswer::No);
        f.files.mnuCFileReSeq();
        QCOMPARE(f.prompter.lastLines().first(), QString("Current sequence number is 3"));
        QCOMPARE(f.prompter.last().defaultButton, 2);
        QCOMPARE(f.files.cfileSeq(), qint16(2));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuCFileReSeq();
        QCOMPARE(f.files.cfileSeq(), qint16(0));
        QCOMPARE(f.files.createNewCFile()->caption(), QString("CFile1"));
    }

    void noCFileBoxes()
    {
        using M = void (zx::CFileManager::*)();
        const std::pair<M, const char *> cmds[] = {
            {&zx::CFileManager::mnuFileClose, "No Open CFile !"},  {&zx::CFileManager::mnuFileCloseAll, "No open CFiles!..."},
            {&zx::CFileManager::mnuFileSave, "No Open CFile !"},   {&zx::CFileManager::mnuFileSaveAs, "No Open CFiles !"},
            {&zx::CFileManager::mnuFileSaveAll, "No Open CFile !"}, {&zx::CFileManager::mnuFileSaveSelectionAs, "No Open CFile !"},
            {&zx::CFileManager::mnuFileRevert, "No Open CFile !"}};
        for (const auto &[cmd, text] : cmds) {
            Fixture f;
            (f.files.*cmd)();
            QCOMPARE(f.prompter.texts(), QStringList{text});
            QCOMPARE(f.prompter.last().title, QString("LogPad"));
            QCOMPARE(f.chooser.count(), 0);
        }
    }

    void needActiveCFile()
    {
        Fixture f;
        QVERIFY(f.files.needActiveCFile()); // default answer No
        QCOMPARE(f.prompter.lastLines(), QStringList({"There Are No Opened CFiles..!", "Create a New CFile.?"}));
        f.prompter.queue(MsgAnswer::Yes);
        QVERIFY(!f.files.needActiveCFile());
        QCOMPARE(f.files.numOfCFIles(), 1);
        QVERIFY(!f.files.needActiveCFile());
        QCOMPARE(f.prompter.count(), 2);
    }

    void saveDefaultNameGoesToSaveAs()
    {
        Fixture f;
        f.files.createNewCFile();
        f.files.createNewCFile();
        zx::CFileDoc *doc = f.typed("shots");
        f.files.mnuFileSave(); // Cancel is silent
        QCOMPARE(f.chooser.last().title, QString("Save As"));
        QCOMPARE(f.chooser.last().proposed, QString("CFile3.rtf"));
        QVERIFY(doc->bChanged());
        QCOMPARE(f.prompter.count(), 0);
        // Invalid extension: Retry shows the dialog again.
        f.chooser.queueSave(f.path("x.doc"));
        f.chooser.queueSave(f.path("x.txt"));
        f.prompter.queue(MsgAnswer::Retry);
        f.files.mnuFileSave();
        QCOMPARE(f.prompter.lines(0), QStringList({kInvalidExt.arg("x.doc"), zx::cfiletext::kValidExt}));
        QCOMPARE(f.prompter.at(0).buttons, MsgButtons::RetryCancel);
        QCOMPARE(doc->caption(), f.path("x.txt"));
        QVERIFY(!doc->bChanged());
        QCOMPARE(f.read("x.txt"), QByteArray("shots"));
        f.type(doc, "\nmore"); // the next save goes straight to the file
        f.files.mnuFileSave();
        QCOMPARE(f.chooser.count(), 3);
        QCOMPARE(f.read("x.txt"), QByteArray("shots\r\nmore"));
    }

    void saveUnknownExtension()
    {
        Fixture f;
        zx::CFileDoc *doc = f.typed("x");
        doc->setCaption(f.path("run.abc"));
        f.files.mnuFileSave();
        QCOMPARE(f.prompter.last().text, QString("''.abc'' has unknown file extension"));
        QVERIFY(!QFile::exists(f.path("run.abc")));
        QVERIFY(doc->bChanged());
        doc->setCaption(f.path("run")); // no extension: ".rtf" is added
        f.files.mnuFileSave();
        QCOMPARE(doc->caption(), f.path("run.rtf"));
        QVERIFY(QFile::exists(f.path("run.rtf")));
    }

    void openChecksExtensions()
    {
        Fixture f;
        f.write("data.log", "CAP: 1 2800\r\nCAP: 2 2810\r\n");
        f.write("notes.htm", "x");
        f.write("README", "x");
        // notes.htm: Ignore skips it; README: Abort ends the command; data.log before stays open.
        f.chooser.queueOpen({f.path("data.log"), f.path("notes.htm"), f.path("README"), f.path("data.log")});
        f.prompter.queue({MsgAnswer::Ignore, MsgAnswer::Abort});
        f.files.openDocument();
        QCOMPARE(f.prompter.count(), 2);
        QCOMPARE(f.prompter.lines(0), QStringList({kInvalidExt.arg("notes.htm"), zx::cfiletext::kValidExt}));
        QCOMPARE(f.prompter.at(0).buttons, MsgButtons::AbortRetryIgnore);
        QCOMPARE(f.prompter.lines(1), QStringList({"File name ''README'' has no file extension"}));
        QCOMPARE(f.files.numOfCFIles(), 1);
        QCOMPARE(f.files.active()->caption(), f.path("data.log"));
        QCOMPARE(f.text(), QString("CAP: 1 2800\nCAP: 2 2810\n"));
        QVERIFY(!f.files.active()->bChanged());
        QCOMPARE(f.files.mru().entries().value(0), f.path("data.log"));
        QCOMPARE(f.files.cfileSeq(), qint16(1));
        // Retry shows the dialog again.
        f.write("a.txt", "A");
        f.chooser.queueOpen({f.path("README")});
        f.chooser.queueOpen({f.path("a.txt")});
        f.prompter.queue(MsgAnswer::Retry);
        f.files.openDocument();
        QCOMPARE(f.chooser.count(), 3);
        QCOMPARE(f.text(), QString("A"));
    }

    void openBadRichTextKeepsEmptyCFile()
    {
        Fixture f;
        f.write("bad.rtf", "this is not rich text");
        f.chooser.queueOpen({f.path("bad.rtf")});
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
        zx::CFileDoc *doc = f.files.createNewCFile();
        QTextCursor c(doc->document());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.insertText("TAG: Start", bold);
        c.insertText("\nCAP: 1 2801 f/s");
        f.chooser.queueSave(f.path("run.cap"));
        QVERIFY(f.files.saveAs(doc));
        QVERIFY(f.files.closeDoc(doc));
        f.chooser.queueOpen({f.path("run.cap")});
        f.files.openDocument();
        QCOMPARE(f.text(), QString("TAG: Start\nCAP: 1 2801 f/s"));
        QTextCursor at(f.files.active()->document());
        at.setPosition(2);
        QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
    }

    void saveAll()
    {
        Fixture f;
        f.typed("new text");
        f.typed("second");
        f.files.mnuFileSaveAll(); // Cancel in the first dialog stops everything
        QCOMPARE(f.chooser.count(), 1);
        QCOMPARE(f.files.numOfCFIles(), 2);
        f.prompter.queue(MsgAnswer::No);
        QVERIFY(f.files.closeDoc(f.files.active())); // closed unsaved
        f.write("old.txt", "old");
        QVERIFY(f.files.openPath(f.path("old.txt"), "x"));
        f.type(f.files.active(), " plus");
        f.chooser.queueSave(f.path("first.rtf"));
        f.files.mnuFileSaveAll();
        QCOMPARE(f.chooser.count(), 2);
        QCOMPARE(f.chooser.last().proposed, QString("CFile1.rtf"));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QCOMPARE(f.read("old.txt"), QByteArray("old plus"));
        QVERIFY(QFile::exists(f.path("first.rtf")));
    }

    void revert()
    {
        Fixture f;
        f.write("r.txt", "saved");
        QVERIFY(f.files.openPath(f.path("r.txt"), "x"));
        zx::CFileDoc *doc = f.files.active();
        f.files.mnuFileRevert(); // unchanged: nothing happens
        QCOMPARE(f.prompter.count(), 0);
        f.type(doc, " edited");
        f.files.mnuFileRevert(); // default No
        QCOMPARE(f.prompter.last().text, "Do you want to revert [" + f.path("r.txt") + "] to last saved version ?");
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNo);
        QCOMPARE(f.text(), QString("saved edited"));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuFileRevert();
        QCOMPARE(f.text(), QString("saved"));
        QVERIFY(!doc->bChanged());
        // The file vanished: the error report names the location, the text stays.
        f.type(doc, "!");
        QFile::remove(f.path("r.txt"));
        f.prompter.queue(MsgAnswer::Yes);
        f.files.mnuFileRevert();
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors.first().endsWith("|modDocument\\RevertDocument"));
        QCOMPARE(f.text(), QString("saved!"));
    }

    void closeQuestion()
    {
        Fixture f;
        zx::CFileDoc *doc = f.typed("x");
        f.prompter.queue(MsgAnswer::Cancel);
        QVERIFY(!f.files.closeDoc(doc));
        QCOMPARE(f.prompter.lastLines(), QStringList({"File CFile1 has changed !", "Save changes ?"}));
        QCOMPARE(f.prompter.last().buttons, MsgButtons::YesNoCancel);
        f.prompter.queue(MsgAnswer::Yes); // Yes, then Cancel in the Save As dialog: the window stays
        QVERIFY(!f.files.closeDoc(doc));
        QCOMPARE(f.files.numOfCFIles(), 1);
        f.prompter.queue(MsgAnswer::Yes); // Yes and a name: saved and closed
        f.chooser.queueSave(f.path("c.txt"));
        QVERIFY(f.files.closeDoc(doc));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QCOMPARE(f.read("c.txt"), QByteArray("x"));
        f.prompter.queue(MsgAnswer::No); // No: closed without saving
        QVERIFY(f.files.closeDoc(f.typed("y")));
        doc = f.typed("z"); // an emptied document asks nothing
        doc->document()->clear();
        const int shown = f.prompter.count();
        QVERIFY(f.files.closeDoc(doc));
        QCOMPARE(f.prompter.count(), shown);
    }

    void closeAllMostRecentFirst()
    {
        Fixture f;
        f.files.createNewCFile();
        f.typed("a");
        f.typed("b");
        f.prompter.queue({MsgAnswer::No, MsgAnswer::Cancel});
        f.files.mnuFileCloseAll();
        QCOMPARE(f.prompter.lines(0).first(), QString("File CFile3 has changed !"));
        QCOMPARE(f.prompter.lines(1).first(), QString("File CFile2 has changed !"));
        QCOMPARE(f.files.numOfCFIles(), 2); // Cancel stopped it
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
        doc->setWindowState(1); // minimised: not stored
        f.files.closeDoc(doc);
        QCOMPARE(f.store.read("Zentrix0", "CFile", "CFileState"), QString("2"));
    }

    void failedSaveKeepsOldFileAndDocument()
    {
        Fixture f;
        f.write("log.txt", "previous version");
        QVERIFY(f.files.openPath(f.path("log.txt"), "x"));
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
        QCOMPARE(f.read("log.txt"), QByteArray("previous version"));
        QVERIFY(doc->bChanged());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"log.txt"})); // no leftovers
        // Save As into a folder that does not exist.
        f.chooser.queueSave(f.path("nope/x.rtf"));
        f.files.mnuFileSaveAs();
        QCOMPARE(f.errors.size(), 2);
        QVERIFY(f.errors.last().endsWith("|modCFile/SaveAs->" + f.path("nope/x.rtf")));
        QCOMPARE(doc->caption(), f.path("log.txt"));
        QVERIFY(doc->bChanged());
        if (::geteuid() != 0) { // the close question's Yes with a failing save keeps the window
            QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            f.prompter.queue(MsgAnswer::Yes);
            QVERIFY(!f.files.closeDoc(doc));
            QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(f.files.numOfCFIles(), 1);
            QCOMPARE(f.read("log.txt"), QByteArray("previous version"));
        }
    }

    void mruMissingFileAndPerInstanceList()
    {
        Fixture f;
        f.files.mru().add(f.path("gone.rtf"));
        f.files.mnuFileMRUItem(f.path("gone.rtf"));
        QCOMPARE(f.prompter.last().text, QString("File doesn't exists!"));
        QCOMPARE(f.files.numOfCFIles(), 0);
        QVERIFY(f.files.mru().entries().isEmpty());
        f.write("a.log", "1");
        f.files.mnuFileMRUItem(f.path("a.log"));
        QCOMPARE(f.files.active()->caption(), f.path("a.log"));
        QCOMPARE(zx::MruList(f.store, "Zentrix0").entries(), QStringList({f.path("a.log")}));
        QVERIFY(zx::MruList(f.store, "Zentrix1").entries().isEmpty());
    }

    void saveSelectionAs()
    {
        Fixture f;
        zx::CFileDoc *doc = f.typed("one two three");
        QTextCursor c(doc->document());
        c.setPosition(4);
        c.setPosition(7, QTextCursor::KeepAnchor);
        doc->setCaret(c);
        f.chooser.queueSave(f.path("sel.txt"));
        f.files.mnuFileSaveSelectionAs();
        QCOMPARE(f.chooser.last().title, QString("Save Selection As"));
        QCOMPARE(f.read("sel.txt"), QByteArray("two"));
        QCOMPARE(doc->caption(), QString("CFile1"));
        QVERIFY(doc->bChanged());
    }
};

QTEST_GUILESS_MAIN(TstCFileManager)
#include "tst_cfile_manager.moc"
