// Reading RTF as the common word processors write it, and surviving broken files.
#include "platform/code_page_decoder.h"
#include "platform/rich_text_props.h"
#include "platform/rtf_reader.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

using zx::RtfReader;

namespace {

QString textOf(const QByteArray &rtf)
{
    QTextDocument doc;
    const auto r = RtfReader::read(rtf, &doc);
    if (!r.ok)
        return QStringLiteral("<not rtf>");
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// The character format at the first occurrence of needle.
QTextCharFormat formatAt(const QTextDocument &doc, const QString &needle)
{
    const QTextCursor found = doc.find(needle);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlock blockWith(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text() == text)
            return b;
    }
    return QTextBlock();
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notRtf_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("Hello {\\rtf1 world}");
        QTest::newRow("almost") << QByteArray("{\\rt");
        QTest::newRow("html") << QByteArray("<html><body>x</body></html>");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02{\\rtf1}", 10);
    }
    void notRtf()
    {
        QFETCH(QByteArray, data);
        QTextDocument doc;
        doc.setPlainText("kept");
        const auto r = RtfReader::read(data, &doc);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, RtfReader::notRtfDescription());
        QCOMPARE(doc.toPlainText(), QStringLiteral("kept")); // untouched on failure
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
            << "body";
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

        const QTextBlock title = blockWith(doc, "Title");
        QVERIFY(title.isValid());
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(formatAt(doc, "Title").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(doc, "Title").fontPointSize(), 14.0);
        QCOMPARE(formatAt(doc, "Title").fontFamilies().toStringList(), QStringList{"Calibri"});

        QCOMPARE(formatAt(doc, "normal").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatAt(doc, "red").foreground().color(), QColor(255, 0, 0));
        QVERIFY(!formatAt(doc, "normal").hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(formatAt(doc, "italic").fontItalic());
        QVERIFY(formatAt(doc, "under").fontUnderline());
        QVERIFY(formatAt(doc, "gone").fontStrikeOut());
        QCOMPARE(formatAt(doc, "marked").background().color(), QColor(255, 255, 0));
        QCOMPARE(formatAt(doc, "mono").fontFamilies().toStringList(), QStringList{"Courier New"});
        QCOMPARE(formatAt(doc, "mono").fontPointSize(), 10.0);

        const QTextBlock one = blockWith(doc, "one");
        const QTextBlock two = blockWith(doc, "two");
        QVERIFY(one.textList());
        QCOMPARE(one.textList(), two.textList());
        QCOMPARE(one.textList()->format().style(), QTextListFormat::ListDisc);

        const QTextBlockFormat ind = blockWith(doc, "indented\tx").blockFormat();
        QCOMPARE(zx::richtext::pixelsToTwips(ind.leftMargin()), 1440);
        QCOMPARE(zx::richtext::pixelsToTwips(ind.rightMargin()), 720);
        QCOMPARE(zx::richtext::pixelsToTwips(ind.textIndent()), -300);
        QCOMPARE(ind.tabPositions().size(), 2);
        QCOMPARE(ind.tabPositions().at(1).type, QTextOption::RightTab);
        QCOMPARE(zx::richtext::pixelsToTwips(ind.tabPositions().at(1).position), 5760);

        QCOMPARE(zx::richtext::charOffset(formatAt(doc, "up")), 6);
        QCOMPARE(zx::richtext::charOffset(formatAt(doc, "down")), -4);
        QCOMPARE(formatAt(doc, "sup").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatAt(doc, "sub").verticalAlignment(), QTextCharFormat::AlignSubScript);
    }

