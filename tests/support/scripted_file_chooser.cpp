#include "support/scripted_file_chooser.h"

#include <QFileInfo>

namespace zx::test {

QStringList ScriptedFileChooser::openFiles(const QString &title, const QString &filter, bool)
{
    m_calls << Call{false, title, {}, filter};
    if (m_open.isEmpty())
        return {};
    const QStringList files = m_open.takeFirst();
    // An open dialog takes only files that are there: a name that is not is refused, and the
    // user can only cancel.
    for (const QString &f : files)
        if (!QFileInfo::exists(f)) {
            m_refused << f;
            return {};
        }
    return files;
}

QString ScriptedFileChooser::saveFile(const QString &title, const QString &proposedName, const QString &filter)
{
    m_calls << Call{true, title, proposedName, filter};
    return m_save.isEmpty() ? QString() : m_save.takeFirst();
}

QString ScriptedFileChooser::openFolder(const QString &title)
{
    m_calls << Call{false, title, {}, {}};
    return m_folders.isEmpty() ? QString() : m_folders.takeFirst();
}

} // namespace zx::test
