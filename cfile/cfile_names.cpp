#include "cfile/cfile_names.h"

#include <QFile>

namespace zx {

QString lastFour(const QString &name)
{
    return name.right(4);
}

int extClass(const QString &fileName)
{
    const QString tail = lastFour(fileName).toUpper();
    if (tail == QLatin1String(".RTF"))
        return 0;
    if (tail == QLatin1String(".CAP"))
        return 3;
    if (tail == QLatin1String(".TXT"))
        return 4;
    if (tail == QLatin1String(".LOG"))
        return 5;
    if (tail == QLatin1String(".INI"))
        return 6;
    if (tail == QLatin1String(".BAT"))
        return 7;
    return tail.contains(QLatin1Char('.')) ? 8 : 9;
}

bool endsWithRtf(const QString &name)
{
    return name.right(3).toUpper() == QLatin1String("RTF");
}

bool isDefaultName(const QString &caption)
{
    if (!caption.startsWith(QLatin1String("CFile")))
        return false;
    const QString digits = caption.mid(5);
    if (digits.isEmpty() || digits.size() > 2)
        return false;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString fileTitle(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

bool fileExists(const QString &path)
{
    QFile f(path);
    return !path.isEmpty() && f.open(QIODevice::ReadOnly);
}

} // namespace zx
