#pragma once
// The load a string was fired with, kept in the CFile as one line just before the string's
// first shot, readable and typed by hand as easily as written by the program:
//   LOAD: Charge=42.5 gr | Powder=Varget | Bullet=168 gr SMK | COAL=2.800 in | Primer=CCI BR2
//         | Case=Lapua | Temp=21 C | Note=first ladder, new brass
// (one line). Fields may come in any order or be left out; keys are read in any case; numbers
// take a decimal point or comma, with the unit after a blank or glued on. Units stay as typed
// (gr or g, in or mm, C or F). The note is last and runs to the end of the line, so it may hold
// any text. A line starting "LOAD:" is never a shot line or a memory line.
#include <QString>
#include <QStringView>

#include <optional>

namespace zx {

struct LoadMeasure {
    double value = 0;
    QString unit;        // as typed; empty when none was given
    int decimals = 0;    // digits typed after the decimal mark, written back the same
    bool known = false;  // a number was read
    bool operator==(const LoadMeasure &) const = default;
};

struct LoadData {
    LoadMeasure charge;       // gr or g
    QString powder;
    QString bullet;           // the bullet's name
    LoadMeasure bulletWeight; // gr or g
    QString lengthKind = QStringLiteral("COAL"); // or "CBTO"
    LoadMeasure length;       // in or mm
    QString primer;
    QString caseName;
    LoadMeasure temperature;  // C or F
    QString notes;
    bool operator==(const LoadData &) const = default;
    bool isEmpty() const { return *this == LoadData(); }
};

bool isLoadLine(QStringView line);
// nullopt when the line is not a load line; a load line with nothing readable gives an empty load.
std::optional<LoadData> readLoadLine(QStringView line);
// The line (without a line end) that readLoadLine reads back as the same load.
QString loadLineText(const LoadData &load);
// A short form for the statistics panel: "42.5 gr Varget, 168 gr SMK, COAL 2.800 in, ...".
QString loadSummary(const LoadData &load);
// "42.5 gr", "42,5gr", "42.5": the number and the unit after it.
LoadMeasure readLoadMeasure(QStringView text);

} // namespace zx
