#include "export/ui/workbook_window.h"
#include "platform/crlf.h"

#include "cfile/ui/qt_file_chooser.h"
#include "export/export_settings_keys.h"
#include "export/sheet_model.h"
#include "export/ui/sheet_delegate.h"
#include "platform/app_title.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "workbook/xlsx_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace zx::xls {

namespace {

constexpr double kDefaultColumnWidth = 8.43; // characters
constexpr double kDefaultRowHeight = 12.75;  // points

} // namespace

WorkbookWindow::WorkbookWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmWorkbook"));
    setAttribute(Qt::WA_QuitOnClose, false);
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    auto *bar = new QHBoxLayout;
    m_address = new QLineEdit(central);
    m_address->setObjectName(QStringLiteral("txtCellAddress"));
    m_address->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("XFD1048576")) + 16);
    m_address->setToolTip(QStringLiteral("The current cell; type an address to go there"));
    auto *fx = new QLabel(QStringLiteral("<i>fx</i>"), central);
    fx->setContentsMargins(6, 0, 6, 0);
    m_formula = new QLineEdit(central);
    m_formula->setObjectName(QStringLiteral("txtFormula"));
    m_formula->setToolTip(QStringLiteral("The current cell's value or formula; Enter writes it"));
    bar->addWidget(m_address);
    bar->addWidget(fx);
    bar->addWidget(m_formula, 1);
    layout->addLayout(bar);
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("tabSheets"));
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("Ready"));
    buildMenus();

    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { showCurrentCell(); });
    connect(m_formula, &QLineEdit::returnPressed, this, [this] { commitFormulaLine(); });
    connect(m_address, &QLineEdit::returnPressed, this, [this] { goToAddress(); });
    resize(960, 640);
}

WorkbookWindow::~WorkbookWindow()
{
    // Before the base class closes the window: an open cell editor would commit into a
    // half-destroyed window.
    m_book = nullptr;
    clearPages();
}

void WorkbookWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuWbkFile"));
    const auto add = [this, file](const char *name, const QString &text, auto fn) {
        QAction *a = file->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    add("mnuWbkSave", QStringLiteral("&Save"), [this] { save(); })->setShortcut(QKeySequence::Save);
    add("mnuWbkSaveAs", QStringLiteral("Save &As..."), [this] { saveAs(); });
    add("mnuWbkOpenExternal", QStringLiteral("&Open in Spreadsheet Program"), [this] { openInSpreadsheetProgram(); });
    file->addSeparator();
    add("mnuWbkClose", QStringLiteral("&Close"), [this] { close(); });
}

void WorkbookWindow::setServices(Prompter *prompter, FileChooser *chooser)
{
    m_prompter = prompter;
    m_chooser = chooser;
}

void WorkbookWindow::setSettings(SettingsStore *store, const QString &app)
{
    m_store = store;
    m_app = app;
    m_placeRestored = false;
}

QString WorkbookWindow::bookName() const
{
    return m_path.isEmpty() ? QStringLiteral("Book1") : QFileInfo(m_path).fileName();
}

QTableView *WorkbookWindow::sheetView(int sheetIndex) const
{
    return sheetIndex >= 0 && sheetIndex < int(m_pages.size()) ? m_pages[std::size_t(sheetIndex)].view : nullptr;
}

int WorkbookWindow::currentSheet() const { return m_tabs->currentIndex(); }

int WorkbookWindow::columnPixels(double width) const
{
    // A width counts characters of the default font's digits plus the cell's padding.
    const int digit = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
    return int(std::lround((width < 0 ? kDefaultColumnWidth : width) * digit + 5));
}

int WorkbookWindow::rowPixels(double height) const
{
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return int(std::lround((height < 0 ? kDefaultRowHeight : height) * dpi / 72.0));
}

void WorkbookWindow::clearPages()
{
    // Out of m_pages first: removing tabs changes the current one, which looks at the pages.
    std::vector<Page> pages;
    pages.swap(m_pages);
    m_tabs->clear();
    for (Page &p : pages) {
        delete p.view;
        delete p.model;
    }
}

