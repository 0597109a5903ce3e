#pragma once
// The Download page of the remote control panel: source and destination options
// (optDwnSrc_0..2, optDwnDes_0..2), the new CFile's name (txtDwnDesCFile), the open CFiles
// (lstDwnDesCFile) and cmdDownload, forwarding to PanelDownload.
#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QListWidget;

namespace zx {

class CFileDoc;
class CFileManager;
class PanelDownload;

class DownloadPage : public QWidget {
    Q_OBJECT
public:
    DownloadPage(PanelDownload &logic, CFileManager &files, QWidget *parent = nullptr);
    // The CFile list brought in line with the open CFiles; the picked CFile stays picked (no
    // pick when it closed).
    void fillCFiles();

private:
    void download();

    PanelDownload &m_logic;
    QButtonGroup *m_source = nullptr;
    QButtonGroup *m_destination = nullptr;
    QLineEdit *m_name = nullptr;
    QListWidget *m_cfiles = nullptr;
    QPointer<CFileDoc> m_chosen;   // the CFile picked in the list, whatever row it moves to
    bool m_filling = false;
};

} // namespace zx
