#pragma once
// The remote control panel's Download page without its widgets: the source (current string,
// current folder, whole eDisk) and destination ("Buffer", "CFile - Zentrix", "Excel
// Spreadsheet") choices, the CFile to download into (a new one by name, or an open one from
// the list, the active one marked "(Current)"; a new one lives in the folder of new CFiles),
// and cmdDownload, which runs the download
// operation inside the one-chronograph-task guard.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zx {

class CFileDoc;
class CFileManager;
class CroTask;
class Prompter;
class RemoteOps;

class PanelDownload {
public:
    enum Destination { Buffer = 0, CFile = 1, Excel = 2 };

    PanelDownload(RemoteOps &ops, CroTask &task, CFileManager &files, Prompter &prompter);

    // Makes doc the active CFile window (the workspace does it); refresh: the main window.
    std::function<void(CFileDoc *)> activate;
    std::function<void()> refresh;
    // The "Excel Spreadsheet" destination: the workbook export of the scope (1..3), which
    // downloads through its own guarded path; its result (0 success). Unset: not offered.
    std::function<int(int scope)> exportToExcel;

    static QStringList sourceNames();        // the scope names of the download
    static QStringList destinationNames();   // "Buffer", "CFile - Zentrix", "Excel Spreadsheet"

    // The open CFiles as the list shows them; "No Active CFiles" alone when none is open.
    QStringList cfileChoices() const;
    // The CFile behind row `row` of cfileChoices(), or null.
    CFileDoc *cfileAt(int row) const;
    // True (and the refusal shown) when a CFile of that name is already open, or when the file
    // a new CFile of that name would be saved as (path) is already on disk.
    bool nameTaken(const QString &name, const QString &path) const;

    // source 0..2 (-1 none), destination as above (-1 none); newName: a CFile to create,
    // else picked: an open CFile to download into. Returns the download's code (0 success),
    // -1 when nothing was sent.
    int cmdDownload(int source, int destination, const QString &newName, CFileDoc *picked);

private:
    RemoteOps &m_ops;
    CroTask &m_task;
    CFileManager &m_files;
    Prompter &m_prompter;
};

} // namespace zx
