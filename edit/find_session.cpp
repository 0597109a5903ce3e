#include "edit/find_session.h"

#include "cfile/cfile_doc.h"
#include "platform/prompter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace zx {

namespace {

const QString kHistorySeparator = QStringLiteral("@.\n.@");

bool isWordChar(const QString &text, int i)
{
    return i >= 0 && i < text.size() && text[i].isLetterOrNumber();
}

} // namespace

const std::array<FindScope, 7> &findScopes()
{
    static const std::array<FindScope, 7> scopes{{
        {QStringLiteral("ALL"), 0, QStringLiteral("Forward Search:  Top --> Bottom")},
        {QStringLiteral("Down"), 1, QStringLiteral("Forward Search:  Cursor --> Bottom")},
        {QStringLiteral("Up"), 4, QStringLiteral("Backward Search:  Cursor --> Top")},
        {QStringLiteral("DownLoop"), 2, QStringLiteral("Forward Search:  Cursor --> Bottom  &&  Top --> Cursor")},
        {QStringLiteral("UpLoop"), 5, QStringLiteral("Backward Search:  Cursor --> Top  &&  Bottom --> Cursor")},
        {QStringLiteral("Top2Cursor"), 3, QStringLiteral("Forward Search:  Top --> Cursor")},
        {QStringLiteral("End2Cursor"), 6, QStringLiteral("Backward Search:  Bottom --> Cursor")},
    }};
    return scopes;
}

const FindScope &findScopeOf(int code)
{
    for (const FindScope &s : findScopes())
        if (s.code == code)
            return s;
    return findScopes().front();
}

void FindSession::setFindText(const QString &text)
{
    if (text != m_find)
        reset();
    m_find = text;
}

void FindSession::setScope(int code)
{
    code = (code >= 0 && code <= 6) ? code : 0;
    if (code != m_scope)
        reset();
    m_scope = code;
}

void FindSession::setOptions(const FindOptions &options)
{
    if (!(options == m_options))
        reset();
    if (!options.withinBlock)
        m_block = QTextCursor();
    m_options = options;
}

bool FindSession::changedSince(CFileDoc &doc)
{
    return !m_newSearch && (m_doc != &doc || rawText(doc) != m_seen);
}

const QString &FindSession::rawText(CFileDoc &doc)
{
    QTextDocument *d = doc.document();
    // The revision only moves while undo is on; without it the text is read every time.
    if (m_cacheDoc != d || m_cacheRevision != d->revision() || !d->isUndoRedoEnabled()
        || m_cache.size() != d->characterCount() - 1) {
        m_cache = d->toRawText();
        m_cacheDoc = d;
        m_cacheRevision = d->revision();
    }
    return m_cache;
}

void FindSession::newSearch(CFileDoc &doc)
{
    if (m_doc != &doc) {
        m_block = QTextCursor();
        m_hit = QTextCursor();
    }
    m_doc = &doc;
    m_seen = rawText(doc);
    const QTextCursor c = doc.caret();
    const int textLen = int(m_seen.size());
    int bs = 0, be = textLen;
    m_backward = m_scope >= 4;
    int cursor = std::clamp(c.selectionStart(), bs, be);
    if (m_options.withinBlock) {
        // A selection the user made is the block; our own last hit is not.
        const bool ownHit = c.hasSelection() && !m_hit.isNull() && c.selectionStart() == m_hit.selectionStart()
                            && c.selectionEnd() == m_hit.selectionEnd();
        if (c.hasSelection() && !ownHit)
            m_block = c;
        if (m_block.hasSelection()) {
            bs = m_block.selectionStart(), be = m_block.selectionEnd();
            // The block bounds the region and a caret inside it splits it; a caret on its
            // edge or outside (the block just selected) leaves every scope the whole block.
            const bool caretInside = (ownHit || !c.hasSelection()) && cursor > bs && cursor < be;
            if (!caretInside)
                cursor = (m_scope == 3 || m_scope == 4 || m_scope == 5) ? be : bs;
        }
    }
    m_wraps = 0;
    switch (m_scope) {
    case 1: m_regionStart = cursor, m_regionEnd = be; break;
    case 2: m_regionStart = cursor, m_regionEnd = be, m_wrapStart = bs, m_wrapEnd = cursor, m_wraps = 1; break;
    case 3: m_regionStart = bs, m_regionEnd = cursor; break;
    case 4: m_regionStart = bs, m_regionEnd = cursor; break;
    case 5: m_regionStart = bs, m_regionEnd = cursor, m_wrapStart = cursor, m_wrapEnd = be, m_wraps = 1; break;
    case 6: m_regionStart = cursor, m_regionEnd = be; break;
    default: m_regionStart = bs, m_regionEnd = be; break;
    }
    m_next = m_backward ? m_regionEnd : m_regionStart;
    m_newSearch = false;
    m_found = false;
    m_replaced = false;
    m_hitLen = 0;
}

