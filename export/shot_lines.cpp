#include "export/shot_lines.h"

#include "platform/decimal_text.h"

namespace zx::xls {

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

} // namespace

QStringList textLines(const QString &text)
{
    QStringList lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= all.size(); ++i) {
        if (i < all.size() && all[i] != u'\r' && all[i] != u'\n')
            continue;
        const QStringView line = all.mid(start, i - start);
        if (!line.trimmed().isEmpty())
            lines.append(line.toString());
        start = i + 1;
    }
    return lines;
}

std::optional<ShotRecord> parseShotLine(const QString &line)
{
    const qsizetype hash = line.indexOf(u'#');
    if (hash < 0)
        return std::nullopt;
    qsizetype end = hash + 1;
    while (end < line.size() && line[end].isDigit())
        ++end;
    ShotRecord r;
    if (!integer(line.mid(hash + 1, end - hash - 1), &r.shot))
        return std::nullopt;
    const QStringList t = tokens(QStringView(line).mid(end));
    bool velocity = false, time = false, temperature = false;
    for (qsizetype i = 1; i < t.size(); ++i) {
        const QString &u = t[i];
        if (!velocity && (u == u"f/s" || u == u"m/s")) {
            velocity = number(t[i - 1], &r.velocity);
            r.velocityUnits = u;
        } else if (!time && (u == u"sec" || u == u"*s*")) {
            time = number(t[i - 1], &r.time);
            r.timeUnits = u;
        } else if (!temperature && (u == u"fah" || u == u"cel")) {
            temperature = number(t[i - 1], &r.temperature);
            r.temperatureUnits = u;
        }
    }
    if (!velocity || !time || !temperature)
        return std::nullopt;
    return r;
}

MemoryLine parseMemoryLine(const QString &line)
{
    MemoryLine m;
    const qsizetype at = line.indexOf(QLatin1String("MMR:"));
    if (at < 0)
        return m;
    const QStringList t = tokens(QStringView(line).mid(at + 4));
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

} // namespace zx::xls
