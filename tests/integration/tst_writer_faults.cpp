// Every writer of the program against the same faults. Whatever fails, the file that was there
// stays byte for byte as it was (an append-only log keeps all it had), nothing temporary is
// left beside it, the user is told why, and a zentrix-cli command exits non-zero.
// A new writer is one more entry in writers().
#include "app/chart_file.h"
#include "cfile/capture_journal.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "export/excel_link.h"
#include "export/export_template.h"
#include "library/string_table.h"
#include "library/table_workbook.h"
#include "platform/program_files.h"
#include "platform/save_file.h"
#include "platform/settings_store.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"
#include "term/comm_log.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <functional>

namespace {

enum Fault { DiskFull, ParentIsFile, TargetIsDir, FailedRun, NoFault };
const char *const kFaultNames[] = {"disk full", "parent is a file", "target is a folder", "existing target, failed run"};

struct Outcome {
    QString told;       // prompter texts, error texts or the CLI's stderr
    int exitCode = 1;   // a CLI's exit code; in-process writers give 0 on success
    QString printed{};  // the CLI's stdout
};

struct Writer {
    using Run = std::function<Outcome(const QString &target, Fault fault)>;
    Writer(QString n, QString file, Run r, qint64 full = 4096, bool failedRun = false)
        : name(std::move(n)), fileName(std::move(file)), run(std::move(r)), fullAt(full), failsItsRun(failedRun)
    {
    }
    QString name;
    QString fileName;                      // the target's name inside the folder "Zentrix"
    std::function<Outcome(const QString &target, Fault fault)> run;
    qint64 fullAt = 4096;                  // the file-size limit of "disk full"
    bool appendOnly = false;               // keeps what it had and may add (a log, a journal)
    bool failsItsRun = false;              // has a "failed run" of its own (a silent chronograph)
    QString keeps;                         // a new file it may leave by design (wildcard)
    QList<int> noReasonYet;                // faults it tells in its own words only, not yet with the system's
    QByteArray old;                        // the existing target's content, where it must be its own kind
};

QByteArray digest(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

// A file-size limit with SIGXFSZ ignored, for this process or (in a child) for good.
void limitFileSize(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &r);
}
struct FileSizeLimit {
    explicit FileSizeLimit(qint64 bytes, bool on)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        if (on)
            limitFileSize(bytes);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};

QString cliPath() { return qEnvironmentVariable("ZX_BINARY_DIR") + QStringLiteral("/cli/zentrix-cli"); }

// zentrix-cli as its own process; events pumped so an in-process simulator answers.
Outcome runCli(const QStringList &args, qint64 limit, const QString &programDir)
{
    QProcess p;
    p.setProgram(cliPath());
    p.setArguments(args);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZX_PROGRAM_DIR"), programDir);
    p.setProcessEnvironment(env);
    if (limit > 0)
        p.setChildProcessModifier([limit] { limitFileSize(limit); });
    QSignalSpy done(&p, &QProcess::finished);
    p.start();
    if (!p.waitForStarted(5000) || !done.wait(120000)) {
        p.kill();
        return {QStringLiteral("did not run"), -1};
    }
    Outcome o;
    o.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.told = QString::fromLocal8Bit(p.readAllStandardError());
    o.printed = QString::fromLocal8Bit(p.readAllStandardOutput());
    return o;
}

// A pseudo-terminal nobody answers on: a chronograph that is switched off.
struct SilentPort {
    SilentPort()
    {
        fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0)
            path = QString::fromLocal8Bit(ptsname(fd));
    }
    ~SilentPort()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd = -1;
    QString path;
};

QString capLines(int shots)
{
    QString text;
    for (int shot = 0; shot < shots; ++shot) {
        const double v = 2800 + (shot * 37 % 2000) / 100.0;
        text += QStringLiteral("CAP:#%1 %2 f/s %3 sec  68.0 fah\r\n")
                    .arg(shot % 40 + 1, 2, 10, QLatin1Char('0'))
                    .arg(v, 7, 'f', 2)
                    .arg(2.0 / v, 0, 'f', 6);
    }
    return text;
}

