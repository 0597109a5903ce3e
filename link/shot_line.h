#pragma once
// Reading shots out of the chronograph's text: live shot lines ("CAP:#07 2875.42 f/s 0.000696
// sec  72.5 fah", with or without "CAP:" and statistics after them) and memory listing lines
// (string header, shot record in its compact or keyed form, end record). Blanks are never
// counted on, and anything that does not read cleanly is refused rather than guessed. One
// reader for the statistics, the CSV and workbook exports and the tests. A load line
// (link/load_line.h) is neither: it is read with readLoadLine.
#include "link/load_line.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace zx {

struct ShotRecord {
    int folder = 0, string = 0, shot = 0; // 0: not known
    double velocity = 0, time = 0, temperature = 0;
    QString velocityUnits = QStringLiteral("f/s");    // or "m/s"
    QString timeUnits = QStringLiteral("sec");        // or "*s*"
    QString temperatureUnits = QStringLiteral("fah"); // or "cel"
};

// A live shot line: shot number after "#", velocity before "f/s" or "m/s", time before "sec"
// or "*s*", temperature before "fah" or "cel" (a blank between number and unit or not).
// nullopt when any of them is missing.
std::optional<ShotRecord> readShotLine(QStringView line);

// One line of a memory listing.
struct MemoryLine {
    enum Kind { None, Header, Shot, StringEnd, ListingEnd, Garbled };
    Kind kind = None;   // None: not a memory line at all (prompt, echo)
    int folder = 0, string = 0;
    int size = 0;       // header: the last kept shot's number
    ShotRecord shot;    // header: units; shot record: the shot (folder/string 0 in compact form)
    bool keyed = false; // the shot record named its folder and string
};
// "MMR:Fol=01 Str=04 Siz=06 Vel=f/s Tim=sec Tmp=fah" (header), "MMR:01 2906.30 0.000688 72.3"
// (compact shot; units from the header), "MMR:Fol=01 Str=04 Sho=01 Vel=2906.30 f/s
// Tim=0.000688 sec Tmp=72.3 fah" (keyed shot), "MMR:<End> Fol=01 Str=04" (string end) and
// "MMR:<End>" (listing end).
MemoryLine readMemoryLine(QStringView line);

} // namespace zx
