#include "import/import_cfile.h"

#include <algorithm>

namespace zx::import {

QString cfileText(const ImportResult &result, const QString &sourceName)
{
    const QString crlf = QStringLiteral("\r\n");
    QString out;
    for (const ImportedSeries &s : result.series) {
        QString tag = QStringLiteral("TAG: Import-{") + sourceName.simplified() + QStringLiteral("} Device-{") + s.device.simplified()
                      + QStringLiteral("} Date-{") + s.date + u'}';
        if (!s.title.isEmpty())
            tag += QStringLiteral(" Title-{") + s.title.simplified() + u'}';
        if (!s.note.isEmpty())
            tag += QStringLiteral(" Note-{") + s.note.simplified() + u'}';
        if (!s.vendorSummary.isEmpty())
            tag += QStringLiteral(" Vendor-{") + s.vendorSummary.simplified() + u'}';
        out += crlf + tag + crlf;
        const int decimals = std::clamp(s.decimals, 1, 3);
        // The shot reader starts a new string where a number does not rise: numbers out of
        // order are replaced by the shots' places.
        bool rising = true;
        for (std::size_t i = 1; i < s.shots.size(); ++i)
            rising = rising && s.shots[i].number > s.shots[i - 1].number;
        int place = 0;
        for (const ImportedShot &shot : s.shots)
            out += QStringLiteral("#%1 %2 %3 0.000000 sec 999.9 fah")
                       .arg(rising ? shot.number : ++place, 2, 10, QLatin1Char('0'))
                       .arg(shot.velocity, 7, 'f', decimals)
                       .arg(s.velocityUnit)
                   + crlf;
    }
    return out;
}

} // namespace zx::import
