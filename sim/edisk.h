#pragma once
// The chronograph's shot memory ("eDisk"): 10 folders of strings of shots. A shot keeps its slot
// (its shot number) when it is deleted, so delete and undelete are reversible and numbering never
// shifts; listings simply skip deleted shots.
#include <vector>

namespace zx::sim {

struct Shot {
    double fps = 0;        // velocity, feet per second (printed in the chosen units)
    double flightSec = 0;  // time between the start and the stop sensor
    double tempC = 0;      // air temperature at the shot
    bool deleted = false;
};

struct ShotStats {
    int n = 0;
    double lo = 0, hi = 0, av = 0, es = 0, sd = 0;  // feet per second
};

class EDisk {
public:
    static constexpr int kFolders = 10;

    // Folder and string numbers start at 1; out-of-range numbers give empty answers.
    int slots(int folder, int string) const;          // shots recorded, deleted ones included
    int lastKept(int folder, int string) const;       // highest shot number not deleted, 0 if none
    int keptCount(int folder, int string) const;
    const Shot *shot(int folder, int string, int number) const;
    Shot *shot(int folder, int string, int number);
    void append(int folder, int string, const Shot &s);
    ShotStats stats(int folder, int string) const;     // over the kept shots

    // Mark deleted (or restore) one shot / every shot of a string / folder / the eDisk.
    // Return the number of shots whose mark changed.
    int markShot(int folder, int string, int number, bool deleted);
    int markString(int folder, int string, bool deleted);
    int markFolder(int folder, bool deleted);
    int markAll(bool deleted);

    int stringsUsed(int folder) const;  // highest string number holding a recorded shot
    int totalKept() const;
    void clear();

private:
    using Str = std::vector<Shot>;
    const Str *str(int folder, int string) const;
    Str &strRef(int folder, int string);

    std::vector<std::vector<Str>> m_folders = std::vector<std::vector<Str>>(kFolders);
};

} // namespace zx::sim
