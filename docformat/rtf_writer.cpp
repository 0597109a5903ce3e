#include "docformat/rtf_writer.h"

#include "docformat/cp1252.h"
#include "docformat/rich_text_props.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <charconv>

namespace zx {

namespace {

constexpr int kLineLength = 200;     // a CR LF goes into the file about this often

struct CharProps {
    int font = 0;
    int halfPt = 24;
    int fg = 0;
    int bg = 0;
    int offset = 0;
    int vAlign = 0;
    int caps = 0; // 1 all capitals, 2 small capitals
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const CharProps &) const = default;
};

class Out {
public:
    explicit Out(qsizetype reserve) { m_buf.reserve(reserve); }

    void raw(const char *s) { m_buf.append(s); }
    void raw(const char *s, qsizetype n) { m_buf.append(s, n); }
    void raw(char c) { m_buf.append(c); }
    void number(int v)
    {
        char tmp[16];
        const auto res = std::to_chars(tmp, tmp + sizeof tmp, v);
        m_buf.append(tmp, res.ptr - tmp);
    }
    void word(const char *w) { raw('\\'); raw(w); }
    void word(const char *w, int v) { word(w); number(v); }
    // A line end is ignored by RTF readers; it only keeps the file readable and its lines short.
    void maybeBreakLine()
    {
        if (m_buf.size() - m_lineStart > kLineLength)
            newline();
    }
    void newline()
    {
        m_buf.append("\r\n", 2);
        m_lineStart = m_buf.size();
    }
    void text(const QString &s, qsizetype from, qsizetype to);
    QByteArray take() { return std::move(m_buf); }

private:
    QByteArray m_buf;
    qsizetype m_lineStart = 0;
};

void Out::text(const QString &s, qsizetype from, qsizetype to)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.constData());
    qsizetype i = from;
    while (i < to) {
        // bulk-copy plain ASCII
        qsizetype j = i;
        while (j < to && p[j] >= 0x20 && p[j] < 0x7F && p[j] != '\\' && p[j] != '{' && p[j] != '}')
            ++j;
        while (i < j) {
            const qsizetype room = qMax<qsizetype>(16, kLineLength - (m_buf.size() - m_lineStart));
            const qsizetype n = std::min<qsizetype>(j - i, room);
            const qsizetype old = m_buf.size();
            m_buf.resize(old + n);
            char *d = m_buf.data() + old;
            for (qsizetype k = 0; k < n; ++k)
                d[k] = char(p[i + k]);
            i += n;
            maybeBreakLine();
        }
        if (i >= to)
            break;
        const char16_t c = p[i++];
        switch (c) {
        case '\\': raw("\\\\"); break;
        case '{': raw("\\{"); break;
        case '}': raw("\\}"); break;
        case '\t': raw("\\tab "); break;
        case 0x2028: raw("\\line "); break;
        case 0x2029: raw("\\par "); break;
        case 0x00A0: raw("\\~"); break;
        case 0x00AD: raw("\\-"); break;
        case 0x2011: raw("\\_"); break;
        case 0xFFFC: // images and other objects are not kept
        case 0xFDD0: // frame boundaries
        case 0xFDD1: break;
        default:
            // Control characters (the symbol window offers them all) travel as escaped bytes, as
            // the upper half of the code page does; only NUL has no place in the text.
            if (c == 0)
                break;
            // Here c is below 0x20 or from 0x7F on: every other ASCII character was copied above.
            if (const int b = c < 0x80 ? int(c) : cp1252::fromUnicode(c); b >= 0) {
                static const char hex[] = "0123456789abcdef";
                const char esc[4] = {'\\', '\'', hex[b >> 4], hex[b & 15]};
                raw(esc, 4);
            } else {
                word("u", c > 0x7FFF ? int(c) - 0x10000 : int(c)); // RTF numbers are signed 16-bit
                raw('?');
            }
            break;
        }
    }
}

