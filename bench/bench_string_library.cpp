// String library figures: 1,000 plain-text CFiles of 100 shots each (100,000 shots, one string
// a file after an import tag line), listed once from disk and then again from the cache; then
// the cached reads handed to the window's table one file at a time, as a scan does, behind the
// sorted view's proxy.
#include "cfile/string_library.h"
#include "library/string_table.h"

#include <QSortFilterProxyModel>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    for (int f = 0; f < 1000; ++f) {
        QByteArray text = "TAG: Import-{bench.csv} Device-{bench} Date-{2026-01-01}\r\n";
        for (int s = 1; s <= 100; ++s)
            text += QStringLiteral("#%1 %2 f/s 0.000000 sec 999.9 fah\r\n")
                        .arg(s, 2, 10, QLatin1Char('0'))
                        .arg(2800.0 + (f * 7 + s * 13) % 50 / 10.0, 7, 'f', 1)
                        .toLatin1();
        QFile out(dir.filePath(QStringLiteral("cfile%1.txt").arg(f, 4, 10, QLatin1Char('0'))));
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            return 1;
    }
    zx::StringLibrary lib;
    QStringList bad;
    QElapsedTimer t;
    t.start();
    auto rows = lib.rows(zx::cfilesAt(dir.path()), &bad);
    const qint64 first = t.elapsed();
    t.restart();
    rows = lib.rows(zx::cfilesAt(dir.path()), &bad);
    const qint64 again = t.elapsed();
    std::printf("1000 CFiles, %zu strings, %d unreadable: first scan %lld ms, again (cache) %lld ms\n", rows.size(),
                int(bad.size()), first, again);

    zx::StringTable table;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&table);
    proxy.setSortRole(zx::StringTable::kSortRole);
    proxy.sort(zx::StringTable::Average);
    const QStringList files = zx::cfilesAt(dir.path());
    t.restart();
    for (const QString &file : files) {
        std::vector<zx::LibraryRow> one;
        QString error;
        if (lib.fileRows(file, &one, &error))
            table.addScannedRows(one);
    }
    std::printf("the same into the table file by file, sorted by average: %lld ms (%d rows shown)\n",
                t.elapsed(), proxy.rowCount());
    return 0;
}