void WorkbookWindow::showWorkbook(wb::Workbook &book, const QString &filePath, WorkbookEvents *events)
{
    clearPages();
    const int activeSheet = book.activeSheet(); // building the tabs moves it
    m_book = &book;
    m_path = filePath;
    m_events = events;
    m_modified = false;
    QFont cellFont = font();
    cellFont.setPointSizeF(10);
    for (int i = 0; i < book.sheetCount(); ++i) {
        Page p;
        p.model = new SheetModel(book.sheet(i), this);
        p.model->setBaseFont(cellFont);
        p.view = new QTableView(m_tabs);
        p.view->setObjectName(QStringLiteral("grdSheet_%1").arg(i));
        p.view->setModel(p.model);
        p.view->setItemDelegate(new SheetDelegate(p.view));
        p.view->setFont(cellFont);
        p.view->setWordWrap(false);
        p.view->setCornerButtonEnabled(true);
        p.view->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
        p.view->setSelectionMode(QAbstractItemView::ContiguousSelection);
        p.view->horizontalHeader()->setDefaultSectionSize(columnPixels(-1));
        p.view->horizontalHeader()->setMinimumSectionSize(0);
        p.view->verticalHeader()->setDefaultSectionSize(rowPixels(-1));
        p.view->verticalHeader()->setMinimumSectionSize(0);
        p.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        p.view->horizontalHeader()->setHighlightSections(true);
        p.view->setStyleSheet(QStringLiteral("QTableView { gridline-color: #d4d4d4; }"));
        p.view->viewport()->installEventFilter(this);
        p.view->installEventFilter(this);
        connect(p.view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, i](const QModelIndex &ix) {
            // The cell the user moved to becomes the sheet's active cell, as in a spreadsheet.
            if (m_book && ix.isValid()) {
                m_book->sheet(i).setActiveCell({ix.row() + 1, ix.column() + 1});
                m_book->setActiveSheet(i);
            }
            showCurrentCell();
        });
        connect(p.view, &QTableView::clicked, this, [this](const QModelIndex &ix) {
            if (m_book && currentSheet() >= 0)
                openLink(m_book->sheet(currentSheet()).hyperlink(ix.row() + 1, ix.column() + 1));
        });
        connect(p.model, &SheetModel::inputRejected, this, [this](const QString &cell, const QString &why) {
            tell(QStringLiteral("The entry for cell %1 was not taken:").arg(cell) + kCrLf + why);
        });
        connect(p.model, &SheetModel::cellWritten, this, [this] { cellWritten(); });
        m_pages.push_back(std::move(p));
        m_tabs->addTab(m_pages.back().view, book.sheet(i).name());
        applyLayout(i);
        followActiveCell(i);
    }
    if (activeSheet >= 0 && activeSheet < book.sheetCount())
        m_tabs->setCurrentIndex(activeSheet);
    updateTitle();
    restorePlace();
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    showCurrentCell();
    // The grid has its size only once the window is laid out.
    QTimer::singleShot(0, this, [this] {
        if (QTableView *v = sheetView(currentSheet())) {
            v->scrollTo(v->currentIndex(), QAbstractItemView::PositionAtCenter);
            v->setFocus();
        }
    });
}

void WorkbookWindow::applyLayout(int sheetIndex)
{
    Page &p = m_pages[std::size_t(sheetIndex)];
    const wb::Worksheet &ws = p.model->sheet();
    QHeaderView *cols = p.view->horizontalHeader();
    for (int c = 1; c <= ws.lastFormattedColumn(); ++c) {
        const int px = columnPixels(ws.columnWidth(c));
        if (cols->sectionSize(c - 1) != px)
            cols->resizeSection(c - 1, px);
        if (p.view->isColumnHidden(c - 1) != ws.isColumnHidden(c))
            p.view->setColumnHidden(c - 1, ws.isColumnHidden(c));
    }
    // Rows: only those whose height or hidden flag differs from what the view was given.
    const int rows = ws.lastFormattedRow();
    const int defaultPx = rowPixels(-1);
    p.rowPixels.resize(std::size_t(std::max(rows, int(p.rowPixels.size()))), defaultPx);
    p.rowHidden.resize(p.rowPixels.size(), 0);
    for (int r = 1; r <= int(p.rowPixels.size()); ++r) {
        const std::size_t i = std::size_t(r - 1);
        const int px = r <= rows ? rowPixels(ws.rowHeight(r)) : defaultPx;
        const char hidden = r <= rows && ws.isRowHidden(r);
        if (p.rowPixels[i] != px) {
            p.view->verticalHeader()->resizeSection(r - 1, px);
            p.rowPixels[i] = px;
        }
        if (p.rowHidden[i] != hidden) {
            p.view->setRowHidden(r - 1, hidden);
            p.rowHidden[i] = hidden;
        }
    }
}

void WorkbookWindow::followActiveCell(int sheetIndex)
{
    Page &p = m_pages[std::size_t(sheetIndex)];
    const wb::CellAddr a = p.model->sheet().activeCell();
    const QModelIndex ix = p.model->index(a.row - 1, a.col - 1);
    if (!ix.isValid() || p.view->currentIndex() == ix)
        return;
    p.view->setCurrentIndex(ix);
    p.view->scrollTo(ix);
}

