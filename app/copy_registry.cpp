#include "app/copy_registry.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace zx {

CopyRegistry::CopyRegistry(const QString &programFile, const QString &settingsFolder)
{
    const QByteArray key = QFileInfo(programFile).absoluteFilePath().toUtf8() + '\n'
        + QDir(settingsFolder).absolutePath().toUtf8();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    const QString base = qEnvironmentVariableIsSet("ZX_RUNTIME_DIR") ? qEnvironmentVariable("ZX_RUNTIME_DIR")
                                                                     : QDir::tempPath();
    m_folder = QDir(base).filePath(QStringLiteral("zentrix-copies-") + hash);
}

CopyRegistry::~CopyRegistry() = default;

bool CopyRegistry::registerAndCheck()
{
    QDir dir(m_folder);
    if (!dir.exists() && !QDir().mkpath(m_folder))
        return false;   // no place to coordinate: behave as the only copy
    const QString ownName = QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".lock");
    m_own = std::make_unique<QLockFile>(dir.filePath(ownName));
    m_own->setStaleLockTime(0);   // only a dead process makes a lock stale, never its age
    m_own->tryLock(0);

    bool other = false;
    const QStringList locks = dir.entryList({QStringLiteral("*.lock")}, QDir::Files);
    for (const QString &name : locks) {
        if (name == ownName)
            continue;
        QLockFile probe(dir.filePath(name));
        probe.setStaleLockTime(0);
        if (probe.tryLock(0)) {
            probe.unlock();   // its process is gone: tidy up
        } else if (probe.error() == QLockFile::LockFailedError) {
            other = true;
        }
    }
    return other;
}

} // namespace zx
