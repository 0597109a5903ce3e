#include "export/csv_export.h"

#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "platform/save_file.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace zx {

namespace {
QString num(double v, int decimals) { return QString::number(v, 'f', decimals); }
} // namespace

QString shotsCsv(const QStringList &lines)
{
    QString out = QStringLiteral("Folder,String,Shot,Velocity,Velocity units,Time,Time units,Temperature,"
                                 "Temperature units,Shots,Average,Extreme spread,SD (n-1),Minimum,Maximum\r\n");
    for (const ShotString &s : findShotStrings(lines)) {
        StatsAccumulator acc;
        for (const ShotRecord &r : s.shots) {
            acc.add(r.velocity);
            const StringStats st = acc.stats();
            const QStringList row{QString::number(r.folder), QString::number(r.string), QString::number(r.shot),
                                  num(r.velocity, 2), r.velocityUnits, num(r.time, 6), r.timeUnits,
                                  num(r.temperature, 1), r.temperatureUnits, QString::number(st.count),
                                  num(st.average, 2), num(st.spread, 2), num(st.sd, 2), num(st.minimum, 2),
                                  num(st.maximum, 2)};
            out += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        }
    }
    return out;
}

int writeShotsCsv(const QString &documentText, const QString &path, QString *error)
{
    const QStringList lines = documentText.split(QRegularExpression(QStringLiteral("\r\n|\r|\n|\u2029")));
    const QString csv = shotsCsv(lines);
    if (!writeWholeFile(path, csv.toUtf8(), error))
        return -1;
    return int(csv.count(QLatin1Char('\n'))) - 1;
}

} // namespace zx
