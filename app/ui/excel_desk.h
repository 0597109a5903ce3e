#pragma once
// The main window's side of the workbook link: the link itself over the program's own
// workbook window, the Chrono menu's link and export commands, the File menu's CFile export,
// the remote panel's export button, the receive path's workbook queue, and the release at
// exit. Owned by the main window.
#include <QObject>
#include <QPointer>

#include <memory>

namespace zx {

class ChronoDesk;
class FrmMdi;

namespace xls {
class ExcelLink;
class ExportSetupActions;
class WorkbookWindow;
} // namespace xls

class ExcelDesk : public QObject {
    Q_OBJECT
public:
    ExcelDesk(FrmMdi &mdi, ChronoDesk &desk);
    ~ExcelDesk() override;

    xls::ExcelLink &link();
    // Export(workbook mode, source kind, sheet, type) inside the chronograph task guard; the
    // menus pass mode 3 (a new workbook), the options window's Open mode 1 (the user's own).
    int runExport(int sourceKind, int sheet, int type, int mode = 3);
    // What the export options window's workbook buttons do with this link.
    xls::ExportSetupActions &setupActions();
    // The menu's link on (true) or off, after the chronograph availability check.
    void setLink(bool on);

private:
    struct Parts;
    FrmMdi &m_mdi;
    QPointer<ChronoDesk> m_desk;
    QPointer<xls::WorkbookWindow> m_window;
    std::unique_ptr<Parts> m_parts;
};

// Installed once the chronograph side exists; found again by the main window's refresh.
ExcelDesk *installExcelDesk(FrmMdi &mdi);
ExcelDesk *excelDesk(FrmMdi &mdi);

} // namespace zx
