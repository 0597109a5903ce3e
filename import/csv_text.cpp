#include "import/csv_text.h"

#include "import/import_types.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

namespace zx::import {

QString lineError(int line, const QString &expected, const QString &found)
{
    QString out = QStringLiteral("line %1: expected %2").arg(line).arg(expected);
    if (!found.isNull())
        out += QStringLiteral(", found \"%1\"").arg(found.size() > 40 ? found.left(40) + QStringLiteral("...") : found);
    return out;
}

std::vector<TextLine> textLines(const QByteArray &bytes)
{
    QByteArray clean = bytes;
    clean.replace('\0', QByteArray());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(clean);
    if (utf8.hasError())
        text = QString::fromLatin1(clean);
    // Phone apps put byte-order marks at the start of any line, even after the last one.
    text.remove(QChar(0xFEFF));
    text.replace(QChar(0x202F), u' ');
    std::vector<TextLine> out;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString l = lines[i];
        if (l.endsWith(u'\r'))
            l.chop(1);
        out.push_back({int(i) + 1, l});
    }
    while (!out.empty() && out.back().text.trimmed().isEmpty())
        out.pop_back();
    return out;
}

QStringList splitCsv(QStringView line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false, wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == separator) {
            cells << (wasQuoted ? cell : cell.trimmed());
            cell.clear();
            wasQuoted = false;
        } else if (c == u'"' && cell.trimmed().isEmpty() && !wasQuoted) {
            cell.clear(); // blanks before the opening quote are the writer's spacing
            quoted = wasQuoted = true;
        } else if (!(wasQuoted && c.isSpace())) {
            cell += c;
        }
    }
    cells << (wasQuoted ? cell : cell.trimmed());
    return cells;
}

bool readNumber(QString text, double *out)
{
    text = text.trimmed();
    if (text.isEmpty())
        return false;
    const qsizetype comma = text.lastIndexOf(u','), point = text.lastIndexOf(u'.');
    if (comma >= 0 && point >= 0) {
        // The later mark is the decimal one, the other groups thousands.
        if (comma > point) {
            text.remove(u'.');
            text.replace(u',', u'.');
        } else {
            text.remove(u',');
        }
    } else if (comma >= 0) {
        if (text.count(u',') > 1)
            text.remove(u','); // "1,369,800": only groups
        else
            text.replace(u',', u'.');
    }
    static const QRegularExpression plain(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]*)?$"));
    if (!plain.match(text).hasMatch())
        return false;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (ok)
        *out = v;
    return ok;
}

int decimalsOf(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype comma = t.lastIndexOf(u','), point = t.lastIndexOf(u'.');
    qsizetype mark = std::max(comma, point);
    if (comma >= 0 && point < 0 && t.count(u',') > 1)
        mark = -1;
    return mark < 0 ? 0 : int(t.size() - mark - 1);
}

QString velocityUnit(const QString &text)
{
    const QString t = text.toLower();
    if (t.contains(QLatin1String("fps")) || t.contains(QLatin1String("ft/s")) || t.contains(QLatin1String("f/s")))
        return QStringLiteral("f/s");
    if (t.contains(QLatin1String("mps")) || t.contains(QLatin1String("m/s")))
        return QStringLiteral("m/s");
    return {};
}

namespace {

int monthNumber(const QString &word)
{
    static const char *const names[][12] = {
        {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"},
        {"jan", "feb", "mär", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "dez"},
    };
    const QString w = word.toLower();
    if (w.size() < 3)
        return 0;
    for (const auto &lang : names)
        for (int m = 0; m < 12; ++m)
            if (w.startsWith(QString::fromUtf8(lang[m])))
                return m + 1;
    if (w.startsWith(QLatin1String("maerz")))
        return 3;
    return 0;
}

QString withTime(const QDate &d, const QString &rest)
{
    if (!d.isValid())
        return {};
    static const QRegularExpression timeRe(QStringLiteral("(\\d{1,2})[:.](\\d{2})(?:[:.]\\d{2})?\\s*([AaPp][Mm])?"));
    const auto m = timeRe.match(rest);
    if (!m.hasMatch())
        return d.toString(QStringLiteral("yyyy-MM-dd"));
    int h = m.captured(1).toInt();
    const QString ampm = m.captured(3).toLower();
    if (ampm == QLatin1String("pm") && h < 12)
        h += 12;
    if (ampm == QLatin1String("am") && h == 12)
        h = 0;
    const QTime t(h, m.captured(2).toInt());
    return t.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + t.toString(QStringLiteral("HH:mm"))
                       : d.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

QString normalDate(const QString &printed)
{
    const QString p = printed.simplified();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(.*)$"));
    static const QRegularExpression numeric(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4})(.*)$"));
    // "April 6, 2024 at 1:36 PM", "JULI 02, 2024 17:08", "8. Februar 2025 um 10:08", "12. May 2024 at 18.19"
    static const QRegularExpression monthFirst(QStringLiteral("^([^\\d\\s,.]+)\\s+(\\d{1,2}),?\\s+(\\d{4})(.*)$"));
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})\\.?\\s+([^\\d\\s,.]+)\\s+(\\d{4})(.*)$"));
    QString out;
    if (auto m = iso.match(p); m.hasMatch())
        out = withTime(QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()), m.captured(4));
    else if (auto m = numeric.match(p); m.hasMatch()) // month first, as US devices print it
        out = withTime(QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt()), m.captured(4));
    else if (auto m = monthFirst.match(p); m.hasMatch())
        out = withTime(QDate(m.captured(3).toInt(), monthNumber(m.captured(1)), m.captured(2).toInt()), m.captured(4));
    else if (auto m = dayFirst.match(p); m.hasMatch())
        out = withTime(QDate(m.captured(3).toInt(), monthNumber(m.captured(2)), m.captured(1).toInt()), m.captured(4));
    return out.isEmpty() ? printed : out;
}

} // namespace zx::import
