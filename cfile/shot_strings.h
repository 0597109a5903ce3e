#pragma once
// Finding the strings of shots in LogPad text: live shot lines and memory listings, read with
// the link's shot readers. A string ends at a TAG: line (Start/Stop and the other event tags),
// at a memory listing's string header or end record, and when a live shot's number does not
// rise (the chronograph moved on to the next string). Blank lines, remarks and any other text
// leave the string open. A load line ("LOAD: ...") neither ends nor splits a string: it waits
// for the next string's first shot and belongs to that string (a later load line replaces a
// waiting one).
#include "link/shot_line.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace zx {

class ShotStringReader {
public:
    // One line without its line end; returns the shot it held. Live shots carry folder 0 and
    // the number of the string in this text (1, 2, ...); memory shots their own numbers.
    std::optional<ShotRecord> feedLine(QStringView line);
    // Received text in chunks of any size: whole lines go to feedLine.
    // Calls onShot for each shot and onNewString when a string ends.
    template <typename OnShot> void feedChunk(QStringView chunk, OnShot &&onShot)
    {
        for (const QChar c : chunk) {
            if (c == u'\r' || c == u'\n') {
                if (!m_partial.isEmpty() && !m_partialTaken)
                    if (const auto shot = feedLine(m_partial))
                        onShot(*shot);
                m_partial.clear();
                m_partialTaken = false;
            } else if (m_partial.size() < kMaxLine) {
                m_partial.append(c);
            }
        }
        // The chronograph ends a shot line with the next line's start: a live shot counts as
        // soon as its temperature unit is in.
        if (!m_partialTaken && readShotLine(m_partial)) {
            m_partialTaken = true;
            if (const auto shot = feedLine(m_partial))
                onShot(*shot);
        }
    }

    const std::vector<ShotRecord> &currentString() const { return m_current; }
    // The load of the current string, and the one read since that waits for the next string.
    const std::optional<LoadData> &currentLoad() const { return m_load; }
    const std::optional<LoadData> &waitingLoad() const { return m_waitingLoad; }
    // True once the current string has ended (the next shot starts a new one).
    bool stringEnded() const { return m_ended; }
    void reset() { *this = ShotStringReader(); }

private:
    static constexpr qsizetype kMaxLine = 4096;
    void startString();
    void addShot(const ShotRecord &shot);

    std::vector<ShotRecord> m_current;
    std::optional<MemoryLine> m_header; // of the memory string being read
    std::optional<LoadData> m_load, m_waitingLoad;
    QString m_partial;
    bool m_partialTaken = false;   // the unfinished line was a shot already counted
    int m_liveStrings = 0;
    bool m_ended = true;
};

struct ShotString {
    int firstLine = 0;   // 0-based lines of the text holding its first and last shot
    int lastLine = 0;
    std::vector<ShotRecord> shots;
    std::optional<LoadData> load;
    int loadLine = -1;   // the line it was read from; -1: the string has no load
};

// Every string of a text, in order.
std::vector<ShotString> findShotStrings(const QStringList &lines);
// The string the 0-based line belongs to: the one whose shots surround it, else the last one
// before it, else the first one after it; nullptr when the text holds no shots.
const ShotString *stringAtLine(const std::vector<ShotString> &strings, int line);

} // namespace zx