bool FindSession::searchRegion(const QString &text, int *hit) const
{
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int len = int(m_find.size());
    const auto wordOk = [&](int at) {
        return !m_options.wholeWord || (!isWordChar(text, at - 1) && !isWordChar(text, at + len));
    };
    if (!m_backward) {
        for (qsizetype at = text.indexOf(m_find, std::max(m_next, m_regionStart), cs); at >= 0 && at + len <= m_regionEnd;
             at = text.indexOf(m_find, at + 1, cs))
            if (wordOk(int(at)))
                return *hit = int(at), true;
        return false;
    }
    const int last = std::min(m_next, m_regionEnd) - len;   // the hit lies wholly before m_next
    for (qsizetype at = last < 0 ? -1 : text.lastIndexOf(m_find, last, cs); at >= m_regionStart;
         at = at == 0 ? -1 : text.lastIndexOf(m_find, at - 1, cs))
        if (wordOk(int(at)))
            return *hit = int(at), true;
    return false;
}

void FindSession::select(CFileDoc &doc, int pos, int len)
{
    QTextCursor c(doc.document());
    c.setPosition(pos);
    c.setPosition(pos + len, QTextCursor::KeepAnchor);
    doc.setCaret(c);
    m_hitPos = pos;
    m_hitLen = len;
    m_hit = c;
    m_next = m_backward ? pos : pos + len;
    m_found = true;
    m_replaced = false;
    m_status = QStringLiteral("Found Text - Line: %1").arg(doc.document()->findBlock(pos).blockNumber() + 1);
}

void FindSession::notFound()
{
    m_status.clear();
    QString text = QStringLiteral("Text Not Found");
    if (m_options.withinBlock)
        text += QStringLiteral(" <Within Selected Block>");
    m_prompter.inform(joinLines({text, QStringLiteral("All of Specified  <") + findScopeOf(m_scope).description
                                           + QStringLiteral(">  Region Searched. ")}));
}

bool FindSession::find(CFileDoc &doc)
{
    if (m_find.isEmpty()) {
        m_prompter.inform(joinLines({QStringLiteral("Find: ''Is Empty...''"), QStringLiteral("There Is Nothing To Find..!")}));
        return false;
    }
    const QString &text = rawText(doc);
    if (m_newSearch || m_doc != &doc) {   // another CFile active: a search of its own
        newSearch(doc);
    } else if (text != m_seen) {
        const MsgAnswer a = m_prompter.ask(joinLines({QStringLiteral("CFile has changed...!"), QStringLiteral("Reset Find Parameters.?")}),
                                           MsgButtons::YesNo, 2);
        if (a == MsgAnswer::Yes) {
            newSearch(doc);
        } else {   // go on in what is left of the old region
            m_seen = text;
            const int textLen = int(text.size());
            for (int *bound : {&m_regionStart, &m_regionEnd, &m_wrapStart, &m_wrapEnd, &m_next})
                *bound = std::min(*bound, textLen);
        }
    }
    for (;;) {
        int hit = -1;
        if (searchRegion(text, &hit)) {
            select(doc, hit, int(m_find.size()));
            return true;
        }
        if (m_wraps == 0)
            break;
        --m_wraps;
        m_regionStart = m_wrapStart;
        m_regionEnd = m_wrapEnd;
        m_next = m_backward ? m_regionEnd : m_regionStart;
    }
    m_found = false;
    notFound();
    return false;
}

