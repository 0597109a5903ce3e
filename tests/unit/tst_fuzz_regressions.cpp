// Inputs the fuzz targets (fuzz/) found breaking something, kept as short byte strings. Each case
// says what it broke; the check is the property the fuzz target asserts.
#include "docformat/plain_text_codec.h"
#include "docformat/rtf_reader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using namespace zx;

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Text after the closing brace formats the list paragraph again, which empties its list:
    // the document deleted the list and the reader added the paragraph to freed memory.
    void rtfListEmptiedThenUsedAgain()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(QByteArray("{\\rtf\xa3\\ls1}\\ls1l"), &doc).ok);
        QCOMPARE(doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), QStringLiteral("\u00A3l"));
        QVERIFY(doc.lastBlock().textList());
    }

    void plainTextRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // A U+FEFF right after the byte-order mark was taken for a second mark and dropped,
        // so every save lost one.
        QTest::newRow("utf-8 mark twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF");
        QTest::newRow("utf-16le mark twice") << QByteArray("\xFF\xFE\xFF\xFE" "a\0", 6);
        QTest::newRow("utf-16be mark twice") << QByteArray("\xFE\xFF\xFE\xFF\0a", 6);
    }
    void plainTextRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        const DecodedText d = PlainTextCodec::decode(bytes);
        QCOMPARE(PlainTextCodec::encode(d.text, d.format), bytes);
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
