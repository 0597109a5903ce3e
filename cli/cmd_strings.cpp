// zentrix-cli strings PATH... [--csv]: one row a string of shots in the given CFiles and in
// the CFiles (.rtf, .cap, .txt) of the given folders: file, string, (date, chronograph in CSV) shots, average, extreme
// spread, sample SD (n-1) and SD as percent of the average. Exit 0 only when every file read.
#include "cfile/string_library.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"

#include <QFileInfo>

namespace {

using namespace zx::cli;

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
    QStringList files, unreadable;
    for (const QString &path : paths) {
        if (QFileInfo::exists(path))
            files << zx::cfilesAt(path);
        else
            unreadable << path + QStringLiteral(": no such file or folder");
    }
    zx::StringLibrary library;
    const std::vector<zx::LibraryRow> rows = library.rows(files, &unreadable);
    for (const QString &u : unreadable)
        printText(QStringLiteral("zentrix-cli strings: ") + u + u'\n', true);
    const bool allRead = unreadable.isEmpty();
    bool oneUnit = true;
    for (const zx::LibraryRow &r : rows)
        oneUnit = oneUnit && r.unit == rows.front().unit;
    const QString u = rows.empty() || !oneUnit ? QString() : QStringLiteral(" (") + rows.front().unit + u')';
    auto num = [](double v, int d) { return QString::number(v, 'f', d); };
    int fileWidth = 4;
    for (const zx::LibraryRow &r : rows)
        fileWidth = std::max(fileWidth, int(QFileInfo(r.path).fileName().size()));
    QString text;
    if (csv) {
        // The date as yyyy-MM-dd: the same in every locale, for scripts.
        text = QStringLiteral("File,String,Date,Chronograph,Shots,Average,ES,SD,SD %,Unit\n");
        for (const zx::LibraryRow &r : rows)
            text += QStringList{csvCell(QFileInfo(r.path).fileName()), QString::number(r.string),
                                r.date.toString(Qt::ISODate), csvCell(r.chronograph), QString::number(r.stats.count),
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
        for (const zx::LibraryRow &r : rows) {
            const QString cellUnit = oneUnit ? QString() : u' ' + r.unit;
            text += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                        .arg(QFileInfo(r.path).fileName(), -fileWidth)
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
                        "Date, Chronograph, Shots, Average, ES, SD, SD %, Unit (the date as yyyy-MM-dd, from the tag line of an import "
                        "or the Start stamp of a capture; the chronograph the tag line names). The exit code is 0 only when every path was read.",
                        runStrings});

} // namespace
