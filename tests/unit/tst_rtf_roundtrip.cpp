// Writing a document as RTF and reading it back must give the same text and formats.
#include "platform/rich_text_props.h"
#include "platform/rtf_reader.h"
#include "platform/rtf_writer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using zx::RtfReader;
using zx::RtfWriter;

namespace {

using Build = void (*)(QTextCursor &);

// One line per run of equal formatting and one per paragraph, for comparing documents. Font and
// size are the effective ones: the writer names the document's default where a run has none.
QStringList describe(const QTextDocument &doc)
{
    const QString defaultFamily = doc.defaultFont().family();
    const qreal defaultSize = doc.defaultFont().pointSizeF();
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        QString para = QStringLiteral("P align=%1 l=%2 r=%3 fi=%4 sb=%5 sa=%6")
                           .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                           .arg(zx::richtext::pixelsToTwips(bf.leftMargin()))
                           .arg(zx::richtext::pixelsToTwips(bf.rightMargin()))
                           .arg(zx::richtext::pixelsToTwips(bf.textIndent()))
                           .arg(zx::richtext::pixelsToTwips(bf.topMargin()))
                           .arg(zx::richtext::pixelsToTwips(bf.bottomMargin()));
        for (const QTextOption::Tab &t : bf.tabPositions())
            para += QStringLiteral(" tab%1@%2").arg(t.type).arg(zx::richtext::pixelsToTwips(t.position));
        if (const QTextList *l = b.textList())
            para += QStringLiteral(" list=%1/%2").arg(l->format().style()).arg(l->format().indent());
        out << para;
        QString lastSig;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const QTextCharFormat f = fr.charFormat();
            const QString sig = QStringLiteral("  [%1 %2 b%3 i%4 u%5 s%6 fg%7 bg%8 va%9 off%10]")
                                    .arg(f.fontFamilies().toStringList().value(0, defaultFamily))
                                    .arg(f.fontPointSize() > 0 ? f.fontPointSize() : defaultSize)
                                    .arg(f.fontWeight() >= QFont::DemiBold)
                                    .arg(f.fontItalic())
                                    .arg(f.fontUnderline())
                                    .arg(f.fontStrikeOut())
                                    .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "-")
                                    .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : "-")
                                    .arg(int(f.verticalAlignment()))
                                    .arg(zx::richtext::charOffset(f));
            if (sig == lastSig)
                out.last() += fr.text();
            else
                out << sig + QLatin1Char(' ') + fr.text();
            lastSig = sig;
        }
    }
    return out;
}

void buildStyles(QTextCursor &c)
{
    QTextCharFormat base;
    base.setFontFamilies({"Arial"});
    base.setFontPointSize(10);
    c.insertText("plain ", base);
    QTextCharFormat f = base;
    f.setFontWeight(QFont::Bold);
    c.insertText("bold ", f);
    f = base;
    f.setFontItalic(true);
    c.insertText("italic ", f);
    f = base;
    f.setFontUnderline(true);
    c.insertText("underline ", f);
    f = base;
    f.setFontStrikeOut(true);
    c.insertText("strike ", f);
    f.setFontWeight(QFont::Bold);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    c.insertText("all four", f);
}

void buildColoursFonts(QTextCursor &c)
{
    QTextCharFormat f;
    f.setFontFamilies({"Courier New"});
    f.setFontPointSize(10.5);
    f.setForeground(QColor(200, 0, 0));
    c.insertText("red courier ", f);
    f.setFontFamilies({"Times New Roman"});
    f.setFontPointSize(18);
    f.setForeground(QColor(0, 0, 255));
    f.setBackground(QColor(255, 255, 0));
    c.insertText("blue on yellow", f);
    c.insertBlock();
    QTextCharFormat plain;
    plain.setFontPointSize(8);
    c.insertText("automatic colour", plain);
}

