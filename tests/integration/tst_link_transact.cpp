// Command transactions against a scripted in-process line. Time limits are scaled down, but every
// race a busy machine could lose has a wide margin: silence limits far above a talking line's gaps,
// upper bounds that only catch a wait that would otherwise never end.
#include "link/cro_endings.h"
#include "link/link_session.h"
#include "platform/port_map.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zx;
using B = QByteArray;

namespace {

// The other end of the wire: answers each received byte through a script.
class ScriptedLine : public QIODevice {
public:
    using Script = std::function<void(char, ScriptedLine &)>;
    explicit ScriptedLine(QObject *parent) : QIODevice(parent) {}
    Script script;
    QList<QPair<qint64, char>> sent;   // ms since construction, byte
    QElapsedTimer clock;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_in.size() + QIODevice::bytesAvailable(); }
    // Queue a chunk for the program after delayMs.
    void say(const QByteArray &chunk, int delayMs = 0)
    {
        QTimer::singleShot(delayMs, this, [this, chunk] {
            if (!isOpen())
                return;
            m_in += chunk;
            Q_EMIT readyRead();
        });
    }
    // Hand a chunk to the program at once: a talker driven by its own timer stays ahead of the
    // program's time limits even when a busy machine delays both.
    void sayNow(const QByteArray &chunk)
    {
        m_in += chunk;
        Q_EMIT readyRead();
    }
    // Say text one byte at a time, gapMs apart.
    void dribble(const QByteArray &text, int gapMs)
    {
        for (int i = 0; i < text.size(); ++i)
            say(text.mid(i, 1), i * gapMs);
    }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, m_in.size());
        memcpy(data, m_in.constData(), size_t(n));
        m_in.remove(0, n);
        return n;
    }
    qint64 writeData(const char *data, qint64 len) override
    {
        for (qint64 i = 0; i < len; ++i) {
            sent.append({clock.elapsed(), data[i]});
            if (script)
                script(data[i], *this);
        }
        return len;
    }

private:
    QByteArray m_in;
};

// A silence limit no busy machine reaches between the chunks of an answer.
constexpr int kPatient = 2000;

const QByteArray kStatusZ = "\r\nRV5, RV5A:V105S SYS:00012 Bat=9.1V Tmp=23C PwrDown=ON=01:30 Faf=OFF Arc=OFF "
                            "Sens=OFF SLev=45% Cal=120\r\n\r\nDAT>";

} // namespace

class TstLinkTransact : public QObject {
    Q_OBJECT

    test::ScriptedPrompter prompter;
    test::RecordingLogPad pad;
    std::unique_ptr<LinkSession> s;
    QPointer<ScriptedLine> line;

