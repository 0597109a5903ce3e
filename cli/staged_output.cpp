#include "cli/staged_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zx::cli {

StagedOutput::StagedOutput(const QString &target) : m_target(QFileInfo(target).absoluteFilePath()) {}

StagedOutput::~StagedOutput()
{
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
}

bool StagedOutput::prepare()
{
    const QFileInfo target(m_target);
    const QString where = QDir::toNativeSeparators(m_target) + QStringLiteral(": ");
    if (target.isDir()) {
        m_error = where + QStringLiteral("is a folder");
        return false;
    }
    // The same folder as the target: the final rename never crosses file systems.
    QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        m_error = where + reserve.errorString();
        return false;
    }
    m_temp = reserve.fileName();
    return true;
}

bool StagedOutput::commit()
{
    if (m_temp.isEmpty())
        return false;
    const QFileInfo target(m_target);
    QFile::setPermissions(m_temp, target.exists() ? QFile::permissions(m_target)
                                                  : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                        | QFile::ReadOther);
    if (std::rename(QFile::encodeName(m_temp).constData(), QFile::encodeName(m_target).constData()) != 0) {
        m_error = QDir::toNativeSeparators(m_target) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_temp.clear();
    return true;
}

} // namespace zx::cli