QString familyOf(const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

class Writer {
public:
    Writer(const QTextDocument *doc, int from, int to, bool whole)
        : m_doc(doc), m_from(from), m_to(to), m_whole(whole), m_out(qsizetype(to - from) * 11 / 10 + 4096)
    {
    }

    QByteArray run();

private:
    template<typename F>
    void forEachFragment(F &&f) const;
    const CharProps &props(const QTextFragment &frag);
    int fontIndex(const QString &family);
    int colorIndex(const QBrush &brush);
    void header();
    void paragraph(const QTextBlock &block);
    QByteArray paragraphProps(const QTextBlock &block, const QTextList *list);
    void listMarker(const QTextBlock &block, const QTextList *list);
    void switchTo(const CharProps &p);
    void fontName(const QString &name);

    const QTextDocument *m_doc;
    int m_from;
    int m_to;
    bool m_whole; // the whole document: its last block counts even when empty
    Out m_out;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QHash<int, CharProps> m_props;        // by the document's character format index
    QHash<int, QByteArray> m_paraProps;   // by block format index, for blocks not in a list
    CharProps m_current;
    int m_defaultHalfPt = 24;
    int m_symbolFont = -1;
};

template<typename F>
void Writer::forEachFragment(F &&f) const
{
    for (QTextBlock b = m_doc->findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.position() + frag.length() <= m_from || frag.position() >= m_to)
                continue;
            f(b, frag);
        }
    }
}

int Writer::fontIndex(const QString &family)
{
    if (family.isEmpty())
        return 0;
    const auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.cend())
        return *it;
    const int i = int(m_fonts.size());
    m_fonts.append(family);
    m_fontIndex.insert(family, i);
    return i;
}

int Writer::colorIndex(const QBrush &brush)
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    const QRgb rgb = brush.color().rgb();
    const auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.cend())
        return *it;
    m_colors.append(QColor(rgb));
    const int i = int(m_colors.size()); // entry 0 is "automatic"
    m_colorIndex.insert(rgb, i);
    return i;
}

const CharProps &Writer::props(const QTextFragment &frag)
{
    const int idx = frag.charFormatIndex();
    const auto it = m_props.constFind(idx);
    if (it != m_props.cend())
        return *it;
    const QTextCharFormat f = frag.charFormat();
    CharProps p;
    p.font = fontIndex(familyOf(f));
    p.halfPt = f.fontPointSize() > 0 ? qRound(f.fontPointSize() * 2) : m_defaultHalfPt;
    p.fg = f.hasProperty(QTextFormat::ForegroundBrush) ? colorIndex(f.foreground()) : 0;
    p.bg = f.hasProperty(QTextFormat::BackgroundBrush) ? colorIndex(f.background()) : 0;
    p.bold = f.fontWeight() >= QFont::DemiBold;
    p.italic = f.fontItalic();
    p.underline = f.fontUnderline();
    p.strike = f.fontStrikeOut();
    p.vAlign = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
               : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? -1
                                                                           : 0;
    p.offset = richtext::charOffset(f);
    p.caps = f.fontCapitalization() == QFont::AllUppercase ? 1
             : f.fontCapitalization() == QFont::SmallCaps  ? 2
                                                           : 0;
    return *m_props.insert(idx, p);
}

void Writer::fontName(const QString &name)
{
    m_out.text(name, 0, name.size());
}

void Writer::header()
{
    m_out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out.raw("{");
        m_out.word("f", i);
        m_out.raw(i == m_symbolFont ? "\\fnil\\fcharset2 " : "\\fnil\\fcharset0 ");
        fontName(m_fonts.at(i));
        m_out.raw(";}");
    }
    m_out.raw("}");
    m_out.newline();
    if (!m_colors.isEmpty()) {
        m_out.raw("{\\colortbl ;");
        for (const QColor &c : m_colors) {
            m_out.word("red", c.red());
            m_out.word("green", c.green());
            m_out.word("blue", c.blue());
            m_out.raw(';');
        }
        m_out.raw("}");
        m_out.newline();
    }
    m_out.raw("{\\*\\generator Zentrix;}");
    const QString title = m_doc->metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty()) {
        m_out.raw("{\\info{\\title ");
        m_out.text(title, 0, title.size());
        m_out.raw("}}");
    }
    m_out.word("deftab", richtext::pixelsToTwips(m_doc->defaultTextOption().tabStopDistance()));
    m_out.raw("\\viewkind4\\uc1");
    m_out.newline();
    m_out.word("f", 0);
    m_out.word("fs", m_defaultHalfPt);
    m_out.raw(' ');
    m_current = CharProps{};
    m_current.halfPt = m_defaultHalfPt;
}

