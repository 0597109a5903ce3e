#pragma once
// The export options window's workbook buttons on a real workbook link: New makes a workbook,
// Open runs the caller's export into the user's own, Close saves and closes, and "Apply Setup
// to" shows or hides a sheet's columns and label rows and saves the workbook.
#include "export/export_options.h"
#include "export/export_setup_actions.h"

#include <functional>

namespace zx::xls {

class ExcelLink;

class LinkSetupActions : public ExportSetupActions {
public:
    struct Hooks {
        std::function<ExportOptions()> options; // the options the window edits
        std::function<void()> refreshMain;      // the main window's command state
        std::function<void()> openOwn;          // the export into the user's own workbook
    };
    LinkSetupActions(ExcelLink &link, Hooks hooks) : m_link(link), m_hooks(std::move(hooks)) {}

    bool isLinked() const override;
    bool newWorkbook() override;
    void openOwnWorkbook() override;
    void closeWorkbook() override;
    void applySetup(int sheetIndex) override;
    QString lastError() const override;

private:
    void refresh();
    ExcelLink &m_link;
    Hooks m_hooks;
};

} // namespace zx::xls
