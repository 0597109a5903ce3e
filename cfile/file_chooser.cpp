#include "cfile/file_chooser.h"

namespace zx {

QStringList filterLabels(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList labels;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts.at(i).isEmpty())
            labels << parts.at(i);
    return labels;
}

} // namespace zx