void Writer::switchTo(const CharProps &p)
{
    if (p == m_current)
        return;
    const CharProps &c = m_current;
    if (p.font != c.font)
        m_out.word("f", p.font);
    if (p.halfPt != c.halfPt)
        m_out.word("fs", p.halfPt);
    if (p.fg != c.fg)
        m_out.word("cf", p.fg);
    if (p.bg != c.bg)
        m_out.word("highlight", p.bg);
    if (p.bold != c.bold)
        m_out.raw(p.bold ? "\\b" : "\\b0");
    if (p.italic != c.italic)
        m_out.raw(p.italic ? "\\i" : "\\i0");
    if (p.underline != c.underline)
        m_out.raw(p.underline ? "\\ul" : "\\ulnone");
    if (p.strike != c.strike)
        m_out.raw(p.strike ? "\\strike" : "\\strike0");
    if (p.vAlign != c.vAlign)
        m_out.raw(p.vAlign > 0 ? "\\super" : p.vAlign < 0 ? "\\sub" : "\\nosupersub");
    if (p.offset != c.offset) {
        if (p.offset >= 0)
            m_out.word("up", p.offset);
        else
            m_out.word("dn", -p.offset);
    }
    if (p.caps != c.caps) {
        if (c.caps == 1)
            m_out.raw("\\caps0");
        else if (c.caps == 2)
            m_out.raw("\\scaps0");
        if (p.caps == 1)
            m_out.raw("\\caps");
        else if (p.caps == 2)
            m_out.raw("\\scaps");
    }
    m_out.raw(' ');
    m_current = p;
}

QByteArray Writer::paragraphProps(const QTextBlock &block, const QTextList *list)
{
    const int idx = block.blockFormatIndex();
    if (!list) {
        const auto it = m_paraProps.constFind(idx);
        if (it != m_paraProps.cend())
            return *it;
    }
    const QTextBlockFormat f = block.blockFormat();
    Out o(64);
    const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignJustify)
        o.raw("\\qj");
    else if (h & Qt::AlignHCenter)
        o.raw("\\qc");
    else if (h & (Qt::AlignRight | Qt::AlignTrailing))
        o.raw("\\qr");
    const qreal indentPx = f.indent() * m_doc->indentWidth();
    const int left = richtext::pixelsToTwips(f.leftMargin() + indentPx);
    if (list) {
        const int level = qMax(1, list->format().indent());
        o.word("fi", -360);
        o.word("li", richtext::kListIndentTw * level + left);
    } else {
        if (f.textIndent() != 0)
            o.word("fi", richtext::pixelsToTwips(f.textIndent()));
        if (left != 0)
            o.word("li", left);
    }
    if (f.rightMargin() > 0)
        o.word("ri", richtext::pixelsToTwips(f.rightMargin()));
    if (f.topMargin() > 0)
        o.word("sb", richtext::pixelsToTwips(f.topMargin()));
    if (f.bottomMargin() > 0)
        o.word("sa", richtext::pixelsToTwips(f.bottomMargin()));
    for (const QTextOption::Tab &t : f.tabPositions()) {
        if (t.type == QTextOption::CenterTab)
            o.raw("\\tqc");
        else if (t.type == QTextOption::RightTab)
            o.raw("\\tqr");
        else if (t.type == QTextOption::DelimiterTab)
            o.raw("\\tqdec");
        o.word("tx", richtext::pixelsToTwips(t.position));
    }
    if (list)
        return o.take();
    return *m_paraProps.insert(idx, o.take());
}

