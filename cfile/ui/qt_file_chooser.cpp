#include "cfile/ui/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace zx {

QStringList QtFileChooser::openFiles(const QString &title, const QString &filter, bool multiple)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    if (multiple)
        return QFileDialog::getOpenFileNames(m_parent, title, QDir::currentPath(), qtFilter);
    const QString one = QFileDialog::getOpenFileName(m_parent, title, QDir::currentPath(), qtFilter);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

QString QtFileChooser::saveFile(const QString &title, const QString &proposedName, const QString &filter)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    // The document commands check the extension themselves; no overwrite question of our own.
    return QFileDialog::getSaveFileName(m_parent, title, QDir::current().filePath(proposedName), qtFilter);
}

QString QtFileChooser::writeFile(const QString &title, const QString &proposedName, const QString &filter)
{
    const QString qtFilter = filterLabels(filter).join(QStringLiteral(";;"));
    return QFileDialog::getSaveFileName(m_parent, title, QDir::current().filePath(proposedName), qtFilter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace zx
