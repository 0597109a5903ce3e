#pragma once
// Reading shots out of the chronograph's text: live shot lines ("CAP:#07 2875.42 f/s 0.000696
// sec  72.5 fah", with or without "CAP:" and statistics after them) and memory listing lines
// (string header, shot record in its compact or keyed form, end record). Blanks are never
// counted on, and anything that does not read cleanly is refused rather than guessed.
#include <QString>
#include <QStringList>

#include <optional>

namespace zx::xls {

struct ShotRecord {
    int folder = 0, string = 0, shot = 0; // 0: not known ("-?-" in the sheet)
    double velocity = 0, time = 0, temperature = 0;
    QString velocityUnits = QStringLiteral("f/s");
    QString timeUnits = QStringLiteral("sec");
    QString temperatureUnits = QStringLiteral("fah");
};

// A live shot line: shot number after "#", velocity before " f/s" or " m/s", time before
// " sec" or " *s*", temperature before " fah" or " cel". nullopt when any of them is missing.
std::optional<ShotRecord> parseShotLine(const QString &line);

// One line of a memory listing.
struct MemoryLine {
    enum Kind { None, Header, Shot, StringEnd, ListingEnd, Garbled };
    Kind kind = None;          // None: not a memory line at all (prompt, echo)
    int folder = 0, string = 0;
    int size = 0;              // header: the last kept shot's number
    ShotRecord shot;           // header: units; shot record: the shot (folder/string 0 in compact form)
    bool keyed = false;        // the shot record named its folder and string
};
MemoryLine parseMemoryLine(const QString &line);

// The text split into lines at CR and LF, blank lines dropped.
QStringList textLines(const QString &text);

} // namespace zx::xls
