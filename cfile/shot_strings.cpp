#include "cfile/shot_strings.h"

namespace zx {

void ShotStringReader::startString()
{
    m_current.clear();
    m_load.reset();
    m_ended = false;
}

void ShotStringReader::addShot(const ShotRecord &shot)
{
    // The first shot takes the waiting load: a memory string's header may stand before or
    // after its load line.
    if (m_current.empty() && m_waitingLoad) {
        m_load = std::move(m_waitingLoad);
        m_waitingLoad.reset();
    }
    m_current.push_back(shot);
}

std::optional<ShotRecord> ShotStringReader::feedLine(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty())
        return std::nullopt;
    if (auto load = readLoadLine(line)) {
        m_waitingLoad = std::move(load);
        return std::nullopt;
    }
    if (line.startsWith(u"MMR:")) {
        const MemoryLine m = readMemoryLine(line);
        if (m.kind == MemoryLine::Header) {
            m_header = m;
            startString();
            return std::nullopt;
        }
        if (m.kind == MemoryLine::StringEnd || m.kind == MemoryLine::ListingEnd || line.startsWith(u"MMR:<End>")) {
            m_ended = true;
            m_header.reset();
            return std::nullopt;
        }
        if (m.kind != MemoryLine::Shot || !m_header)
            return std::nullopt;
        ShotRecord shot = m.shot;
        if (!m.keyed) { // the compact record: folder, string and units are the header's
            shot.folder = m_header->folder;
            shot.string = m_header->string;
            shot.velocityUnits = m_header->shot.velocityUnits;
            shot.timeUnits = m_header->shot.timeUnits;
            shot.temperatureUnits = m_header->shot.temperatureUnits;
        }
        if (m_ended)
            startString();
        addShot(shot);
        return shot;
    }
    if (line.startsWith(u"TAG:")) {
        m_ended = true;
        return std::nullopt;
    }
    auto shot = readShotLine(line);
    if (!shot)
        return std::nullopt;
    if (m_ended || m_header || (!m_current.empty() && shot->shot <= m_current.back().shot)) {
        m_header.reset();
        startString();
        ++m_liveStrings;
    }
    shot->string = m_liveStrings;
    addShot(*shot);
    return shot;
}

std::vector<ShotString> findShotStrings(const QStringList &lines)
{
    std::vector<ShotString> out;
    ShotStringReader reader;
    int loadLine = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const auto shot = reader.feedLine(lines[i]);
        if (!shot) {
            if (reader.waitingLoad() && isLoadLine(lines[i]))
                loadLine = i;
            continue;
        }
        if (reader.currentString().size() == 1) { // this shot began a string
            out.push_back(ShotString{i, i, {}, reader.currentLoad(), -1});
            if (reader.currentLoad())
                out.back().loadLine = loadLine;
        }
        out.back().lastLine = i;
        out.back().shots.push_back(*shot);
    }
    return out;
}

const ShotString *stringAtLine(const std::vector<ShotString> &strings, int line)
{
    const ShotString *before = nullptr;
    for (const ShotString &s : strings) {
        if (line >= s.firstLine && line <= s.lastLine)
            return &s;
        if (s.lastLine < line)
            before = &s;
    }
    return before ? before : (strings.empty() ? nullptr : &strings.front());
}

} // namespace zx
