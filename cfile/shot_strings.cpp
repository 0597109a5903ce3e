#include "cfile/shot_strings.h"

namespace zx {

void ShotStringReader::startString()
{
    m_current.clear();
    m_ended = false;
}

std::optional<ShotReading> ShotStringReader::feedLine(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty())
        return std::nullopt;
    if (line.startsWith(u"MMR:")) {
        if (const auto header = readMemoryHeader(line)) {
            m_header = header;
            startString();
            return std::nullopt;
        }
        if (readMemoryEnd(line) || line.startsWith(u"MMR:<End>")) {
            m_ended = true;
            m_header.reset();
            return std::nullopt;
        }
        if (!m_header)
            return std::nullopt;
        auto shot = readMemoryShot(line, *m_header);
        if (shot) {
            if (m_ended)
                startString();
            m_current.push_back(*shot);
        }
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
    m_current.push_back(*shot);
    return shot;
}

std::vector<ShotString> findShotStrings(const QStringList &lines)
{
    std::vector<ShotString> out;
    ShotStringReader reader;
    for (int i = 0; i < lines.size(); ++i) {
        const auto shot = reader.feedLine(lines[i]);
        if (!shot)
            continue;
        if (reader.currentString().size() == 1)   // this shot began a string
            out.push_back(ShotString{i, i, {}});
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
