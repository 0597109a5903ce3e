#pragma once
// File dialogs with Qt's QFileDialog.
#include "cfile/file_chooser.h"

class QWidget;

namespace zx {

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    QStringList openFiles(const QString &title, const QString &filter, bool multiple) override;
    QString saveFile(const QString &title, const QString &proposedName, const QString &filter) override;
    QString writeFile(const QString &title, const QString &proposedName, const QString &filter) override;

private:
    QWidget *m_parent;
};

} // namespace zx
