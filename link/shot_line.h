#pragma once
// Reading the chronograph's shot texts: the live shot line ("CAP:#07 2875.42 f/s 0.000696 sec
// 72.5 fah ..." or without "CAP:") and the records of a memory listing (header, shot, end).
// Readers are lenient about blanks; a text they cannot read gives std::nullopt, never a guess.
#include <QString>
#include <QStringView>

#include <optional>

namespace zx {

struct ShotReading {
    int folder = 0;          // 0 when the text does not carry it
    int string = 0;
    int shot = 0;
    double velocity = 0;
    QString velocityUnits;   // "f/s" or "m/s"
    double time = 0;
    QString timeUnits;       // "sec"
    double temperature = 0;
    QString temperatureUnits; // "fah" or "cel"
};

// A live shot line: shot number after "#", velocity followed by " f/s " or " m/s ", the time
// followed by " sec" or " *s*", the temperature followed by " fah" or " cel".
std::optional<ShotReading> readShotLine(QStringView line);

struct MemoryHeader {
    int folder = 0, string = 0, size = 0;
    QString velocityUnits = QStringLiteral("f/s"), timeUnits = QStringLiteral("sec"),
            temperatureUnits = QStringLiteral("fah");
};
// "MMR:Fol=01 Str=04 Siz=06 Vel=f/s Tim=sec Tmp=fah"
std::optional<MemoryHeader> readMemoryHeader(QStringView line);
// "MMR:01 2906.30 0.000688 72.3" (the compact record; units from the header) or the keyed form
// "MMR:Fol=01 Str=04 Sho=01 Vel=2906.30 f/s Tim=0.000688 sec Tmp=72.3 fah".
std::optional<ShotReading> readMemoryShot(QStringView line, const MemoryHeader &header);
// "MMR:<End> Fol=01 Str=04": folder and string of the ended string.
std::optional<std::pair<int, int>> readMemoryEnd(QStringView line);

} // namespace zx
