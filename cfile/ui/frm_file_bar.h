#pragma once
// frmFileBar: the file bar of the main window, a dock with the folder tree (tvwFolders) and the
// CFile-type files of the chosen folder (lstFiles, filtered by cboFileType). Activating a file
// hands its folder and name on; the folder is remembered by the caller.
#include <QDockWidget>

class QComboBox;
class QFileSystemModel;
class QListView;
class QTreeView;

namespace zx {

class FrmFileBar : public QDockWidget {
    Q_OBJECT
public:
    explicit FrmFileBar(QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString &path);

Q_SIGNALS:
    void folderChanged(const QString &path);
    void fileActivated(const QString &folder, const QString &name);
    void closedByUser(); // its close button (the main window closing only hides it)

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void applyFilter(int index);

    QFileSystemModel *m_dirs;
    QFileSystemModel *m_files;
    QTreeView *m_tree;
    QListView *m_list;
    QComboBox *m_type;
    QString m_folder;
};

} // namespace zx
