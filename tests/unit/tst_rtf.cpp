// RTF: reading what word processors write (inline and the shared sample files, skipped when
// absent), surviving broken files, and writing documents that read back the same.
#include "docformat/code_page_decoder.h"
#include "docformat/plain_text_codec.h"
#include "docformat/rich_text_props.h"
#include "docformat/rtf_reader.h"
#include "docformat/rtf_writer.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using zx::RtfReader;
using zx::RtfWriter;

namespace {

QString plain(const QTextDocument &doc)
{
    return zx::PlainTextCodec::textOf(&doc); // what a .txt gets: list markers included
}

QString textOf(const QByteArray &rtf)
{
    QTextDocument doc;
    return RtfReader::read(rtf, &doc).ok ? plain(doc) : QStringLiteral("<not rtf>");
}

// The character format at the first occurrence of needle.
QTextCharFormat formatAt(const QTextDocument &doc, const QString &needle)
{
    QTextCursor c = doc.find(needle);
    if (c.isNull())
        return QTextCharFormat();
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

QTextBlock blockWith(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text().trimmed() == text)
            return b;
    }
    return QTextBlock();
}

QString samplesDir()
{
    return qEnvironmentVariable("ZX_SOURCE_DIR") + QStringLiteral("/../shared/samples/rtf");
}

