#include "docformat/rtf_parser.h"

#include "docformat/rich_text_props.h"

#include <algorithm>

namespace zx::rtf {

namespace {
constexpr size_t kMaxDepth = 512;      // real files stay far below; deeper groups share state
constexpr int kMaxTwips = 31680;       // 22 inches, the largest length RTF allows
constexpr int kMaxTabs = 64;
constexpr qsizetype kMaxNameBytes = 256;
constexpr qsizetype kMaxTitleBytes = 1024;

int clampTwips(int v) { return qBound(-kMaxTwips, v, kMaxTwips); }
bool onOff(const Token &t) { return !t.hasParam || t.param != 0; }

int listStyleValue(QTextListFormat::Style s) { return int(s) + 100; }

QTextListFormat::Style styleForNumberFormat(int nfc)
{
    switch (nfc) {
    case 1: return QTextListFormat::ListUpperRoman;
    case 2: return QTextListFormat::ListLowerRoman;
    case 3: return QTextListFormat::ListUpperAlpha;
    case 4: return QTextListFormat::ListLowerAlpha;
    case 23:
    case 255: return QTextListFormat::ListDisc;
    default: return QTextListFormat::ListDecimal;
    }
}
} // namespace

Parser::Parser(const QByteArray &data, const QTextCursor &cursor)
    : m_data(data), m_tokens(m_data.constData(), m_data.size()), m_builder(cursor, m_fonts, m_colors)
{
    m_stack.reserve(32);
}

void Parser::run()
{
    for (;;) {
        Token t = m_tokens.next();
        if (t.type == Token::End)
            break;

        if (m_skipNesting > 0) { // inside a skipped destination only the braces matter
            if (t.type == Token::GroupOpen) {
                ++m_skipNesting;
            } else if (t.type == Token::GroupClose) {
                if (--m_skipNesting == 0)
                    closeGroup();
            }
            continue;
        }

        if (m_ucSkip > 0) { // the ANSI stand-ins a \u is followed by
            switch (t.type) {
            case Token::Text: {
                const qsizetype n = std::min<qsizetype>(t.size, m_ucSkip);
                m_ucSkip -= int(n);
                t.data += n;
                t.size -= n;
                if (t.size == 0)
                    continue;
                break;
            }
            case Token::Hex:
            case Token::Symbol:
            case Token::Word:
            case Token::Binary:
                --m_ucSkip;
                continue;
            default:
                m_ucSkip = 0;
                break;
            }
        }

        if (t.type != Token::Word && t.type != Token::GroupOpen)
            m_star = false;

        switch (t.type) {
        case Token::GroupOpen: openGroup(); break;
        case Token::GroupClose: closeGroup(); break;
        case Token::Word: word(t); break;
        case Token::Symbol: symbol(t.symbol); break;
        case Token::Text: text(t.data, t.size); break;
        case Token::Hex: {
            const char b = char(t.hex);
            addBytes(&b, 1);
            break;
        }
        case Token::Binary: // data of a destination we do not read
        case Token::End: break;
        }
    }
    m_truncated = !m_stack.empty() || m_overflow > 0 || m_skipNesting > 0;
    if (!m_finished)
        finishDocument(m_cur.ps);
}

void Parser::finishDocument(const ParaState &ps)
{
    flushRun();
    if (!m_notes.isEmpty())
        appendNotes(ps);
    m_builder.finish(ps, listRef(ps));
    m_finished = true;
}

void Parser::openGroup()
{
    m_star = false;
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_cur);
}

void Parser::closeGroup()
{
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.empty()) // a stray closing brace: ignore it and read on
        return;
    const size_t depth = m_stack.size();
    const Group closed = m_cur;
    m_cur = m_stack.back();
    m_stack.pop_back();
    if (m_stack.empty()) // the document group ends: its last paragraph has its final format now
        finishDocument(closed.ps);

    switch (closed.dest) {
    case Dest::FontTable: // an entry ends with its group even without ';' (not with a {\*\panose})
        if (depth == m_fontGroupDepth || m_cur.dest != Dest::FontTable)
            commitFont();
        break;
    case Dest::Title:
        if (m_cur.dest != Dest::Title) {
            decoder(codePageOfFont(closed.cs.font)).appendDecoded(m_titleBytes.constData(),
                                                                  m_titleBytes.size(), m_title);
            m_titleBytes.clear();
            m_title = m_title.trimmed();
        }
        break;
    case Dest::ListTable:
        if (m_cur.dest != Dest::ListTable)
            commitList();
        break;
    case Dest::Pn:
        if (m_cur.dest == Dest::Body) { // the numbering belongs to the paragraph around it
            m_cur.ps.pnStyle = closed.ps.pnStyle;
            m_cur.ps.level = closed.ps.level;
        }
        break;
    case Dest::Footnote:
        if (m_cur.dest != Dest::Footnote)
            flushNoteBytes();
        break;
    case Dest::PnText:
        if (m_cur.dest != Dest::PnText) {
            m_paraHasListText = true;
            m_paraListTextIsNumber = m_listTextHasDigit;
        }
        break;
    default:
        break;
    }
}

