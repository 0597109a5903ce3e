// Shot capture end to end: Start, live shots and Stop against the RV5 simulator on a
// pseudo-terminal, through the same serial stack and LogPad the program uses; a capture
// killed in the middle keeps every shot it received.
#include "cfile/capture_journal.h"
#include "cfile/capture_stack.h"
#include "cfile/cfile_manager.h"
#include "link/link_session.h"
#include "platform/settings_store.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"
#include "support/temp_settings.h"

#include <QProcess>
#include <QtTest>

class TstCapture : public QObject {
    Q_OBJECT
    // Sensors on, shots only when the test fires them.
    static zx::sim::Rv5Options shooting()
    {
        zx::sim::Rv5Options opt = zx::test::SimFixture::quietOptions();
        opt.sensorsOn = true;
        opt.shotIntervalMs = 0;
        return opt;
    }

private Q_SLOTS:
    void startShotsStop()
    {
        zx::test::TempSettings tmp;
        zx::test::SimFixture sim(shooting());
        QVERIFY2(sim.isOpen(), qPrintable(sim.errorString()));
        zx::SettingsStore store;
        zx::test::ScriptedPrompter prompter;
        zx::test::ScriptedFileChooser chooser;
        zx::CFileManager files(prompter, chooser, store, QStringLiteral("Zentrix0"));
        zx::LogPad pad(files);
        zx::LinkSession link(&prompter, &store, QStringLiteral("Zentrix0"), 0, &pad);
        link.MSComm1.setDevicePath(sim.stablePath());
        zx::CaptureStack stack(files, pad, prompter, link);
        files.createNewCFile();

        stack.capture.croStartShoot();
        QVERIFY(stack.link.captureSwitch());
        QCOMPARE(prompter.count(), 0);
        const QString afterStart = files.active()->document()->toPlainText();
        QVERIFY(afterStart.contains("TAG: Device-{ RV5 Vantor} Port-{COM1}"));
        QVERIFY(afterStart.trimmed().endsWith("DAT>"));

        QVERIFY(sim.sim().fireShot(2875.5));
        QVERIFY(sim.sim().fireShot(2880.25));
        QTRY_COMPARE_WITH_TIMEOUT(files.active()->document()->toPlainText().count("#0"), 2, 5000);

        stack.capture.croStopShoot();
        QVERIFY(!stack.link.captureSwitch());
        const QString text = files.active()->document()->toPlainText();
        const qsizetype stop = text.indexOf("TAG: Stop-");
        QVERIFY(stop > text.indexOf("2880.25"));
        QVERIFY(text.endsWith("REM: LogPad is now in ''Edit mode'' - shots will not be recorded into CFile.\n"));
        // Nothing of the Stop's own traffic lands in the LogPad.
        QVERIFY(!text.mid(stop).contains("DAT>"));
        QVERIFY(files.active()->bChanged());
    }

    void killedCaptureKeepsEveryShot()
    {
        if (qEnvironmentVariable("ZX_BINARY_DIR").isEmpty())
            QSKIP("ZX_BINARY_DIR is not set");
        zx::test::TempSettings tmp;
        zx::test::SimFixture sim(shooting());
        QVERIFY2(sim.isOpen(), qPrintable(sim.errorString()));
        const QString out = tmp.path() + "/shots.rtf", journal = out + ".journal";
        QProcess cli;
        cli.start(qEnvironmentVariable("ZX_BINARY_DIR") + "/cli/zentrix-cli",
                  {"capture", "--port", sim.stablePath(), "--out", out, "--seconds", "120"});
        QVERIFY(cli.waitForStarted(5000));
        const auto journalText = [&] {
            const auto e = zx::CaptureJournal::read(journal);
            return e ? e->text : QString();
        };
        // Recording once the chronograph's prompt is in.
        QTRY_VERIFY_WITH_TIMEOUT(journalText().contains("DAT>"), 20000);
        const QStringList shots{"2801.25", "2802.25", "2803.25"};
        for (const QString &v : shots)
            QVERIFY(sim.sim().fireShot(v.toDouble()));
        QVERIFY(sim.waitIdle());
        // Every line is on disk as soon as it is received, not only at the end.
        QTRY_VERIFY_WITH_TIMEOUT(journalText().contains(shots.last()), 5000);
        cli.kill();
        QVERIFY(cli.waitForFinished(5000));
        for (const QString &v : shots)
            QVERIFY2(journalText().contains(v), qPrintable(v));
        QVERIFY(!QFile::exists(out));
        // A second capture to the same file does not overwrite what the first kept.
        QProcess again;
        again.start(qEnvironmentVariable("ZX_BINARY_DIR") + "/cli/zentrix-cli",
                    {"capture", "--port", sim.stablePath(), "--out", out, "--shots", "1"});
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 2);
        QVERIFY(journalText().contains(shots.first()));
    }
};

QTEST_GUILESS_MAIN(TstCapture)
#include "tst_capture.moc"
