#pragma once
// The workbook window: stands in for Excel's window over the program's own workbook.
#include "export/workbook_view.h"

#include <QMainWindow>

namespace zx::xls {

class WorkbookWindow : public QMainWindow, public WorkbookView {
    Q_OBJECT
public:
    explicit WorkbookWindow(QWidget *parent = nullptr);
    ~WorkbookWindow() override;

    void showWorkbook(wb::Workbook &book, const QString &filePath, WorkbookEvents *events) override;
    void cellsChanged(int sheetIndex) override;
    void closeByProgram() override;

private:
    wb::Workbook *m_book = nullptr;
    WorkbookEvents *m_events = nullptr;
    QString m_path;
};

} // namespace zx::xls
