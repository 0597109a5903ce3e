// The LogPad line writer: every kind, the caret format kept, captured chunks, tags,
// the communication-log line, the warning remarks; the recovery journal of its writes.
#include "cfile/capture_journal.h"
#include "cfile/capture_link.h"
#include "cfile/cfile_manager.h"
#include "cfile/logpad.h"
#include "cfile/journal_recovery.h"
#include "cfile/load_place.h"
#include "cfile/shot_strings.h"
#include "cfile/logpad_warnings.h"
#include "link/cro_state.h"
#include "platform/settings_store.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QTemporaryDir>
#include <QtTest>

using zx::MsgAnswer;

namespace {

class FlagLink : public zx::CaptureLink {
public:
    bool sw = false;
    bool calAborted = false;
    bool captureSwitch() const override { return sw; }
    void setCaptureSwitch(bool on) override { sw = on; }
    bool croReopenPort() override { return true; }
    bool croConnect() override { return true; }
    void closePort() override {}
    int linkPort() const override { return 3; }
    bool transact(bool, const QString &, int) override { return true; }
    int txnResult() const override { return 1; }
    int txnMenu() const override { return 0; }
    QString croRsp() const override { return {}; }
    bool takeCalAborted() override { return std::exchange(calAborted, false); }
};

struct Fixture {
    zx::test::TempSettings tmp;
    zx::SettingsStore store;
    zx::test::ScriptedPrompter prompter;
    zx::test::ScriptedFileChooser chooser;
    zx::CFileManager files{prompter, chooser, store, QStringLiteral("Zentrix0")};
    zx::LogPad pad{files};
    zx::CroState cro;
    FlagLink link;
    zx::LogPadWarnings warn{pad, cro, link};
    Fixture()
    {
        pad.setShotTotal([this] { return int(cro.iCroShotTotal); });
        pad.setClock([] { return QDateTime(QDate(2026, 3, 4), QTime(13, 5, 7, 250)); });
    }
    QString text() const { return files.active()->document()->toPlainText(); }
};

} // namespace

