#include "link/shot_line.h"

#include "docformat/decimal_text.h"

#include <QStringList>

namespace zx {

namespace {

// Blank-separated words; "Vel= 2906.30" reads as "Vel=2906.30" (a blank after '=' is the
// sender's spacing). No regular expressions: this runs for every line of a long export.
QStringList tokens(QStringView text)
{
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        QString word;
        while (i < n && !text[i].isSpace()) {
            word.append(text[i]);
            if (text[i++] == u'=')
                while (i < n && text[i].isSpace())
                    ++i;
        }
        out.append(word);
    }
    return out;
}

bool number(const QString &token, double *out) { return readDecimal(token, out); }

bool integer(const QString &token, int *out)
{
    bool ok = false;
    const int v = token.toInt(&ok);
    if (ok)
        *out = v;
    return ok;
}

// The value of "key=value" among the tokens; the token after it is the value's unit.
bool keyed(const QStringList &t, const QString &key, QString *value, QString *unit = nullptr)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].startsWith(key + u'='))
            continue;
        *value = t[i].mid(key.size() + 1);
        if (unit)
            *unit = i + 1 < t.size() ? t[i + 1] : QString();
        return true;
    }
    return false;
}

bool keyedInt(const QStringList &t, const QString &key, int *out)
{
    QString v;
    return keyed(t, key, &v) && integer(v, out);
}

bool keyedMeasure(const QStringList &t, const QString &key, double *out, QString *unit)
{
    QString v;
    return keyed(t, key, &v, unit) && number(v, out) && !unit->contains(u'=');
}

// The unit a token is or ends with ("f/s", "2875.42f/s"); the number is the token before it
// or the token's front.
bool unitWithNumber(const QStringList &t, qsizetype i, std::initializer_list<const char16_t *> units, QString *unit,
                    double *number, bool *read)
{
    for (const char16_t *u : units) {
        const QStringView name(u);
        if (t[i] == name) {
            *unit = name.toString();
            *read = i > 0 && readDecimal(t[i - 1], number);
            return true;
        }
        if (t[i].size() > name.size() && t[i].endsWith(name)) {
            *unit = name.toString();
            *read = readDecimal(QStringView(t[i]).chopped(name.size()), number);
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<ShotRecord> readShotLine(QStringView line)
{
    if (isLoadLine(line)) // its note may hold any text, a shot's among it
        return std::nullopt;
    const qsizetype hash = line.indexOf(u'#');
    if (hash < 0)
        return std::nullopt;
    qsizetype begin = hash + 1;
    while (begin < line.size() && line[begin] == u' ')
        ++begin;
    qsizetype end = begin;
    while (end < line.size() && line[end].isDigit())
        ++end;
    ShotRecord r;
    if ((end < line.size() && !line[end].isSpace()) || !integer(line.mid(begin, end - begin).toString(), &r.shot))
        return std::nullopt; // "# 2875.42 f/s" has no shot number
    const QStringList t = tokens(line.mid(end));
    bool velocity = false, time = false, temperature = false;
    bool seenVelocity = false, seenTime = false, seenTemperature = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!seenVelocity && unitWithNumber(t, i, {u"f/s", u"m/s"}, &r.velocityUnits, &r.velocity, &velocity))
            seenVelocity = true;
        else if (!seenTime && unitWithNumber(t, i, {u"sec", u"*s*"}, &r.timeUnits, &r.time, &time))
            seenTime = true;
        else if (!seenTemperature && unitWithNumber(t, i, {u"fah", u"cel"}, &r.temperatureUnits, &r.temperature, &temperature))
            seenTemperature = true;
    }
    if (!velocity || !time || !temperature)
        return std::nullopt;
    return r;
}

MemoryLine readMemoryLine(QStringView line)
{
    MemoryLine m;
    if (isLoadLine(line))
        return m;
    const qsizetype at = line.indexOf(QLatin1String("MMR:"));
    if (at < 0)
        return m;
    const QStringList t = tokens(line.mid(at + 4));
    m.kind = MemoryLine::Garbled;
    if (t.isEmpty())
        return m;
    if (t[0].startsWith(QLatin1String("<End>"))) {
        QString fol;
        if (!keyed(t, QStringLiteral("Fol"), &fol))
            m.kind = MemoryLine::ListingEnd;
        else if (keyedInt(t, QStringLiteral("Fol"), &m.folder) && keyedInt(t, QStringLiteral("Str"), &m.string))
            m.kind = MemoryLine::StringEnd;
        return m;
    }
    QString v;
    if (keyed(t, QStringLiteral("Siz"), &v)) {
        if (integer(v, &m.size) && keyedInt(t, QStringLiteral("Fol"), &m.folder)
            && keyedInt(t, QStringLiteral("Str"), &m.string) && keyed(t, QStringLiteral("Vel"), &m.shot.velocityUnits)
            && keyed(t, QStringLiteral("Tim"), &m.shot.timeUnits)
            && keyed(t, QStringLiteral("Tmp"), &m.shot.temperatureUnits))
            m.kind = MemoryLine::Header;
        return m;
    }
    ShotRecord &s = m.shot;
    if (keyed(t, QStringLiteral("Sho"), &v)) {
        m.keyed = true;
        if (integer(v, &s.shot) && keyedInt(t, QStringLiteral("Fol"), &s.folder)
            && keyedInt(t, QStringLiteral("Str"), &s.string)
            && keyedMeasure(t, QStringLiteral("Vel"), &s.velocity, &s.velocityUnits)
            && keyedMeasure(t, QStringLiteral("Tim"), &s.time, &s.timeUnits)
            && keyedMeasure(t, QStringLiteral("Tmp"), &s.temperature, &s.temperatureUnits))
            m.kind = MemoryLine::Shot;
        return m;
    }
    if (t.size() == 4 && integer(t[0], &s.shot) && number(t[1], &s.velocity) && number(t[2], &s.time)
        && number(t[3], &s.temperature))
        m.kind = MemoryLine::Shot;
    return m;
}

} // namespace zx