    void wordStyle()
    {
        const QByteArray rtf =
            "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff31507\\deff0\\stshfdbch31505\\deflang1033"
            "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
            "{\\f37\\fbidi \\fswiss\\fcharset0\\fprq2{\\*\\panose 020f0502020204030204}Calibri;}}"
            "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}"
            "{\\*\\defchp \\f31506\\fs22 }{\\stylesheet{\\ql \\li0\\ri0\\sa160 \\rtlch\\fcs1 \\af31507 \\snext0 Normal;}"
            "{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}"
            "{\\*\\rsidtbl \\rsid1\\rsid2}{\\info{\\title The title}{\\author A}{\\creatim\\yr2020}}"
            "\\paperw12240\\paperh15840\\margl1440\\margr1440\\sectd \\ltrsect\\linex0 "
            "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang {\\pntxta .}}"
            "\\pard\\plain \\ltrpar\\qj \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\aspalpha\\rin0\\lin0\\itap0 "
            "\\rtlch\\fcs1 \\af31507\\afs22\\alang1025 \\ltrch\\fcs0 \\f37\\fs22\\lang1033\\langfe1033 "
            "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\b\\insrsid1 Bold}{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 "
            "\\insrsid1  and }{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\cf2\\insrsid2 blue}{\\insrsid1 \\u8364\\'80 "
            "\\par }{\\*\\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e74656e}"
            "{\\*\\datastore 0105000002000000180000004d73786d6c322e534158584d4c5265616465722e362e30}}";
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(doc.toPlainText(), QStringLiteral("Bold and blue\u20AC "));
        QCOMPARE(doc.metaInformation(QTextDocument::DocumentTitle), QStringLiteral("The title"));
        QCOMPARE(formatAt(doc, "Bold").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(doc, "and").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatAt(doc, "blue").foreground().color(), QColor(0, 0, 255));
        QCOMPARE(formatAt(doc, "blue").fontFamilies().toStringList(), QStringList{"Calibri"});
        QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
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
        QCOMPARE(doc.toPlainText(), QStringLiteral("A list:\none\nsub\ndot\nbig red"));
        QCOMPARE(blockWith(doc, "one").textList()->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(blockWith(doc, "sub").textList()->format().style(), QTextListFormat::ListLowerAlpha);
        QCOMPARE(blockWith(doc, "sub").textList()->format().indent(), 2);
        QCOMPARE(blockWith(doc, "dot").textList()->format().style(), QTextListFormat::ListDisc);
        QVERIFY(!blockWith(doc, "A list:").textList());
        QCOMPARE(formatAt(doc, "dot").background().color(), QColor(255, 255, 0));
        const QTextCharFormat big = formatAt(doc, "big");
        QCOMPARE(big.foreground().color(), QColor(255, 0, 0));
        QVERIFY(big.fontUnderline());
        QCOMPARE(big.fontWeight(), int(QFont::Bold));
        QCOMPARE(big.fontPointSize(), 16.0);
        QCOMPARE(big.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
        QCOMPARE(doc.defaultTextOption().tabStopDistance(), zx::richtext::twipsToPixels(709));
    }

    void textEditStyle()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639\n"
            "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fswiss\\fcharset0 Helvetica-Bold;}\n"
            "{\\colortbl;\\red255\\green255\\blue255;\\red251\\green0\\blue7;}\n"
            "{\\*\\expandedcolortbl;;\\cssrgb\\c100000\\c0\\c0;}\n"
            "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
            "\\pard\\tx566\\tx1133\\tx1700\\pardirnatural\\partightenfactor0\n\n"
            "\\f0\\fs24 \\cf0 Shot log\\\n"
            "\n\\f1\\b \\cf2 Velocity\n\\f0\\b0 \\cf0  2815 fps\\\n"
            "\\pard\\pardirnatural\\qc\\partightenfactor0\n\\cf0 caf\\'e9 \\uc0\\u8364 }";
        QTextDocument doc;
        QVERIFY(RtfReader::read(rtf, &doc).ok);
        QCOMPARE(doc.toPlainText(), QStringLiteral("Shot log\nVelocity 2815 fps\ncaf\u00E9 \u20AC"));
        QCOMPARE(formatAt(doc, "Velocity").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(doc, "Velocity").foreground().color(), QColor(251, 0, 7));
        QCOMPARE(formatAt(doc, "fps").fontWeight(), int(QFont::Normal));
        QCOMPARE(doc.begin().blockFormat().tabPositions().size(), 3);
        QCOMPARE(doc.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void plainResetsCharacterFormat()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}\\deff0\\f1\\b\\i\\fs40 x\\plain y}", &doc).ok);
        QCOMPARE(formatAt(doc, "y").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatAt(doc, "y").fontPointSize(), 12.0);
        QVERIFY(!formatAt(doc, "y").fontItalic());
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

    void hugeControlWordAndDeepNesting()
    {
        QByteArray rtf = "{\\rtf1 a\\" + QByteArray(100000, 'x') + "123 b";
        rtf += QByteArray(200000, '{') + "deep" + QByteArray(1000, '}') + " c}";
        QTextDocument doc;
        const auto r = RtfReader::read(rtf, &doc);
        QVERIFY(r.ok);
        QVERIFY(r.truncated);
        QCOMPARE(doc.toPlainText(), QStringLiteral("abdeep c"));
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
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
