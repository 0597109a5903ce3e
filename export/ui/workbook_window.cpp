#include "export/ui/workbook_window.h"

namespace zx::xls {

WorkbookWindow::WorkbookWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmWorkbook"));
}

WorkbookWindow::~WorkbookWindow() = default;

void WorkbookWindow::showWorkbook(wb::Workbook &book, const QString &filePath, WorkbookEvents *events)
{
    m_book = &book;
    m_path = filePath;
    m_events = events;
    show();
    raise();
}

void WorkbookWindow::cellsChanged(int) {}

void WorkbookWindow::closeByProgram()
{
    m_book = nullptr;
    m_events = nullptr;
    hide();
}

} // namespace zx::xls
