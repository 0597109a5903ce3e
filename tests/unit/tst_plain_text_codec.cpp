// Plain-text CFiles: the encoding is detected on loading and kept on saving, byte for byte.
#include "docformat/cp1252.h"
#include "platform/document_file_io.h"
#include "docformat/plain_text_codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using zx::PlainTextCodec;
using zx::PlainTextFormat;
using zx::TextEncoding;

Q_DECLARE_METATYPE(zx::TextEncoding)

class TestPlainTextCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cp1252AllBytesRoundTrip()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = zx::cp1252::decode(all);
        QCOMPARE(QString(text.at(0x80)) + text.at(0x96) + text.at(0x9F) + text.at(0xE9), QStringLiteral("\u20AC\u2013\u0178\u00E9"));
        QCOMPARE(zx::cp1252::encode(text), all);
        QCOMPARE(zx::cp1252::encode(QStringLiteral("\u0414\u4E2D")), QByteArray("??"));
        QVERIFY(!zx::cp1252::canEncode(QStringLiteral("a\u0414")));
        QVERIFY(zx::cp1252::canEncode(QStringLiteral("\u20AC\u0178\u00FF")));
    }

    void detectAndKeep_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<bool>("crlf");
        QTest::newRow("ascii crlf") << QByteArray("V0 2815\r\nV1 2820\r\n") << "V0 2815\nV1 2820\n"
                                    << TextEncoding::Ascii << true;
        QTest::newRow("ascii lf") << QByteArray("a\nb") << "a\nb" << TextEncoding::Ascii << false;
        QTest::newRow("utf8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC\r\n") << QStringLiteral("caf\u00E9 \u20AC\n")
                              << TextEncoding::Utf8 << true;
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF\xD0\x94\xD0\xB0") << QStringLiteral("\u0414\u0430")
                                  << TextEncoding::Utf8Bom << true;
        QTest::newRow("windows-1252") << QByteArray("\x80 5\x96" "6 caf\xE9\r\n") << QStringLiteral("\u20AC 5\u20136 caf\u00E9\n")
                                      << TextEncoding::Windows1252 << true;
        QTest::newRow("invalid utf8 is 1252") << QByteArray("\xC3\x28 \xE9") << QStringLiteral("\u00C3( \u00E9")
                                              << TextEncoding::Windows1252 << true;
        QTest::newRow("utf16le bom") << QByteArray("\xFF\xFE" "a\0\r\0\n\0\x14\x04", 10) << QStringLiteral("a\n\u0414")
                                     << TextEncoding::Utf16LeBom << true;
        QTest::newRow("utf16be bom") << QByteArray("\xFE\xFF\0a\0\n", 6) << QStringLiteral("a\n")
                                     << TextEncoding::Utf16BeBom << false;
        QTest::newRow("empty") << QByteArray() << QString() << TextEncoding::Ascii << true;
    }
    void detectAndKeep()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(bool, crlf);
        const zx::DecodedText d = PlainTextCodec::decode(bytes);
        QCOMPARE(d.text, text);
        QCOMPARE(d.format.encoding, encoding);
        QCOMPARE(d.format.crlf, crlf);
        QCOMPARE(PlainTextCodec::encode(d.text, d.format), bytes); // written back exactly

        QTextDocument doc;
        PlainTextCodec::load(bytes, &doc);
        QCOMPARE(PlainTextCodec::formatOf(&doc), d.format);
        QCOMPARE(PlainTextCodec::save(&doc), bytes);
    }

    void asciiFileGainsCharacters_data()
    {
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("fits 1252") << QStringLiteral("\u00E9\u20AC") << QByteArray("x\xE9\x80");
        QTest::newRow("needs utf8") << QStringLiteral("\u4E2D") << QByteArray("x\xE4\xB8\xAD");
    }
    void asciiFileGainsCharacters()
    {
        QFETCH(QString, added);
        QFETCH(QByteArray, saved);
        QTextDocument doc;
        PlainTextCodec::load("x", &doc);
        QTextCursor c(&doc);
        c.movePosition(QTextCursor::End);
        c.insertText(added);
        QCOMPARE(PlainTextCodec::save(&doc), saved);
        QCOMPARE(PlainTextCodec::decode(saved).text, QStringLiteral("x") + added);
    }

    void savingKeepsSpecialSpaces()
    {
        QTextDocument doc;
        PlainTextCodec::load("a\r\n", &doc);
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("\u00A0b\u2028c"));
        QCOMPARE(PlainTextCodec::save(&doc), QByteArray("\xA0" "b\r\nca\r\n"));
    }

    // Loading and saving files of either kind, and the failures: not RTF, missing, no folder.
    void fileHelpers()
    {
        QTemporaryDir dir;
        const QString txt = dir.filePath("shots.log"), rtf = dir.filePath("shots.rtf");
        QFile f(txt);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("REM: caf\xE9\r\n") == 11);
        f.close();
        QTextDocument doc;
        QVERIFY(zx::loadDocumentFile(txt, &doc, zx::DocumentFileKind::PlainText).ok);
        QCOMPARE(doc.toPlainText(), QStringLiteral("REM: caf\u00E9\n"));
        QVERIFY(zx::saveDocumentFile(rtf, &doc, zx::DocumentFileKind::RichText).ok);
        QVERIFY(zx::saveDocumentFile(txt, &doc, zx::DocumentFileKind::PlainText).ok);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("REM: caf\xE9\r\n"));
        QTextDocument back;
        QVERIFY(zx::loadDocumentFile(rtf, &back, zx::DocumentFileKind::RichText).ok);
        QCOMPARE(back.toPlainText(), doc.toPlainText());

        auto r = zx::loadDocumentFile(txt, &back, zx::DocumentFileKind::RichText);
        QVERIFY(!r.ok && r.notRtf && !r.error.isEmpty());
        QCOMPARE(back.toPlainText(), doc.toPlainText()); // untouched
        r = zx::loadDocumentFile(dir.filePath("missing.rtf"), &back, zx::DocumentFileKind::RichText);
        QVERIFY(!r.ok && !r.notRtf && !r.error.isEmpty());
        r = zx::saveDocumentFile(dir.filePath("no/such/folder/x.rtf"), &doc, zx::DocumentFileKind::RichText);
        QVERIFY(!r.ok && !r.error.isEmpty());
    }
};

QTEST_MAIN(TestPlainTextCodec)
#include "tst_plain_text_codec.moc"
