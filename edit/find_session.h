#pragma once
// Find and replace in a CFile: seven scopes (whole text, from the caret down or up, with or
// without one wrap pass, up to or back to the caret), whole word, match case, within the
// selected block; replace one hit, or every hit as one undo step. The find window forwards
// its commands here; every message goes through the prompter.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextCursor>

#include <array>

namespace zx {

class CFileDoc;
class Prompter;

struct FindScope {
    QString entry;         // the scope list's text
    int code;              // 0-6
    QString description;   // shown under the list and in the not-found message
};
// In the order of the scope list: ALL, Down, Up, DownLoop, UpLoop, Top2Cursor, End2Cursor.
const std::array<FindScope, 7> &findScopes();
const FindScope &findScopeOf(int code);

struct FindOptions {
    bool wholeWord = false;
    bool matchCase = false;
    bool withinBlock = false;
    bool patternMatch = false;    // kept with the others; takes no part in the search
    bool focusTrackOff = false;   // the find window keeps the keyboard after a hit
    bool operator==(const FindOptions &) const = default;
};

class FindSession {
public:
    static constexpr int kMaxText = 2048;

    explicit FindSession(Prompter &prompter) : m_prompter(prompter) {}

    // Each change starts a new search at the next Find.
    void setFindText(const QString &text);
    void setReplaceText(const QString &text) { m_replace = text; }
    void setScope(int code);
    void setOptions(const FindOptions &options);
    void reset() { m_newSearch = true; m_found = false; m_hitLen = 0; m_replaced = false; }
    // A search is under way and its CFile changed since it began (another CFile is active,
    // or its text is not the text searched).
    bool changedSince(CFileDoc &doc);

    QString findText() const { return m_find; }
    QString replaceText() const { return m_replace; }
    int scope() const { return m_scope; }
    const FindOptions &options() const { return m_options; }

    // One Find step: the next hit selected in the CFile, false when none is left (told).
    bool find(CFileDoc &doc);
    // Replaces the selected hit and finds the next; false (told why) when the selection is
    // not the last hit.
    bool replace(CFileDoc &doc);
    // Asks first; every hit of the whole text (or the block) replaced as one undo step.
    // Returns the count (-1 when the user said No).
    int replaceAll(CFileDoc &doc);

    // After a hit: "Found Text - Line: n"; after the last search: "".
    QString status() const { return m_status; }
    bool found() const { return m_found; }
    bool wrapsLeft() const { return m_wraps > 0; }

    // A text for the find or replace box ("Find" / "Replace"): over 2048 characters it is cut
    // when the user agrees; nullopt-like empty result with *accepted false when not.
    static QString limitTyped(Prompter &prompter, const QString &box, const QString &text, bool *accepted);
    static QString limitSelection(Prompter &prompter, const QString &box, const QString &text, bool *accepted);

private:
    void newSearch(CFileDoc &doc);
    bool searchRegion(const QString &text, int *hit) const;
    void select(CFileDoc &doc, int pos, int len);
    void notFound();
    const QString &rawText(CFileDoc &doc);

    Prompter &m_prompter;
    QString m_find;
    QString m_replace;
    int m_scope = 0;
    FindOptions m_options;

    bool m_newSearch = true;
    bool m_backward = false;
    int m_regionStart = 0, m_regionEnd = 0;   // [start, end)
    int m_wrapStart = 0, m_wrapEnd = 0;
    int m_wraps = 0;
    int m_next = 0;         // forward: search from here; backward: hits end at or before here
    // The CFile searched and its text as the search saw it, kept up to date by our own
    // replacements: any other edit, even one that keeps the length, is a change.
    QPointer<CFileDoc> m_doc;
    QString m_seen;
    // The selected block (it follows edits) and the last hit selected, which is not a block.
    QTextCursor m_block;
    QTextCursor m_hit;
    int m_hitPos = -1, m_hitLen = 0;
    bool m_found = false;
    bool m_replaced = false;
    QString m_status;

    // The document's text, read again only after it changed.
    const void *m_cacheDoc = nullptr;
    int m_cacheRevision = -1;
    QString m_cache;
};

// Histories are kept as one text, the entries joined by "@" "." LF "." "@".
QStringList splitHistory(const QString &stored);
QString joinHistory(const QStringList &entries);
// text first, without its earlier copy, at most `keep` entries.
QStringList addToHistory(QStringList entries, const QString &text, int keep = 25);

} // namespace zx