bool FindSession::replace(CFileDoc &doc)
{
    const QTextCursor sel = doc.caret();
    QString reason;
    if (m_hitLen == 0 && !m_replaced)
        reason = QStringLiteral("You must first press [@] or [Find].");
    else if (m_replaced)
        reason = QStringLiteral("It has already been replaced.");
    else if (sel.selectionStart() != m_hitPos || sel.selectionEnd() - sel.selectionStart() != m_hitLen)
        reason = QStringLiteral("Current Cursor Location Is Invalid.");
    else if (sel.selectedText().compare(m_find, m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0)
        reason = QStringLiteral("It Has Been Changed.");
    if (!reason.isEmpty()) {
        QStringList lines{QStringLiteral("Can not replace this text...!"), reason};
        if (m_hitLen > 0 || m_replaced)
            lines << QStringLiteral("Press [@] or [Find] to find next.");
        m_prompter.inform(joinLines(lines));
        return false;
    }
    QTextCursor c = sel;
    QTextCursor at(doc.document());
    at.setPosition(m_hitPos + 1);
    c.insertText(m_replace, at.charFormat());
    const int delta = int(m_replace.size()) - m_hitLen;
    for (int *bound : {&m_regionStart, &m_regionEnd, &m_wrapStart, &m_wrapEnd})
        if (*bound > m_hitPos)
            *bound += delta;
    m_next = m_backward ? m_hitPos : m_hitPos + int(m_replace.size());
    m_seen = rawText(doc);
    m_replaced = true;
    c.clearSelection();
    doc.setCaret(c);
    find(doc);
    return true;
}

int FindSession::replaceAll(CFileDoc &doc)
{
    if (m_prompter.ask(QStringLiteral("Replace All Found Items..?"), MsgButtons::YesNo, 2) != MsgAnswer::Yes)
        return -1;
    if (m_find.isEmpty()) {
        find(doc);   // tells that there is nothing to find
        return 0;
    }
    m_scope = 0;
    newSearch(doc);
    std::vector<int> hits;
    {
        const QString &text = rawText(doc);
        for (int hit = -1; searchRegion(text, &hit);)
            hits.push_back(hit), m_next = hit + int(m_find.size());
    }
    if (hits.empty()) {
        notFound();
        m_newSearch = true;
        return 0;
    }
    // One edit block: one undo step. From the last hit back, so positions stay valid.
    QTextCursor c(doc.document());
    QTextCursor fmt(doc.document());
    c.beginEditBlock();
    for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
        fmt.setPosition(*it + 1);
        c.setPosition(*it);
        c.setPosition(*it + int(m_find.size()), QTextCursor::KeepAnchor);
        c.insertText(m_replace, fmt.charFormat());
    }
    c.endEditBlock();
    const int count = int(hits.size());
    QTextCursor end(doc.document());
    end.setPosition(hits.back() + (count - 1) * (int(m_replace.size()) - int(m_find.size())) + int(m_replace.size()));
    doc.setCaret(end);
    m_newSearch = true;
    m_status.clear();
    m_prompter.inform(joinLines({QStringLiteral("CFile was searched from Top --> Bottom."),
                                 QStringLiteral("Number of items replaced - %1").arg(count)}));
    return count;
}

QString FindSession::limitTyped(Prompter &prompter, const QString &box, const QString &text, bool *accepted)
{
    *accepted = true;
    if (text.size() <= kMaxText)
        return text;
    *accepted = prompter.ask(joinLines({box + QStringLiteral(" text is to long..!"),
                                        QStringLiteral("You can only enter (%1) characters.").arg(kMaxText),
                                        QStringLiteral("Continue Anyway.?")}),
                             MsgButtons::YesNo, 2)
                == MsgAnswer::Yes;
    return *accepted ? text.left(kMaxText) : QString();
}

QString FindSession::limitSelection(Prompter &prompter, const QString &box, const QString &text, bool *accepted)
{
    *accepted = true;
    if (text.size() <= kMaxText)
        return text;
    *accepted = prompter.ask(joinLines({QStringLiteral("Selected text being copied to ''") + box + QStringLiteral(":'' is to long...!"),
                                        QStringLiteral("It will be truncated to (%1) characters.").arg(kMaxText),
                                        QStringLiteral("Copy Truncated Text Anyway.?")}),
                             MsgButtons::YesNo, 2)
                == MsgAnswer::Yes;
    return *accepted ? text.left(kMaxText) : QString();
}

QStringList splitHistory(const QString &stored)
{
    QStringList out;
    for (const QString &e : stored.split(kHistorySeparator))
        if (!e.isEmpty())
            out << e;
    return out;
}

QString joinHistory(const QStringList &entries)
{
    return entries.join(kHistorySeparator);
}

QStringList addToHistory(QStringList entries, const QString &text, int keep)
{
    if (text.isEmpty())
        return entries;
    entries.removeAll(text);
    entries.prepend(text);
    while (entries.size() > keep)
        entries.removeLast();
    return entries;
}

} // namespace zx