void WorkbookWindow::cellsChanged(int sheetIndex)
{
    if (!m_book || sheetIndex < 0 || sheetIndex >= int(m_pages.size()))
        return;
    m_modified = true;
    // Formulas of other sheets may read the written cells; repainting costs only what is visible.
    for (Page &p : m_pages)
        p.model->refresh();
    applyLayout(sheetIndex);
    if (m_tabs->currentIndex() != sheetIndex)
        m_tabs->setCurrentIndex(sheetIndex);
    followActiveCell(sheetIndex);
    updateTitle();
}

void WorkbookWindow::cellWritten()
{
    m_modified = true;
    for (Page &p : m_pages)
        p.model->refresh();
    showCurrentCell();
    updateTitle();
}

void WorkbookWindow::showCurrentCell()
{
    const int s = currentSheet();
    if (!m_book || s < 0 || s >= int(m_pages.size()))
        return;
    const QModelIndex ix = m_pages[std::size_t(s)].view->currentIndex();
    if (!ix.isValid()) {
        m_address->clear();
        m_formula->clear();
        return;
    }
    m_address->setText(wb::cellName(ix.row() + 1, ix.column() + 1));
    m_formula->setText(ix.data(Qt::EditRole).toString());
}

void WorkbookWindow::commitFormulaLine()
{
    const int s = currentSheet();
    if (!m_book || s < 0)
        return;
    QTableView *view = m_pages[std::size_t(s)].view;
    const QModelIndex ix = view->currentIndex();
    if (ix.isValid() && view->model()->setData(ix, m_formula->text()))
        view->setFocus();
}

void WorkbookWindow::goToAddress()
{
    const int s = currentSheet();
    wb::CellAddr a;
    if (!m_book || s < 0 || !wb::parseCellName(m_address->text().trimmed(), &a)) {
        showCurrentCell();
        return;
    }
    QTableView *view = m_pages[std::size_t(s)].view;
    const QModelIndex ix = view->model()->index(a.row - 1, a.col - 1);
    if (ix.isValid()) {
        view->setCurrentIndex(ix);
        view->scrollTo(ix);
        view->setFocus();
    }
}

bool WorkbookWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_book && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        // Delete empties the selected cells, as in a spreadsheet.
        if (auto *view = qobject_cast<QTableView *>(watched)) {
            const QModelIndexList cells = view->selectionModel()->selectedIndexes();
            for (const QModelIndex &ix : cells)
                view->model()->setData(ix, QString());
            return true;
        }
    }
    if (event->type() != QEvent::MouseButtonDblClick || !m_book)
        return QMainWindow::eventFilter(watched, event);
    const int s = currentSheet();
    if (s < 0 || watched != m_pages[std::size_t(s)].view->viewport())
        return QMainWindow::eventFilter(watched, event);
    QTableView *view = m_pages[std::size_t(s)].view;
    const QModelIndex ix = view->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
    if (!ix.isValid())
        return true;
    view->setCurrentIndex(ix);
    // The link may take the double-click for itself; then the cell is never edited.
    if (m_events && m_events->sheetBeforeDoubleClick(m_book->sheet(s).name(), ix.row() + 1, ix.column() + 1))
        return true;
    view->edit(ix);
    return true;
}

void WorkbookWindow::openLink(const QString &address)
{
    if (address.isEmpty() || !openUrl)
        return;
    QUrl url(address);
    if (url.scheme().size() < 2) { // a path ("C:\..." has a one-letter "scheme")
        QString path = address;
        if (!QFileInfo::exists(path))
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        url = QUrl::fromLocalFile(path);
    }
    if (!openUrl(url))
        tell(QStringLiteral("Cannot open ") + address);
}

bool WorkbookWindow::writeTo(const QString &path)
{
    const wb::XlsxResult r = wb::writeXlsx(*m_book, path);
    if (!r.ok) {
        tell(QStringLiteral("The workbook could not be saved as") + kCrLf + path + kCrLf + r.error + kCrLf
             + QStringLiteral("The file that was there is unchanged."));
        return false;
    }
    m_path = path;
    m_modified = false;
    updateTitle();
    statusBar()->showMessage(QStringLiteral("Saved ") + QDir::toNativeSeparators(path), 5000);
    if (m_events)
        m_events->workbookSaved(path); // Save As: the link goes on with the new file
    return true;
}