    void openOn(ScriptedLine::Script script)
    {
        s = std::make_unique<LinkSession>(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
        line = new ScriptedLine(s.get());
        line->clock.start();
        line->script = std::move(script);
        SerialPort::registerVirtualDevice(QStringLiteral("test:line"), [this]() -> QIODevice * { return line; });
        PortMap::setOverride(1, QStringLiteral("test:line"));
        s->MSComm1.setCommPort(1);
        s->subOpenPort();
        QVERIFY(s->MSComm1.portOpen());
    }

private Q_SLOTS:
    void init()
    {
        OneShotTimer::setScale(1.0);
        prompter.clear();
        pad.clear();
    }
    void cleanup()
    {
        s.reset();
        PortMap::clearOverrides();
        SerialPort::unregisterVirtualDevice(QStringLiteral("test:line"));
        SerialPort::unregisterVirtualDevice(QStringLiteral("test:probe"));
    }

    void answerClasses_data()
    {
        QTest::addColumn<bool>("isKey");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QList<int>>("rpm");   // result, prompt, menu
        auto row = [](const char *name, bool isKey, const char *request, const QByteArray &answer, int result,
                      int prompt, int menu) {
            QTest::newRow(name) << isKey << QString(request) << answer << QList<int>{result, prompt, menu};
        };
        row("data D", false, "D", "\r\nDAT>", 1, 1, 0);
        row("stats S", false, "S", "\r\nSTS>", 2, 2, 0);
        row("memory 1", false, "1", "MMR: 1\r\nMMR:<End>\r\nDAT>", 1, 1, 0);
        row("memory 2 cap off", false, "2", "MMR: 1\r\nMMR:<End> CAP=OFF\r\nDAT>", 2, 1, 0);
        row("status Z", false, "Z", kStatusZ, 1, 1, 0);
        row("status Z in menu", false, "Z", "SLev=45% Arc=OFF Sens=OFF\r\nMEN><STS> 00?", 4, 0, 2);
        row("sign-on Q", false, "Q", "RV5 www.rv5vantor.example\r\nReady CAP=OFF\r\n\r\nSTS>", 2, 2, 0);
        row("menu M", false, "M", "\r\nMEN><STS> 00?", 2, 0, 2);
        row("power off", false, "P", "SYS: Power OFF", 1, 0, 0);
        row("calibrate", false, "C", "\r\nCAL: 120 08 ok\r\n\r\nDAT>", 1, 1, 0);
        row("enter to prompt", true, "M", "\r\nSTS>", 2, 2, 0);
        row("enter to menu", true, "M", " ON \r\nMEN><DAT> 01?", 3, 0, 1);
        row("move in menu", true, "R", "\r\nMEN><DAT> 10?", 3, 0, 1);
        row("move to prompt", true, "U", "\r\nDAT>", 1, 1, 0);
        row("delete", true, "^", "Deleted CAP=OFF\r\nDAT>", 1, 1, 0);
        row("escape cap off", true, "[", "<End> CAP=OFF\r\nSTS>", 2, 2, 0);
        row("escape data menu", true, "[", "<End>\r\nMEN><DAT> 00?", 3, 0, 1);
        row("escape stats menu", true, "[", "<End>\r\nMEN><STS> 20?", 4, 0, 2);
        row("escape power on", true, "[", "Power ON\r\nMEN><DAT> 00?", 5, 0, 1);
    }
    void answerClasses()
    {
        QFETCH(bool, isKey);
        QFETCH(QString, request);
        QFETCH(QByteArray, answer);
        QFETCH(QList<int>, rpm);
        for (int split = 0; split < 2; ++split) {
            // Whole answer in one chunk, then one byte at a time.
            openOn([answer, split](char, ScriptedLine &l) {
                if (split)
                    l.dribble(answer, 0);
                else
                    l.say(answer, 5);
            });
            s->croTransact(isKey, request, 0, kPatient);
            QCOMPARE(QList<int>({s->croTxn.result, s->croTxn.prompt, s->croTxn.menu}), rpm);
            QVERIFY(!s->croTxn.failed && s->cro.bCroLinkOk && !s->croTxn.busy && !s->bCroRspOn);
            // One byte on the wire: a key is its letter with bit 6 cleared (Esc 0x1B, Enter 0x0D).
            QCOMPARE(line->sent.size(), 1);
            const char sent = request.at(0).toLatin1();
            QCOMPARE(int(quint8(line->sent.first().second)), isKey ? sent & 0xBF : sent);
            QCOMPARE(s->croTxn.cmdChar, request);
        }
    }

    void escapeSetsSensorFlags()
    {
        openOn([](char, ScriptedLine &l) { l.say("<End>\r\nDAT>"); });
        s->croTransact(true, QStringLiteral("["), 0, kPatient);
        QVERIFY(s->cro.bCroSensorsOn);
        line->script = [](char, ScriptedLine &l) { l.say("\r\nSTS>CAP=OFF\r\nDAT>"); };
        s->croTransact(false, QStringLiteral("S"), 0, kPatient);
        QVERIFY(!s->cro.bCroSensorsOn);
    }

    // An answer that so far ends in a blank is not tested: Enter would take "MEN><DAT> " for its
    // ending and lose the position; the digits arrive 100 ms later.
    void answerEndingInSpaceWaitsForMore()
    {
        openOn([](char, ScriptedLine &l) {
            l.say("\r\nMEN><DAT> ");
            l.say("02?", 100);
        });
        s->croTransact(true, QStringLiteral("M"), 11, kPatient);
        QCOMPARE(int(s->croTxn.result), 3);
        QVERIFY(!s->croTxn.failed);
        int item = 0, sub = 0;
        QVERIFY(s->menuParsePos(item, sub));
        QCOMPARE(item * 10 + sub, 2);
    }

    // A line that keeps talking (every few ms, never a prompt) against one that stays silent.
    // Scale 0.1: overall 200 ms, header 50 ms; the talking rows' silence limits (500, 600 ms)
    // are far above the talk's gaps. After a failure the rest of the answer is let pass, for at
    // most the longer of the overall and twice the silence limit.
    void timeouts_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("shortMs");
        QTest::newRow("silence") << "D" << 100 << 20 << 0;
        QTest::newRow("talks without prompt") << "T" << 101 << 190 << 5000;
        QTest::newRow("memory 1 stalls its listing") << "1" << 103 << 45 << 6000;
    }
    void timeouts()
    {
        QFETCH(QString, request);
        QFETCH(int, result);
        QFETCH(int, minMs);
        QFETCH(int, shortMs);
        auto talk = std::make_shared<QTimer>();
        openOn([talk, result](char, ScriptedLine &l) {
            if (result == 100)
                return;
            // Memory lines do not count as "MMR:".
            QObject::connect(talk.get(), &QTimer::timeout, &l, [&l] { l.sayNow("blah\r\n"); });
            talk->start(10);
        });
        OneShotTimer::setScale(0.1);
        QElapsedTimer t;
        t.start();
        s->croTransact(false, request, 0, shortMs);
        const qint64 ms = t.elapsed();
        talk->stop();
        QCOMPARE(int(s->croTxn.result), result);
        QVERIFY(s->croTxn.failed && !s->cro.bCroLinkOk);
        QVERIFY2(ms >= minMs && ms < 10000, qPrintable(QString::number(ms)));
        QVERIFY(s->sCroRsp.size() <= 900);
    }