void buildScripts(QTextCursor &c)
{
    QTextCharFormat f;
    f.setFontPointSize(12);
    c.insertText("E=mc", f);
    QTextCharFormat sup = f;
    sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText("2", sup);
    c.insertText(" H", f);
    QTextCharFormat sub = f;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    c.insertText("2", sub);
    c.insertText("O raised", f);
    QTextCharFormat up = f;
    zx::richtext::setCharOffset(up, 6, 12);
    c.insertText("up", up);
    QTextCharFormat down = f;
    zx::richtext::setCharOffset(down, -4, 12);
    c.insertText("down", down);
}

void buildParagraphs(QTextCursor &c)
{
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(b);
    c.insertText("centred");
    b = QTextBlockFormat();
    b.setAlignment(Qt::AlignRight);
    c.insertBlock(b);
    c.insertText("right");
    b = QTextBlockFormat();
    b.setAlignment(Qt::AlignJustify);
    b.setLeftMargin(48);
    b.setRightMargin(30);
    b.setTextIndent(-20);
    b.setTopMargin(10);
    b.setBottomMargin(12);
    c.insertBlock(b);
    c.insertText("justified and indented");
    b = QTextBlockFormat();
    QList<QTextOption::Tab> tabs;
    tabs << QTextOption::Tab(48, QTextOption::LeftTab) << QTextOption::Tab(96, QTextOption::CenterTab)
         << QTextOption::Tab(144, QTextOption::RightTab);
    QTextOption::Tab dec(192, QTextOption::DelimiterTab, QLatin1Char('.'));
    tabs << dec;
    b.setTabPositions(tabs);
    c.insertBlock(b);
    c.insertText("a\tb\tc\t1.5");
}