void Parser::skipGroup()
{
    if (!m_stack.empty()) // outside every group there is no end to skip to
        m_skipNesting = 1;
}

bool Parser::destinationWord(Kw kw)
{
    switch (kw) {
    case Kw::FontTable:
        m_cur.dest = Dest::FontTable;
        commitFont();
        return true;
    case Kw::ColorTable:
        m_cur.dest = Dest::ColorTable;
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
        return true;
    case Kw::Info: m_cur.dest = Dest::Info; return true;
    case Kw::Title:
        if (m_cur.dest == Dest::Info)
            m_cur.dest = Dest::Title;
        else
            skipGroup();
        return true;
    case Kw::PnText:
        m_cur.dest = Dest::PnText;
        m_listTextHasDigit = false;
        return true;
    case Kw::ListText:
        m_cur.dest = Dest::ListText;
        m_paraLiteralMarker = true;
        m_markerStarted = false;
        return true;
    case Kw::Footnote:
        if (m_cur.dest != Dest::Body) {
            skipGroup();
        } else {
            m_cur.dest = Dest::Footnote;
            m_notes.append(QString());
        }
        return true;
    case Kw::Pn: m_cur.dest = Dest::Pn; return true;
    case Kw::ListTable:
        m_cur.dest = Dest::ListTable;
        m_listId = -1;
        m_levels.clear();
        return true;
    case Kw::ListOverrideTable: m_cur.dest = Dest::ListOverrideTable; return true;
    case Kw::SkipDestination: skipGroup(); return true;
    case Kw::FieldResult: m_cur.dest = Dest::Body; return true;
    default: return false;
    }
}