class TstCFileLogPad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kinds()
    {
        const QDateTime now(QDate(2026, 3, 4), QTime(13, 5, 7));
        const QString stamp = "{ Date=" + zx::LogPad::shortDate(now.date()) + " Time=" + zx::LogPad::longTime(now.time()) + " }";
        const struct { QString text; int before, after, kind; QString line; } cases[] = {
            {"abc", 1, 2, 0, "\r\nabc\r\n\r\n"},
            {"hello", 0, 1, 1, "REM: hello\r\n"},
            {"x", 0, 1, 2, "REM:00042 x\r\n"},
            {"t", 1, 0, 10, "\r\nTAG: t"},
            {"Calibrating...", 1, 1, 11, "\r\nTAG: Calibrating..." + stamp + "\r\n"},
            {"DAT>", 3, 3, 20, "DAT>"},   // raw ignores the counts
            {"x", 1, 1, 5, ""},           // unknown kind
            {"x", -1, -1, 0, "x"}};
        for (const auto &c : cases)
            QCOMPARE(zx::LogPad::lineFor(c.text, c.before, c.after, c.kind, 42, now), c.line);
    }

    void writesAtTheEndAndKeepsTheCaretFormat()
    {
        Fixture f;
        zx::CFileDoc *doc = f.files.createNewCFile();
        QTextCursor c(doc->document());
        QTextCharFormat red;
        red.setForeground(Qt::red);
        red.setFontWeight(QFont::Bold);
        red.setFontFamilies({"Courier New"});
        red.setFontPointSize(14);
        c.insertText("first", red);
        // The caret sits at the start; the line still lands at the end.
        c.setPosition(0);
        doc->setCaret(c);
        f.pad.logPadWrite("shot", 1, 1, 1);
        QCOMPARE(f.text(), QString("first\nREM: shot\n"));
        // Text inserted at the caret afterwards keeps that format.
        QTextCursor typing = doc->caret();
        typing.insertText("typed");
        QTextCursor probe(doc->document());
        probe.movePosition(QTextCursor::End);
        QCOMPARE(probe.charFormat().foreground().color(), QColor(Qt::red));
        QCOMPARE(probe.charFormat().fontPointSize(), 14.0);
        QVERIFY(doc->bChanged());
        // The program's lines never join the undo history: an undo cannot take them out.
        f.pad.captureText("CAP: 1\r\n");
        QVERIFY(!doc->document()->isUndoAvailable());
    }

    void nothingWithoutACFile()
    {
        Fixture f;
        QVERIFY(!f.pad.hasActiveCFile());
        f.pad.logPadWrite("x", 0, 1, 1);
        f.pad.captureText("CAP: 1\r\n");
        QCOMPARE(f.files.numOfCFIles(), 0);
    }

    void captureJoinsSplitLineEnds()
    {
        const std::pair<QStringList, QString> cases[] = {
            {{"CAP: 1 2801\r\n", "CAP: 2 2799\r\n"}, "CAP: 1 2801\nCAP: 2 2799\n"},
            {{"CAP: 1 2801\r", "\nCAP: 2 2799\r", "\n"}, "CAP: 1 2801\nCAP: 2 2799\n"},   // CR | LF
            {{"C", "A", "P", ":", "\r", "\n", "D", "\r", "\n"}, "CAP:\nD\n"},
            {{"a\r\n\r", "\nb"}, "a\n\nb"},   // blank line kept
            {{"a\n", "b\n"}, "a\nb\n"}};
        for (const auto &[chunks, text] : cases) {
            Fixture f;
            f.files.createNewCFile();
            for (const QString &c : chunks)
                f.pad.captureText(c);
            QCOMPARE(f.text(), text);
        }
    }

    void tagsAndNumberedRemark()
    {
        Fixture f;
        f.files.createNewCFile();
        f.pad.logPadWrite("before", 0, 0, 0);
        f.pad.tagEvent(1);
        f.pad.tagDevice(zx::croDeviceName(0), 5);
        f.cro.iCroShotTotal = 7;
        f.pad.logPadWrite("n", 0, 1, 2);
        const QString date = zx::LogPad::shortDate(QDate(2026, 3, 4));
        const QString time = zx::LogPad::longTime(QTime(13, 5, 7, 250));
        QCOMPARE(f.text(), "before\nTAG: Start-{Date=" + date + "  Time=" + time +
                               "  t=47107.25 sec}\nTAG: Device-{ RV5 Vantor} Port-{COM5}\nREM:00007 n\n");
        QCOMPARE(zx::LogPad::timerSeconds(QTime(0, 0, 1, 500)), QString("1.5"));
        QCOMPARE(zx::LogPad::timerSeconds(QTime(0, 0, 0)), QString("0"));
    }

    void commLogLine()
    {
        const QDateTime now(QDate(2026, 3, 4), QTime(0, 1, 2, 500));
        for (const auto &[event, head] : {std::pair{0, "\r\nTAG:Open-{Date="}, {6, "\r\nTAG:StartUp-{Date="}, {7, "Cleared-{Date="}}) {
            const QString line = zx::LogPad::commLogLine(event, now);
            QVERIFY2(line.startsWith(head), qPrintable(line));
            QVERIFY(line.endsWith("  t=62.5 sec}\r\n"));
            QVERIFY(line.contains("  Time=" + zx::LogPad::longTime(now.time()) + "  t="));
        }
    }

    // The conditional remarks: setup change only when flagged, the abort once per abort.
    void warnings()
    {
        Fixture f;
        f.files.createNewCFile();
        f.warn.warnSetupChangedIf();
        f.warn.warnAborted();
        QCOMPARE(f.text(), QString());
        f.cro.bCroSetupChg = true;
        f.warn.warnSetupChangedIf();
        f.link.calAborted = true;
        f.warn.warnAborted();
        f.warn.warnAborted();
        QCOMPARE(f.text(), QString("REM: Setup has been changed - RV5 should be calibrated again.\n"
                                   "REM: Operation Aborted by the user..!\n"));
    }

    void gatedWarnings()
    {
        Fixture f;
        f.files.createNewCFile();
        bool chronoWarnings = true;
        f.warn.setChronoWarnings([&] { return chronoWarnings; });
        f.link.sw = true;
        f.warn.warnEditMode();  // capturing: nothing
        f.cro.bCroCalOk = true;
        f.warn.warnNotCalibrated();  // calibrated: nothing
        QCOMPARE(f.text(), QString());
        chronoWarnings = false;
        f.link.sw = false;
        f.warn.warnEditMode();  // warnings off: nothing
        QCOMPARE(f.text(), QString());
        chronoWarnings = true;
        f.warn.warnEditMode();
        f.cro.bCroCalOk = false;
        f.warn.warnNotCalibrated();
        QCOMPARE(f.text(), QString("REM: LogPad is in Edit mode - shots will not be recorde into the cFile.\n"
                                   "REM: To record shots into the CFile - goto <Chrono> and click on <Start>.\n"
                                   "REM: RV5 is not calibrated - therefore it can not record shots.\n"
                                   "REM: Without a succesful calibration it will only operate in Data review mode.\n"));
    }

    void otherDevice()
    {
        Fixture f;
        f.files.createNewCFile();
        f.cro.iCroDevice = 2;
        f.warn.warnOtherDevice(0);
        f.warn.warnOtherDevice(1, "Calibrate");
        f.pad.errRemark(8002, "Port missing");
        QCOMPARE(f.text(), QString("REM: Setup was selected for { Unknow Chronograph}\n"
                                   "REM: See <Interface>/<Setup>, <Custome Setup>, <Device>\n"
                                   "REM: For now, this program does not suport { Unknow Chronograph}\n"
                                   "REM: It will stil record shots as a TTY Terminal in <Custom Setup> mode..!\n"
                                   "REM: To stop these messages, go to <View>/<iNotes> and click on <Option>,\n"
                                   "REM: then clear ''Chrono Warning'' and/or ''System Warnins On'' checkmarks.\n"
                                   "REM: This function does not suport { Unknow Chronograph}{Calibrate}\n"
                                   "REM: Err(8002)->Port missing\n"));
    }

    void journalFollowsTheCFile()
    {
        Fixture f;
        QTemporaryDir dir;
        zx::CaptureJournal journal(dir.path());
        journal.watch(f.files);
        f.pad.setJournal(&journal);
        zx::CFileDoc *doc = f.files.createNewCFile();
        f.pad.tagDevice(zx::croDeviceName(0), 5);
        f.pad.captureText("CAP:#01 2875.42 f/s\r");
        f.pad.captureText("\nCAP:#02 \u00b0");
        // Flushed per write: a reader sees every line while the journal is still open.
        const QString path = journal.pathOf(doc);
        auto e = zx::CaptureJournal::read(path);
        QVERIFY(e);
        QCOMPARE(e->caption, QString("CFile1"));
        QCOMPARE(e->text, QString("TAG: Device-{ RV5 Vantor} Port-{COM5}\r\nCAP:#01 2875.42 f/s\rCAP:#02 \u00b0"));
        // Saved (the changed flag clears): the journal goes; the next line begins a new one.
        doc->setChanged(false);
        QVERIFY(!QFile::exists(path));
        f.pad.captureText("CAP:#03\r\n");
        const QString second = journal.pathOf(doc);
        QVERIFY(QFile::exists(second) && second != path);
        // Closed by the user: gone too.
        f.prompter.queue(MsgAnswer::No);
        f.files.closeDoc(doc);
        QVERIFY(!QFile::exists(second));
        // A CFile that ends without being closed (the program died) leaves its journal behind.
        auto *lost = new zx::CFileDoc("C:\\x\\run.rtf");
        journal.record(lost, "CAP:#04\r\n");
        delete lost;
        QVERIFY(journal.leftovers().isEmpty());  // its own files are not left over
        zx::CaptureJournal nextRun(dir.path());
        QCOMPARE(nextRun.leftovers().size(), 1);
        QCOMPARE(nextRun.leftovers().first().caption, QString("C:\\x\\run.rtf"));
    }

    // A load entered while capturing (from the load dialog's writer or typed by hand) is in the
    // journal: a crash before the save gives it back before its string's first shot.
    void loadLinesSurviveACrash_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("dialog, between strings") << "next";
        QTest::newRow("dialog, during the string") << "during";
        QTest::newRow("typed at the end") << "typed";
    }
    void loadLinesSurviveACrash()
    {
        QFETCH(QString, how);
        const QString shot = "CAP:#%1 %2.00 f/s 0.000700 sec 72.5 fah\r\n";
        QTemporaryDir dir;
        QStringList atCrash;
        {
            Fixture f;
            zx::CaptureJournal crashed(dir.path());
            f.pad.setJournal(&crashed);
            zx::CFileDoc *doc = f.files.createNewCFile();
            f.pad.captureText("TAG: Start\r\n" + shot.arg("01").arg(2800) + shot.arg("02").arg(2810) + "TAG: Stop\r\n");
            const auto lines = [&] { return f.text().split('\n'); };
            if (how == "typed") {
                QTextCursor c(doc->document());
                c.movePosition(QTextCursor::End);
                for (const QChar ch : QString("LOAD: Charge=41.5 gr\n"))
                    c.insertText(ch);
            } else if (how == "next") {
                zx::writeLoadLine(*doc->document(), zx::loadPlaceFor(lines(), lines().size() - 1, true),
                                  *zx::readLoadLine(u"LOAD: Charge=41.5 gr"));
            }
            f.pad.captureText("TAG: Start\r\n" + shot.arg("01").arg(2900));
            if (how == "during")
                zx::writeLoadLine(*doc->document(), zx::loadPlaceFor(lines(), lines().size() - 2, false),
                                  *zx::readLoadLine(u"LOAD: Charge=41.5 gr"));
            f.pad.captureText(shot.arg("02").arg(2920));
            atCrash = lines();
            QCOMPARE(zx::findShotStrings(atCrash).at(1).load->charge.value, 41.5);
        } // the program dies: no save, no close
        Fixture g;
        zx::CaptureJournal journal(dir.path());
        g.pad.setJournal(&journal);
        g.prompter.queue(MsgAnswer::Yes);
        QCOMPARE(zx::recoverJournals(journal, g.files, g.pad, g.prompter), 1);
        const QStringList back = g.text().split('\n');
        const auto strings = zx::findShotStrings(back);
        QCOMPARE(strings.size(), size_t(2));
        QVERIFY2(strings[1].load && strings[1].loadLine >= 0, qPrintable(back.join(" / ")));
        QCOMPARE(back[strings[1].loadLine], "LOAD: Charge=41.5 gr");
        QVERIFY(strings[1].loadLine < strings[1].firstLine);
        QCOMPARE(strings[1].shots.size(), size_t(2));
        QVERIFY(!strings[0].load);
    }

    void recoveryOfALeftover()
    {
        for (const bool yes : {true, false}) {   // Yes: a new CFile; No: set aside
            Fixture f;
            QTemporaryDir dir;
            {
                zx::CaptureJournal crashed(dir.path());
                zx::CFileDoc doc("CFile3");
                crashed.record(&doc, "TAG: Start-\r\nCAP:#01 2875.42 f/s\r\n");
            }
            zx::CaptureJournal journal(dir.path());
            journal.watch(f.files);
            f.pad.setJournal(&journal);
            const QString left = journal.leftovers().first().path;
            f.prompter.queue(yes ? MsgAnswer::Yes : MsgAnswer::No);
            QCOMPARE(zx::recoverJournals(journal, f.files, f.pad, f.prompter), yes ? 1 : 0);
            QCOMPARE(f.prompter.at(0).defaultButton, 1);
            QCOMPARE(f.prompter.lines(0).at(1), QString("CFile [CFile3] has lines that were not saved,"));
            QVERIFY(!QFile::exists(left));
            if (yes) {
                // Unsaved in the new CFile, whose own journal now holds the lines.
                QCOMPARE(f.text(), QString("TAG: Start-\nCAP:#01 2875.42 f/s\n"));
                QVERIFY(f.files.active()->bChanged());
                QCOMPARE(zx::CaptureJournal::read(journal.pathOf(f.files.active()))->text,
                         QString("TAG: Start-\r\nCAP:#01 2875.42 f/s\r\n"));
            } else {
                // Kept aside, the user told where, and not asked about again.
                QCOMPARE(f.prompter.lines(1), QStringList({"The lines were not recovered, they are kept in:", left + ".old"}));
                QVERIFY(QFile::exists(left + ".old"));
                QCOMPARE(zx::recoverJournals(journal, f.files, f.pad, f.prompter), 0);
                QCOMPARE(f.prompter.count(), 2);
            }
        }
    }
};

QTEST_MAIN(TstCFileLogPad) // a text document tells where it changed only with a layout
#include "tst_cfile_logpad.moc"
