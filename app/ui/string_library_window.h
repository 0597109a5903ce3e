#pragma once
// frmStringLibrary (View > String Library): every string of the open CFiles (their current
// text) and of the CFiles of folders the user adds, one row each with its statistics and load,
// sorted by any column and filtered by a text matching any column. A folder is read one file
// per turn of the event loop, so the window stays live and the scan can be cancelled; files
// read before and unchanged come from the library's cache. A row opens its CFile with the
// caret on the string's first shot; the rows shown go out as CSV.
#include "cfile/string_library.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace zx {

class CFileWorkspace;
class FileChooser;
class FrmMdi;
class StringTable;

class FrmStringLibrary : public QWidget {
    Q_OBJECT
public:
    FrmStringLibrary(FrmMdi &mdi, CFileWorkspace &ws);
    ~FrmStringLibrary() override;

    // The folder and CSV dialogs (Qt's unless set; not owned).
    void setFileChooser(FileChooser *chooser) { m_chooser = chooser; }
    // cmdAddFolder: a folder's CFiles into the table, in steps.
    void addFolder();
    void addFolder(const QString &folder);
    void cancelScan();
    bool scanning() const { return m_scan.isActive(); }
    // The open CFiles' strings again (their text may have changed).
    void refreshOpen();
    // cmdOpenString: the current row's CFile, the caret on the string's first shot.
    void openCurrent();
    // cmdExportCsv: the shown rows into a CSV file the user names.
    void exportCsv();

protected:
    bool event(QEvent *e) override;

private:
    void scanStep();
    void openRow(int sourceRow);
    FileChooser &chooser();

    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    StringLibrary m_library;
    StringTable *m_table;
    QSortFilterProxyModel *m_proxy;
    QTableView *m_view;
    QLineEdit *m_filter;
    QLabel *m_scanLine;
    QPushButton *m_cancel;
    QTimer m_scan;
    QStringList m_pending;
    QStringList m_unreadable;
    int m_scanTotal = 0;
    FileChooser *m_chooser = nullptr;
    FileChooser *m_ownChooser = nullptr;
};

// Makes the window and its View menu entry (mnuViewStringLibrary), once.
FrmStringLibrary *installStringLibrary(FrmMdi &mdi);
FrmStringLibrary *stringLibraryWindow(FrmMdi &mdi);

} // namespace zx
