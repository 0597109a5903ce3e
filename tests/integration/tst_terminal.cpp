// The terminal against the RV5 simulator on a pseudo-terminal: typed keys and echo on the wire,
// sending text files, the communication log as it is written, the counters.
#include "link/link_session.h"
#include "platform/port_map.h"
#include "support/recording_logpad.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/sim_fixture.h"
#include "term/terminal.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace zx;

class TstTerminal : public QObject {
    Q_OBJECT

    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser chooser;
    test::RecordingLogPad pad;
    std::unique_ptr<test::SimFixture> fx;
    std::unique_ptr<LinkSession> s;
    std::unique_ptr<Terminal> t;
    QTemporaryDir dir;
    bool echo = false;

    void start()
    {
        fx = std::make_unique<test::SimFixture>();
        QVERIFY2(fx->isOpen(), qPrintable(fx->errorString()));
        PortMap::setOverride(1, fx->stablePath());
        s = std::make_unique<LinkSession>(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
        s->MSComm1.setCommPort(1);
        s->subOpenPort();
        QVERIFY(s->MSComm1.portOpen());
        s->bRxTo[0] = true;
        t = std::make_unique<Terminal>(*s, prompter, &chooser);
        t->echoOn = [this] { return echo; };
    }
    static QByteArray fileBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

private Q_SLOTS:
    void cleanup()
    {
        t.reset();
        s.reset();
        fx.reset();
        PortMap::clearOverrides();
        prompter.clear();
        echo = false;
    }

    void keysOnTheWire_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("echoOn");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("shown");
        const int alt = Qt::AltModifier, shift = Qt::ShiftModifier;
        QTest::newRow("letter, no echo") << int(Qt::Key_A) << 0 << "a" << 0 << false << QByteArray("a") << "";
        QTest::newRow("letter, echo") << int(Qt::Key_A) << 0 << "a" << 0 << true << QByteArray("a") << "a";
        QTest::newRow("enter, echo") << int(Qt::Key_Return) << 0 << "\r" << 0 << true << QByteArray("\r") << "\r\n";
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << "" << 0 << true << QByteArray("\x15") << "";
        QTest::newRow("alt+up") << int(Qt::Key_Up) << alt << "" << 0 << false << QByteArray() << "";
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 0 << true << QByteArray("\x1c") << "";
        QTest::newRow("alt+backspace") << int(Qt::Key_Backspace) << alt << "" << 0 << false << QByteArray("\x1d") << "";
        QTest::newRow("alt+delete") << int(Qt::Key_Delete) << alt << "" << 0 << false << QByteArray("\x1f") << "";
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << "" << 0 << false << QByteArray("\x0f") << "";
        QTest::newRow("shift+delete") << int(Qt::Key_Delete) << shift << "" << 0 << false << QByteArray() << "";
        QTest::newRow("other device: backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 2 << false << QByteArray("\b") << "";
        QTest::newRow("other device: up") << int(Qt::Key_Up) << 0 << "" << 2 << false << QByteArray() << "";
    }
    void keysOnTheWire()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, text);
        QFETCH(int, device);
        QFETCH(bool, echoOn);
        QFETCH(QByteArray, wire);
        QFETCH(QString, shown);
        start();
        echo = echoOn;
        s->cro.iCroDevice = qint16(device);
        s->bRxTo[0] = false;   // not linked: nothing goes out
        QVERIFY(!t->typeKey(key, Qt::KeyboardModifiers(mods), text));
        s->bRxTo[0] = true;
        QCOMPARE(t->typeKey(key, Qt::KeyboardModifiers(mods), text), !wire.isEmpty());
        QCOMPARE(s->txtTerm.text(), shown);   // before any answer: only the local echo
        if (!wire.isEmpty())
            QVERIFY(fx->waitReceived(int(wire.size())));
        QCOMPARE(fx->sim().received(), wire);
        QCOMPARE(s->counters.txChars, qint32(wire.size()));
    }

    // Pieces of the output buffer, counted; a file that is not text is refused; a port pulled
    // during the send stops it with a message.
    void sendTextFile()
    {
        start();
        QByteArray text;
        for (int i = 0; text.size() < 3000; ++i)
            text += "line " + QByteArray::number(i) + " of the file\r\n";
        QVERIFY(t->sendTextFile(writeFile("a.txt", text)));
        QVERIFY(fx->waitReceived(int(text.size())));
        QCOMPARE(fx->sim().received(), text);
        QCOMPARE(s->counters.txChars, qint32(text.size()));
        QCOMPARE(s->counters.txLines, qint32(text.count('\n')));

        // Content that looks binary is asked about (No preselected), never refused.
        fx->sim().clearReceived();
        const QByteArray binary("\x05\x06\0\0\x07\0\x10\0", 8);   // control bytes the RV5 ignores
        const QString bin = writeFile("b.bin", binary);
        QVERIFY(!t->sendTextFile(bin));
        QVERIFY2(prompter.last().text.startsWith(QLatin1String("b.bin does not look like a text file.")),
                 qPrintable(prompter.last().text));
        QTest::qWait(100);
        QVERIFY(fx->sim().received().isEmpty());
        prompter.queue(MsgAnswer::Yes);
        QVERIFY(t->sendTextFile(bin));
        QVERIFY(fx->waitReceived(int(binary.size())));
        QCOMPARE(fx->sim().received(), binary);
        fx->sim().clearReceived();

        int pieces = 0;
        t->sendProgress = [&](qint64, qint64) {
            if (++pieces == 1)
                fx->unplug();
        };
        QVERIFY(!t->sendTextFile(writeFile("c.txt", text)));
        QVERIFY2(prompter.last().text.contains(QLatin1String(" stopped after 512 of ")), qPrintable(prompter.last().text));
        QVERIFY(!t->sending());
    }

    // A file that cannot be read (here a folder) is named with the system's reason; no cancel
    // window, nothing sent.
    void sendTextFileThatCannotBeRead()
    {
        start();
        bool windowShown = false;
        t->sendStarted = [&windowShown](const QString &) { windowShown = true; };
        QVERIFY(!t->sendTextFile(dir.path()));
        QCOMPARE(prompter.count(), 1);
        const QStringList lines = prompter.lastLines();
        QCOMPARE(lines.value(0), QDir::toNativeSeparators(dir.path()));
        QVERIFY2(lines.size() == 2 && !lines.at(1).isEmpty(), qPrintable(prompter.last().text));
        QVERIFY(!windowShown && !t->sending());
        QVERIFY(!fx->waitReceived(1, 200));
    }

    // The log as it is written: every chunk at once, pause and resume, the received bytes
    // kept, time stamps (a partial line after the short timer), closing.
    void logContentAndFlushing()
    {
        start();
        s->MSComm1.setPortOpen(false);   // the receive path is fed by hand here
        const QString path = dir.filePath(QStringLiteral("comm.txt"));
        writeFile("comm.txt", "old line\r\n");
        chooser.queueSave(path);
        prompter.queue(MsgAnswer::No);   // keep the old file
        t->mnuOpenLog();
        QVERIFY(t->logRunning());
        s->termRx(QStringLiteral("abc\r\n12"));
        QByteArray log = fileBytes(path);   // read while the log is open: the partial line is there
        QVERIFY2(QRegularExpression(QStringLiteral("^old line\r\n\r\nTAG:Open-\\{Date=.*  t=.* sec\\}\r\nabc\r\n12$"))
                     .match(QString::fromLatin1(log)).hasMatch(), log.constData());
        t->pauseLog();
        s->termRx(QStringLiteral("hidden\r"));
        t->resumeLog();
        s->termRx(SerialPort::bytesToText(QByteArray("\x01\xff\x80\x1b\r", 5)));
        t->log().setTimestamps(true);
        s->termRx(QStringLiteral("stamped"));
        QVERIFY(!fileBytes(path).contains("stamped"));   // a stamped line waits for its end
        QTRY_VERIFY(fileBytes(path).endsWith("stamped"));   // or the short timer
        s->termRx(QStringLiteral("\r"));
        t->closeLog();
        QCOMPARE(t->logCaptionPart(), QStringLiteral("(Log turned off)"));
        log = fileBytes(path);
        QVERIFY(!log.contains("hidden"));
        QVERIFY(log.indexOf("TAG:Pause") < log.indexOf("TAG:Resume"));
        QVERIFY(log.contains("TAG:Resume-{Date=") && log.contains(" sec}\r\n\x01\xff\x80\x1b\r\n"));
        QVERIFY2(QRegularExpression(QStringLiteral("\n\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} stamped\r\n"))
                     .match(QString::fromLatin1(log)).hasMatch(), log.constData());
        QVERIFY(log.contains("TAG:Close-{Date="));

        // A folder that cannot be written: a clear message, no log, the terminal goes on.
        QVERIFY(!t->openLog(QStringLiteral("/proc/zentrix-none/log.txt"), false, 0));
        QVERIFY2(prompter.last().text.contains(QLatin1String("/proc/zentrix-none/log.txt")), qPrintable(prompter.last().text));
        QCOMPARE(s->iLogFile, qint16(0));
        s->termRx(QStringLiteral("still here\r"));
        QVERIFY(s->txtTerm.text().endsWith(QLatin1String("still here\r\n")));

        // A write that fails asks Retry / Cancel with the system's text; Cancel closes the log.
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            return;
        const int boxes = prompter.count();
        prompter.queue({MsgAnswer::Retry, MsgAnswer::Cancel});
        t->openLog(QStringLiteral("/dev/full"), false, 0);
        QCOMPARE(prompter.count(), boxes + 2);
        QCOMPARE(prompter.last().buttons, MsgButtons::RetryCancel);
        QVERIFY(!t->logOpen() && s->iLogFile == 0);
    }

    // Open Log takes a name that does not exist yet (a writing chooser): no replace question.
    void openLogWithANewName()
    {
        start();
        const QString path = dir.filePath(QStringLiteral("new-session.log"));
        QVERIFY(!QFileInfo::exists(path));
        chooser.queueSave(path);
        t->mnuOpenLog();
        QVERIFY(t->logRunning());
        QCOMPARE(chooser.last().title, QStringLiteral("Open CLog File"));
        QCOMPARE(prompter.count(), 0);
        QCOMPARE(t->logCaptionPart(), QStringLiteral("(new-session.log)"));
        t->typeKey(Qt::Key_Z, {}, QStringLiteral("Z"));
        QTRY_VERIFY(fileBytes(path).contains("Sens="));
        QVERIFY(fileBytes(path).startsWith("\r\nTAG:Open-{Date="));
    }

    // The Retry / Cancel box of a failing log write while the chronograph goes on talking:
    // never a second box on top of the first, the text that came meanwhile written once, in
    // order, after the retry.
    void failingLogBoxWithTextArriving()
    {
        start();
        struct BoxPrompter : Prompter {
            int depth = 0, deepest = 0, boxes = 0;
            std::function<MsgAnswer()> whileUp;
            MsgAnswer show(const MsgRequest &) override
            {
                ++boxes;
                deepest = std::max(deepest, ++depth);
                const MsgAnswer a = depth == 1 && whileUp ? whileUp() : MsgAnswer::Cancel;
                --depth;
                return a;
            }
        } box;
        t.reset();   // its hooks go before the new terminal sets its own
        t = std::make_unique<Terminal>(*s, box, &chooser);
        const QString path = dir.filePath(QStringLiteral("limited.txt"));
        QVERIFY(t->openLog(path, true, 0));

        // The file may not grow (a file-size limit bites root too) until the box is up.
        struct Limit {
            rlimit saved{};
            bool set = false;
            explicit Limit(rlim_t bytes)
            {
                std::signal(SIGXFSZ, SIG_IGN);
                getrlimit(RLIMIT_FSIZE, &saved);
                rlimit r = saved;
                r.rlim_cur = bytes;
                set = setrlimit(RLIMIT_FSIZE, &r) == 0;
            }
            void lift()
            {
                if (set)
                    setrlimit(RLIMIT_FSIZE, &saved);
                set = false;
            }
            ~Limit() { lift(); }
        } limit(rlim_t(QFileInfo(path).size()));
        QVERIFY(limit.set);
        box.whileUp = [&] {
            t->typeKey(Qt::Key_Z, {}, QStringLiteral("Z"));   // the answer comes while the box is up
            QDeadlineTimer until(5000);
            while (!s->txtTerm.text().contains(QLatin1String("Sens=OFF")) && !until.hasExpired())
                QTest::qWait(20);
            QTest::qWait(100);
            limit.lift();
            return MsgAnswer::Retry;
        };
        s->termRx(QStringLiteral("first\r\n"));
        limit.lift();

        QCOMPARE(box.deepest, 1);
        QCOMPARE(box.boxes, 1);
        QVERIFY(t->logOpen());
        const QByteArray log = fileBytes(path);
        QCOMPARE(log.count("first"), 1);
        QCOMPARE(log.count("Sens=OFF"), 1);
        QVERIFY2(log.indexOf("first") < log.indexOf("Sens=OFF") && log.endsWith("DAT>"), log.constData());
    }

    // A port that disappears while logging: the log keeps what was received.
    void logSurvivesALostPort()
    {
        start();
        const QString path = dir.filePath(QStringLiteral("lost.txt"));
        QVERIFY(t->openLog(path, true, 0));
        t->typeKey(Qt::Key_Z, {}, QStringLiteral("Z"));
        QTRY_VERIFY(fileBytes(path).contains("Sens="));
        fx->unplug();
        QTRY_VERIFY(!s->MSComm1.portOpen());
        QVERIFY(t->logOpen());
        QVERIFY(fileBytes(path).contains("Sens="));
    }

    void countersAndEvents()
    {
        start();
        t->typeKey(Qt::Key_Z, {}, QStringLiteral("Z"));
        QTRY_VERIFY(s->counters.rxLines > 0);
        for (int i = 0; i < 100; ++i)
            t->portEvent(QStringLiteral("Framing Error"), i % 2);
        const QString list = t->eventList();   // trimmed before each line: a little over 1000
        QVERIFY2(list.size() > 900 && list.size() <= 1000 + 40, qPrintable(list));
        QVERIFY(QRegularExpression(QStringLiteral(R"(\r\nSta\([\d.]+\): Framing Error\r\nErr\([\d.]+\): Framing Error\r\n$)"))
                    .match(list).hasMatch());
        t->resetCounter(1);
        QCOMPARE(s->counters.rxLines, 0);
        QVERIFY(s->counters.rxChars > 0 && s->counters.txChars == 1);
        s->termInit();
        const TermCounters &c = s->counters;
        QCOMPARE(QList<qint32>({c.rxChars, c.rxLines, c.rxErrors, c.rxEvents, c.txChars, c.txLines, c.txMsgs, c.txErrors}),
                 QList<qint32>(8, 0));
    }
};

QTEST_MAIN(TstTerminal)
#include "tst_terminal.moc"
