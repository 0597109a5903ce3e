#include "docformat/rtf_document_builder.h"

#include "docformat/rich_text_props.h"

#include <QTextBlock>
#include <QTextList>

namespace zx::rtf {

DocumentBuilder::DocumentBuilder(const QTextCursor &cursor, const QHash<int, FontEntry> &fonts,
                                 const QList<QColor> &colors)
    : m_cursor(cursor), m_fonts(fonts), m_colors(colors)
{
}

const QTextCharFormat &DocumentBuilder::charFormat(const CharState &cs)
{
    for (int i = 0; i < m_cacheUsed; ++i) {
        if (m_cache[i].state == cs)
            return m_cache[i].format;
    }
    QTextCharFormat f;
    const auto font = m_fonts.constFind(cs.font);
    if (font != m_fonts.cend() && !font->name.isEmpty())
        f.setFontFamilies(QStringList{font->name});
    f.setFontPointSize(cs.sizeHalfPt / 2.0);
    if (cs.fg > 0 && cs.fg < m_colors.size() && m_colors.at(cs.fg).isValid())
        f.setForeground(m_colors.at(cs.fg));
    if (cs.bg > 0 && cs.bg < m_colors.size() && m_colors.at(cs.bg).isValid())
        f.setBackground(m_colors.at(cs.bg));
    if (cs.bold)
        f.setFontWeight(QFont::Bold);
    if (cs.italic)
        f.setFontItalic(true);
    if (cs.underline)
        f.setFontUnderline(true);
    if (cs.strike)
        f.setFontStrikeOut(true);
    if (cs.vAlign > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (cs.vAlign < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (cs.offset != 0)
        richtext::setCharOffset(f, cs.offset, cs.sizeHalfPt / 2.0);
    if (cs.caps)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (cs.smallCaps)
        f.setFontCapitalization(QFont::SmallCaps);

    CachedFormat &slot = m_cache[m_cacheNext];
    m_cacheNext = (m_cacheNext + 1) % kCacheSize;
    if (m_cacheUsed < kCacheSize)
        ++m_cacheUsed;
    slot.state = cs;
    slot.format = f;
    return slot.format;
}

QTextBlockFormat DocumentBuilder::blockFormat(const ParaState &ps, const ListRef &list) const
{
    QTextBlockFormat f;
    switch (ps.align) {
    case 1: f.setAlignment(Qt::AlignHCenter); break;
    case 2: f.setAlignment(Qt::AlignRight); break;
    case 3: f.setAlignment(Qt::AlignJustify); break;
    default: break;
    }
    if (list.isList) {
        // The list's own indent draws the marker; only what lies beyond it is a block margin.
        const int extra = ps.leftTw - richtext::kListIndentTw * (list.level + 1);
        if (extra > 0)
            f.setLeftMargin(richtext::twipsToPixels(extra));
    } else {
        if (ps.leftTw != 0)
            f.setLeftMargin(richtext::twipsToPixels(qMax(0, ps.leftTw)));
        if (ps.firstTw != 0)
            f.setTextIndent(richtext::twipsToPixels(ps.firstTw));
    }
    if (ps.rightTw > 0)
        f.setRightMargin(richtext::twipsToPixels(ps.rightTw));
    if (ps.spaceBeforeTw > 0)
        f.setTopMargin(richtext::twipsToPixels(ps.spaceBeforeTw));
    if (ps.spaceAfterTw > 0)
        f.setBottomMargin(richtext::twipsToPixels(ps.spaceAfterTw));
    if (!ps.tabs.isEmpty())
        f.setTabPositions(ps.tabs);
    return f;
}

void DocumentBuilder::openPendingBlock(const CharState &cs)
{
    if (!m_blockPending)
        return;
    m_blockPending = false;
    // Most paragraphs look like the one before: starting with its format usually saves a change.
    m_cursor.insertBlock(m_lastFormat, charFormat(cs));
    m_blockFormat = m_lastFormat;
    m_blockFormatKnown = true;
    m_paragraphTouched = false;
}

void DocumentBuilder::insertRun(const QString &text, const CharState &cs)
{
    if (text.isEmpty())
        return;
    openPendingBlock(cs);
    m_cursor.insertText(text, charFormat(cs));
    m_hasContent = true;
    m_paragraphTouched = true;
}

void DocumentBuilder::applyParagraph(const ParaState &ps, const ListRef &list)
{
    const QTextBlockFormat wanted = blockFormat(ps, list);
    if (wanted != (m_blockFormatKnown ? m_blockFormat : m_cursor.blockFormat()))
        m_cursor.setBlockFormat(wanted);
    m_lastFormat = wanted;
    m_blockFormatKnown = false; // list membership below changes it
    if (!list.isList) {
        // Old-style numbering restarts after an ordinary paragraph; \ls lists carry on.
        for (auto it = m_lists.begin(); it != m_lists.end();) {
            if (it.key().source < 0)
                it = m_lists.erase(it);
            else
                ++it;
        }
        return;
    }
    const ListKey key{list.source, list.level, int(list.style)};
    QTextList *existing = m_lists.value(key);
    if (existing) {
        existing->add(m_cursor.block());
    } else {
        QTextListFormat lf;
        lf.setStyle(list.style);
        lf.setIndent(list.level + 1);
        m_lists.insert(key, m_cursor.createList(lf));
    }
}

void DocumentBuilder::endParagraph(const ParaState &ps, const ListRef &list, const CharState &cs)
{
    openPendingBlock(cs);
    applyParagraph(ps, list);
    m_blockPending = true;
    m_hasContent = true;
}

void DocumentBuilder::finish(const ParaState &ps, const ListRef &list)
{
    if (!m_blockPending && m_paragraphTouched)
        applyParagraph(ps, list);
}

} // namespace zx::rtf
