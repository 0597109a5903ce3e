#include "export/link_setup_actions.h"

#include "export/excel_link.h"
#include "export/export_visibility.h"
#include "workbook/workbook.h"

namespace zx::xls {

bool LinkSetupActions::isLinked() const { return m_link.linked; }

bool LinkSetupActions::newWorkbook()
{
    const bool ok = m_link.excOpen(3) == 0;
    refresh();
    return ok;
}

void LinkSetupActions::openOwnWorkbook()
{
    if (m_hooks.openOwn)
        m_hooks.openOwn();
}

void LinkSetupActions::closeWorkbook()
{
    m_link.closeWorkbook();
    refresh();
}

void LinkSetupActions::applySetup(int sheetIndex)
{
    if (!m_link.linked || !m_link.writer())
        return;
    wb::Worksheet &ws = m_link.writer()->sheet(sheetIndex);
    const ExportOptions options = m_hooks.options ? m_hooks.options() : ExportOptions{};
    applyVisibility(ws, sheetIndex, options, m_link.identifierWidths(), ws.usedExtent().row);
    m_link.sheetChanged(sheetIndex);
    m_link.save(); // the shown and hidden columns are the workbook's, kept with it
}

QString LinkSetupActions::lastError() const { return m_link.lastError(); }

void LinkSetupActions::refresh()
{
    if (m_hooks.refreshMain)
        m_hooks.refreshMain();
}

} // namespace zx::xls
