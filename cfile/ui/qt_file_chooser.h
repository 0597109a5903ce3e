#pragma once
// File dialogs with Qt's QFileDialog.
#include "cfile/file_chooser.h"

#include <functional>

class QWidget;

namespace zx {

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    QStringList openFiles(const QString &title, const QString &filter, bool multiple) override;
    QString saveFile(const QString &title, const QString &proposedName, const QString &filter) override;
    // The folder the dialogs start in (the working folder when none is given).
    void setFolder(std::function<QString()> folder) { m_folder = std::move(folder); }
    QString writeFile(const QString &title, const QString &proposedName, const QString &filter) override;
    QString openFolder(const QString &title) override;

private:
    QString folder() const;

    QWidget *m_parent;
    std::function<QString()> m_folder;
};

} // namespace zx
