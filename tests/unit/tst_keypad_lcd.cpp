// The keypad's LCD: the last four lines of the received text, as the receive path assembles
// them from chunks that split lines and line ends anywhere.
#include "link/link_session.h"
#include "remote/keypad.h"
#include "support/scripted_prompter.h"

#include <QtTest>

using namespace zx;

class TstKeypadLcd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lastFourLines_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QString>("lcd");
        QTest::newRow("nothing received") << QStringList{} << QString();
        QTest::newRow("one prompt") << QStringList{QStringLiteral("\r\nDAT>")} << QStringLiteral("\r\nDAT>");
        QTest::newRow("last four, trimmed")
            << QStringList{QStringLiteral("\r\nSYS:1\r\nK*Log=ON\r\n  Vel=f/s  \r\nAtt=01 04 06 06\r\nReady CAP=OFF\r\nDAT>")}
            << QStringLiteral("Vel=f/s\r\nAtt=01 04 06 06\r\nReady CAP=OFF\r\nDAT>");
        QTest::newRow("CR LF split across chunks")
            << QStringList{QStringLiteral("\r\nREV:Fol=01 Str=04\r"), QStringLiteral("\nDAT>")}
            << QStringLiteral("\r\nREV:Fol=01 Str=04\r\nDAT>");
        QTest::newRow("lines split anywhere")
            << QStringList{QStringLiteral("\r\nTMP:Ca"), QStringLiteral("se=23.5c\r"), QStringLiteral("\nUNI:Vel=f/s\r\n"),
                           QStringLiteral("D"), QStringLiteral("AT>")}
            << QStringLiteral("\r\nTMP:Case=23.5c\r\nUNI:Vel=f/s\r\nDAT>");
        QStringList many;
        for (int i = 0; i < 250; ++i)
            many << QStringLiteral("\r\nCAP:#%1").arg(i);
        QTest::newRow("past the ring's wrap") << many << QStringLiteral("CAP:#246\r\nCAP:#247\r\nCAP:#248\r\nCAP:#249");
        QTest::newRow("line still open") << QStringList{QStringLiteral("\r\nA\r\nB\r\nC\r\nD\r\n")}
                                         << QStringLiteral("B\r\nC\r\nD\r\n");
    }
    void lastFourLines()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QString, lcd);
        test::ScriptedPrompter prompter;
        LinkSession link(&prompter, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
        link.bRxTo[0] = true;
        for (const QString &c : std::as_const(chunks))
            link.termRx(c);
        QCOMPARE(KeyPad::lastLines(KeyPad::receivedTail(link, KeyPad::kLcdLines)), lcd);
        // The terminal's text gives the same display.
        QCOMPARE(KeyPad::lastLines(link.txtTerm.text()), lcd);
    }
};

QTEST_GUILESS_MAIN(TstKeypadLcd)
#include "tst_keypad_lcd.moc"
