#pragma once
// Load lines in the recovery journal. The journal is the LogPad's text in the order it was
// written, but a load line goes where its string begins: before the first shot of a string
// being fired, over a load line already there, or after the last string for the next one. A
// journal therefore carries each load line written or typed outside the LogPad as a record,
//   <RS>LOAD n<TAB>the line<RS>      (RS = U+001E; n = shot lines after it in the CFile)
// which places it by the shots that follow it. The shots are all journalled, so counting from
// the end finds the same place in the journal's text as in the CFile, whatever else was typed.
#include <QString>
#include <QStringList>

namespace zx {

// The record of the load line at 0-based line of lines.
QString loadRecord(const QStringList &lines, int line);
// The journal's text with every record put in its place (the text itself when there is none).
QString placeLoadRecords(const QString &journalText);

} // namespace zx
