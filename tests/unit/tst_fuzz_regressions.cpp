// Inputs the fuzz targets (fuzz/) found breaking something, kept as short byte strings. Each row
// says what it broke; the check is the property the fuzz target asserts.
#include "platform/plain_text_codec.h"
#include "platform/rtf_reader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using namespace zx;

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rtfReader_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");      // paragraphs joined with '\n'
        QTest::addColumn<bool>("lastInList");
        // Text after the closing brace formats the list paragraph again, which empties its list:
        // the document deleted the list and the reader added the paragraph to freed memory.
        QTest::newRow("list emptied, then used again") << QByteArray("{\\rtf\xa3\\ls1}\\ls1l") << "\u00A3l"
                                                       << true;
    }
    void rtfReader()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(bool, lastInList);
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), text);
        QCOMPARE(doc.lastBlock().textList() != nullptr, lastInList);
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
        const QByteArray written = PlainTextCodec::encode(d.text, d.format);
        QCOMPARE(written, bytes);
        QCOMPARE(PlainTextCodec::decode(written).text, d.text);
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
