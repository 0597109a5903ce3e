#include "cfile/journal_loads.h"

#include "cfile/load_place.h"
#include "cfile/shot_strings.h"
#include "link/load_line.h"

#include <vector>

namespace zx {

namespace {
constexpr QChar kRecord(0x1E);
const QString kRecordTag = QStringLiteral("LOAD ");

// The lines of text as a text document takes them: "\r\n", "\r" and "\n" each end a line.
struct Lines {
    QStringList text;
    std::vector<qsizetype> start;   // where each line begins in the journal's text
    std::vector<qsizetype> end;     // where its line end begins
};
Lines linesOf(const QString &text)
{
    Lines l;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\r' && text[i] != u'\n')
            continue;
        l.text << text.mid(from, i - from);
        l.start.push_back(from);
        l.end.push_back(i);
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        from = i + 1;
    }
    return l;
}

std::vector<int> shotLines(const QStringList &lines)
{
    ShotStringReader reader;
    std::vector<int> found;
    for (int i = 0; i < lines.size(); ++i)
        if (reader.feedLine(lines[i]))
            found.push_back(i);
    return found;
}

// Puts line where the CFile had it: before the shot that had shotsAfter shots from the end.
void place(QString &text, int shotsAfter, const QString &line)
{
    const Lines l = linesOf(text);
    const std::vector<int> shots = shotLines(l.text);
    const qsizetype first = qsizetype(shots.size()) - shotsAfter;
    if (shotsAfter > 0 && first >= 0) {
        const LoadPlace p = loadPlaceFor(l.text, shots[size_t(first)], false);
        if (p.replace)
            text.replace(l.start[size_t(p.line)], l.end[size_t(p.line)] - l.start[size_t(p.line)], line);
        else
            text.insert(l.start[size_t(p.line)], line + QStringLiteral("\r\n"));
        return;
    }
    if (shotsAfter > 0) { // its string began before the journal did: the load leads the text
        text.insert(0, line + QStringLiteral("\r\n"));
        return;
    }
    // After every shot: the next string's load, over one written there before.
    for (int i = int(l.text.size()) - 1; i >= 0 && (shots.empty() || i > shots.back()); --i) {
        if (isLoadLine(l.text[i])) {
            text.replace(l.start[size_t(i)], l.end[size_t(i)] - l.start[size_t(i)], line);
            return;
        }
    }
    if (!l.text.last().isEmpty())
        text += QStringLiteral("\r\n");
    text += line + QStringLiteral("\r\n");
}
} // namespace

QString loadRecord(const QStringList &lines, int line)
{
    int after = 0;
    for (const int shot : shotLines(lines))
        after += shot > line ? 1 : 0;
    return kRecord + kRecordTag + QString::number(after) + u'\t' + lines.value(line) + kRecord;
}

QString placeLoadRecords(const QString &journalText)
{
    if (!journalText.contains(kRecord))
        return journalText;
    QString text;
    qsizetype from = 0;
    while (from < journalText.size()) {
        const qsizetype open = journalText.indexOf(kRecord + kRecordTag, from);
        const qsizetype close = open < 0 ? -1 : journalText.indexOf(kRecord, open + 1);
        if (close < 0) { // no (whole) record left: the rest is text
            text += journalText.mid(from);
            break;
        }
        text += journalText.mid(from, open - from);
        const QString body = journalText.mid(open + 1 + kRecordTag.size(), close - open - 1 - kRecordTag.size());
        const qsizetype tab = body.indexOf(u'\t');
        bool ok = false;
        const int after = body.left(tab).toInt(&ok);
        if (tab > 0 && ok && after >= 0)
            place(text, after, body.mid(tab + 1));
        else
            text += journalText.mid(open, close + 1 - open); // not ours: kept as it was
        from = close + 1;
    }
    return text;
}

} // namespace zx