void Parser::word(const Token &t)
{
    const Kw kw = keyword(t.word);
    if (m_star) {
        m_star = false;
        // \* marks a destination an older reader may skip: read the ones we know, skip the rest
        if (kw != Kw::Pn && kw != Kw::ListTable && kw != Kw::ListOverrideTable && kw != Kw::Footnote) {
            skipGroup();
            return;
        }
    }
    if (destinationWord(kw))
        return;

    Group &g = m_cur;
    CharState &cs = g.cs;
    ParaState &ps = g.ps;
    const int p = t.param;
    switch (kw) {
    case Kw::Unknown: break;
    case Kw::Ansi: m_ansiCpg = 1252; break;
    case Kw::Mac: m_ansiCpg = 10000; break;
    case Kw::Pc: m_ansiCpg = 437; break;
    case Kw::Pca: m_ansiCpg = 850; break;
    case Kw::AnsiCpg:
        if (t.hasParam && p > 0)
            m_ansiCpg = p;
        break;
    case Kw::DefaultFont:
        m_defaultFont = p;
        if (cs.font < 0)
            cs.font = p;
        break;
    case Kw::DefaultTab:
        if (p > 0)
            m_defaultTab = qMin(p, kMaxTwips);
        break;
    case Kw::Uc: g.uc = qBound(0, p, 16); break;
    case Kw::U: {
        if (!t.hasParam)
            break;
        long long v = p;
        if (v < 0)
            v += 65536;
        if (v >= 0 && v <= 0x10FFFF)
            addChar(char32_t(v));
        m_ucSkip = g.uc;
        break;
    }
    case Kw::F:
        if (g.dest == Dest::FontTable) {
            commitFont();
            m_fontId = p;
            m_fontGroupDepth = m_stack.size();
        } else {
            cs.font = p;
        }
        break;
    case Kw::FCharset:
        if (g.dest == Dest::FontTable)
            m_fontCharset = p;
        break;
    case Kw::Fs:
        if (t.hasParam && p > 0)
            cs.sizeHalfPt = qBound(2, p, 3276);
        break;
    case Kw::Red: m_red = qBound(0, p, 255); m_colorSet = true; break;
    case Kw::Green: m_green = qBound(0, p, 255); m_colorSet = true; break;
    case Kw::Blue: m_blue = qBound(0, p, 255); m_colorSet = true; break;
    case Kw::Cf: cs.fg = qMax(0, p); break;
    case Kw::Cb:
    case Kw::Highlight: cs.bg = qMax(0, p); break;
    case Kw::Plain:
        cs = CharState{};
        cs.font = m_defaultFont;
        break;
    case Kw::B: cs.bold = onOff(t); break;
    case Kw::I: cs.italic = onOff(t); break;
    case Kw::Ul: cs.underline = onOff(t); break;
    case Kw::UlNone: cs.underline = false; break;
    case Kw::Strike: cs.strike = onOff(t); break;
    case Kw::Super: cs.vAlign = 1; break;
    case Kw::Sub: cs.vAlign = -1; break;
    case Kw::NoSuperSub: cs.vAlign = 0; break;
    case Kw::Up: cs.offset = t.hasParam ? qBound(-3276, p, 3276) : 6; break;
    case Kw::Dn: cs.offset = -(t.hasParam ? qBound(-3276, p, 3276) : 6); break;
    case Kw::Hidden: cs.hidden = onOff(t); break;
    case Kw::Caps: cs.caps = onOff(t); break;
    case Kw::SmallCaps: cs.smallCaps = onOff(t); break;
    case Kw::Pard: ps = ParaState{}; break;
    case Kw::Par:
    case Kw::Page:
        if (g.dest == Dest::Body)
            endParagraph();
        else if (g.dest == Dest::Footnote)
            noteText(QStringLiteral("\n"));
        break;
    case Kw::Line:
    case Kw::Column: addChar(0x2028); break;
    case Kw::Tab: addChar('\t'); break;
    case Kw::Ql: ps.align = 0; break;
    case Kw::Qc: ps.align = 1; break;
    case Kw::Qr: ps.align = 2; break;
    case Kw::Qj: ps.align = 3; break;
    case Kw::Li: ps.leftTw = clampTwips(p); break;
    case Kw::Ri: ps.rightTw = clampTwips(p); break;
    case Kw::Fi: ps.firstTw = clampTwips(p); break;
    case Kw::Sb: ps.spaceBeforeTw = qBound(0, p, kMaxTwips); break;
    case Kw::Sa: ps.spaceAfterTw = qBound(0, p, kMaxTwips); break;
    case Kw::Tx:
        if (ps.tabs.size() < kMaxTabs) {
            QTextOption::Tab tab;
            tab.position = richtext::twipsToPixels(qBound(0, p, kMaxTwips));
            tab.type = ps.nextTabType == 1   ? QTextOption::CenterTab
                       : ps.nextTabType == 2 ? QTextOption::RightTab
                       : ps.nextTabType == 3 ? QTextOption::DelimiterTab
                                             : QTextOption::LeftTab;
            if (tab.type == QTextOption::DelimiterTab)
                tab.delimiter = QLatin1Char('.');
            ps.tabs.append(tab);
        }
        ps.nextTabType = 0;
        break;
    case Kw::Tqc: ps.nextTabType = 1; break;
    case Kw::Tqr: ps.nextTabType = 2; break;
    case Kw::Tqdec: ps.nextTabType = 3; break;
    case Kw::Ls:
        if (g.dest == Dest::ListOverrideTable) {
            if (m_overrideListId >= 0)
                m_overrides.insert(p, m_overrideListId);
        } else {
            ps.ls = qMax(0, p);
        }
        break;
    case Kw::Ilvl: ps.level = qBound(0, p, 8); break;
    case Kw::InTable: ps.inTable = true; break;
    case Kw::Cell:
        if (g.dest == Dest::Body) {
            if (m_pendingCellTab) // the cell before was empty
                addChar('\t');
            m_pendingCellTab = true;
        }
        break;
    case Kw::Row:
        if (g.dest == Dest::Body) {
            m_pendingCellTab = false;
            endParagraph();
        }
        break;
    case Kw::PnLvlBlt: ps.pnStyle = listStyleValue(QTextListFormat::ListDisc); break;
    case Kw::PnLvlBody: ps.pnStyle = listStyleValue(QTextListFormat::ListDecimal); break;
    case Kw::PnLvl:
        ps.pnStyle = listStyleValue(QTextListFormat::ListDecimal);
        ps.level = qBound(0, p - 1, 8);
        break;
    case Kw::PnDec:
    case Kw::PnUcLtr:
    case Kw::PnLcLtr:
    case Kw::PnUcRm:
    case Kw::PnLcRm:
        if (ps.pnStyle != 0 && ps.pnStyle != listStyleValue(QTextListFormat::ListDisc)) {
            const QTextListFormat::Style s = kw == Kw::PnUcLtr   ? QTextListFormat::ListUpperAlpha
                                             : kw == Kw::PnLcLtr ? QTextListFormat::ListLowerAlpha
                                             : kw == Kw::PnUcRm  ? QTextListFormat::ListUpperRoman
                                             : kw == Kw::PnLcRm  ? QTextListFormat::ListLowerRoman
                                                                 : QTextListFormat::ListDecimal;
            ps.pnStyle = listStyleValue(s);
        }
        break;
    case Kw::List:
        if (g.dest == Dest::ListTable) {
            commitList();
            m_listId = -1;
            m_levels.clear();
        }
        break;
    case Kw::ListLevel:
        if (g.dest == Dest::ListTable && m_levels.size() < 9)
            m_levels.append(0);
        break;
    case Kw::LevelNfc:
        if (g.dest == Dest::ListTable && !m_levels.isEmpty())
            m_levels.last() = p;
        break;
    case Kw::ListId:
        if (g.dest == Dest::ListTable)
            m_listId = p;
        else if (g.dest == Dest::ListOverrideTable)
            m_overrideListId = p;
        break;
    case Kw::ListOverride: m_overrideListId = -1; break;
    case Kw::EmDash: addChar(0x2014); break;
    case Kw::EnDash: addChar(0x2013); break;
    case Kw::EmSpace: addChar(0x2003); break;
    case Kw::EnSpace: addChar(0x2002); break;
    case Kw::QmSpace: addChar(0x2005); break;
    case Kw::Bullet: addChar(0x2022); break;
    case Kw::Chftn: // the automatic footnote number: a new one in the text, the same in the note
        if (g.dest == Dest::Footnote) {
            noteText(QString::number(m_noteNumber));
        } else if (g.dest == Dest::Body && !cs.hidden) {
            const QString n = QString::number(++m_noteNumber);
            for (const QChar c : n)
                addChar(c.unicode());
        }
        break;
    case Kw::LQuote: addChar(0x2018); break;
    case Kw::RQuote: addChar(0x2019); break;
    case Kw::LDblQuote: addChar(0x201C); break;
    case Kw::RDblQuote: addChar(0x201D); break;
    case Kw::Zwj: addChar(0x200D); break;
    case Kw::Zwnj: addChar(0x200C); break;
    case Kw::LtrMark: addChar(0x200E); break;
    case Kw::RtlMark: addChar(0x200F); break;
    default: break;
    }
}

