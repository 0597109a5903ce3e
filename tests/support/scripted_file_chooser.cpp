#include "support/scripted_file_chooser.h"

namespace zx::test {

QStringList ScriptedFileChooser::openFiles(const QString &title, const QString &filter, bool)
{
    m_calls << Call{false, title, {}, filter};
    return m_open.isEmpty() ? QStringList() : m_open.takeFirst();
}

QString ScriptedFileChooser::saveFile(const QString &title, const QString &proposedName, const QString &filter)
{
    m_calls << Call{true, title, proposedName, filter};
    return m_save.isEmpty() ? QString() : m_save.takeFirst();
}

} // namespace zx::test
