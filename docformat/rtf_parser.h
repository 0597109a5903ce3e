#pragma once
// The RTF reader's engine: walks the tokens, keeps the group stack and the destination, decodes
// text through the right code page and hands runs and paragraphs to the DocumentBuilder.
#include "docformat/code_page_decoder.h"
#include "docformat/rtf_document_builder.h"
#include "docformat/rtf_keywords.h"
#include "docformat/rtf_reader_state.h"
#include "docformat/rtf_tokenizer.h"

#include <map>
#include <memory>
#include <vector>

namespace zx::rtf {

class Parser {
public:
    Parser(const QByteArray &data, const QTextCursor &cursor);

    void run();

    bool truncated() const { return m_truncated; }
    int position() const { return m_builder.position(); } // where the insertion ended
    const QString &title() const { return m_title; }
    int defaultTabTwips() const { return m_defaultTab; } // 0 when the file names none

private:
    enum class Dest : unsigned char {
        Body, FontTable, ColorTable, Info, Title, PnText, ListText, Pn, ListTable, ListOverrideTable,
        Footnote, Other
    };
    struct Group {
        CharState cs;
        ParaState ps;
        int uc = 1;
        Dest dest = Dest::Body;
    };

    void openGroup();
    void closeGroup();
    void word(const Token &t);
    bool destinationWord(Kw kw);
    void skipGroup();
    void symbol(char c);
    void text(const char *data, qsizetype size);
    void addBytes(const char *data, qsizetype size);
    void addChar(char32_t ch);
    void endParagraph();
    void finishDocument(const ParaState &ps);
    void flushRun();
    void noteText(const QString &text);
    void flushNoteBytes();
    void appendNotes(const ParaState &ps);
    void decodeRunBytes();
    void commitFont();
    void commitList();
    ListRef listRef(const ParaState &ps) const;
    int codePageOfFont(int font) const;
    CodePageDecoder &decoder(int codePage);

    QByteArray m_data;
    Tokenizer m_tokens;
    QHash<int, FontEntry> m_fonts;
    QList<QColor> m_colors;
    DocumentBuilder m_builder;

    Group m_cur;
    std::vector<Group> m_stack;
    int m_overflow = 0;     // groups opened beyond the depth limit (state not saved)
    int m_skipNesting = 0;  // > 0 while inside a skipped destination
    int m_ucSkip = 0;       // fallback characters still to drop after \u
    bool m_star = false;    // \* seen: an unknown destination that follows is skipped
    bool m_truncated = false;
    bool m_finished = false; // the last paragraph got its format (the document group closed)

    int m_ansiCpg = 1252;
    int m_defaultFont = -1;
    int m_defaultTab = 0;

    // the run of text waiting to be inserted with m_runState's format
    QByteArray m_runBytes;
    QString m_runText;
    CharState m_runState;
    bool m_runActive = false;
    bool m_pendingCellTab = false;
    bool m_paraHasListText = false;
    bool m_paraListTextIsNumber = false;
    bool m_listTextHasDigit = false;
    // A \listtext marker is shown as the producer wrote it ("1.", "a)", a bullet), as text
    bool m_paraLiteralMarker = false;
    bool m_markerStarted = false; // leading blanks of the marker are dropped

    // Footnotes: \chftn numbers them in the body; their text goes after the body as notes
    int m_noteNumber = 0;
    QStringList m_notes;
    QByteArray m_noteBytes; // not yet decoded, in m_noteCodePage
    int m_noteCodePage = 0;

    // font table entry being read
    int m_fontId = -1;
    size_t m_fontGroupDepth = 0; // group depth at the entry's \f
    int m_fontCharset = -1;
    QByteArray m_fontName;   // bytes not yet decoded
    QString m_fontNameText;
    // colour table entry being read
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    // list table: levels' number formats per list id; list overrides: \ls -> list id
    QHash<int, QList<int>> m_listLevels;
    QHash<int, int> m_overrides;
    int m_listId = -1;
    QList<int> m_levels;
    int m_overrideListId = -1;

    QByteArray m_titleBytes;
    QString m_title;

    std::map<int, std::unique_ptr<CodePageDecoder>> m_decoders;
    CodePageDecoder *m_lastDecoder = nullptr;
};

} // namespace zx::rtf