void Parser::symbol(char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}': addBytes(&c, 1); break;
    case '~': addChar(0x00A0); break;
    case '-': addChar(0x00AD); break;
    case '_': addChar(0x2011); break;
    case '\t': addChar('\t'); break;
    case '*': m_star = true; break;
    case '\n':
    case '\r': // a backslash before a line end is a paragraph mark (TextEdit writes these)
        if (m_cur.dest == Dest::Body)
            endParagraph();
        break;
    default: break;
    }
}

void Parser::text(const char *data, qsizetype size)
{
    switch (m_cur.dest) {
    case Dest::FontTable:
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] == ';')
                commitFont();
            else if (m_fontName.size() < kMaxNameBytes)
                m_fontName.append(data[i]);
        }
        break;
    case Dest::ColorTable:
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] != ';')
                continue;
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
            m_colorSet = false;
            m_red = m_green = m_blue = 0;
        }
        break;
    case Dest::PnText:
        for (qsizetype i = 0; i < size && !m_listTextHasDigit; ++i)
            m_listTextHasDigit = data[i] >= '0' && data[i] <= '9';
        break;
    default:
        addBytes(data, size);
        break;
    }
}

void Parser::addBytes(const char *data, qsizetype size)
{
    switch (m_cur.dest) {
    case Dest::ListText:
        while (!m_markerStarted && size > 0 && (*data == ' ' || *data == '\t')) {
            ++data;
            --size;
        }
        if (size == 0)
            return;
        m_markerStarted = true;
        if (!m_cur.cs.hidden) { // markers are short: decoded here, a lone byte never as half a pair
            int cp = codePageOfFont(m_cur.cs.font);
            if (size == 1 && (cp == 932 || cp == 936 || cp == 949 || cp == 950))
                cp = m_ansiCpg; // LibreOffice writes its dash bullet in a DBCS symbol font
            QString marker;
            decoder(cp).appendDecoded(data, size, marker);
            for (const QChar c : std::as_const(marker))
                addChar(c.unicode());
        }
        return;
    case Dest::Body:
        if (m_cur.cs.hidden)
            return;
        if (m_pendingCellTab) {
            m_pendingCellTab = false;
            addChar('\t');
        }
        if (!m_runActive || !(m_runState == m_cur.cs)) {
            flushRun();
            m_runState = m_cur.cs;
            m_runActive = true;
        }
        m_finished = false;
        m_runBytes.append(data, size);
        break;
    case Dest::FontTable:
        if (m_fontName.size() < kMaxNameBytes)
            m_fontName.append(data, std::min(size, kMaxNameBytes - m_fontName.size()));
        break;
    case Dest::Footnote: {
        const int cp = codePageOfFont(m_cur.cs.font);
        if (cp != m_noteCodePage)
            flushNoteBytes();
        m_noteCodePage = cp;
        m_noteBytes.append(data, size);
        break;
    }
    case Dest::Title:
        if (m_titleBytes.size() < kMaxTitleBytes)
            m_titleBytes.append(data, std::min(size, kMaxTitleBytes - m_titleBytes.size()));
        break;
    default:
        break;
    }
}

