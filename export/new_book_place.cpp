#include "export/new_book_place.h"

#include <QDir>
#include <QFileInfo>

namespace zx::xls {

QString wantedBookPath(const QString &cfileCaption, bool onDisk, const QString &documentsFolder)
{
    const QFileInfo cfile(cfileCaption);
    const QString stem = cfileCaption.isEmpty() ? QStringLiteral("Zentrix Workbook") : cfile.completeBaseName();
    const QDir folder = onDisk && cfile.isAbsolute() ? cfile.absoluteDir() : QDir(documentsFolder);
    return folder.filePath(stem + QStringLiteral(".xlsx"));
}

QString freeBookPath(const QString &wanted)
{
    const QFileInfo info(wanted);
    const QString stem = info.completeBaseName();
    for (int n = 1;; ++n) {
        const QString path = info.dir().filePath(n == 1 ? stem + QStringLiteral(".xlsx")
                                                        : stem + u' ' + QString::number(n) + QStringLiteral(".xlsx"));
        // exists() is false for a dangling link, which a rename would still replace.
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return path;
    }
}

} // namespace zx::xls