// A LabRadar report of many shots: its CFile is well above the "disk full" limit.
QByteArray labRadarReport(int shots)
{
    QByteArray text = "sep=;\r\nDevice ID;LBR-0012345;;\r\nUnits velocity;fps;;\r\nShot ID;V0;V10;Date;Time\r\n";
    for (int shot = 1; shot <= shots; ++shot)
        text += QStringLiteral("%1;%2;%3;04-12-2025;14:02:11;\r\n")
                    .arg(shot, 4, 10, QLatin1Char('0'))
                    .arg(2600 + shot * 7 % 90)
                    .arg(2590 + shot * 7 % 90)
                    .toLatin1();
    return text;
}

std::unique_ptr<zx::wb::Workbook> bigBook()
{
    auto book = zx::xls::buildExportTemplate();
    zx::wb::Worksheet &ws = book->sheet(0);
    for (int r = 1; r <= 3000; ++r)
        for (int c = 1; c <= 6; ++c)
            ws.setValue(r, c, r * 7.123456789 + c / 3.0);
    return book;
}

} // namespace

class TstWriterFaults : public QObject {
    Q_OBJECT

    QTemporaryDir m_programDir;   // the export templates, made once
    QTemporaryDir m_inputs;       // the CFile the exports read
    std::unique_ptr<zx::test::SimFixture> m_sim;
    std::unique_ptr<zx::wb::Workbook> m_book;
    zx::StringTable m_library;    // the String Library's rows of a CFile of many strings
    QList<Writer> m_writers;

    // The size of what a writer produces when nothing goes wrong: "disk full" just above it
    // lets the final file fit while the scratch files behind it do not.
    static QByteArray goodRun(const std::function<void(const QString &)> &write)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Zentrix/good.xlsx"));
        QDir().mkpath(QFileInfo(path).path());
        write(path);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static qint64 sizeOfGoodRun(const std::function<void(const QString &)> &write) { return goodRun(write).size(); }

