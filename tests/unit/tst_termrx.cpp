// The link port's receive routine: line assembly, the ring of lines, the Excel queue, the
// terminal's backspaces and line ends, and every buffer's limits.
#include "link/link_session.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

class TstTermRx : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkSession> make(test::RecordingLogPad *pad = nullptr)
    {
        return std::make_unique<LinkSession>(&m_prompter, nullptr, QStringLiteral("Zentrix0"), 0, pad);
    }
    test::ScriptedPrompter m_prompter;

private Q_SLOTS:
    void splitLines_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("lines");      // completed lines, oldest first
        QTest::addColumn<QString>("open");           // the line still being received
        QTest::addColumn<int>("rxLines");
        auto row = [](const char *name, QStringList chunks, QStringList lines, const char *open, int rxLines) {
            QTest::newRow(name) << chunks << lines << QString(open) << rxLines;
        };
        row("digits over two chunks", {"1234\r56", "7\r"}, {"1234", "567"}, "", 2);
        row("no CR keeps the line open", {"abc", "def"}, {}, "abcdef", 0);
        row("CR LF endings", {"a\r\nb\r\n"}, {"a", "\nb"}, "\n", 2);
        row("CR and LF in different chunks", {"DAT", ">\r", "\nX"}, {"DAT>"}, "\nX", 1);
        row("empty lines", {"\r\r\r"}, {"", "", ""}, "", 3);
    }
    void splitLines()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, lines);
        QFETCH(QString, open);
        QFETCH(int, rxLines);
        auto s = make();
        for (const QString &c : chunks)
            s->termRx(c);
        QCOMPARE(s->counters.rxLines, rxLines);
        QCOMPARE(int(s->iRxLineCnt), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(s->sRxLine[size_t(i)], lines[i]);
        QCOMPARE(s->sRxLine[size_t(s->iRxLine)], open);
        QCOMPARE(s->counters.rxChars, int(chunks.join(QString()).size()));
    }

    void croRspGetsChunksAsReceivedOrWithTerminalLineEnds()
    {
        auto s = make();
        s->bCroRspOn = true;
        s->termRx(QStringLiteral("1234\r56"));
        s->termRx(QStringLiteral("7\r"));
        QCOMPARE(s->sCroRsp, QStringLiteral("1234\r567\r"));
        s->sCroRsp.clear();
        s->bRxTo[0] = true;
        s->termRx(QStringLiteral("1234\r56"));
        s->termRx(QStringLiteral("7\r"));
        QCOMPARE(s->sCroRsp, QStringLiteral("1234\r\n567\r\n"));
        QCOMPARE(s->txtTerm.text(), QStringLiteral("1234\r\n567\r\n"));
    }

    void ringWrapsAfter101Lines()
    {
        auto s = make();
        s->sRxLine[0] = QStringLiteral("stale");
        for (int i = 0; i < 100; ++i)
            s->termRx(QStringLiteral("L%1\r").arg(i));
        QCOMPARE(QList<int>({s->iRxLine, s->iRxLineWrap}), QList<int>({100, 0}));
        s->termRx(QStringLiteral("L100\r"));
        QCOMPARE(QList<int>({s->iRxLine, s->iRxLineCnt, s->iRxLineWrap}), QList<int>({0, 101, 1}));
        QVERIFY(s->sRxLine[0].isEmpty());
        QCOMPARE(s->sRxLine[100], QStringLiteral("L100"));
    }

    void terminalBackspaces_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QString>("shown");
        QTest::newRow("BS at chunk start replaces the last letter") << QStringList{"ab", "\bc"} << "ac";
        QTest::newRow("letter and BS in one chunk") << QStringList{"x\b"} << "";
        QTest::newRow("BS deletes inside the chunk") << QStringList{"ab\bc"} << "ac";
        QTest::newRow("two leading BS replace only one") << QStringList{"ab", "\b\bc"} << "ac";
        QTest::newRow("letter BS BS reaches the box") << QStringList{"ab", "c\b\bd"} << "ad";
        QTest::newRow("LF dropped, CR gets LF") << QStringList{"a\r\n", "\nb\r"} << "a\r\nb\r\n";
        // Backspaces go before the line ends are redone: a BS takes a received LF or CR.
        QTest::newRow("BS takes the LF") << QStringList{"a\n\b"} << "a";
        QTest::newRow("BS after CR LF leaves the CR") << QStringList{"a\r\n\bb"} << "a\r\nb";
        QTest::newRow("BS takes the CR") << QStringList{"a\r\bb"} << "ab";
    }
    void terminalBackspaces()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QString, shown);
        auto s = make();
        s->bRxTo[0] = true;
        for (const QString &c : chunks)
            s->termRx(c);
        QCOMPARE(s->txtTerm.text(), shown);
    }

    void trimmingLimits()
    {
        auto s = make();
        s->bCroRspOn = true;
        s->sCroRsp = QString(790, QLatin1Char('r'));
        s->termRx(QString(20, QLatin1Char('n')));
        QCOMPARE(s->sCroRsp.size(), qsizetype(731));

        s->bRxTo[0] = true;
        s->txtTerm.setText(QString(32751, QLatin1Char('t')));
        s->termRx(QStringLiteral("ab"));
        QCOMPARE(s->txtTerm.size(), qsizetype(32751 - 79 + 2));
        s->txtTerm.setText(QString(32750, QLatin1Char('t')));
        s->termRx(QStringLiteral("ab"));
        QCOMPARE(s->txtTerm.size(), qsizetype(32752));

        s->bRemPrgrsView = true;
        s->remPrgrs.setText(QString(4001, QLatin1Char('p')));
        s->termRx(QStringLiteral("xyz"));
        QCOMPARE(s->remPrgrs.size(), qsizetype(4001 - 99 + 3));
    }

    void buffersStayBoundedUnderLargeChunks()
    {
        auto s = make();
        s->bCroRspOn = true;
        s->bRxTo[0] = true;
        s->bRemPrgrsView = true;
        const QString chunk = QString(1023, QLatin1Char('z')) + QLatin1Char('\r');
        for (int i = 0; i < 2000; ++i)
            s->termRx(chunk);
        QVERIFY(s->sCroRsp.size() <= LinkSession::kCroRspCap);
        QVERIFY(s->txtTerm.size() <= 4 * 32750);
        QVERIFY(s->remPrgrs.size() <= 16000);
        // A line that never ends keeps its first kRxLineCap characters.
        for (int i = 0; i < 10; ++i)
            s->termRx(QString(1000, QLatin1Char('x')));
        QCOMPARE(s->sRxLine[size_t(s->iRxLine)].size(), qsizetype(LinkSession::kRxLineCap));
    }

    void excelQueueOverrun()
    {
        auto s = make();
        s->bExcCapture = true;
        for (int i = 1; i <= 17; ++i)
            s->termRx(QStringLiteral("CAP: %1\r").arg(i));
        s->termRx(QStringLiteral("no shot\r"));
        // The 16th and the 17th were queued above 15 waiting.
        QCOMPARE(QList<int>({s->iExcLines, s->iExcPend, s->iExcOver, s->iExcPut}), QList<int>({17, 17, 2, 1}));
        QCOMPARE(s->sExcLine[0], QStringLiteral("CAP: 17"));
        QStringList got;
        s->hooks.excelLine = [&got](const QString &l) { got << l; };
        s->excDrain();
        QCOMPARE(got.size(), 17);
        QCOMPARE(got.first(), QStringLiteral("CAP: 17"));
        QCOMPARE(int(s->iExcPend), 0);
    }

    void captureSwitchAndKeypad()
    {
        test::RecordingLogPad pad;
        auto s = make(&pad);
        int refreshes = 0;
        s->hooks.keyPadRefresh = [&refreshes] { ++refreshes; };
        s->bKeyPadOn = true;
        s->bRxTo[1] = true;
        s->termRx(QStringLiteral("12"));
        s->termRx(QStringLiteral("3\r\n"));
        QCOMPARE(pad.captured(), QStringLiteral("123\r\n"));
        QCOMPARE(refreshes, 2);   // each chunk, not only completed lines
    }

    void pacingTimersRestartedOnlyWhileNotExpired()
    {
        auto s = make();
        s->tmrCrxShrt.arm(1000);
        s->tmrCrxShrt.setEnabled(false);
        s->termRx(QStringLiteral("abc"));
        QVERIFY(s->tmrCrxShrt.isEnabled());
        s->tmrCrxShrt.disarm();
        s->termRx(QStringLiteral("abc"));
        QVERIFY(!s->tmrCrxShrt.isEnabled());

        // The header timer: only by a completed line holding the marker.
        s->sCroHedMark = QStringLiteral("MMR:");
        s->tmrCrxHed.arm(500);
        s->tmrCrxHed.setEnabled(false);
        s->termRx(QStringLiteral("\rMMR: 01"));
        QVERIFY(!s->tmrCrxHed.isEnabled());
        s->termRx(QStringLiteral("\r"));
        QVERIFY(s->tmrCrxHed.isEnabled());

        // The Excel burst timer: re-armed by a capture line still open.
        s->bExcCapture = true;
        QVERIFY(s->tmrExcEnd.expired());
        s->termRx(QStringLiteral("#12"));
        QCOMPARE(int(s->iExcEndCnt), 1);
        QVERIFY(s->tmrExcEnd.isEnabled() && !s->tmrExcEnd.expired());
    }
};

QTEST_GUILESS_MAIN(TstTermRx)
#include "tst_termrx.moc"
