// zentrix-cli strings PATH... [--csv]: one row a string of shots in the given CFiles and in
// the CFiles (.rtf, .cap, .txt) of the given folders: file, string, shots, average, extreme
// spread, sample SD (n-1) and SD as percent of the average. Exit 0 only when every file read.
#include "cfile/cfile_names.h"
#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace {

using namespace zx::cli;

struct Row {
    QString file;
    int string = 0;
    QString unit;
    zx::StringStats stats;
};

QStringList cfilesIn(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList out;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        if (const int cls = zx::extClass(name); zx::isRichClass(cls) || cls == 4)
            out << dir.filePath(name);
    return out;
}

QString csvCell(QString text)
{
    if (text.contains(u',') || text.contains(u'"'))
        text = u'"' + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
    return text;
}

int runStrings(const QStringList &args)
{
    const bool csv = hasFlag(args, QStringLiteral("--csv"));
    QStringList paths;
    for (const QString &a : args)
        if (a != QLatin1String("--csv"))
            paths << a;
    if (paths.isEmpty()) {
        printText(QStringLiteral("zentrix-cli: strings PATH... [--csv]\n"), true);
        return 2;
    }
    bool allRead = true;
    std::vector<Row> rows;
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path)) {
            printText(QStringLiteral("zentrix-cli strings: ") + path + QStringLiteral(": no such file or folder\n"), true);
            allRead = false;
            continue;
        }
        for (const QString &file : cfilesIn(path)) {
            QTextDocument doc;
            if (!loadAnyCFile(doc, file)) {
                allRead = false;
                continue;
            }
            const auto strings = zx::findShotStrings(doc.toPlainText().split(u'\n'));
            int n = 0;
            for (const zx::ShotString &s : strings) {
                std::vector<double> v;
                for (const zx::ShotRecord &r : s.shots)
                    v.push_back(r.velocity);
                rows.push_back({QFileInfo(file).fileName(), ++n, s.shots.front().velocityUnits, zx::computeStats(v)});
            }
        }
    }
    bool oneUnit = true;
    for (const Row &r : rows)
        oneUnit = oneUnit && r.unit == rows.front().unit;
    const QString u = rows.empty() || !oneUnit ? QString() : QStringLiteral(" (") + rows.front().unit + u')';
    auto num = [](double v, int d) { return QString::number(v, 'f', d); };
    int fileWidth = 4;
    for (const Row &r : rows)
        fileWidth = std::max(fileWidth, int(r.file.size()));
    QString text;
    if (csv) {
        text = QStringLiteral("File,String,Shots,Average,ES,SD,SD %,Unit\n");
        for (const Row &r : rows)
            text += QStringList{csvCell(r.file), QString::number(r.string), QString::number(r.stats.count),
                                num(r.stats.average, 2), num(r.stats.spread, 2), num(r.stats.sd, 2),
                                num(r.stats.sdPercent, 2), r.unit}
                        .join(u',')
                    + u'\n';
    } else {
        // Each number with its unit when the strings do not share one.
        const QString head = QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                                 .arg(QStringLiteral("file"), -fileWidth)
                                 .arg(QStringLiteral("string"), 6)
                                 .arg(QStringLiteral("shots"), 5)
                                 .arg(QStringLiteral("average") + u, 18)
                                 .arg(QStringLiteral("ES") + u, 12)
                                 .arg(QStringLiteral("SD n-1") + u, 14)
                                 .arg(QStringLiteral("SD %"), 6);
        text = head;
        for (const Row &r : rows) {
            const QString cellUnit = oneUnit ? QString() : u' ' + r.unit;
            text += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                        .arg(r.file, -fileWidth)
                        .arg(r.string, 6)
                        .arg(r.stats.count, 5)
                        .arg(num(r.stats.average, 2) + cellUnit, 18)
                        .arg(num(r.stats.spread, 2) + cellUnit, 12)
                        .arg(num(r.stats.sd, 2) + cellUnit, 14)
                        .arg(num(r.stats.sdPercent, 2), 6);
        }
    }
    printText(text);
    return allRead ? 0 : 1;
}

zx::cli::Registrar reg({"strings", "PATH... [--csv]",
                        "statistics of every string in CFiles and folders of CFiles",
                        "One row a string of shots: file, string number, shots, average, extreme spread, "
                        "sample SD (n-1) and SD as percent of the average. A folder stands for its .rtf, .cap and "
                        ".txt files. --csv prints comma-separated values under the header File, String, Shots, "
                        "Average, ES, SD, SD %, Unit. The exit code is 0 only when every path was read.",
                        runStrings});

} // namespace