void Writer::listMarker(const QTextBlock &block, const QTextList *list)
{
    const QTextListFormat lf = list->format();
    const QTextListFormat::Style style = lf.style();
    const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
                        || style == QTextListFormat::ListSquare
                        || style == QTextListFormat::ListStyleUndefined;
    // The marker text for readers without numbering support, then the numbering itself.
    if (bullet) {
        m_out.raw("{\\pntext");
        m_out.word("f", m_symbolFont);
        m_out.raw("\\'b7\\tab}{\\*\\pn\\pnlvlblt");
        m_out.word("pnf", m_symbolFont);
        m_out.raw("\\pnindent0{\\pntxtb\\'b7}}");
    } else {
        QString marker = list->itemText(block);
        if (marker.isEmpty())
            marker = QString::number(list->itemNumber(block) + 1) + QLatin1Char('.');
        m_out.raw("{\\pntext\\f0 ");
        m_out.text(marker, 0, marker.size());
        m_out.raw("\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1");
        switch (style) {
        case QTextListFormat::ListLowerAlpha: m_out.raw("\\pnlcltr"); break;
        case QTextListFormat::ListUpperAlpha: m_out.raw("\\pnucltr"); break;
        case QTextListFormat::ListLowerRoman: m_out.raw("\\pnlcrm"); break;
        case QTextListFormat::ListUpperRoman: m_out.raw("\\pnucrm"); break;
        default: m_out.raw("\\pndec"); break;
        }
        m_out.raw("{\\pntxta.}}");
    }
    // The level shows in the indent (\li): \ilvl without a list table confuses other readers.
}

void Writer::paragraph(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    m_out.word("pard");
    if (list)
        listMarker(block, list);
    m_out.raw(paragraphProps(block, list));
    m_out.raw(' ');
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        const int start = qMax(frag.position(), m_from);
        const int end = qMin(frag.position() + frag.length(), m_to);
        if (start >= end)
            continue;
        switchTo(props(frag));
        const QString text = frag.text();
        m_out.text(text, start - frag.position(), end - frag.position());
    }
    m_out.word("par");
    m_out.newline();
}

QByteArray Writer::run()
{
    const QFont df = m_doc->defaultFont();
    if (df.pointSizeF() > 0)
        m_defaultHalfPt = qRound(df.pointSizeF() * 2);
    m_fonts.append(df.family());
    m_fontIndex.insert(df.family(), 0);

    bool bullets = false;
    forEachFragment([&](const QTextBlock &, const QTextFragment &frag) { props(frag); });
    for (QTextBlock b = m_doc->findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
        if (const QTextList *l = b.textList()) {
            const auto s = l->format().style();
            bullets = bullets || s == QTextListFormat::ListDisc || s == QTextListFormat::ListCircle
                      || s == QTextListFormat::ListSquare || s == QTextListFormat::ListStyleUndefined;
        }
    }
    if (bullets) {
        m_symbolFont = int(m_fonts.size());
        m_fonts.append(QStringLiteral("Symbol"));
    }

    header();
    for (QTextBlock b = m_doc->findBlock(m_from); b.isValid() && b.position() <= m_to; b = b.next()) {
        if (!m_whole && b.position() == m_to && b.position() != m_from)
            break; // the range ends right before this block
        paragraph(b);
    }
    m_out.raw("}");
    m_out.newline();
    return m_out.take();
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument *doc)
{
    return Writer(doc, 0, qMax(0, doc->characterCount() - 1), true).run();
}

QByteArray RtfWriter::write(const QTextDocument *doc, int from, int to)
{
    from = qBound(0, from, qMax(0, doc->characterCount() - 1));
    to = qBound(from, to, qMax(0, doc->characterCount() - 1));
    return Writer(doc, from, to, false).run();
}

} // namespace zx
