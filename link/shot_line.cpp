#include "link/shot_line.h"

#include <QRegularExpression>

namespace zx {

namespace {

const QString kMemoryTag = QStringLiteral("MMR:");

// The number right after `key` (blanks allowed between), or nullopt.
std::optional<double> numberAfter(QStringView text, QStringView key, qsizetype *end = nullptr)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return std::nullopt;
    qsizetype i = at + key.size();
    while (i < text.size() && text[i] == u' ')
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    while (i < text.size() && (text[i].isDigit() || text[i] == u'.'))
        ++i;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    if (end)
        *end = i;
    return v;
}

QString wordAfter(QStringView text, QStringView key)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return {};
    const QStringView rest = text.mid(at + key.size()).trimmed();
    const qsizetype blank = rest.indexOf(u' ');
    return (blank < 0 ? rest : rest.left(blank)).toString();
}

} // namespace

std::optional<ShotReading> readShotLine(QStringView line)
{
    // Numbers followed by their units; the units are searched, the numbers read backwards.
    static const QRegularExpression re(QStringLiteral(
        R"(#\s*(\d+)\s+(-?\d+(?:\.\d*)?)\s*(f/s|m/s)\s+(-?\d*\.?\d+)\s*(sec|\*s\*)\s+(-?\d+(?:\.\d*)?)\s*(fah|cel))"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    ShotReading r;
    r.shot = m.capturedView(1).toInt();
    r.velocity = m.capturedView(2).toDouble();
    r.velocityUnits = m.captured(3);
    r.time = m.capturedView(4).toDouble();
    r.timeUnits = QStringLiteral("sec");
    r.temperature = m.capturedView(6).toDouble();
    r.temperatureUnits = m.captured(7);
    return r;
}

std::optional<MemoryHeader> readMemoryHeader(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(kMemoryTag) || !line.contains(u"Siz="))
        return std::nullopt;
    const auto f = numberAfter(line, u"Fol="), s = numberAfter(line, u"Str="), z = numberAfter(line, u"Siz=");
    if (!f || !s || !z)
        return std::nullopt;
    MemoryHeader h;
    h.folder = int(*f);
    h.string = int(*s);
    h.size = int(*z);
    if (const QString v = wordAfter(line, u"Vel="); !v.isEmpty())
        h.velocityUnits = v;
    if (const QString t = wordAfter(line, u"Tim="); !t.isEmpty())
        h.timeUnits = t;
    if (const QString t = wordAfter(line, u"Tmp="); !t.isEmpty())
        h.temperatureUnits = t;
    return h;
}

std::optional<ShotReading> readMemoryShot(QStringView line, const MemoryHeader &header)
{
    line = line.trimmed();
    if (!line.startsWith(kMemoryTag) || line.contains(u"<End>") || line.contains(u"Siz="))
        return std::nullopt;
    ShotReading r;
    r.velocityUnits = header.velocityUnits;
    r.timeUnits = header.timeUnits;
    r.temperatureUnits = header.temperatureUnits;
    const QStringView body = line.mid(kMemoryTag.size());
    if (body.contains(u"Sho=")) {
        const auto f = numberAfter(body, u"Fol="), s = numberAfter(body, u"Str="), n = numberAfter(body, u"Sho="),
                   v = numberAfter(body, u"Vel="), t = numberAfter(body, u"Tim="), c = numberAfter(body, u"Tmp=");
        if (!n || !v || !t || !c)
            return std::nullopt;
        r.folder = f ? int(*f) : header.folder;
        r.string = s ? int(*s) : header.string;
        r.shot = int(*n);
        r.velocity = *v;
        r.time = *t;
        r.temperature = *c;
        return r;
    }
    const QList<QStringView> words = body.split(u' ', Qt::SkipEmptyParts);
    if (words.size() != 4)
        return std::nullopt;
    bool ok[4] = {};
    r.shot = words[0].toInt(&ok[0]);
    r.velocity = words[1].toDouble(&ok[1]);
    r.time = words[2].toDouble(&ok[2]);
    r.temperature = words[3].toDouble(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]))
        return std::nullopt;
    r.folder = header.folder;
    r.string = header.string;
    return r;
}

std::optional<std::pair<int, int>> readMemoryEnd(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(u"MMR:<End>"))
        return std::nullopt;
    const auto f = numberAfter(line, u"Fol="), s = numberAfter(line, u"Str=");
    if (!f || !s)
        return std::nullopt;
    return std::pair{int(*f), int(*s)};
}

} // namespace zx