    QList<Writer> writers()
    {
        using namespace zx;
        QList<Writer> w;
        // Rich or plain text by the target's extension, as File > Save does.
        const auto cfileSave = [] {
            return [](const QString &target, Fault) {
                test::ScriptedPrompter prompter;
                test::ScriptedFileChooser chooser;
                SettingsStore store;
                CFileManager files(prompter, chooser, store, QStringLiteral("Zentrix0"));
                CFileDoc *doc = files.createNewCFile();
                doc->document()->setPlainText(capLines(200));
                doc->setCaption(target);
                const bool ok = files.saveCFile(doc);
                return Outcome{prompter.texts().join(u'\n'), ok ? 0 : 1};
            };
        };
        w.append({QStringLiteral("CFile save rich text"), QStringLiteral("shots.rtf"), cfileSave()});
        w.append({QStringLiteral("CFile save plain text"), QStringLiteral("shots.txt"), cfileSave()});

        Writer journal{QStringLiteral("capture journal"), QStringLiteral("shots.journal"),
                       [](const QString &target, Fault fault) {
                           test::ScriptedPrompter prompter;
                           test::ScriptedFileChooser chooser;
                           SettingsStore store;
                           CFileManager files(prompter, chooser, store, QStringLiteral("Zentrix0"));
                           CFileDoc *doc = files.createNewCFile();
                           // A full disk meets a new journal in the folder; else the journal is named.
                           QString told;
                           CaptureJournal j(fault == DiskFull ? QFileInfo(target).path() : QString());
                           if (fault != DiskFull)
                               j.setPathFor(doc, target);
                           j.onWriteError = [&](const QString &m) { told += m; };
                           bool ok = true;
                           for (int i = 0; i < 100; ++i)
                               ok = j.record(doc, capLines(1)) && ok;
                           return Outcome{told, ok ? 0 : 1};
                       }};
        journal.appendOnly = true;
        journal.failsItsRun = true;   // the named journal already exists
        journal.keeps = QStringLiteral("*-1.journal");
        w.append(journal);

        w.append({QStringLiteral("zentrix-cli download --out"), QStringLiteral("memory.rtf"),
                  [this](const QString &target, Fault fault) {
                      SilentPort silent;
                      const QString port = fault == FailedRun ? silent.path : m_sim->stablePath();
                      return runCli({"download", "--port", port, "--scope", "edisk", "--scale", "0.05", "--out", target},
                                    fault == DiskFull ? 4096 : 0, m_programDir.path());
                  },
                  4096, true});

        const QString cfile = m_inputs.filePath(QStringLiteral("capture.txt"));
        const auto cliExport = [this, cfile](const QString &target, Fault fault, qint64 limit) {
            SilentPort silent;
            const QStringList from = fault == FailedRun && target.endsWith(QLatin1String(".xlsx"))
                                         ? QStringList{"--port", silent.path, "--scope", "string", "--scale", "0.05"}
                                     : fault == FailedRun ? QStringList{"--cfile", cfile + QStringLiteral(".missing")}
                                                          : QStringList{"--cfile", cfile};
            return runCli(QStringList{"export"} + from + QStringList{"--out", target}, fault == DiskFull ? limit : 0,
                          m_programDir.path());
        };
        // An existing workbook of its own is joined: the export then writes more than it read.
        const QByteArray xlsxBook = goodRun([&](const QString &path) { cliExport(path, NoFault, 0); });
        const qint64 xlsxSize = xlsxBook.size();
        w.append({QStringLiteral("zentrix-cli export --out .xlsx"), QStringLiteral("book.xlsx"),
                  [=](const QString &t, Fault f) { return cliExport(t, f, xlsxSize + 2048); }, xlsxSize + 2048, true});
        w.last().old = xlsxBook;
        w.append({QStringLiteral("zentrix-cli export --out .csv"), QStringLiteral("shots.csv"),
                  [=](const QString &t, Fault f) { return cliExport(t, f, 4096); }, 4096, true});

        const qint64 bookSize = sizeOfGoodRun([this](const QString &path) { wb::writeXlsx(*m_book, path); });
        w.append({QStringLiteral("workbook save"), QStringLiteral("book.xlsx"),
                  [this](const QString &target, Fault) {
                      const wb::XlsxResult r = wb::writeXlsx(*m_book, target);
                      return Outcome{r.error, r.ok ? 0 : 1};
                  },
                  bookSize + 2048});

        Writer log{QStringLiteral("terminal log"), QStringLiteral("comm.txt"), [](const QString &target, Fault) {
                       QString told;   // outlives the log: its close may report once more
                       CommLog log;
                       log.onWriteError = [&](const QString &e) {
                           told += e;
                           return false;
                       };
                       if (!log.open(target, false))
                           return Outcome{log.error(), 1};
                       const bool ok = log.writeNow(QString(capLines(100)));
                       return Outcome{told, ok ? 0 : 1};
                   }};
        log.appendOnly = true;
        w.append(log);

        // The settings file is <config>/Zentrix/<app>.conf: the target's folder is "Zentrix".
        w.append({QStringLiteral("settings"), QStringLiteral("Faults.conf"), [](const QString &target, Fault) {
                      const QString config = QFileInfo(QFileInfo(target).path()).path();
                      QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
                      QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
                      SettingsStore store;
                      store.write(QStringLiteral("Faults"), QStringLiteral("Setup"), QStringLiteral("Notes"),
                                  capLines(100));
                      const bool ok = store.flush(QStringLiteral("Faults"));
                      return Outcome{store.writeError(QStringLiteral("Faults")), ok ? 0 : 1};
                  }});
        // The charts' pictures: a noisy image (PNG cannot squeeze it under the limit) and a
        // drawing of many lines.
        w.append({QStringLiteral("chart PNG"), QStringLiteral("chart.png"), [](const QString &target, Fault) {
                      QImage image(200, 200, QImage::Format_RGB32);
                      for (int y = 0; y < image.height(); ++y)
                          for (int x = 0; x < image.width(); ++x)
                              image.setPixel(x, y, uint(x * 2654435761u ^ y * 40503u));
                      QString error;
                      const bool ok = zx::writeChartPng(target, image, &error);
                      return Outcome{error, ok ? 0 : 1};
                  }});
        w.append({QStringLiteral("chart SVG"), QStringLiteral("chart.svg"), [](const QString &target, Fault) {
                      QString error;
                      const bool ok = zx::writeChartSvg(target, QSize(800, 500), QStringLiteral("Ladder"),
                                                        [](QPainter &p) {
                                                            for (int i = 0; i < 400; ++i)
                                                                p.drawLine(i, 0, 800 - i, 500);
                                                        },
                                                        &error);
                      return Outcome{error, ok ? 0 : 1};
                  }});

        // zentrix-cli import: one CFile of every input, or one a input in an --out folder
        // (named after the input: lab.csv becomes lab.rtf). A failed run: the input does not read.
        const QString lab = m_inputs.filePath(QStringLiteral("lab.csv"));
        const QString broken = m_inputs.filePath(QStringLiteral("broken/lab.csv"));
        w.append({QStringLiteral("zentrix-cli import --out .rtf"), QStringLiteral("lab.rtf"),
                  [=, this](const QString &target, Fault fault) {
                      return runCli({"import", fault == FailedRun ? broken : lab, "--out", target},
                                    fault == DiskFull ? 4096 : 0, m_programDir.path());
                  },
                  4096, true});
        w.append({QStringLiteral("zentrix-cli import --out FOLDER"), QStringLiteral("lab.rtf"),
                  [=, this](const QString &target, Fault fault) {
                      return runCli({"import", fault == FailedRun ? broken : lab, "--out", QFileInfo(target).path()},
                                    fault == DiskFull ? 4096 : 0, m_programDir.path());
                  },
                  4096, true});

        // The String Library's Export CSV and Export Workbook, as the window writes them.
        const auto libraryCsv = [this](const QString &target) {
            QString error;
            const bool ok = writeWholeFile(target, tableCsv(m_library), &error);
            return Outcome{error, ok ? 0 : 1};
        };
        const auto libraryBook = [this](const QString &target) {
            const wb::XlsxResult r = wb::writeXlsx(*tableWorkbook(m_library), target);
            return Outcome{r.error, r.ok ? 0 : 1};
        };
        w.append({QStringLiteral("String Library CSV"), QStringLiteral("strings.csv"),
                  [=](const QString &t, Fault) { return libraryCsv(t); },
                  sizeOfGoodRun([&](const QString &path) { libraryCsv(path); }) / 2});
        w.append({QStringLiteral("String Library workbook"), QStringLiteral("strings.xlsx"),
                  [=](const QString &t, Fault) { return libraryBook(t); },
                  sizeOfGoodRun([&](const QString &path) { libraryBook(path); }) / 2});
        return w;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariable("ZX_BINARY_DIR").isEmpty())
            QSKIP("ZX_BINARY_DIR is not set");
        QVERIFY(zx::xls::prepareTemplateFiles(zx::ProgramFiles(m_programDir.path(), {})));
        QFile f(m_inputs.filePath(QStringLiteral("capture.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(capLines(400).toLatin1());
        f.close();
        QVERIFY(QDir(m_inputs.path()).mkdir(QStringLiteral("broken")));
        for (const auto &[name, bytes] : {std::pair{"lab.csv", labRadarReport(400)},
                                          {"broken/lab.csv", QByteArray("Shot ID;V0\r\n0001;28o1\r\n")}}) {
            QFile input(m_inputs.filePath(QLatin1String(name)));
            QVERIFY(input.open(QIODevice::WriteOnly) && input.write(bytes) == bytes.size());
        }
        QStringList unreadable;
        m_library.setOpenRows(zx::StringLibrary().rows({f.fileName()}, &unreadable));
        QVERIFY(unreadable.isEmpty() && m_library.rowCount() > 5);
        zx::sim::Rv5Options o = zx::test::SimFixture::quietOptions();
        o.prefillShots = 130;
        m_sim = std::make_unique<zx::test::SimFixture>(o);
        QVERIFY(m_sim->isOpen());
        m_book = bigBook();
        m_writers = writers();
    }

    void faults_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("fault");
        for (int i = 0; i < m_writers.size(); ++i)
            for (int f = DiskFull; f <= FailedRun; ++f)
                if (f != FailedRun || m_writers[i].failsItsRun)
                    QTest::addRow("%s / %s", qPrintable(m_writers[i].name), kFaultNames[f]) << i << f;
    }

    void faults()
    {
        QFETCH(int, writer);
        QFETCH(int, fault);
        const Writer &w = m_writers[writer];
        QTemporaryDir top;
        const QString folder = top.filePath(QStringLiteral("Zentrix"));
        const QString target = folder + u'/' + w.fileName;
        const QByteArray old = w.old.isEmpty() || fault == ParentIsFile ? QByteArray("[Setup]\nNotes=what the user had\n") : w.old;
        if (fault == ParentIsFile) {
            QFile blocker(folder);   // the folder's name is taken by a file: nothing can go in it
            QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write(old) == old.size());
        } else {
            QVERIFY(QDir().mkpath(fault == TargetIsDir ? target : folder));
            QFile f(fault == TargetIsDir ? target + QStringLiteral("/inside") : target);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
        }
        const QString kept = fault == ParentIsFile ? folder : fault == TargetIsDir ? target + QStringLiteral("/inside") : target;
        const QByteArray before = digest(kept);
        const QStringList entries = QDir(fault == ParentIsFile ? top.path() : folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        Outcome o;
        {
            FileSizeLimit limit(fault == DiskFull && w.appendOnly ? old.size() + 64 : w.fullAt,
                                fault == DiskFull && !w.name.startsWith(QLatin1String("zentrix-cli")));
            o = w.run(target, Fault(fault));
        }

        QVERIFY2(o.exitCode != 0, qPrintable(QStringLiteral("reported success; told: ") + o.told));
        QVERIFY2(!o.told.trimmed().isEmpty(), "nobody was told");
        // Success is said only of what is on disk ("Download Successful" is the chronograph's part).
        QVERIFY2(!o.printed.contains(QLatin1String("Exported to Excel Successfully")), qPrintable(QStringLiteral("a failed run said: ") + o.printed));
        // The system's own reason for the fault; Qt's "Unknown error" is no reason.
        QVERIFY2(!o.told.contains(QLatin1String("Unknown error")), qPrintable(o.told));
        const int errnoOf[] = {EFBIG, ENOTDIR, EISDIR};   // by Fault: a file-size limit, a file for a folder, a folder for a file
        const QString reason = fault == FailedRun ? QString() : qt_error_string(errnoOf[fault]);
        if (w.noReasonYet.contains(fault))
            QEXPECT_FAIL("", "told in its own words, without the system's reason", Continue);
        QVERIFY2(o.told.contains(reason), qPrintable(QStringLiteral("no \"") + reason + QStringLiteral("\"; told: ") + o.told));
        // A command names where it could not write: the target, or the folder where the folder
        // is what failed (in the program the window adds the path to a writer's reason).
        const QString where = fault == ParentIsFile ? QFileInfo(folder).fileName() : w.fileName;
        if (w.name.startsWith(QLatin1String("zentrix-cli")) && fault != FailedRun)
            QVERIFY2(o.told.contains(where), qPrintable(QStringLiteral("not named: ") + where + QStringLiteral("; told: ") + o.told));
        if (w.appendOnly && fault == DiskFull) {
            QFile f(kept);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(f.readAll().startsWith(old), "the old content was cut");
        } else {
            QVERIFY2(digest(kept) == before, qPrintable(kept + QStringLiteral(" changed; told: ") + o.told));
        }
        QStringList now = QDir(fault == ParentIsFile ? top.path() : folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (!w.keeps.isEmpty()) {
            const QRegularExpression keep(QRegularExpression::wildcardToRegularExpression(w.keeps));
            now.removeIf([&](const QString &n) { return keep.match(n).hasMatch(); });
        }
        QCOMPARE(now, entries);
    }

    // Commands whose output is their product: a full disk under stdout is a failure to say so.
    void stdoutFull_data()
    {
        QTest::addColumn<QStringList>("args");
        const QString capture = m_inputs.filePath(QStringLiteral("capture.txt"));
        QTest::newRow("strings --csv") << QStringList{"strings", capture, "--csv"};
        QTest::newRow("strings") << QStringList{"strings", capture};
        QTest::newRow("import without --out") << QStringList{"import", m_inputs.filePath(QStringLiteral("lab.csv"))};
    }

    void stdoutFull()
    {
        QFETCH(QStringList, args);
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(cliPath(), args);
        QVERIFY(p.waitForFinished(60000));
        const QString told = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() != 0, qPrintable(told));
        QVERIFY2(told.contains(QLatin1String("standard output")) && told.contains(QLatin1String("No space left")),
                 qPrintable(told));
    }
};

QTEST_GUILESS_MAIN(TstWriterFaults)
#include "tst_writer_faults.moc"
