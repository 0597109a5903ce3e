#pragma once
// frmStringLibrary (View > String Library): every string of the open CFiles (their current
// text) and of the CFiles of folders the user adds, one row each with its statistics and load,
// sorted by any column and filtered by a text matching any column. Folders are read on a
// worker thread (library/library_scan), so the window stays live, shows "n of m files" and
// the scan can be cancelled, keeping the rows read so far; files read before and unchanged
// come from the library's cache. A row opens its CFile with the
// caret on the string's first shot; the rows shown go out as CSV. The rows picked (any
// number, from any files) show as a ladder chart in the pane below the table.
#include "cfile/string_library.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace zx {

class CFileWorkspace;
class FileChooser;
class FrmMdi;
class LadderChart;
class LibraryScan;
class StringTable;

class FrmStringLibrary : public QWidget {
    Q_OBJECT
public:
    FrmStringLibrary(FrmMdi &mdi, CFileWorkspace &ws);
    ~FrmStringLibrary() override;

    // The folder and CSV dialogs (Qt's unless set; not owned).
    void setFileChooser(FileChooser *chooser) { m_chooser = chooser; }
    // cmdAddFolder: a folder's CFiles into the table, read in the background.
    void addFolder();
    void addFolder(const QString &folder);
    // cmdRescan: the added folders again (files changed since are read again).
    void rescan();
    void cancelScan();
    bool scanning() const;
    // The open CFiles' strings again (their text may have changed).
    void refreshOpen();
    // cmdOpenString: the current row's CFile, the caret on the string's first shot.
    void openCurrent();
    // cmdExportCsv: the shown rows into a CSV file the user names.
    void exportCsv();
    // cmdExportWorkbook: the shown rows into a workbook (.xlsx); a workbook another program
    // wrote is left as it is and the rows go into a copy beside it.
    void exportWorkbook();

Q_SIGNALS:
    // A file of the scan read (or found unreadable): done of total.
    void scanProgress(int done, int total);

protected:
    bool event(QEvent *e) override;

private:
    void showPickedLadder();
    void startScan(const QStringList &files);
    void fileRead(const LibraryRead &read, int done);
    void scanFinished();
    void openRow(int sourceRow);
    FileChooser &chooser();

    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    StringLibrary m_library;
    StringTable *m_table;
    QSortFilterProxyModel *m_proxy;
    QTableView *m_view;
    bool m_columnsFitted = false; // to their text, once
    QComboBox *m_ladderField;
    LadderChart *m_ladder;
    QLineEdit *m_filter;
    QLabel *m_scanLine;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    LibraryScan *m_scan;
    QStringList m_folders; // added, in order, for a rescan
    QStringList m_waiting; // files of folders added while a scan runs
    QStringList m_unreadable;
    int m_scanDone = 0, m_scanTotal = 0;
    FileChooser *m_chooser = nullptr;
    FileChooser *m_ownChooser = nullptr;
};

// Makes the window and its View menu entry (mnuViewStringLibrary), once.
FrmStringLibrary *installStringLibrary(FrmMdi &mdi);
FrmStringLibrary *stringLibraryWindow(FrmMdi &mdi);

} // namespace zx
