// Real RTF files written by many programs (the shared sample folder, not part of the project):
// the visible text must come out, hidden parts (pictures, binary data, tables of styles) must not,
// and each file must survive a write and read back with its text intact.
#include "platform/code_page_decoder.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using zx::RtfReader;
using zx::RtfWriter;

namespace {

QString samplesDir()
{
    return qEnvironmentVariable("ZX_SOURCE_DIR") + QStringLiteral("/../shared/samples/rtf");
}

QByteArray sample(const QString &name)
{
    QFile f(samplesDir() + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString plain(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

const QTextList *listOf(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text().trimmed() == text)
            return b.textList();
    }
    return nullptr;
}

} // namespace

class TestRtfSamples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!QDir(samplesDir()).exists())
            QSKIP("the shared RTF samples are not available");
    }

    void visibleText_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("snippets");
        QTest::addColumn<int>("codePage"); // needed to decode the snippets; 0 = built in
        QTest::newRow("word 2002 cp1251") << "word2002-cyrillic-cp1251.rtf"
                                          << QStringList{"{ some text inside curly brackets }"} << 0;
        QTest::newRow("word 2007") << "word2007-various.rtf"
                                   << QStringList{"Bold italic underline superscript subscript",
                                                  "Row 1 Col 1\tRow 1 Col 2\tRow 1 Col 3",
                                                  QStringLiteral("\u30BE\u30EB\u30B2\u3068\u5C3E\u5D0E"),
                                                  QString::fromUtf8("\xF0\x90\x8C\xB2\xF0\x90\x8C\xBF"),
                                                  "This is a hyperlink"}
                                   << 0;
        QTest::newRow("word 2010 nested tables") << "word2010-nested-tables.rtf"
                                                 << QStringList{"Mehrere pulmonale Noduli", QStringLiteral("gesch\u00E4tztes")}
                                                 << 0;
        QTest::newRow("word 2013 cp936") << "word2013-chinese-cp936.rtf" << QStringList{QStringLiteral("\u6D4B\u8BD5")}
                                         << 936;
        QTest::newRow("word 365") << "word365-test-document.rtf"
                                  << QStringList{"Numbered List", "Suberscript", "1,1\t1,2\t1,3"} << 0;
        QTest::newRow("word mac") << "wordmac-inline-mix.rtf"
                                  << QStringList{"Start with normal text.", "Text that is underlined. Wavy double."} << 0;
        QTest::newRow("wordpad cp1250") << "wordpad-xp-cp1250.rtf"
                                        << QStringList{QStringLiteral("za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144"),
                                                       QStringLiteral("ZA\u017B\u00D3\u0141\u0106 G\u0118\u015AL\u0104 JA\u0179\u0143")}
                                        << 0;
        QTest::newRow("wordpad pictures") << "wordpad-xp-pictures.rtf"
                                          << QStringList{"This is a simple document with images.",
                                                         "Then a GIF: (which is really a WMF image)"}
                                          << 0;
        QTest::newRow("wordpad bullets") << "wordpad-win10-bullets.rtf"
                                         << QStringList{"Paragraph\nBullet\nBullet 2\nParagraph 2\nList 1\nList 2"} << 0;
        QTest::newRow("richedit cp949") << "richedit-korean-cp949.rtf" << QStringList{"MS Project Addin ProjectPlus"}
                                        << 0;
        QTest::newRow("libreoffice 6") << "libreoffice60-nested-tables.rtf" << QStringList{"Calcium-Score"} << 0;
        QTest::newRow("libreoffice 3.4") << "libreoffice34-list.rtf"
                                         << QStringList{"A short ordered list:", "third"} << 0;
        QTest::newRow("staroffice") << "staroffice-special-char.rtf" << QStringList{QStringLiteral("\u00FA\u04E4")} << 0;
        QTest::newRow("textedit faces") << "textedit-osx103-faces.rtf"
                                        << QStringList{"added color no color", "bold&underlined&italics"} << 0;
        QTest::newRow("textedit cp936") << "textedit-chinese-cp936.rtf"
                                        << QStringList{QStringLiteral("\u5370\u5237\u60C5\u51B5\u53CD\u6620\uFF1A"),
                                                       QStringLiteral("\u5E02\u653F\u5E9C\u60C5\u51B5\u53CD\u6620\uFF1A"),
                                                       "022-021-00768 (Multiple)"}
                                        << 936;
        QTest::newRow("textedit hyperlink") << "textedit-hyperlink.rtf"
                                            << QStringList{"First one is: striprtf.dev (plain)", "github"} << 0;
        QTest::newRow("textedit list") << "textedit-list.rtf" << QStringList{"one\ntwo\nsub\nnew list"} << 0;
        QTest::newRow("itext") << "itext217-list-header.rtf"
                               << QStringList{QStringLiteral("INNEN. K\u00DCCHE - TAG"),
                                              QStringLiteral("Line-Separator:\u2028Der geht hier")}
                               << 0;
        QTest::newRow("pandoc") << "pandoc-writer.rtf"
                                << QStringList{"This is a set of tests for pandoc.",
                                               QStringLiteral("Here\u2019s a regular paragraph.")}
                                << 0;
        QTest::newRow("word 97 truncated") << "word97-bin-truncated.rtf" << QStringList{} << 0;
    }
    void visibleText()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, snippets);
        QFETCH(int, codePage);
        if (codePage && !zx::CodePageDecoder::isSupported(codePage))
            QSKIP("this Qt build cannot decode the sample's code page");
        const QByteArray data = sample(file);
        QVERIFY(!data.isEmpty());
        QTextDocument doc;
        const auto r = RtfReader::read(data, &doc);
        QVERIFY(r.ok);
        const QString text = plain(doc);
        for (const QString &s : snippets)
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" not in: ") + text.left(2000)));

        // nothing of pictures, binary data, font tables or style sheets leaks into the text
        static const QRegularExpression hexRun(QStringLiteral("[0-9a-fA-F]{40}"));
        QVERIFY2(!text.contains(hexRun), qPrintable(text.left(2000)));
        QVERIFY(!text.contains(QChar(0xFFFD)));
        QVERIFY(!text.contains(QStringLiteral("\u00FF\u00FF")));
        for (const char *leak : {"Times New Roman", "Normal;", "\\", "Msftedit", "Riched20"}) {
            if (file != QLatin1String("pandoc-writer.rtf")) // pandoc's text discusses backslashes
                QVERIFY2(!text.contains(QLatin1String(leak)), leak);
        }

        // write it and read it back: the text survives unchanged
        QTextDocument back;
        QVERIFY(RtfReader::read(RtfWriter::write(&doc), &back).ok);
        QCOMPARE(plain(back), text);
    }

    void truncatedFileLoadsWithoutError()
    {
        QTextDocument doc;
        const auto r = RtfReader::read(sample("word97-bin-truncated.rtf"), &doc);
        QVERIFY(r.ok);
        QVERIFY(r.truncated);
        QVERIFY(plain(doc).trimmed().isEmpty()); // all it holds is an embedded picture
    }

    void documentTitleInCodePage()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(sample("word2002-cyrillic-cp1251.rtf"), &doc).ok);
        QCOMPARE(doc.metaInformation(QTextDocument::DocumentTitle),
                 QStringLiteral("\u041C\u0435\u0442\u043E\u0434\u0438\u043A\u0430"));
    }

    void lists_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("indent");
        QTest::newRow("wordpad bullet") << "wordpad-win10-bullets.rtf" << "Bullet 2" << int(QTextListFormat::ListDisc) << 1;
        QTest::newRow("wordpad number") << "wordpad-win10-bullets.rtf" << "List 2" << int(QTextListFormat::ListDecimal) << 1;
        QTest::newRow("textedit level 2") << "textedit-list.rtf" << "sub" << int(QTextListFormat::ListDisc) << 2;
        QTest::newRow("libreoffice ordered") << "libreoffice34-list.rtf" << "two" << int(QTextListFormat::ListDecimal) << 1;
        QTest::newRow("libreoffice bullets") << "libreoffice34-list.rtf" << "second" << int(QTextListFormat::ListDisc) << 1;
        QTest::newRow("word 2007 numbers") << "word2007-various.rtf" << "Number bullet 2" << int(QTextListFormat::ListDecimal) << 1;
        QTest::newRow("word 365 bullets") << "word365-test-document.rtf" << "Item 2" << int(QTextListFormat::ListDisc) << 1;
    }
    void lists()
    {
        QFETCH(QString, file);
        QFETCH(QString, item);
        QFETCH(int, style);
        QFETCH(int, indent);
        QTextDocument doc;
        QVERIFY(RtfReader::read(sample(file), &doc).ok);
        const QTextList *l = listOf(doc, item);
        QVERIFY(l);
        QCOMPARE(int(l->format().style()), style);
        QCOMPARE(l->format().indent(), indent);
    }

    void koreanFontName()
    {
        if (!zx::CodePageDecoder::isSupported(949))
            QSKIP("this Qt build cannot decode code page 949");
        QTextDocument doc;
        QVERIFY(RtfReader::read(sample("richedit-korean-cp949.rtf"), &doc).ok);
        QTextCursor c(&doc);
        c.movePosition(QTextCursor::Right);
        QCOMPARE(c.charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("\uB9D1\uC740 \uACE0\uB515")});
    }

    void formatsOfTextEditFaces()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(sample("textedit-osx103-faces.rtf"), &doc).ok);
        QTextCursor found = doc.find("bold&italics");
        QVERIFY(!found.isNull());
        QTextCursor c(&doc);
        c.setPosition(found.selectionStart() + 1);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(c.charFormat().fontItalic());
        found = doc.find("underlined-off");
        c.setPosition(found.selectionStart() + 1);
        QVERIFY(!c.charFormat().fontUnderline());
    }
};

QTEST_MAIN(TestRtfSamples)
#include "tst_rtf_samples.moc"