QByteArray sample(const QString &name)
{
    QFile f(samplesDir() + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Build = void (*)(QTextCursor &);

// One line per run of equal formatting and one per paragraph, for comparing documents. Font and
// size are the effective ones: the writer names the document's default where a run has none.
QStringList describe(const QTextDocument &doc)
{
    const QString defaultFamily = doc.defaultFont().family();
    const qreal defaultSize = doc.defaultFont().pointSizeF();
    const auto twips = [](qreal px) { return zx::richtext::pixelsToTwips(px); };
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        QString para = QStringLiteral("P align=%1 l=%2 r=%3 fi=%4 sb=%5 sa=%6")
                           .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask)).arg(twips(bf.leftMargin()))
                           .arg(twips(bf.rightMargin())).arg(twips(bf.textIndent()))
                           .arg(twips(bf.topMargin())).arg(twips(bf.bottomMargin()));
        for (const QTextOption::Tab &t : bf.tabPositions())
            para += QStringLiteral(" tab%1@%2").arg(t.type).arg(twips(t.position));
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

// Inserts text in a format made from a 10 pt default by set.
template <typename Set>
void put(QTextCursor &c, const QString &text, Set set)
{
    QTextCharFormat f;
    f.setFontPointSize(10);
    set(f);
    c.insertText(text, f);
}

void buildCharacters(QTextCursor &c)
{
    using F = QTextCharFormat;
    put(c, "plain ", [](F &f) { f.setFontFamilies({"Arial"}); });
    put(c, "bold ", [](F &f) { f.setFontWeight(QFont::Bold); });
    put(c, "italic ", [](F &f) { f.setFontItalic(true); });
    put(c, "underline ", [](F &f) { f.setFontUnderline(true); });
    put(c, "all four", [](F &f) { f.setFontStrikeOut(true), f.setFontWeight(QFont::Bold), f.setFontItalic(true), f.setFontUnderline(true); });
    c.insertBlock();
    put(c, "red courier ", [](F &f) { f.setFontFamilies({"Courier New"}), f.setFontPointSize(10.5), f.setForeground(QColor(200, 0, 0)); });
    put(c, "blue on yellow", [](F &f) {
        f.setFontFamilies({"Times New Roman"}), f.setFontPointSize(18);
        f.setForeground(QColor(0, 0, 255)), f.setBackground(QColor(255, 255, 0));
    });
    c.insertBlock();
    put(c, "automatic colour E=mc", [](F &f) { f.setFontPointSize(8); });
    put(c, "2", [](F &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    put(c, " H", [](F &) {});
    put(c, "2", [](F &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    put(c, "up", [](F &f) { zx::richtext::setCharOffset(f, 6, 10); });
    put(c, "down", [](F &f) { zx::richtext::setCharOffset(f, -4, 10); });
}

void buildParagraphs(QTextCursor &c)
{
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(b);
    c.insertText("centred");
    b.setAlignment(Qt::AlignRight);
    c.insertBlock(b);
    c.insertText("right");
    b.setAlignment(Qt::AlignJustify);
    b.setLeftMargin(48), b.setRightMargin(30), b.setTextIndent(-20), b.setTopMargin(10), b.setBottomMargin(12);
    c.insertBlock(b);
    c.insertText("justified and indented");
    b = QTextBlockFormat();
    b.setTabPositions({QTextOption::Tab(48, QTextOption::LeftTab), QTextOption::Tab(96, QTextOption::CenterTab),
                       QTextOption::Tab(144, QTextOption::RightTab),
                       QTextOption::Tab(192, QTextOption::DelimiterTab, QLatin1Char('.'))});
    c.insertBlock(b);
    c.insertText("a\tb\tc\t1.5");
}

void buildLists(QTextCursor &c)
{
    const auto list = [&c](QTextListFormat::Style style, int indent, const QStringList &items) {
        c.insertBlock(QTextBlockFormat());
        QTextListFormat f;
        f.setStyle(style);
        f.setIndent(indent);
        c.createList(f);
        for (int i = 0; i < items.size(); ++i) {
            if (i > 0)
                c.insertBlock();
            c.insertText(items.at(i));
        }
    };
    c.insertText("intro");
    list(QTextListFormat::ListDisc, 1, {"first bullet", "second bullet"});
    list(QTextListFormat::ListDisc, 2, {"nested bullet"});
    c.insertBlock(QTextBlockFormat());
    c.insertText("between");
    list(QTextListFormat::ListDecimal, 1, {"one", "two"});
    list(QTextListFormat::ListUpperAlpha, 1, {"alpha"});
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

class TstRtf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notRtf()
    {
        for (const QByteArray &data : {QByteArray(), QByteArray("Hello {\\rtf1 world}"), QByteArray("{\\rt"),
                                       QByteArray("<html><body>x</body></html>"), QByteArray("\x00{\\rtf1}", 8)}) {
            QTextDocument doc;
            doc.setPlainText("kept");
            const auto r = RtfReader::read(data, &doc);
            QVERIFY2(!r.ok, data.constData());
            QCOMPARE(r.error, RtfReader::notRtfDescription());
            QCOMPARE(doc.toPlainText(), QStringLiteral("kept")); // untouched on failure
        }
    }

    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading bom and blanks") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 ok}") << "ok";
        QTest::newRow("escapes") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g}")
                                 << QStringLiteral("a\\b{c}d\u00A0e\u00ADf\u2011g");
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace}")
            << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u2003\u2002");
        QTest::newRow("tab line par") << QByteArray("{\\rtf1 a\\tab b\\line c\\par d\tx}")
                                      << QStringLiteral("a\tb\u2028c\nd\tx");
        QTest::newRow("line ends are noise") << QByteArray("{\\rtf1 ab\r\ncd\ne}") << "abcde";
        QTest::newRow("backslash newline is a paragraph") << QByteArray("{\\rtf1 one\\\ntwo}") << "one\ntwo";
        QTest::newRow("closing par leaves no empty line") << QByteArray("{\\rtf1 one\\par}") << "one";
        QTest::newRow("two closing pars leave one") << QByteArray("{\\rtf1 one\\par\\par}") << "one\n";
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?x\\uc2\\u20013\\'d6\\'d0y\\uc0\\u8226 z}")
                                               << QStringLiteral("\u20ACx\u4E2Dy\u2022z");
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QStringLiteral("\uF0B7");
        QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10180?\\u-8273?}")
                                        << QString::fromUtf8("\xF0\x9F\x8E\xAF");
        QTest::newRow("uc is per group") << QByteArray("{\\rtf1 {\\uc2 \\u20013??}\\u20013?}")
                                         << QStringLiteral("\u4E2D\u4E2D");
        QTest::newRow("fallback ends at group end") << QByteArray("{\\rtf1 {\\uc3\\u937 a}b}")
                                                    << QStringLiteral("\u03A9b");
        QTest::newRow("skipped destinations")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 Normal;}}{\\info{\\author me}}"
                          "{\\*\\generator x;}{\\header head}{\\footer foot}{\\*\\unknown hidden}"
                          "{\\pict\\wmetafile8 0102abcdef}{\\footnote note}{\\*\\themedata 504b0304}body}")
            << "body\n__________\nnote"; // a footnote is kept after the body
        QTest::newRow("field result kept")
            << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}{\\fldrslt{\\ul link}}} now}")
            << "see link now";
        QTest::newRow("field instruction without star")
            << QByteArray("{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 7}}}") << "7";
        QTest::newRow("binary data is skipped")
            << QByteArray("{\\rtf1 a{\\pict\\bin6 }{\\\\x}}b}") << "ab";
        QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v secret}b\\v c\\v0 d}") << "abd";
        QTest::newRow("table as tabs")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell\\cell c\\cell\\row"
                          "\\trowd\\cellx1000\\pard\\intbl d\\cell\\row\\pard after\\par}")
            << "a\t\tc\nd\nafter";
        QTest::newRow("nested table cells")
            << QByteArray("{\\rtf1\\pard\\intbl x\\nestcell y\\nestcell{\\*\\nesttableprops\\nestrow}"
                          "{\\nonesttables\\par}\\cell\\row}")
            << "x\ty\t";
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(textOf(rtf), expected);
    }

    void codePages_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("needsCodePage");
        QTest::newRow("ansi 1252 high half") << QByteArray("{\\rtf1\\ansi \\'80\\'85\\'93\\'94\\'e9\\'ff}")
                                             << QStringLiteral("\u20AC\u2026\u201C\u201D\u00E9\u00FF") << 0;
        QTest::newRow("ansicpg1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                     << QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442") << 0;
        QTest::newRow("font charset wins")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}"
                          "{\\f2\\fcharset238 C;}{\\f3\\fcharset161 D;}}\\f0\\'e9\\f1\\'e9\\f2\\'b9\\f3\\'e1}")
            << QStringLiteral("\u00E9\u0439\u0105\u03B1") << 0;
        QTest::newRow("font table without groups")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil\\fcharset204 X;}"
                          "\\f1\\'c0}")
            << QStringLiteral("\u0410") << 0;
        QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e\\'a5}") << QStringLiteral("\u00E9\u2022") << 0;
        QTest::newRow("cp936 pairs") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}")
                                     << QStringLiteral("\u4E2D\u6587") << 936;
        QTest::newRow("cp936 trail byte as text")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'b2@}")
            << QStringLiteral("\u775D") << 936;
        QTest::newRow("cp949") << QByteArray("{\\rtf1\\ansi\\ansicpg949{\\fonttbl{\\f0\\fcharset129 G;}}\\f0 \\'c7\\'d1}")
                               << QStringLiteral("\uD55C") << 949;
        QTest::newRow("shift-jis") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 M;}}\\f0 \\'93\\'fa}")
                                   << QStringLiteral("\u65E5") << 932;
        QTest::newRow("symbol bullet") << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1\\'b7}")
                                       << QStringLiteral("\u2022") << 0;
    }
    void codePages()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QFETCH(int, needsCodePage);
        if (needsCodePage && !zx::CodePageDecoder::isSupported(needsCodePage))
            QSKIP("this Qt build has no converter for the code page");
        QCOMPARE(textOf(rtf), expected);
    }

    void wordPadStyle()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
            "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fmodern\\fprq1\\fcharset0 Courier New;}}\r\n"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green77\\blue187;\\red255\\green255\\blue0;}\r\n"
            "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
            "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f0\\fs28\\lang9 Title\\par\r\n"
            "\\pard\\sa200\\sl276\\slmult1\\b0\\fs22 normal \\cf1 red\\cf0  \\i italic\\i0  \\ul under\\ulnone  "
            "\\strike gone\\strike0  \\highlight3 marked\\highlight0  \\f2\\fs20 mono\\f0\\fs22\\par\r\n"
            "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720\\sa200 one\\par\r\n"
            "{\\pntext\\f1\\'B7\\tab}two\\par\r\n"
            "\\pard\\li1440\\ri720\\fi-300\\tx2880\\tqr\\tx5760 indented\\tab x\\par\r\n"
            "\\pard\\qr\\up6 up\\up0\\dn4 down\\dn0\\super sup\\nosupersub\\sub sub\\nosupersub\\par\r\n"
            "}\r\n";
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(doc.blockCount(), 6);

        const QTextCharFormat title = formatAt(doc, "Title");
        QCOMPARE(blockWith(doc, "Title").blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(title.fontWeight() == QFont::Bold && title.fontPointSize() == 14.0);
        QCOMPARE(title.fontFamilies().toStringList(), QStringList{"Calibri"});
        QVERIFY(formatAt(doc, "normal").fontWeight() == QFont::Normal
                && !formatAt(doc, "normal").hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(formatAt(doc, "red").foreground().color(), QColor(255, 0, 0));
        QVERIFY(formatAt(doc, "italic").fontItalic() && formatAt(doc, "under").fontUnderline()
                && formatAt(doc, "gone").fontStrikeOut());
        QCOMPARE(formatAt(doc, "marked").background().color(), QColor(255, 255, 0));
        QCOMPARE(formatAt(doc, "mono").fontFamilies().toStringList(), QStringList{"Courier New"});
        QCOMPARE(formatAt(doc, "mono").fontPointSize(), 10.0);

        const QTextList *list = blockWith(doc, "one").textList();
        QVERIFY(list && list == blockWith(doc, "two").textList());
        QCOMPARE(list->format().style(), QTextListFormat::ListDisc);

        const QTextBlockFormat ind = blockWith(doc, "indented\tx").blockFormat();
        const auto twips = [](qreal px) { return zx::richtext::pixelsToTwips(px); };
        QCOMPARE(QList<int>({twips(ind.leftMargin()), twips(ind.rightMargin()), twips(ind.textIndent())}),
                 QList<int>({1440, 720, -300}));
        QCOMPARE(ind.tabPositions().size(), 2);
        QCOMPARE(ind.tabPositions().at(1).type, QTextOption::RightTab);
        QCOMPARE(twips(ind.tabPositions().at(1).position), 5760);

        QCOMPARE(zx::richtext::charOffset(formatAt(doc, "up")), 6);
        QCOMPARE(zx::richtext::charOffset(formatAt(doc, "down")), -4);
        QCOMPARE(formatAt(doc, "sup").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatAt(doc, "sub").verticalAlignment(), QTextCharFormat::AlignSubScript);
    }

    void libreOfficeStyle()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
            "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 Symbol;}"
            "{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif{\\*\\falt Times New Roman};}"
            "{\\f4\\fnil\\fprq2\\fcharset0 OpenSymbol{\\*\\falt Arial Unicode MS};}}\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\n"
            "{\\stylesheet{\\s0\\snext0\\dbch\\af5\\langfe2052\\dbch\\af6\\afs24\\alang1081\\loch\\f3\\fs24\\lang1033 Normal;}}\n"
            "{\\*\\listtable{\\list\\listtemplateid1"
            "{\\listlevel\\levelnfc0\\jclisttab\\levelstartat1\\levelfollow0{\\leveltext \\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}"
            "{\\listlevel\\levelnfc4\\jclisttab\\levelstartat1\\levelfollow0{\\leveltext \\'02\\'01.;}{\\levelnumbers\\'01;}\\fi-360\\li1440}\\listid1}\n"
            "{\\list\\listtemplateid2{\\listlevel\\levelnfc23\\leveljc0\\levelstartat1\\levelfollow0{\\leveltext \\'01\\u8226 ?;}{\\levelnumbers;}\\f4\\fi-360\\li720}\\listid2}}\n"
            "{\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n"
            "{\\info{\\creatim\\yr2011\\mo4}{\\*\\company x}}\\deftab709\n"
            "\\pard\\plain \\s0\\dbch\\af5\\langfe2052\\dbch\\af6\\afs24\\alang1081\\loch\\f3\\fs24\\lang1033"
            "{\\rtlch \\ltrch\\loch A list:}\n\\par "
            "\\pard\\plain \\s0\\ls1\\ilvl0\\li720\\ri0\\lin720\\rin0\\fi-360{\\listtext\\pard\\plain 1.\\tab}"
            "{\\rtlch \\ltrch\\loch one}\n\\par "
            "\\pard\\plain \\s0\\ls1\\ilvl1\\li1440\\fi-360{\\listtext\\pard\\plain a.\\tab}{\\rtlch \\ltrch\\loch sub}\n\\par "
            "\\pard\\plain \\s0\\ls2\\ilvl0\\li720\\fi-360{\\listtext\\pard\\plain \\u8226\\'95\\tab}"
            "{\\rtlch \\ltrch\\loch\\chcbpat3 dot}\n\\par "
            "\\pard\\plain \\s0{\\cf2\\ul\\ulc0\\b\\ab\\rtlch \\ltrch\\loch\\fs32 big red}\n\\par }";
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        // The producer's markers in the text, hanging at the list's indent.
        QCOMPARE(doc.toPlainText(), QStringLiteral("A list:\n1.\tone\na.\tsub\n\u2022\tdot\nbig red"));
        const QTextBlockFormat sub = blockWith(doc, "a.\tsub").blockFormat();
        QCOMPARE(QList<int>({zx::richtext::pixelsToTwips(sub.leftMargin()), zx::richtext::pixelsToTwips(sub.textIndent()),
                             zx::richtext::pixelsToTwips(sub.tabPositions().value(0).position)}),
                 QList<int>({1440, -360, 360}));
        QVERIFY(!blockWith(doc, "1.\tone").textList());
        QCOMPARE(formatAt(doc, "dot").background().color(), QColor(255, 255, 0));
        const QTextCharFormat big = formatAt(doc, "big");
        QCOMPARE(big.foreground().color(), QColor(255, 0, 0));
        QVERIFY(big.fontUnderline() && big.fontWeight() == QFont::Bold && big.fontPointSize() == 16.0);
        QCOMPARE(big.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
        QCOMPARE(doc.defaultTextOption().tabStopDistance(), zx::richtext::twipsToPixels(709));
    }

    void plainResetsCharacterFormat()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}\\deff0\\f1\\b\\i\\fs40 x\\plain y}", &doc).ok);
        QCOMPARE(formatAt(doc, "y").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatAt(doc, "y").fontPointSize(), 12.0);
        QVERIFY(!formatAt(doc, "y").fontItalic());
    }

    // Footnote marks stay in the text; the notes follow the body.
    void footnotes_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("numbered") << QByteArray("{\\rtf1 Shot{\\super\\chftn}{\\footnote\\pard {\\super\\chftn} At 5 m.}, then"
                                                "{\\super\\chftn}{\\footnote {\\super\\chftn} Second.\\par Two lines.}\\par}")
                                  << "Shot1, then2\n__________\n1 At 5 m.\n2 Second.\nTwo lines.";
        QTest::newRow("starred") << QByteArray("{\\rtf1 A{\\super\\chftn}{\\*\\footnote\\chftn\\~\\plain\\pard {\\pard Note.\\par}}}")
                                 << QStringLiteral("A1\n__________\n1\u00A0Note.");
        QTest::newRow("own mark") << QByteArray("{\\rtf1 X*{\\footnote * Custom.}}") << "X*\n__________\n* Custom.";
        QTest::newRow("code page") << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 T{\\super\\chftn}"
                                                 "{\\footnote \\'cf\\'f0\\'e8\\'ec\\'e5\\'f0}}")
                                   << QStringLiteral("T1\n__________\n\u041F\u0440\u0438\u043C\u0435\u0440");
    }
    void footnotes()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(textOf(rtf), text);
        QTextDocument doc; // kept through a write and read back, not repeated
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(textOf(RtfWriter::write(&doc)), text);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("mustContain");
        QTest::addColumn<bool>("truncated");
        QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 {\\b bold {\\i more") << "bold more" << true;
        QTest::newRow("stray closing brace") << QByteArray("{\\rtf1 a}}} b}") << "a b" << false;
        QTest::newRow("ends after backslash") << QByteArray("{\\rtf1 abc\\") << "abc" << true;
        QTest::newRow("ends in hex") << QByteArray("{\\rtf1 abc\\'4") << "abc" << true;
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb" << false;
        QTest::newRow("ends in unicode") << QByteArray("{\\rtf1 abc\\u") << "abc" << true;
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1\\fs99999999999999999999\\li-99999999999999\\tx999999999999\\u99999999999? "
                          "\\uc999999 \\cf4294967296\\f-2147483649 ok}")
            << "ok" << false;
        QTest::newRow("bin beyond the end") << QByteArray("{\\rtf1 ok{\\pict\\bin999999999999 xyz") << "ok" << true;
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 {\\pict\\bin-5 }ok}") << "ok" << false;
        QTest::newRow("skip at top level") << QByteArray("{\\rtf1}\\pict ok") << "ok" << false;
        QTest::newRow("star without group") << QByteArray("{\\rtf1 a\\*\\foo b}") << "a" << false;
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\0}", 13) << "ab" << false;
        QTest::newRow("unterminated font table")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << "" << true;
        QTest::newRow("huge control word, deep nesting")
            << "{\\rtf1 a\\" + QByteArray(100000, 'x') + "123 b" + QByteArray(200000, '{') + "deep" + QByteArray(1000, '}') + " c}"
            << "abdeep c" << true;
        QTest::newRow("empty colour table") << QByteArray("{\\rtf1{\\colortbl}\\cf5\\highlight9 x}") << "x" << false;
    }
    void malformed()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, mustContain);
        QFETCH(bool, truncated);
        QTextDocument doc;
        const auto r = RtfReader::read(rtf, &doc);
        QVERIFY(r.ok);
        QCOMPARE(r.truncated, truncated);
        QVERIFY2(doc.toPlainText().contains(mustContain), qPrintable(doc.toPlainText()));
    }

    void randomBytesNeverCrash()
    {
        QRandomGenerator rng(20240601);
        const char alphabet[] = "{}\\'*abcdefuxpr0123456789- ;\t\n\xff\x80";
        for (int round = 0; round < 60; ++round) {
            QByteArray rtf = "{\\rtf1";
            const int n = 2000 + int(rng.bounded(20000));
            for (int i = 0; i < n; ++i) {
                rtf += round % 2 ? char(rng.bounded(256))
                                 : alphabet[rng.bounded(int(sizeof(alphabet) - 1))];
            }
            QTextDocument doc;
            QVERIFY(RtfReader::read(rtf, &doc).ok);
            QVERIFY(doc.characterCount() <= rtf.size() * 2 + 1);
        }
    }

    void manyParagraphsAndRuns()
    {
        QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}";
        for (int i = 0; i < 5000; ++i)
            rtf += "\\pard\\b " + QByteArray::number(i) + "\\b0  shot {\\cf1 2815}\\par\r\n";
        rtf += "}";
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(doc.blockCount(), 5000);
        QCOMPARE(doc.findBlockByNumber(4999).text(), QStringLiteral("4999 shot 2815"));
        QVERIFY(!doc.isUndoAvailable());
    }
    void roundTrip_data()
    {
        QTest::addColumn<Build>("build");
        QTest::newRow("character formats") << Build(buildCharacters);
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

    // List markers that older readers show, and the encoding of what 7 bits cannot hold.
    void outputForOldReaders()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        buildLists(c);
        QByteArray rtf = RtfWriter::write(&doc);
        QVERIFY(rtf.contains("{\\pntext\\f") && rtf.contains("\\pnlvlblt") && rtf.contains("\\fcharset2 Symbol;"));
        QVERIFY(rtf.contains("{\\pntext\\f0 2.\\tab}"));
        doc.setPlainText(QStringLiteral("\u00E9\u20AC\u0414\U0001F3AF"));
        rtf = RtfWriter::write(&doc);
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

    // The shared sample files: the visible text comes out, nothing of pictures, binary data, font
    // tables or style sheets leaks into it, and it survives a write and read back.
    void samples_data()
    {
        if (!QDir(samplesDir()).exists())
            QSKIP("the shared RTF samples are not available");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("snippets");
        QTest::addColumn<int>("codePage"); // needed to decode the snippets; 0 = built in
        const auto row = [](const char *file, const QStringList &snippets, int codePage = 0) {
            QTest::newRow(file) << QString::fromLatin1(file) << snippets << codePage;
        };
        row("word2002-cyrillic-cp1251.rtf", {"{ some text inside curly brackets }"});
        row("word2007-various.rtf", {"Row 1 Col 1\tRow 1 Col 2\tRow 1 Col 3", "This is a hyperlink",
                                     "\u2022\tBullet 3\n", "1)\tNumber bullet 1", "Footnote appears here1",
                                     "__________\n1 This is a footnote.",
                                     QStringLiteral("\u30BE\u30EB\u30B2\u3068\u5C3E\u5D0E"),
                                     QString::fromUtf8("\xF0\x90\x8C\xB2\xF0\x90\x8C\xBF")});
        row("word2010-nested-tables.rtf", {"Mehrere pulmonale Noduli", QStringLiteral("gesch\u00E4tztes")});
        row("word2013-chinese-cp936.rtf", {QStringLiteral("\u6D4B\u8BD5")}, 936);
        row("word365-test-document.rtf", {"Numbered List", "6.\tSuberscript", "12.\tNormal text\n", "\u2022\tItem 2",
                                           "1,1\t1,2\t1,3"});
        row("wordmac-inline-mix.rtf", {"Start with normal text.", "Text that is underlined. Wavy double.", "Now off1. On.",
                                      "__________\n1 Text at bottom.\nSecond paragraph of fourth footnote."});
        row("wordpad-xp-cp1250.rtf", {QStringLiteral("za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105")});
        row("wordpad-xp-pictures.rtf", {"This is a simple document with images."});
        row("wordpad-win10-bullets.rtf", {"Paragraph\n\u2022\tBullet\n\u2022\tBullet 2\nParagraph 2\n1.\tList 1\n2.\tList 2"});
        row("richedit-korean-cp949.rtf", {"MS Project Addin ProjectPlus"});
        row("libreoffice60-nested-tables.rtf", {"Calcium-Score"});
        row("libreoffice34-list.rtf", {"A short ordered list:\n1.\tone\n2.\ttwo\n3.\tthree", "\u2013\tthird"});
        row("staroffice-special-char.rtf", {QStringLiteral("\u00FA\u04E4")});
        row("textedit-osx103-faces.rtf", {"added color no color", "bold&underlined&italics"});
        row("textedit-chinese-cp936.rtf", {QStringLiteral("\u5370\u5237\u60C5\u51B5\u53CD\u6620\uFF1A"),
                                           "022-021-00768 (Multiple)"}, 936);
        row("textedit-hyperlink.rtf", {"First one is: striprtf.dev (plain)", "github"});
        row("textedit-list.rtf", {"\u2022\tone\n\u2022\ttwo\n\u2043\tsub\n\u2022\tnew list"});
        row("itext217-list-header.rtf", {QStringLiteral("Line-Separator:\u2028Der geht hier")});
        row("pandoc-writer.rtf", {QStringLiteral("Here\u2019s a regular paragraph."), "(2)\t begins with 2",
                                   "ii.\t more items", "3.\t Third", "reference,1 and another.2", QStringLiteral("\n5\u00A0In list.")});
        row("word97-bin-truncated.rtf", {}); // all it holds is a picture, cut short
    }
    void samples()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, snippets);
        QFETCH(int, codePage);
        if (codePage && !zx::CodePageDecoder::isSupported(codePage))
            QSKIP("this Qt build cannot decode the sample's code page");
        QTextDocument doc;
        const auto r = RtfReader::read(sample(file), &doc);
        QVERIFY(r.ok);
        QCOMPARE(r.truncated, file.startsWith("word97"));
        const QString text = plain(doc);
        for (const QString &s : snippets)
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" not in: ") + text.left(2000)));
        QVERIFY(!snippets.isEmpty() || text.trimmed().isEmpty());
        static const QRegularExpression hexRun(QStringLiteral("[0-9a-fA-F]{40}"));
        QVERIFY2(!text.contains(hexRun), qPrintable(text.left(2000)));
        QVERIFY(!text.contains(QChar(0xFFFD)) && !text.contains(QStringLiteral("\u00FF\u00FF")));
        for (const char *leak : {"Times New Roman", "Normal;", "\\", "Msftedit", "Riched20"}) {
            if (!file.startsWith("pandoc")) // pandoc's text discusses backslashes
                QVERIFY2(!text.contains(QLatin1String(leak)), leak);
        }
        QTextDocument back;
        QVERIFY(RtfReader::read(RtfWriter::write(&doc), &back).ok);
        QCOMPARE(plain(back), text);
    }

    void sampleFormats()
    {
        if (!QDir(samplesDir()).exists())
            QSKIP("the shared RTF samples are not available");
        QTextDocument doc;
        QVERIFY(RtfReader::read(sample("word2002-cyrillic-cp1251.rtf"), &doc).ok); // title in the code page
        QCOMPARE(doc.metaInformation(QTextDocument::DocumentTitle),
                 QStringLiteral("\u041C\u0435\u0442\u043E\u0434\u0438\u043A\u0430"));
        QVERIFY(RtfReader::read(sample("textedit-osx103-faces.rtf"), &doc).ok);
        QCOMPARE(formatAt(doc, "bold&italics").fontWeight(), int(QFont::Bold));
        QVERIFY(formatAt(doc, "bold&italics").fontItalic());
        QVERIFY(!formatAt(doc, "underlined-off").fontUnderline());
        if (zx::CodePageDecoder::isSupported(949)) { // a font name in the code page
            QVERIFY(RtfReader::read(sample("richedit-korean-cp949.rtf"), &doc).ok);
            QTextCursor c(&doc);
            c.movePosition(QTextCursor::Right);
            QCOMPARE(c.charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("\uB9D1\uC740 \uACE0\uB515")});
        }
        // WordPad's own numbering stays a list the Bullet command edits.
        QVERIFY(RtfReader::read(sample("wordpad-win10-bullets.rtf"), &doc).ok);
        for (const char *item : {"Bullet 2", "List 2"})
            QVERIFY2(blockWith(doc, QString::fromLatin1(item)).textList(), item);
        QCOMPARE(blockWith(doc, "List 2").textList()->format().style(), QTextListFormat::ListDecimal);
    }
};

QTEST_MAIN(TstRtf)
#include "tst_rtf.moc"
