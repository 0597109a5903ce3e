#pragma once
// Puts what the RTF reader decoded into a QTextDocument through one QTextCursor: runs of text
// with their character format, paragraph formats, list membership. Keeps the number of document
// operations low (one insert per run, a block format only when it differs) so that big logs load
// in linear time.
#include "docformat/rtf_reader_state.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>

namespace zx::rtf {

struct FontEntry {
    QString name;
    int charset = -1;
};

// Which list a paragraph belongs to, resolved by the reader.
struct ListRef {
    bool isList = false;
    int source = 0; // \ls number; -1 old-style \pn; -2 only a \pntext/\listtext marker
    int level = 0;
    QTextListFormat::Style style = QTextListFormat::ListDisc;
};

class DocumentBuilder {
public:
    DocumentBuilder(const QTextCursor &cursor, const QHash<int, FontEntry> &fonts,
                    const QList<QColor> &colors);

    void insertRun(const QString &text, const CharState &cs);
    // Ends the current paragraph with the given format. The next block is only created when more
    // content follows, so a closing \par does not leave an empty paragraph behind.
    void endParagraph(const ParaState &ps, const ListRef &list, const CharState &cs);
    // Applies the format of the last paragraph when it was not ended by \par.
    void finish(const ParaState &ps, const ListRef &list);

    bool hasContent() const { return m_hasContent; }
    // The current paragraph holds text that no \par ended yet.
    bool paragraphOpen() const { return !m_blockPending && m_paragraphTouched; }
    int position() const { return m_cursor.position(); }

private:
    void openPendingBlock(const CharState &cs);
    const QTextCharFormat &charFormat(const CharState &cs);
    QTextBlockFormat blockFormat(const ParaState &ps, const ListRef &list) const;
    void applyParagraph(const ParaState &ps, const ListRef &list);

    QTextCursor m_cursor;
    const QHash<int, FontEntry> &m_fonts;
    const QList<QColor> &m_colors;
    bool m_blockPending = false;
    bool m_hasContent = false;
    bool m_paragraphTouched = false; // the current paragraph holds text or was ended
    QTextBlockFormat m_lastFormat;   // of the paragraph ended last
    QTextBlockFormat m_blockFormat;  // of the current block, when m_blockFormatKnown
    bool m_blockFormatKnown = false;

    struct CachedFormat {
        CharState state;
        QTextCharFormat format;
    };
    static constexpr int kCacheSize = 8;
    CachedFormat m_cache[kCacheSize];
    int m_cacheUsed = 0;
    int m_cacheNext = 0;

    struct ListKey {
        int source;
        int level;
        int style;
        bool operator==(const ListKey &) const = default;
    };
    friend size_t qHash(const ListKey &k, size_t seed) { return qHashMulti(seed, k.source, k.level, k.style); }
    // The document deletes a list whose last paragraph left it: the pointers notice.
    QHash<ListKey, QPointer<QTextList>> m_lists;
};

} // namespace zx::rtf
