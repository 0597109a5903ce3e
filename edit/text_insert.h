#pragma once
// Text put in at the caret of a CFile by the date/time and symbol windows: the date and time
// in fixed or typed patterns, any of the 256 character codes, each as one undo step that
// replaces the selection; the date window's own undo of its last insertion.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace zx {

class CFileDoc;
class Prompter;

using Clock = std::function<QDateTime()>;
inline QDateTime systemClock() { return QDateTime::currentDateTime(); }

// Formats with the classic pattern letters: d dd ddd dddd, m mm mmm mmmm (m and mm after an
// hour or before seconds are minutes), n nn, yy yyyy, y (day of year), h hh, s ss, q,
// AM/PM am/pm A/P a/p AMPM (twelve-hour clock), "quoted text", \x; other characters as
// they are.
QString formatDateTime(const QString &pattern, const QDateTime &when, const QLocale &locale = QLocale());
// The thirteen entries of the date and time list, in order.
QStringList dateTimeEntries(const QDateTime &when, const QLocale &locale = QLocale());

// The character of a code 0-255 (128-159 as Windows shows them).
QChar symbolChar(int code);
// A row of the symbol list: decimal, hexadecimal, then "Ctrl-" and the control name for
// codes below 32, else the printed character between bars.
QString symbolRow(int code);
QString controlName(int code);

// text at the caret, replacing the selection, as one undo step. Empty text changes nothing and
// leaves no undo step (false), so nothing may be counted for it.
bool insertAtCaret(CFileDoc &doc, const QString &text);

// The date window's counted insertions and its undo: only one insertion can be taken back.
// One opening of the window counts from zero (reset()).
class InsertUndo {
public:
    void counted();
    void reset() { *this = InsertUndo(); }
    // False (told) with two insertions or more; otherwise undoEdit runs.
    bool undo(Prompter &prompter, const std::function<void()> &undoEdit);
    bool undoEnabled() const { return m_count >= 1; }
    bool inserted() const { return m_inserted; }
    int count() const { return m_count; }

private:
    int m_count = 0;
    bool m_inserted = false;
};

} // namespace zx
