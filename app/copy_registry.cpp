#include "app/copy_registry.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace zx {
namespace {
constexpr const char *kRecordsLock = "records.lock";
}

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
        if (name == ownName || name == QLatin1String(kRecordsLock))
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

bool CopyRegistry::lockRecords(int timeoutMs)
{
    if (!QDir().mkpath(m_folder))
        return false;
    m_records = std::make_unique<QLockFile>(QDir(m_folder).filePath(QLatin1String(kRecordsLock)));
    m_records->setStaleLockTime(0);   // held only while a copy starts; stale only when its process died
    if (m_records->tryLock(timeoutMs))
        return true;
    m_records.reset();
    return false;
}

void CopyRegistry::unlockRecords()
{
    if (m_records)
        m_records->unlock();
    m_records.reset();
}

} // namespace zx
