#pragma once
// What the export options window asks of the workbook link: make, open and close the linked
// workbook and apply the column and row visibility to one of its sheets. The link implements
// it; until a link exists the desktop hands over one that is never linked.
#include <QString>

namespace zx::xls {

class ExportSetupActions {
public:
    virtual ~ExportSetupActions() = default;
    virtual bool isLinked() const = 0;
    // Connects and prepares a new workbook; false when the connection failed.
    virtual bool newWorkbook() = 0;
    // Runs the export of the "Capture" sheet into the user's own workbook.
    virtual void openOwnWorkbook() = 0;
    // Saves and closes the linked workbook (as the program's own close).
    virtual void closeWorkbook() = 0;
    // Shows or hides the columns and label rows of sheet `sheetIndex` (1 to 5) by the options.
    virtual void applySetup(int sheetIndex) = 0;
    // Why the last request failed, in words for a message ("" when there is nothing to say).
    virtual QString lastError() const { return {}; }
};

// No workbook is ever linked: every request finds nothing to act on.
class UnlinkedSetupActions : public ExportSetupActions {
public:
    bool isLinked() const override { return false; }
    bool newWorkbook() override { return false; }
    void openOwnWorkbook() override {}
    void closeWorkbook() override {}
    void applySetup(int) override {}
};

} // namespace zx::xls
