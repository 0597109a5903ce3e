#include "app/command_line.h"

#include <QRegularExpression>

#include <cmath>

namespace zx {

double valOf(const QString &text)
{
    QString digits;
    bool seenDigit = false, seenPoint = false;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && digits.isEmpty()) {
            digits += c;
            continue;
        }
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
            continue;
        }
        if (c == QLatin1Char('.') && !seenPoint) {
            digits += c;
            seenPoint = true;
            continue;
        }
        break;
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0.0;
}

namespace {
// Value of "<tag>" up to the next comma; -1 when absent, longer than two characters or negative.
int16_t itemValue(const QString &line, const QString &tag)
{
    const int at = line.indexOf(tag, 0, Qt::CaseInsensitive);
    if (at < 0)
        return -1;
    const int from = at + tag.size();
    const int comma = line.indexOf(QLatin1Char(','), at);
    const QString value = line.mid(from, comma < 0 ? -1 : comma - from);
    if (value.size() > 2)
        return -1;
    const double n = std::nearbyint(valOf(value));   // halves to the even neighbour
    return n >= 0 ? static_cast<int16_t>(n) : int16_t(-1);
}

bool isItem(const QString &candidate)
{
    const QString c = candidate.trimmed();
    return c.startsWith(QLatin1String("N="), Qt::CaseInsensitive)
        || c.startsWith(QLatin1String("P="), Qt::CaseInsensitive);
}
} // namespace

CommandLine readCommandLine(const QString &text)
{
    CommandLine cmd;
    QString line = text;
    if (line.isEmpty())
        return cmd;
    if (line.startsWith(QLatin1Char('"')))
        line.remove(0, 1);
    if (line.endsWith(QLatin1Char('"')))
        line.chop(1);

    // Items may also be separated by blanks ("N=2 P=3 /data/run.rtf", as a shell passes
    // separate arguments): a blank after an item's value ends the item like a comma.
    static const QRegularExpression blankAfterItem(QStringLiteral("(?<=^|[\\s,])([NnPp]=[^,\\s]{1,2})\\s+(?=\\S)"));
    line.replace(blankAfterItem, QStringLiteral("\\1,"));

    cmd.cmdAppNum = itemValue(line, QStringLiteral("N="));
    cmd.cmdPort = itemValue(line, QStringLiteral("P="));

    QString candidate;
    const int lastComma = line.lastIndexOf(QLatin1Char(','));
    if (lastComma >= 0)
        candidate = line.mid(lastComma + 1);
    else if (cmd.cmdAppNum < 0 && cmd.cmdPort < 0)
        candidate = line;
    // "N=7,P=3" names no file: the last item is the port, not a file called "P=3".
    if (isItem(candidate))
        candidate.clear();
    candidate = candidate.trimmed();
    if (candidate.isEmpty())
        return cmd;

    // Folder part up to the last separator ("\" or, on this side of the world, "/"), else ":".
    int cut = std::max(candidate.lastIndexOf(QLatin1Char('\\')), candidate.lastIndexOf(QLatin1Char('/')));
    if (cut < 0)
        cut = candidate.lastIndexOf(QLatin1Char(':'));
    cmd.cmdPath = candidate.left(cut + 1);
    cmd.cmdFile = candidate.mid(cut + 1);
    return cmd;
}

} // namespace zx