    void longPeriodReplacesOverallTimeout()
    {
        auto talk = std::make_shared<QTimer>();
        openOn([talk](char, ScriptedLine &l) {
            QObject::connect(talk.get(), &QTimer::timeout, &l, [&l] { l.sayNow("MMR: 0001 1234\r\n"); });
            talk->start(4);
        });
        OneShotTimer::setScale(0.05); // period 60 s -> 3 s, overall 100 ms, silence 1 s
        QElapsedTimer t;
        t.start();
        s->croTransact(false, QStringLiteral("2"), 0, 20000);
        const qint64 ms = t.elapsed();
        talk->stop();
        QCOMPARE(int(s->croTxn.result), 102);
        QVERIFY2(ms >= 2800 && ms < 20000, qPrintable(QString::number(ms)));
    }

    void expectMismatch_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("expect");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("failed");
        QTest::newRow("want DAT got STS") << "D" << 1 << B("\r\nSTS>") << true;
        QTest::newRow("want DAT got DAT") << "D" << 1 << B("\r\nDAT>") << false;
        QTest::newRow("want Stats menu got Data menu") << "M" << 12 << B("\r\nMEN><DAT> 00?") << true;
        QTest::newRow("want Data menu got Data menu") << "M" << 11 << B("\r\nMEN><DAT> 00?") << false;
        QTest::newRow("want a menu got a prompt") << "Z" << 11 << kStatusZ << true;
    }
    void expectMismatch()
    {
        QFETCH(QString, request);
        QFETCH(int, expect);
        QFETCH(QByteArray, answer);
        QFETCH(bool, failed);
        openOn([answer](char, ScriptedLine &l) { l.say(answer); });
        s->croTransact(false, request, expect, kPatient);
        QCOMPARE(s->croTxn.failed, failed);
        QVERIFY(s->croTxn.result < 10);
    }

    void guardTimeBetweenTransactions()
    {
        openOn([](char, ScriptedLine &l) { l.say("\r\nDAT>"); });
        s->croTransact(false, QStringLiteral("D"), 1, kPatient);
        const qint64 ended = line->clock.elapsed();
        s->croTransact(false, QStringLiteral("D"), 1, kPatient);
        QCOMPARE(line->sent.size(), 2);
        QVERIFY2(line->sent.at(1).first - ended >= 49, qPrintable(QString::number(line->sent.at(1).first - ended)));
    }

    void lateAnswerDoesNotLeakIntoNextTransaction()
    {
        // First answer arrives after the silence time-out, before the chronograph falls quiet.
        int n = 0;
        openOn([&n](char, ScriptedLine &l) {
            if (n++ == 0)
                l.dribble("late words\r\nDAT>", 40);   // 40 ms apart: beats 250 ms only after it began
            else
                l.say("\r\nSTS>");
        });
        s->croTransact(false, QStringLiteral("D"), 1, 100);   // silence 100 ms
        QVERIFY(s->croTxn.failed || s->croTxn.result == 1);
        s->croTransact(false, QStringLiteral("S"), 2, kPatient);
        QCOMPARE(int(s->croTxn.result), 2);
        QVERIFY(!s->sCroRsp.contains(QLatin1String("late")));
    }

    void neverSilentChronographCannotHoldTheProgram()
    {
        auto talk = std::make_shared<QTimer>();
        openOn([talk](char, ScriptedLine &l) {
            QObject::connect(talk.get(), &QTimer::timeout, &l, [&l] { l.sayNow(QByteArray(64, 'x')); });
            talk->start(5);
        });
        OneShotTimer::setScale(0.25); // overall 500 ms, silence 1 s
        QElapsedTimer t;
        t.start();
        s->croTransact(false, QStringLiteral("A"), 0, 4000);
        QCOMPARE(int(s->croTxn.result), 101);
        QVERIFY2(t.elapsed() < 10000, qPrintable(QString::number(t.elapsed()))); // without a cap: never
        talk->stop();
        QVERIFY(s->sCroRsp.size() <= LinkSession::kCroRspCap);
    }

    void portVanishesMidTransaction()
    {
        openOn([](char, ScriptedLine &l) {
            l.say("SLev=");
            QTimer::singleShot(20, &l, [&l] { l.close(); });
        });
        OneShotTimer::setScale(0.4); // silence 100 ms
        s->croTransact(false, QStringLiteral("Z"), 0, 0);
        QVERIFY(s->croTxn.failed && s->croTxn.result >= 100);
        QVERIFY(!s->MSComm1.portOpen());
        s->croTransact(false, QStringLiteral("Z"), 0, 0);   // writes to a closed port: time-out
        QCOMPARE(int(s->croTxn.result), 100);
    }

    // Connect: Esc up to ten times with a growing silence limit, at the chronograph's settings.
    void connect_data()
    {
        QTest::addColumn<int>("answerOnTry"); // 0: never; -1: the user aborts
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("log");
        const QString noAnswer = QStringLiteral("\r\nREM: No Responce from Chrono...\r\nREM: Retry...1");
        QTest::newRow("silent line") << 0 << false << noAnswer + "...2...3...4...5...6...7...8...9...10...Giving up!\r\n";
        QTest::newRow("third try") << 3 << true << noAnswer + "...2";
        QTest::newRow("aborted") << -1 << false << "...Aborted by the user..!\r\n";
    }
    void connect()
    {
        QFETCH(int, answerOnTry);
        QFETCH(bool, ok);
        QFETCH(QString, log);
        int tries = 0;
        openOn([&](char, ScriptedLine &l) {
            if (answerOnTry < 0)
                s->croTxn.connAbort = true;
            else if (++tries == answerOnTry)
                l.say("<End> CAP=OFF\r\nDAT>");
        });
        s->MSComm1.setSettings(QStringLiteral("9600,e,7,2"));
        OneShotTimer::setScale(0.05);
        QCOMPARE(s->croConnect(), ok);
        QVERIFY2(pad.rendered().endsWith(log), qPrintable(pad.rendered()));
        QVERIFY(!s->croTxn.connAbort);
        if (answerOnTry == 0) {
            QCOMPARE(line->sent.size(), 10);
            for (const auto &b : line->sent)
                QCOMPARE(int(b.second), 0x1B);
            QCOMPARE(s->MSComm1.settings(), QStringLiteral("4800,n,8,1"));
        }
    }

    void probeOfDeadPort()
    {
        openOn([](char, ScriptedLine &) {});
        auto *dead = new ScriptedLine(s.get());
        SerialPort::registerVirtualDevice(QStringLiteral("test:probe"), [dead]() -> QIODevice * { return dead; });
        PortMap::setOverride(2, QStringLiteral("test:probe"));
        QStringList msgs;
        s->hooks.probeMessage = [&msgs](const QString &m) { msgs << m; };
        OneShotTimer::setScale(0.1);
        s->getPrtState();
        QCOMPARE(s->com2Open(2), 0);
        QCOMPARE(s->croProbe(), 1);
        QStringList want{"Retry..."};
        for (int i = 1; i <= 10; ++i)
            want << QString::number(i) + QStringLiteral("..");
        want << QStringLiteral("Giving up.!");
        QCOMPARE(msgs, want);
        QVERIFY(!s->MSComm2.portOpen());
        QVERIFY(s->MSComm1.portOpen());
    }

    void menuParsePos_data()
    {
        QTest::addColumn<QString>("rsp");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("sub");
        QTest::newRow("top of Data menu") << "\r\nMEN><DAT> 00?" << true << 0 << 0;
        QTest::newRow("Stats 3 1") << "\r\nMEN><STS> 31?" << true << 3 << 1;
        QTest::newRow("12 characters") << "MEN><DAT>00?" << false << -1 << 12;
        QTest::newRow("no question mark") << "\r\nMEN><DAT> 00" << false << -1 << 14;
        QTest::newRow("letters") << "\r\nMEN><DAT> A0?" << false << 17 << 0;
    }
    void menuParsePos()
    {
        QFETCH(QString, rsp);
        QFETCH(bool, ok);
        QFETCH(int, item);
        QFETCH(int, sub);
        LinkSession ls(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        ls.sCroRsp = rsp;
        int i = 99, j = 99;
        QCOMPARE(ls.menuParsePos(i, j), ok);
        QCOMPARE(i, item);
        QCOMPARE(j, sub);
    }

    // The endings as a pure function: phases advance once per pass and are tested in order.
    void endingsPhases_data()
    {
        QTest::addColumn<bool>("isKey");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("rsp");
        QTest::addColumn<QList<int>>("passes");   // result of each pass over the same text
        auto row = [](const char *name, bool isKey, const char *request, const char *rsp, QList<int> passes) {
            QTest::newRow(name) << isKey << QString(request) << QString(rsp) << passes;
        };
        row("status needs four passes", false, "Z", "SLev=45% Arc=OFF Sens=OFF\r\nDAT>", {0, 0, 0, 1});
        row("status with sensors on never ends", false, "Z", "SLev=45% Arc=OFF Sens=ON\r\nDAT>", {0, 0, 0, 0, 0});
        row("sign-on without banner waits", false, "Q", "Ready\r\n\r\nDAT>", {0, 0, 0});
        row("sign-on", false, "Q", "www.rv5vantor.example\r\nReady\r\n\r\nDAT>", {0, 0, 1});
        row("power off needs SYS: first", false, "9", "Power OFF SYS:", {0, 0});
        row("power off", false, "P", "SYS: Power OFF", {0, 1});
        row("enter: later menu wins", true, "M", "MEN><DAT> 00? MEN><STS> 31?", {4});
        row("enter: a menu prompt without its position waits", true, "M", "ON \r\nMEN><STS>", {0, 0});
        row("memory 3 needs the last folder", false, "3", "MMR:<End>\r\nDAT>", {0, 0});
        row("calibrate needs CAL: line", false, "C", "\r\nDAT>", {0, 0});
        row("escape: power on then menu", true, "[", "RV5 Power ON\r\nMEN><DAT> 00?", {0, 5});
        row("escape: plain prompt is not an ending", true, "[", "\r\nDAT>", {0, 0});
        row("move: menu then question mark", true, "L", "Rapid \r\nMEN><STS> 30?", {0, 4});
    }
    void endingsPhases()
    {
        QFETCH(bool, isKey);
        QFETCH(QString, request);
        QFETCH(QString, rsp);
        QFETCH(QList<int>, passes);
        CroEndings e(LinkSession::classify(isKey, request));
        CroTxn txn;
        CroState cro;
        for (int want : passes) {
            bool advanced = false;
            QCOMPARE(e.test(rsp, txn, cro, advanced), want);
        }
    }

    void sendKeyOnClosedPortShowsMessage()
    {
        LinkSession ls(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        ls.MSComm1.setCommPort(7);
        ls.croSendKey(int('D'), 1);
        QCOMPARE(prompter.count(), 1);
        QCOMPARE(prompter.last().text, QStringLiteral("Port COM7 is not opened !\r\nPlease check port settings."));
    }
};

QTEST_GUILESS_MAIN(TstLinkTransact)
#include "tst_link_transact.moc"
