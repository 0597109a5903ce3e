#include "cfile/string_tags.h"

#include <QLocale>
#include <QRegularExpression>

namespace zx
{

namespace
{

// The text of "Word-{...}" in a tag; null when the tag has no such part.
QString braced(const QString &tag, QLatin1String word)
{
    const qsizetype at = tag.indexOf(word + QLatin1String("-{"));
    if (at < 0)
        return {};
    const qsizetype from = at + word.size() + 2;
    const qsizetype end = tag.indexOf(u'}', from);
    return end < 0 ? QString() : tag.mid(from, end - from).trimmed();
}

// The value of "Date=" inside a stamp, up to the double space or the closing brace.
QString stampDate(const QString &tag)
{
    const qsizetype at = tag.indexOf(QLatin1String("Date="));
    if (at < 0)
        return {};
    QString rest = tag.mid(at + 5);
    for (const QLatin1String stop : {QLatin1String("  "), QLatin1String(" Time="), QLatin1String("}")})
        if (const qsizetype end = rest.indexOf(stop); end >= 0)
            rest.truncate(end);
    return rest.trimmed();
}

// The program's own stamps and status lines: "Word-{Date=...}" events, the device, and a dated
// tag ("text{ Date=... }") such as the calibration's.
bool programTag(const QString &tag)
{
    static const QRegularExpression event(QStringLiteral("^\\w+-(\\{Date=|$)"));
    return tag.startsWith(QLatin1String("Device-{")) || event.match(tag).hasMatch()
        || (tag.endsWith(u'}') && tag.contains(QLatin1String("{ Date=")));
}

} // namespace

QDate readTagDate(const QString &text)
{
    const QString t = text.trimmed();
    if (const QDate iso = QDate::fromString(t.left(10), Qt::ISODate); iso.isValid())
        return iso;
    const QLocale system = QLocale::system();
    const QString format = system.dateFormat(QLocale::ShortFormat);
    QDate d = system.toDate(t, format);
    if (d.isValid() && !format.contains(QLatin1String("yyyy")) && d.year() < 2000)
        d = d.addYears(100); // "yy" reads as 19yy
    return d;
}

StringTags readStringTags(const QStringList &tags)
{
    StringTags out;
    QString stamp; // an import's tag or the Start stamp, when no user wrote one
    for (const QString &raw : tags) {
        const QString tag = raw.trimmed();
        if (tag.startsWith(QLatin1String("Import-{")) || tag.startsWith(QLatin1String("Start-"))) {
            if (stamp.isEmpty())
                stamp = tag;
        } else if (out.tag.isEmpty() && !tag.isEmpty() && !programTag(tag)) {
            out.tag = tag;
        }
        if (out.chronograph.isEmpty())
            out.chronograph = braced(tag, QLatin1String("Device"));
        if (!out.date.isValid() && !tag.startsWith(QLatin1String("Stop-"))) {
            const QString imported = braced(tag, QLatin1String("Date"));
            out.date = readTagDate(imported.isNull() ? stampDate(tag) : imported);
        }
    }
    if (out.tag.isEmpty())
        out.tag = stamp;
    return out;
}

} // namespace zx
