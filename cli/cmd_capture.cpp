// zentrix-cli capture --port P --out FILE [--shots N | --seconds S]: Start, record the
// chronograph's shots into a CFile exactly as the LogPad does (same tags, remarks and shot
// lines, the same calibration and sensor operations), Stop, save FILE in the format its
// extension gives, and print the LogPad text. While it records, every line also goes to
// the journal FILE.journal, flushed at once, so a capture that is killed keeps every shot
// it received; a successful save removes the journal.
#include "cfile/capture_journal.h"
#include "cfile/chrono_stack.h"
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "link/progress_sink.h"
#include "platform/one_shot_timer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBlock>

namespace {

// Complete captured lines holding a shot ("CAP:" or "#"), counted from block `from` on.
int countShots(const QTextDocument &doc, int &from)
{
    int shots = 0;
    const int complete = doc.blockCount() - 1;  // the last block is still being written
    for (; from < complete; ++from) {
        const QString line = doc.findBlockByNumber(from).text();
        if (line.contains(QLatin1String("CAP:")) || (line.contains(QLatin1Char('#')) && !line.startsWith(QLatin1String("REM:"))))
            ++shots;
    }
    return shots;
}

int runCapture(const QStringList &args)
{
    using namespace zx::cli;
    const QString out = option(args, QStringLiteral("--out"));
    const int cls = outFileClass(out);
    if (cls < 0)
        return 2;
    bool okShots = true, okSecs = true;
    const int wantShots = option(args, QStringLiteral("--shots"), QStringLiteral("0")).toInt(&okShots);
    const double seconds = option(args, QStringLiteral("--seconds"), QStringLiteral("0")).toDouble(&okSecs);
    if (!okShots || !okSecs || wantShots < 0 || seconds < 0 || (wantShots == 0 && seconds <= 0)) {
        printText(QStringLiteral("zentrix-cli: give --shots N or --seconds S\n"), true);
        return 2;
    }
    const QString journalPath = out + QStringLiteral(".journal");
    if (QFileInfo::exists(journalPath)) {
        printText(QStringLiteral("zentrix-cli: ") + journalPath +
                      QStringLiteral(" holds the lines of an earlier capture: keep or remove it first\n"),
                  true);
        return 2;
    }
    auto s = makeSession(args);
    if (!s)
        return 2;

    CliCFile cfile(s->prompter, s->link->appName());
    zx::CFileManager &files = cfile.files;
    zx::CaptureStack stack(files, cfile.pad, s->prompter, *s->link);
    // Start's status, calibration and sensors run as the desktop's Chrono menu runs them.
    zx::NullProgressSink progress;
    zx::ChronoStack chrono(stack, *s->link, s->prompter, progress);
    zx::CaptureJournal journal{QString()};
    cfile.pad.setJournal(&journal);
    journal.onWriteError = [](const QString &message) { printText(message + u'\n', true); };
    journal.setPathFor(files.active(), journalPath);

    stack.capture.croStartShoot();
    const bool capturing = stack.link.captureSwitch();
    if (capturing) {
        // Record until enough shots arrived or the time is up (at most ten minutes for --shots).
        zx::OneShotTimer limit(int((seconds > 0 ? seconds : 600.0) * 1000.0), QStringLiteral("tmrCapture"));
        limit.arm();
        int scanned = 0, shots = 0;
        const QTextDocument &doc = *files.active()->document();
        countShots(doc, scanned);  // lines before recording began do not count
        while (!limit.expired() && (wantShots == 0 || shots < wantShots)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (files.active())
                shots += countShots(*files.active()->document(), scanned);
        }
        Q_UNUSED(doc);
    }
    stack.capture.croStopShoot();

    zx::CFileDoc *doc = files.active();
    if (!doc) {
        printText(QStringLiteral("Aborted by the user..!\n"), true);
        return 1;
    }
    printText(doc->document()->toPlainText() + QStringLiteral("\n"));
    const bool saved = cfile.save(out, cls);
    s->link->extTerminal();
    if (saved)
        journal.discard(doc);
    else if (!journal.pathOf(doc).isEmpty())
        printText(QStringLiteral("The recorded lines are kept in ") + journal.pathOf(doc) + QStringLiteral("\n"), true);
    return capturing && saved ? 0 : 1;
}

zx::cli::Registrar reg({"capture", "--port P --out FILE [--shots N | --seconds S] [--yes] [--scale F]",
                        "record live shots into a CFile",
                        "Start, record shots into a CFile as the LogPad does, Stop, save FILE.",
                        runCapture});

} // namespace
