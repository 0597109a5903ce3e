#include "cfile/load_place.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

void writeLoadLine(QTextDocument &doc, const LoadPlace &place, const LoadData &load)
{
    const QString line = loadLineText(load);
    QTextCursor c(&doc);
    c.beginEditBlock();
    if (place.atEnd) {
        c.movePosition(QTextCursor::End);
        if (!c.block().text().isEmpty())
            c.insertBlock();
        c.insertText(line);
        c.insertBlock(); // what comes next starts a line of its own
    } else {
        c.setPosition(doc.findBlockByNumber(place.line).position());
        if (place.replace)
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(line);
        if (!place.replace)
            c.insertBlock();
    }
    c.endEditBlock();
}

} // namespace zx
