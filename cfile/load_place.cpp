#include "cfile/load_place.h"

namespace zx {

LoadPlace loadPlaceFor(const QStringList &lines, int caretLine, bool caretAtEnd)
{
    ShotStringReader reader;
    std::vector<ShotString> strings;
    int waitingLine = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const auto shot = reader.feedLine(lines[i]);
        if (!shot && reader.waitingLoad() && isLoadLine(lines[i]))
            waitingLine = i;
    }
    LoadPlace place;
    if (caretAtEnd && (reader.currentString().empty() || reader.stringEnded())) {
        if (reader.waitingLoad()) { // entered before: the next string's load is edited
            place.line = waitingLine;
            place.replace = true;
            place.load = reader.waitingLoad();
        } else {
            place.line = int(lines.size());
            place.atEnd = true;
        }
        return place;
    }
    strings = findShotStrings(lines);
    const ShotString *s = stringAtLine(strings, caretLine);
    if (!s) {
        place.line = int(lines.size());
        place.atEnd = true;
        return place;
    }
    if (s->loadLine >= 0) {
        place.line = s->loadLine;
        place.replace = true;
        place.load = s->load;
        return place;
    }
    place.line = s->firstLine;
    if (place.line > 0 && readMemoryLine(lines[place.line - 1]).kind == MemoryLine::Header)
        --place.line;
    return place;
}

} // namespace zx