void buildLists(QTextCursor &c)
{
    c.insertText("intro");
    c.insertBlock(QTextBlockFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(1);
    c.createList(bullets);
    c.insertText("first bullet");
    c.insertBlock();
    c.insertText("second bullet");
    QTextListFormat nested;
    nested.setStyle(QTextListFormat::ListDisc);
    nested.setIndent(2);
    c.insertBlock(QTextBlockFormat());
    c.createList(nested);
    c.insertText("nested bullet");
    c.insertBlock(QTextBlockFormat());
    c.insertText("between");
    c.insertBlock(QTextBlockFormat());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    numbers.setIndent(1);
    c.createList(numbers);
    c.insertText("one");
    c.insertBlock();
    c.insertText("two");
    c.insertBlock(QTextBlockFormat());
    QTextListFormat letters;
    letters.setStyle(QTextListFormat::ListUpperAlpha);
    letters.setIndent(1);
    c.createList(letters);
    c.insertText("alpha");
}

void buildUnicode(QTextCursor &c)
{
    c.insertText(QStringLiteral("cp1252: \u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039"
                                "\u0152\u017D\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161"
                                "\u203A\u0153\u017E\u0178 \u00E9\u00F1\u00FC\u00DF\u00A9\u00FF"));
    c.insertBlock();
    c.insertText(QStringLiteral("Cyrillic \u0414\u0430 Greek \u03A9 Chinese \u4E2D\u6587 Korean \uD55C"));
    c.insertBlock();
    c.insertText(QString::fromUtf8("emoji \xF0\x9F\x8E\xAF high \uFFFD \u8000"));
    c.insertBlock();
    c.insertText(QStringLiteral("nbsp[\u00A0] shy[\u00AD] nbhyph[\u2011] tab[\t] line[\u2028]"));
    c.insertBlock();
    c.insertText(QStringLiteral("escapes \\ { } \\par {\\b not bold}"));
}

void buildEmptyParagraphs(QTextCursor &c)
{
    c.insertBlock();
    c.insertText("after an empty first line");
    c.insertBlock();
    c.insertBlock();
}

void buildLong(QTextCursor &c)
{
    QString s;
    for (int i = 0; i < 2000; ++i)
        s += QStringLiteral("word%1 ").arg(i);
    c.insertText(s);
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<Build>("build");
        QTest::newRow("styles") << Build(buildStyles);
        QTest::newRow("colours and fonts") << Build(buildColoursFonts);
        QTest::newRow("super, sub, offsets") << Build(buildScripts);
        QTest::newRow("paragraphs") << Build(buildParagraphs);
        QTest::newRow("lists") << Build(buildLists);
        QTest::newRow("unicode and code page") << Build(buildUnicode);
        QTest::newRow("empty paragraphs") << Build(buildEmptyParagraphs);
        QTest::newRow("long paragraph") << Build(buildLong);
        QTest::newRow("empty document") << Build([](QTextCursor &) {});
    }
    void roundTrip()
    {
        QFETCH(Build, build);
        QTextDocument doc;
        QTextCursor c(&doc);
        build(c);
        const QByteArray rtf = RtfWriter::write(&doc);

        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        for (const char ch : rtf) // plain 7-bit file: every other character is escaped
            QVERIFY2(uchar(ch) < 0x80, rtf.constData());
        for (const QByteArray &line : rtf.split('\n'))
            QVERIFY2(line.size() < 400, line.constData());

        QTextDocument back;
        const auto r = RtfReader::read(rtf, &back);
        QVERIFY(r.ok);
        QVERIFY(!r.truncated);
        QCOMPARE(back.toRawText(), doc.toRawText());
        QCOMPARE(describe(back), describe(doc));

        // and a second generation writes the very same bytes
        QCOMPARE(RtfWriter::write(&back), rtf);
    }

    void listMarkersForOldReaders()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        buildLists(c);
        const QByteArray rtf = RtfWriter::write(&doc);
        QVERIFY(rtf.contains("{\\pntext\\f"));
        QVERIFY(rtf.contains("\\pnlvlblt"));
        QVERIFY(rtf.contains("{\\pntext\\f0 2.\\tab}"));
        QVERIFY(rtf.contains("\\fcharset2 Symbol;"));
    }

    void nonAsciiEncoding()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("\u00E9\u20AC\u0414\U0001F3AF"));
        const QByteArray rtf = RtfWriter::write(&doc);
        QVERIFY(rtf.contains("\\'e9\\'80\\u1044?\\u-10180?\\u-8273?"));
    }

    void selectionOnly()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText("first line");
        c.insertBlock();
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.insertText("second", bold);
        c.insertText(" line");
        c.insertBlock();
        c.insertText("third line");
        const int from = 6;  // "line" of the first block
        const int to = doc.findBlockByNumber(1).position() + 6; // up to the end of "second"
        QTextDocument back;
        QVERIFY(RtfReader::read(RtfWriter::write(&doc, from, to), &back).ok);
        QCOMPARE(back.toPlainText(), QStringLiteral("line\nsecond"));
        QTextCursor bc(back.findBlockByNumber(1));
        bc.movePosition(QTextCursor::Right);
        QCOMPARE(bc.charFormat().fontWeight(), int(QFont::Bold));
    }

    void titleAndDefaultTabs()
    {
        QTextDocument doc;
        doc.setPlainText("x");
        doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Range day \u2013 May"));
        QTextOption o = doc.defaultTextOption();
        o.setTabStopDistance(48);
        doc.setDefaultTextOption(o);
        QTextDocument back;
        QVERIFY(RtfReader::read(RtfWriter::write(&doc), &back).ok);
        QCOMPARE(back.metaInformation(QTextDocument::DocumentTitle), QStringLiteral("Range day \u2013 May"));
        QCOMPARE(back.defaultTextOption().tabStopDistance(), 48.0);
    }

    void insertAtCursorIsOneUndoStep()
    {
        QTextDocument target;
        target.setPlainText("before after");
        QTextCursor c(&target);
        c.setPosition(7);
        QTextDocument src;
        QTextCursor sc(&src);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        sc.insertText("BOLD ", bold);
        const auto r = RtfReader::insert(RtfWriter::write(&src), c);
        QVERIFY(r.ok);
        QCOMPARE(target.toPlainText(), QStringLiteral("before BOLD after"));
        QCOMPARE(c.position(), 12);
        target.undo();
        QCOMPARE(target.toPlainText(), QStringLiteral("before after"));
    }
};

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtf_roundtrip.moc"
