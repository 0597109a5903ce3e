#pragma once
// Where a load entered for "the current string" goes in a CFile's text: on the string's own
// load line when it has one, else just before its first shot (before a memory string's
// header); with the caret at the end after the last string has ended (or in a CFile without
// shots), at the end, where the next string fired takes it.
#include "cfile/shot_strings.h"

class QTextDocument;

namespace zx {

struct LoadPlace {
    int line = 0;          // 0-based line of the text
    bool replace = false;  // the line is a load line already: write over it
    bool atEnd = false;    // a new line after the last one (line is then the line count)
    std::optional<LoadData> load; // the load there now, to start the dialog from
};

LoadPlace loadPlaceFor(const QStringList &lines, int caretLine, bool caretAtEnd);
// The load's line written into the document at the place, as one undo step.
void writeLoadLine(QTextDocument &doc, const LoadPlace &place, const LoadData &load);

} // namespace zx
