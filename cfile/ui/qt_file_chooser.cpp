#include "cfile/ui/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace zx {

QString QtFileChooser::folder() const
{
    return m_folder ? m_folder() : QDir::currentPath();
}

QStringList QtFileChooser::openFiles(const QString &title, const QString &filter, bool multiple)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    if (multiple)
        return QFileDialog::getOpenFileNames(m_parent, title, folder(), qtFilter);
    const QString one = QFileDialog::getOpenFileName(m_parent, title, folder(), qtFilter);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

QString QtFileChooser::saveFile(const QString &title, const QString &proposedName, const QString &filter)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    // The dialog asks before it replaces a file; the document commands check the extension.
    return QFileDialog::getSaveFileName(m_parent, title, QDir(folder()).filePath(proposedName), qtFilter);
}

QString QtFileChooser::writeFile(const QString &title, const QString &proposedName, const QString &filter)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    return QFileDialog::getSaveFileName(m_parent, title, QDir(folder()).filePath(proposedName), qtFilter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtFileChooser::openFolder(const QString &title)
{
    return QFileDialog::getExistingDirectory(m_parent, title, folder());
}

} // namespace zx