void WorkbookWindow::bookSaved(const QString &filePath)
{
    if (!m_book)
        return;
    m_path = filePath;
    m_modified = false;
    updateTitle();
}

bool WorkbookWindow::save()
{
    if (!m_book)
        return false;
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool WorkbookWindow::saveAs()
{
    if (!m_book)
        return false;
    QtFileChooser qtChooser(this);
    FileChooser &chooser = m_chooser ? *m_chooser : qtChooser;
    QString path = chooser.saveFile(QStringLiteral("Save Workbook As"), m_path.isEmpty() ? bookName() + QStringLiteral(".xlsx") : m_path,
                                    QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx|"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    return writeTo(path);
}

bool WorkbookWindow::openInSpreadsheetProgram()
{
    if (!m_book)
        return false;
    if ((m_modified || m_path.isEmpty()) && !save())
        return false;
    if (openUrl && openUrl(QUrl::fromLocalFile(m_path)))
        return true;
    tell(QStringLiteral("No spreadsheet program opened ") + QDir::toNativeSeparators(m_path));
    return false;
}

void WorkbookWindow::tell(const QString &text)
{
    statusBar()->showMessage(QString(text).replace(kCrLf, QStringLiteral(" ")), 10000);
    if (m_prompter) {
        m_prompter->inform(text, {}, MsgIcon::Exclamation);
        return;
    }
    QMessageBox::warning(this, appTitle(), text);
}

MsgAnswer WorkbookWindow::ask(const QString &question)
{
    if (m_prompter)
        return m_prompter->ask(question, MsgButtons::YesNoCancel, 3);
    const auto b = QMessageBox::question(this, appTitle(), question,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    return b == QMessageBox::Yes ? MsgAnswer::Yes : b == QMessageBox::No ? MsgAnswer::No : MsgAnswer::Cancel;
}

void WorkbookWindow::updateTitle()
{
    // The folder too: the user sees where the workbook is without a Save As.
    const QString where = m_path.isEmpty() ? QString()
                                           : QStringLiteral(" (") + QDir::toNativeSeparators(QFileInfo(m_path).absolutePath()) + u')';
    setWindowTitle(bookName() + (m_modified ? QStringLiteral("*") : QString()) + where + QStringLiteral(" - Workbook - ") + appTitle());
}

void WorkbookWindow::restorePlace()
{
    if (m_placeRestored || !m_store)
        return;
    m_placeRestored = true;
    namespace k = keys::frmWorkbook;
    bool ok[4] = {};
    const QRect r(m_store->readInt(m_app, k::PosWinX, &ok[0]), m_store->readInt(m_app, k::PosWinY, &ok[1]),
                  m_store->readInt(m_app, k::SizWinX, &ok[2]), m_store->readInt(m_app, k::SizWinY, &ok[3]));
    // Only a place that still lies on a screen (screens change between runs).
    if (ok[0] && ok[1] && ok[2] && ok[3] && r.width() > 100 && r.height() > 80 && QGuiApplication::screenAt(r.center())) {
        resize(r.size());
        move(r.topLeft());
    }
}

void WorkbookWindow::savePlace()
{
    if (!m_store || isMinimized() || isMaximized())
        return;
    namespace k = keys::frmWorkbook;
    m_store->writeInt(m_app, k::PosWinX, pos().x());
    m_store->writeInt(m_app, k::PosWinY, pos().y());
    m_store->writeInt(m_app, k::SizWinX, width());
    m_store->writeInt(m_app, k::SizWinY, height());
}

void WorkbookWindow::closeEvent(QCloseEvent *event)
{
    if (m_book && m_events) {
        // The user's close: changes since the last save are offered for saving first.
        if (m_modified) {
            const MsgAnswer a = ask(QStringLiteral("Do you want to save the changes you made to '") + bookName()
                                    + QStringLiteral("'?"));
            if (a == MsgAnswer::Cancel || (a == MsgAnswer::Yes && !save())) {
                event->ignore();
                return;
            }
        }
        WorkbookEvents *events = m_events;
        m_events = nullptr;
        const QString name = bookName();
        // The link drops the workbook on this event: nothing may refer to it afterwards.
        clearPages();
        m_book = nullptr;
        events->workbookBeforeClose(name);
    }
    savePlace();
    QMainWindow::closeEvent(event);
}

void WorkbookWindow::closeByProgram()
{
    m_events = nullptr; // no workbookBeforeClose for the program's own close
    if (isVisible())
        close();
    clearPages();
    m_book = nullptr;
    m_address->clear();
    m_formula->clear();
}

} // namespace zx::xls
