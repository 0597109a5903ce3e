#pragma once
// The chronograph's shot memory ("eDisk"): 10 folders of strings of shots. A shot keeps its slot
// (its shot number) when it is deleted or cleared, so every memory action is reversible and
// numbering never shifts; listings simply skip shots that are not kept. Deleted and cleared
// shots are the trash: undelete brings back deleted ones, restore both.
#include <vector>

namespace zx::sim {

struct Shot {
    double fps = 0;        // velocity, feet per second (printed in the chosen units)
    double flightSec = 0;  // time between the start and the stop sensor
    double tempC = 0;      // air temperature at the shot
    bool deleted = false;  // deleted (undelete brings it back)
    bool cleared = false;  // erased by a clear (only restore brings it back)
    bool kept() const { return !deleted && !cleared; }
};

// What the memory page does to a unit (docs/protocol.md, "Memory page").
enum class MemAction { Keep = 0, Restore = 1, Delete = 2, UnDelete = 3, Clear = 4 };

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

    // Apply a memory action to one shot / every shot of a string / folder / the eDisk.
    // Return the number of shots that changed.
    int applyShot(int folder, int string, int number, MemAction a);
    int applyString(int folder, int string, MemAction a);
    int applyFolder(int folder, MemAction a);
    int applyAll(MemAction a);
    // Delete (or undelete) as the delete keys and the Keep entries do.
    int markShot(int folder, int string, int number, bool deleted)
    {
        return applyShot(folder, string, number, deleted ? MemAction::Delete : MemAction::UnDelete);
    }
    int markString(int folder, int string, bool deleted)
    {
        return applyString(folder, string, deleted ? MemAction::Delete : MemAction::UnDelete);
    }
    int markFolder(int folder, bool deleted) { return applyFolder(folder, deleted ? MemAction::Delete : MemAction::UnDelete); }
    int markAll(bool deleted) { return applyAll(deleted ? MemAction::Delete : MemAction::UnDelete); }
    // A string whose every shot was cleared gives its slots back (new shots start at 1).
    void dropClearedString(int folder, int string);

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
