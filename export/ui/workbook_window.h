#pragma once
// The workbook window: stands in for Excel's window over the program's own workbook. One tab
// per sheet with a grid of computed values in their formats, the current cell's address and
// formula above the grid, editing, hyperlinks, Save/Save As, and the two events the link
// listens to (a double-click on a cell, the user closing the workbook).
#include "export/workbook_view.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <vector>

class QLineEdit;
class QTabWidget;
class QTableView;

namespace zx {
class FileChooser;
class Prompter;
class SettingsStore;
enum class MsgAnswer;
} // namespace zx

namespace zx::xls {

class SheetModel;

class WorkbookWindow : public QMainWindow, public WorkbookView {
    Q_OBJECT
public:
    explicit WorkbookWindow(QWidget *parent = nullptr);
    ~WorkbookWindow() override;

    // Message boxes and the Save As dialog (Qt's own when none is given); where the window's
    // place is kept (section frmWorkbook).
    void setServices(Prompter *prompter, FileChooser *chooser);
    void setSettings(SettingsStore *store, const QString &app);
    // Opens hyperlinks and the saved file (QDesktopServices by default).
    std::function<bool(const QUrl &)> openUrl;

    void showWorkbook(wb::Workbook &book, const QString &filePath, WorkbookEvents *events) override;
    void cellsChanged(int sheetIndex) override;
    void closeByProgram() override;
    void bookSaved(const QString &filePath) override;

    // The name the workbook goes by: its file's name, "Book1" before it is saved.
    QString bookName() const;
    const QString &filePath() const { return m_path; }
    bool isModified() const { return m_modified; }
    QTableView *sheetView(int sheetIndex) const;

    // File menu: false when nothing was written (cancelled or failed, with a message).
    bool save();
    bool saveAs();
    bool openInSpreadsheetProgram();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Page {
        QTableView *view = nullptr;
        SheetModel *model = nullptr;
        std::vector<int> rowPixels;   // what the view was given, to touch only what changed
        std::vector<char> rowHidden;
    };
    void buildMenus();
    void clearPages();
    void applyLayout(int sheetIndex);
    void followActiveCell(int sheetIndex);
    void showCurrentCell();
    void commitFormulaLine();
    void goToAddress();
    void cellWritten();
    void openLink(const QString &address);
    bool writeTo(const QString &path);
    void tell(const QString &text);
    MsgAnswer ask(const QString &question); // Yes/No/Cancel, Cancel preselected
    void updateTitle();
    void restorePlace();
    void savePlace();
    int columnPixels(double width) const;
    int rowPixels(double height) const;
    int currentSheet() const;

    wb::Workbook *m_book = nullptr;
    WorkbookEvents *m_events = nullptr;
    QString m_path;
    bool m_modified = false;
    bool m_placeRestored = false;
    Prompter *m_prompter = nullptr;
    FileChooser *m_chooser = nullptr;
    SettingsStore *m_store = nullptr;
    QString m_app;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_formula = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::vector<Page> m_pages;
};

} // namespace zx::xls