void Parser::addChar(char32_t ch)
{
    if (m_cur.dest == Dest::Title || m_cur.dest == Dest::FontTable) { // a \u in a name (rare)
        QString &textPart = m_cur.dest == Dest::Title ? m_title : m_fontNameText;
        QByteArray &bytes = m_cur.dest == Dest::Title ? m_titleBytes : m_fontName;
        const int cp = m_cur.dest == Dest::Title ? codePageOfFont(m_cur.cs.font)
                                                 : codePageForCharset(m_fontCharset, m_ansiCpg);
        decoder(cp).appendDecoded(bytes.constData(), bytes.size(), textPart);
        bytes.clear();
        if (textPart.size() < kMaxNameBytes)
            textPart += QString::fromUcs4(&ch, 1);
        return;
    }
    if (m_cur.dest == Dest::Footnote) {
        noteText(QString::fromUcs4(&ch, 1));
        return;
    }
    if (m_cur.dest == Dest::ListText && !m_markerStarted) {
        if (ch == ' ' || ch == '\t' || ch == 0xA0)
            return;
        m_markerStarted = true;
    }
    if ((m_cur.dest != Dest::Body && m_cur.dest != Dest::ListText) || m_cur.cs.hidden)
        return;
    if (m_pendingCellTab && ch != '\t') {
        m_pendingCellTab = false;
        addChar('\t');
    }
    if (!m_runActive || !(m_runState == m_cur.cs)) {
        flushRun();
        m_runState = m_cur.cs;
        m_runActive = true;
    }
    m_finished = false;
    decodeRunBytes();
    if (ch > 0xFFFF) {
        m_runText.append(QChar(QChar::highSurrogate(ch)));
        m_runText.append(QChar(QChar::lowSurrogate(ch)));
    } else {
        m_runText.append(QChar(char16_t(ch)));
    }
}

void Parser::decodeRunBytes()
{
    if (m_runBytes.isEmpty())
        return;
    decoder(codePageOfFont(m_runState.font)).appendDecoded(m_runBytes.constData(), m_runBytes.size(),
                                                          m_runText);
    m_runBytes.clear();
}

void Parser::flushRun()
{
    decodeRunBytes();
    if (!m_runText.isEmpty()) {
        m_builder.insertRun(m_runText, m_runState);
        m_runText.clear();
    }
    m_runActive = false;
}

