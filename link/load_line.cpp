#include "link/load_line.h"

#include <QStringList>

namespace zx {

namespace {

constexpr QLatin1String kPrefix("LOAD:");

// One line and no field separators where the reader splits: '|' ends a field, a line end the line.
QString fieldText(QString s, bool keepBars = false)
{
    s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QChar(0x2029), QLatin1Char(' '));
    if (!keepBars)
        s.replace(QLatin1Char('|'), QLatin1Char('/'));
    return s.simplified();
}

QString measureText(const LoadMeasure &m)
{
    if (!m.known)
        return {};
    QString s = QString::number(m.value, 'f', m.decimals);
    const QString unit = fieldText(m.unit);
    if (!unit.isEmpty())
        s += QLatin1Char(' ') + unit;
    return s;
}

bool isWeightUnit(QStringView u)
{
    return u.compare(u"gr", Qt::CaseInsensitive) == 0 || u.compare(u"g", Qt::CaseInsensitive) == 0
        || u.compare(u"grain", Qt::CaseInsensitive) == 0 || u.compare(u"grains", Qt::CaseInsensitive) == 0;
}

// "168 gr SMK", "SMK 168gr", "168 SMK": the weight wherever it stands, the rest is the name.
void readBullet(const QString &text, LoadData &load)
{
    QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const LoadMeasure m = readLoadMeasure(words[i]);
        if (!m.known)
            continue;
        if (isWeightUnit(m.unit)) {
            load.bulletWeight = m;
            words.removeAt(i);
            break;
        }
        if (m.unit.isEmpty() && i + 1 < words.size() && isWeightUnit(words[i + 1])) {
            load.bulletWeight = m;
            load.bulletWeight.unit = words[i + 1];
            words.remove(i, 2);
            break;
        }
        if (m.unit.isEmpty() && i == 0) { // a bare number first is the weight, unit not given
            load.bulletWeight = m;
            words.removeAt(i);
            break;
        }
    }
    load.bullet = words.join(QLatin1Char(' '));
}

void addNote(LoadData &load, const QString &text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return;
    load.notes = load.notes.isEmpty() ? t : load.notes + QStringLiteral("; ") + t;
}

} // namespace

LoadMeasure readLoadMeasure(QStringView text)
{
    text = text.trimmed();
    LoadMeasure m;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digitsFrom = i;
    int mark = -1;
    for (; i < text.size(); ++i) {
        if (text[i].isDigit())
            continue;
        // A decimal comma reads as a point; a second mark ends the number.
        if ((text[i] == u'.' || text[i] == u',') && mark < 0 && i + 1 < text.size() && text[i + 1].isDigit()) {
            mark = int(i);
            continue;
        }
        break;
    }
    if (i == digitsFrom)
        return m;
    QString number = text.left(i).toString();
    if (mark >= 0) {
        number[mark] = u'.';
        m.decimals = int(i - mark - 1);
    }
    bool ok = false; // a short line typed by hand: the full conversion is quick enough
    m.value = number.toDouble(&ok);
    if (!ok)
        return m;
    m.known = true;
    m.unit = text.mid(i).toString().simplified();
    return m;
}

bool isLoadLine(QStringView line)
{
    return line.trimmed().startsWith(kPrefix, Qt::CaseInsensitive);
}

std::optional<LoadData> readLoadLine(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(kPrefix, Qt::CaseInsensitive))
        return std::nullopt;
    LoadData load;
    QStringView rest = line.mid(kPrefix.size());
    while (!rest.isEmpty()) {
        const qsizetype bar = rest.indexOf(u'|');
        QStringView field = (bar < 0 ? rest : rest.left(bar)).trimmed();
        const qsizetype eq = field.indexOf(u'=');
        const QString key = eq < 0 ? QString() : field.left(eq).trimmed().toString().toLower();
        if (key == u"note" || key == u"notes") {
            // The note runs to the end of the line, bars and all.
            const qsizetype at = rest.indexOf(u'=');
            addNote(load, rest.mid(at + 1).toString());
            break;
        }
        rest = bar < 0 ? QStringView() : rest.mid(bar + 1);
        // Blanks as one line of the CFile shows them: runs of them count as one.
        const QString value = eq < 0 ? QString() : field.mid(eq + 1).toString().simplified();
        if (key == u"charge")
            load.charge = readLoadMeasure(value);
        else if (key == u"powder")
            load.powder = value;
        else if (key == u"bullet")
            readBullet(value, load);
        else if (key == u"coal" || key == u"oal" || key == u"cbto") {
            load.length = readLoadMeasure(value);
            load.lengthKind = key == u"cbto" && load.length.known ? QStringLiteral("CBTO") : QStringLiteral("COAL");
        } else if (key == u"primer")
            load.primer = value;
        else if (key == u"case" || key == u"brass")
            load.caseName = value;
        else if (key == u"temp" || key == u"temperature")
            load.temperature = readLoadMeasure(value);
        else
            addNote(load, fieldText(field.toString())); // text the reader has no field for is kept, not lost
    }
    return load;
}

QString loadLineText(const LoadData &load)
{
    QStringList fields;
    const auto add = [&fields](const char *key, const QString &value) {
        if (!value.isEmpty())
            fields << QLatin1String(key) + QLatin1Char('=') + value;
    };
    add("Charge", measureText(load.charge));
    add("Powder", fieldText(load.powder));
    QString bullet = measureText(load.bulletWeight);
    const QString name = fieldText(load.bullet);
    if (!name.isEmpty())
        bullet = bullet.isEmpty() ? name : bullet + QLatin1Char(' ') + name;
    add("Bullet", bullet);
    add(load.lengthKind == u"CBTO" ? "CBTO" : "COAL", measureText(load.length));
    add("Primer", fieldText(load.primer));
    add("Case", fieldText(load.caseName));
    add("Temp", measureText(load.temperature));
    add("Note", fieldText(load.notes, true));
    return QStringLiteral("LOAD: ") + fields.join(QStringLiteral(" | "));
}

QString loadSummary(const LoadData &load)
{
    QStringList parts;
    QString charge = measureText(load.charge);
    if (!load.powder.isEmpty())
        charge = charge.isEmpty() ? load.powder : charge + QLatin1Char(' ') + load.powder;
    parts << charge;
    QString bullet = measureText(load.bulletWeight);
    if (!load.bullet.isEmpty())
        bullet = bullet.isEmpty() ? load.bullet : bullet + QLatin1Char(' ') + load.bullet;
    parts << bullet;
    if (load.length.known)
        parts << load.lengthKind + QLatin1Char(' ') + measureText(load.length);
    parts << load.primer << load.caseName << measureText(load.temperature) << load.notes;
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

} // namespace zx
