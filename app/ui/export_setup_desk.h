#pragma once
// The main window's side of the export options: the options themselves (loaded at start, read
// by the export), the window frmExpSet with its logic, and the menu entries that open it
// (mnuRemExpSetup in the Chrono menu, mnuExcLinkSetup in the Excel menu).
#include <QObject>
#include <QPointer>

#include <memory>

namespace zx {

class FrmMdi;

namespace xls {
class ExportSetup;
class ExportSetupActions;
class FrmExpSet;
struct ExportOptions;
} // namespace xls

class ExportSetupDesk : public QObject {
    Q_OBJECT
public:
    explicit ExportSetupDesk(FrmMdi &mdi);
    ~ExportSetupDesk() override;

    xls::ExportOptions &options();
    xls::ExportSetup &setup();
    xls::FrmExpSet *window() const;
    // The workbook link's buttons; until it is set, nothing is ever linked.
    void setActions(xls::ExportSetupActions &actions);
    void open();

private:
    struct Parts;
    FrmMdi &m_mdi;
    std::unique_ptr<Parts> m_parts;
    QPointer<xls::FrmExpSet> m_window;
};

// Splash step: options loaded, menu entries added.
ExportSetupDesk *installExportSetup(FrmMdi &mdi);
ExportSetupDesk *exportSetupDesk(FrmMdi &mdi);

} // namespace zx