void Parser::endParagraph()
{
    m_pendingCellTab = false;
    flushRun();
    if (m_paraLiteralMarker && m_cur.ps.firstTw < 0 && m_cur.ps.leftTw + m_cur.ps.firstTw >= 0) {
        // Word processors put the text after a hanging marker at the indent, tab stops or not
        // (the editor measures tabs from where the first line starts)
        ParaState ps = m_cur.ps;
        QTextOption::Tab tab(richtext::twipsToPixels(-ps.firstTw), QTextOption::LeftTab);
        auto at = std::find_if(ps.tabs.begin(), ps.tabs.end(),
                               [&tab](const QTextOption::Tab &t) { return t.position >= tab.position; });
        if (at == ps.tabs.end() || at->position != tab.position)
            ps.tabs.insert(at, tab);
        m_builder.endParagraph(ps, ListRef{}, m_cur.cs);
    } else {
        m_builder.endParagraph(m_cur.ps, listRef(m_cur.ps), m_cur.cs);
    }
    m_finished = false;
    m_paraHasListText = false;
    m_paraListTextIsNumber = false;
    m_paraLiteralMarker = false;
}

void Parser::noteText(const QString &text)
{
    flushNoteBytes();
    if (!m_notes.isEmpty())
        m_notes.last() += text;
}

void Parser::flushNoteBytes()
{
    if (m_noteBytes.isEmpty() || m_notes.isEmpty())
        return m_noteBytes.clear();
    decoder(m_noteCodePage).appendDecoded(m_noteBytes.constData(), m_noteBytes.size(), m_notes.last());
    m_noteBytes.clear();
}

void Parser::appendNotes(const ParaState &ps)
{
    // After the body, as an endnote section: a short rule, then each note as its paragraphs.
    if (m_builder.paragraphOpen())
        m_builder.endParagraph(ps, listRef(ps), m_cur.cs);
    CharState cs;
    cs.font = m_defaultFont;
    cs.sizeHalfPt = 20;
    const ParaState plain;
    m_builder.insertRun(QStringLiteral("__________"), cs);
    m_builder.endParagraph(plain, ListRef{}, cs);
    for (const QString &note : std::as_const(m_notes)) {
        for (const QString &line : note.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString text = line.trimmed();
            if (text.isEmpty())
                continue;
            m_builder.insertRun(text, cs);
            m_builder.endParagraph(plain, ListRef{}, cs);
        }
    }
    m_notes.clear();
}

ListRef Parser::listRef(const ParaState &ps) const
{
    ListRef r;
    if (m_paraLiteralMarker) // the marker is in the text already
        return r;
    if (ps.ls > 0) {
        r.isList = true;
        r.source = ps.ls;
        r.level = ps.level;
        const QList<int> levels = m_listLevels.value(m_overrides.value(ps.ls, -1));
        if (ps.level < levels.size())
            r.style = styleForNumberFormat(levels.at(ps.level));
        else
            r.style = m_paraListTextIsNumber ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc;
    } else if (ps.pnStyle != 0) {
        r.isList = true;
        r.source = -1;
        // Old-style bullets carry no level: a nested item is one that is indented further.
        r.level = ps.level > 0 ? ps.level : qBound(0, qRound(ps.leftTw / 720.0) - 1, 8);
        r.style = QTextListFormat::Style(ps.pnStyle - 100);
    } else if (m_paraHasListText) {
        r.isList = true;
        r.source = -2;
        r.level = 0;
        r.style = m_paraListTextIsNumber ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc;
    }
    return r;
}

void Parser::commitFont()
{
    if (m_fontId >= 0 && !m_fonts.contains(m_fontId)) {
        FontEntry e;
        e.charset = m_fontCharset;
        e.name = m_fontNameText;
        decoder(codePageForCharset(m_fontCharset, m_ansiCpg))
            .appendDecoded(m_fontName.constData(), m_fontName.size(), e.name);
        e.name = e.name.trimmed();
        m_fonts.insert(m_fontId, e);
    }
    m_fontId = -1;
    m_fontCharset = -1;
    m_fontName.clear();
    m_fontNameText.clear();
}

void Parser::commitList()
{
    if (m_listId >= 0 && !m_levels.isEmpty())
        m_listLevels.insert(m_listId, m_levels);
    m_listId = -1;
    m_levels.clear();
}

int Parser::codePageOfFont(int font) const
{
    const auto it = m_fonts.constFind(font);
    return codePageForCharset(it == m_fonts.cend() ? -1 : it->charset, m_ansiCpg);
}

CodePageDecoder &Parser::decoder(int codePage)
{
    if (m_lastDecoder && m_lastDecoder->codePage() == codePage)
        return *m_lastDecoder;
    auto &slot = m_decoders[codePage];
    if (!slot)
        slot = std::make_unique<CodePageDecoder>(codePage);
    m_lastDecoder = slot.get();
    return *slot;
}

} // namespace zx::rtf
