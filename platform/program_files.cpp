#include "platform/program_files.h"

#include "platform/save_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace zx {

ProgramFiles::ProgramFiles(QString userDir, QStringList defaultDirs)
    : m_dir(std::move(userDir)), m_defaults(std::move(defaultDirs))
{
}

ProgramFiles ProgramFiles::forDesktop()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList defaults;
    defaults << QDir(exeDir).absoluteFilePath(QStringLiteral("../share/zentrix"));
#ifdef ZX_SOURCE_DATA_DIR
    defaults << QStringLiteral(ZX_SOURCE_DATA_DIR);
#endif
    QString dir = qEnvironmentVariable("ZX_PROGRAM_DIR");
    if (dir.isEmpty()) {
#ifdef Q_OS_WIN
        dir = exeDir;
#else
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#endif
    }
    return ProgramFiles(dir, defaults);
}

QString ProgramFiles::folder() const
{
    QString d = QDir::fromNativeSeparators(m_dir);
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

QString ProgramFiles::shippedDefault(const QString &name) const
{
    for (const QString &d : m_defaults) {
        const QString p = QDir(d).absoluteFilePath(name);
        if (QFileInfo(p).isFile())
            return p;
    }
    return {};
}

QString ProgramFiles::path(const QString &name) const
{
    const QString target = folder() + name;
    if (QFileInfo::exists(target))
        return target;   // the user's copy, edited or not, stays as it is
    const QString source = shippedDefault(name);
    if (!source.isEmpty() && QDir().mkpath(folder())) {
        // Written whole or not at all: a copy that fails (read-only folder) leaves no half file
        // that would later pass for the user's own.
        QFile in(source);
        QSaveFile out(target);
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly)) {
            const QByteArray bytes = in.readAll();
            if (out.write(bytes) == bytes.size())
                commitSaveFile(out);
        }
    }
    return target;
}

QString userGuidePath()
{
    QStringList dirs{QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/doc/zentrix"))};
#ifdef ZX_SOURCE_DOCS_DIR
    dirs << QStringLiteral(ZX_SOURCE_DOCS_DIR);
#endif
    for (const QString &d : dirs)
        if (const QFileInfo f(QDir(d).absoluteFilePath(QStringLiteral("user-guide.md"))); f.isFile())
            return f.absoluteFilePath();
    return {};
}

} // namespace zx
