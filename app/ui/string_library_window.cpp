#include "app/ui/string_library_window.h"

#include "app/app_context.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/ladder_chart.h"
#include "app/ui/ladder_field_box.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/shot_strings.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/qt_file_chooser.h"
#include "export/excel_link.h"
#include "library/library_scan.h"
#include "library/table_workbook.h"
#include "library/string_table.h"
#include "platform/prompter.h"
#include "platform/save_file.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "workbook/xlsx_origin.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

namespace zx {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

FrmStringLibrary::FrmStringLibrary(FrmMdi &mdi, CFileWorkspace &ws)
    : QWidget(&mdi, Qt::Window), m_mdi(mdi), m_ws(ws), m_table(new StringTable(this)),
      m_proxy(new QSortFilterProxyModel(this)), m_view(new QTableView(this)),
      m_ladderField(makeLadderFieldBox(this, QStringLiteral("cboLibraryLadderField"))), m_ladder(new LadderChart(this)),
      m_filter(new QLineEdit(this)),
      m_scanLine(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_cancel(button(this, "cmdCancelScan", QStringLiteral("Cancel"))), m_scan(new LibraryScan(this))
{
    setObjectName(QStringLiteral("frmStringLibrary"));
    setWindowTitle(QStringLiteral("String Library"));
    resize(1040, 760); // the table's main columns and a ladder whose axis titles read

    m_proxy->setSourceModel(m_table);
    m_proxy->setSortRole(StringTable::kSortRole);
    m_proxy->setFilterKeyColumn(-1); // any column
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_view->setObjectName(QStringLiteral("tblStrings"));
    m_view->setModel(m_proxy);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(-1, Qt::AscendingOrder); // the files' order until a header is clicked
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection); // the strings of the ladder
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(false); // one line a row, long tags elided (the full text in the filter's reach)
    m_view->setTextElideMode(Qt::ElideRight);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        openRow(m_proxy->mapToSource(i).row());
    });

    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter: text in any column"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);

    QPushButton *add = button(this, "cmdAddFolder", QStringLiteral("Add &Folder..."));
    QPushButton *again = button(this, "cmdRescan", QStringLiteral("&Rescan"));
    QPushButton *open = button(this, "cmdOpenString", QStringLiteral("&Open String"));
    QPushButton *csv = button(this, "cmdExportCsv", QStringLiteral("Export &CSV..."));
    connect(add, &QPushButton::clicked, this, qOverload<>(&FrmStringLibrary::addFolder));
    connect(again, &QPushButton::clicked, this, &FrmStringLibrary::rescan);
    connect(open, &QPushButton::clicked, this, &FrmStringLibrary::openCurrent);
    connect(csv, &QPushButton::clicked, this, &FrmStringLibrary::exportCsv);
    QPushButton *book = button(this, "cmdExportWorkbook", QStringLiteral("Export &Workbook..."));
    connect(book, &QPushButton::clicked, this, &FrmStringLibrary::exportWorkbook);
    connect(m_cancel, &QPushButton::clicked, this, &FrmStringLibrary::cancelScan);
    m_scanLine->setObjectName(QStringLiteral("lblScan"));
    m_progress->setObjectName(QStringLiteral("prgScan"));
    m_progress->setFormat(QStringLiteral("%v of %m files"));
    m_progress->hide();
    m_cancel->setEnabled(false);

    auto *top = new QHBoxLayout;
    top->addWidget(m_filter, 1);
    top->addWidget(add);
    top->addWidget(again);
    top->addWidget(open);
    top->addWidget(csv);
    top->addWidget(book);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_scanLine, 1);
    bottom->addWidget(m_progress);
    bottom->addWidget(m_cancel);
    auto *box = new QVBoxLayout(this);
    box->addLayout(top);
    // The ladder of the picked rows below the table, its field chosen above it.
    m_ladder->setObjectName(QStringLiteral("chtLibraryLadder"));
    m_ladder->setWarn([this](const QString &text) { m_mdi.context().prompter->inform(text, QStringLiteral("Save Chart")); });
    auto *pane = new QWidget(this);
    auto *paneBox = new QVBoxLayout(pane);
    paneBox->setContentsMargins(0, 0, 0, 0);
    paneBox->addWidget(m_ladderField, 0, Qt::AlignLeft);
    paneBox->addWidget(m_ladder, 1);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_view);
    split->addWidget(pane);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3); // the chart is what the picking is for
    box->addWidget(split, 1);
    box->addLayout(bottom);

    connect(m_scan, &LibraryScan::fileRead, this, [this](const LibraryRead &r, int done) { fileRead(r, done); });
    connect(m_scan, &LibraryScan::finished, this, &FrmStringLibrary::scanFinished);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &FrmStringLibrary::showPickedLadder);
    connect(m_ladderField, &QComboBox::currentIndexChanged, this, &FrmStringLibrary::showPickedLadder);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &FrmStringLibrary::showPickedLadder);
    // Columns as wide as their text, once rows are in (a width the user dragged then stays): the
    // short numbers leave room for the load's columns; a long tag is elided.
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] {
        if (m_columnsFitted || m_proxy->rowCount() == 0)
            return;
        m_columnsFitted = true;
        m_view->resizeColumnsToContents();
        const int most = m_view->fontMetrics().averageCharWidth() * 24;
        for (int c = 0; c < m_proxy->columnCount(); ++c)
            m_view->setColumnWidth(c, std::min(m_view->columnWidth(c), most));
    });
    connect(&ws.files(), &CFileManager::docsChanged, this, &FrmStringLibrary::refreshOpen);
    refreshOpen();
}

FrmStringLibrary::~FrmStringLibrary() { delete m_ownChooser; }

FileChooser &FrmStringLibrary::chooser()
{
    if (m_chooser)
        return *m_chooser;
    if (!m_ownChooser)
        m_ownChooser = new QtFileChooser(this);
    return *m_ownChooser;
}

bool FrmStringLibrary::event(QEvent *e)
{
    // Back in the window after typing in a CFile: its strings as they are now.
    if (e->type() == QEvent::WindowActivate)
        refreshOpen();
    return QWidget::event(e);
}

void FrmStringLibrary::refreshOpen()
{
    std::vector<LibraryRow> rows;
    for (CFileDoc *doc : m_ws.files().docs()) {
        const auto more = libraryRows(doc->caption(), doc->document()->toPlainText().split(u'\n'));
        rows.insert(rows.end(), more.begin(), more.end());
    }
    m_table->setOpenRows(std::move(rows));
}

void FrmStringLibrary::addFolder()
{
    const QString folder = chooser().openFolder(QStringLiteral("Add a Folder of CFiles"));
    if (!folder.isEmpty())
        addFolder(folder);
}

void FrmStringLibrary::addFolder(const QString &folder)
{
    if (!m_folders.contains(folder))
        m_folders << folder;
    const QStringList files = cfilesAt(folder);
    if (scanning()) {
        m_waiting << files;
        m_scanTotal += int(files.size());
        m_progress->setMaximum(m_scanTotal);
        return;
    }
    m_scanDone = 0;
    m_scanTotal = int(files.size());
    m_unreadable.clear();
    startScan(files);
}

void FrmStringLibrary::rescan()
{
    cancelScan();
    m_table->clearScanned();
    const QStringList folders = m_folders;
    for (const QString &folder : folders)
        addFolder(folder);
}

bool FrmStringLibrary::scanning() const { return m_scan->running(); }

void FrmStringLibrary::startScan(const QStringList &files)
{
    m_cancel->setEnabled(true);
    m_progress->setRange(0, std::max(1, m_scanTotal));
    m_progress->setValue(m_scanDone);
    m_progress->show();
    m_scanLine->setText(QStringLiteral("Reading %1 files...").arg(m_scanTotal));
    m_scan->start(files, m_library.entries(files)); // the worker gets copies; reads come back here
}

void FrmStringLibrary::fileRead(const LibraryRead &read, int)
{
    m_library.keep(read);
    if (read.ok)
        m_table->addScannedRows(read.entry.rows);
    else
        m_unreadable << read.path + QStringLiteral(": ") + read.error;
    ++m_scanDone;
    m_progress->setValue(m_scanDone);
    m_scanLine->setText(QStringLiteral("Reading %1 of %2 files: %3")
                            .arg(m_scanDone)
                            .arg(m_scanTotal)
                            .arg(QFileInfo(read.path).fileName()));
    Q_EMIT scanProgress(m_scanDone, m_scanTotal);
}

void FrmStringLibrary::scanFinished()
{
    if (!m_waiting.isEmpty()) { // folders added meanwhile
        const QStringList next = std::exchange(m_waiting, {});
        startScan(next);
        return;
    }
    m_cancel->setEnabled(false);
    m_progress->hide();
    QString text = QStringLiteral("%1 strings; %2 files read").arg(m_table->rowCount()).arg(m_scanTotal);
    if (!m_unreadable.isEmpty())
        text += QStringLiteral("; not read: ") + m_unreadable.join(QStringLiteral("; "));
    m_scanLine->setText(text);
}

void FrmStringLibrary::cancelScan()
{
    if (!scanning())
        return;
    m_scan->cancel(); // the rows read so far stay
    m_waiting.clear();
    m_cancel->setEnabled(false);
    m_progress->hide();
    m_scanLine->setText(QStringLiteral("Cancelled after %1 of %2 files").arg(m_scanDone).arg(m_scanTotal));
}

void FrmStringLibrary::showPickedLadder()
{
    // In the table's order, not the order of picking: the first shown row gives the units.
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<LibraryRow> picked;
    for (const QModelIndex &i : rows)
        picked.push_back(m_table->row(m_proxy->mapToSource(i).row()));
    m_ladder->show(buildLadder(picked, ladderFieldOf(*m_ladderField)));
}

void FrmStringLibrary::openCurrent()
{
    const QModelIndex i = m_view->currentIndex();
    if (i.isValid())
        openRow(m_proxy->mapToSource(i).row());
}

void FrmStringLibrary::openRow(int sourceRow)
{
    if (sourceRow < 0 || sourceRow >= m_table->rowCount())
        return;
    const LibraryRow row = m_table->row(sourceRow); // a copy: opening refreshes the table
    CFileManager &files = m_ws.files();
    const QString wanted = QFileInfo(row.path).absoluteFilePath();
    CFileDoc *doc = nullptr;
    for (CFileDoc *d : files.docs())
        if (d->caption() == row.path || QFileInfo(d->caption()).absoluteFilePath() == wanted)
            doc = d;
    if (doc) {
        m_ws.activateDoc(doc);
    } else {
        const QFileInfo info(row.path);
        files.openFromFileBar(info.absolutePath(), info.fileName());
        doc = files.active();
        if (!doc || QFileInfo(doc->caption()).absoluteFilePath() != wanted)
            return; // the manager told the user why it did not open
    }
    const auto strings = findShotStrings(doc->document()->toPlainText().split(u'\n'));
    if (row.string < 1 || std::size_t(row.string) > strings.size())
        return; // the text changed since the table was made
    doc->setCaret(QTextCursor(doc->document()->findBlockByNumber(strings[std::size_t(row.string - 1)].firstLine)));
}

void FrmStringLibrary::exportCsv()
{
    Prompter &prompter = *m_mdi.context().prompter;
    QString path = chooser().saveFile(QStringLiteral("Export the String Library as CSV"), QStringLiteral("strings.csv"),
                                      QStringLiteral("CSV files (*.csv)|*.csv|"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    QString error;
    if (!writeWholeFile(path, tableCsv(*m_proxy), &error))
        prompter.inform(QStringLiteral("Could not write ") + path + QStringLiteral(":\r\n") + error,
                        QStringLiteral("Export CSV"));
}

void FrmStringLibrary::exportWorkbook()
{
    Prompter &prompter = *m_mdi.context().prompter;
    const QString wanted = chooser().saveFile(QStringLiteral("Export the String Library as a Workbook"),
                                              QStringLiteral("strings.xlsx"), QStringLiteral("Workbooks (*.xlsx)|*.xlsx|"));
    if (wanted.isEmpty())
        return;
    QString path = wanted.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ? wanted : wanted + QStringLiteral(".xlsx");
    const QString source = path;
    const bool foreign = QFileInfo(path).isFile() && !wb::writtenByThisProgram(path);
    if (foreign)
        path = xls::copyBesidePath(path);
    const wb::XlsxResult r = wb::writeXlsx(*tableWorkbook(*m_proxy), path);
    if (!r.ok) {
        prompter.inform(QStringLiteral("Could not write ") + path + QStringLiteral(":\r\n") + r.error,
                        QStringLiteral("Export Workbook"));
        return;
    }
    if (foreign)
        prompter.inform(QFileInfo(source).fileName() + QStringLiteral(" was made by another program: Zentrix leaves it as it is.")
                            + QStringLiteral("\r\nThe strings are saved in the copy\r\n\t") + QFileInfo(path).fileName()
                            + QStringLiteral("\r\nin the same folder."),
                        QStringLiteral("Export Workbook"));
}

FrmStringLibrary *installStringLibrary(FrmMdi &mdi)
{
    if (FrmStringLibrary *w = stringLibraryWindow(mdi))
        return w;
    CFileWorkspace *ws = cfileWorkspace(mdi);
    if (!ws || !mdi.context().prompter)
        return nullptr;
    auto *w = new FrmStringLibrary(mdi, *ws);
    if (QMenu *view = mdi.menuNamed(QStringLiteral("mnuView"))) {
        QAction *show = view->addAction(QStringLiteral("Strin&g Library"));
        show->setObjectName(QStringLiteral("mnuViewStringLibrary"));
        QObject::connect(show, &QAction::triggered, w, [w] {
            w->refreshOpen();
            w->show();
            w->raise();
            w->activateWindow();
        });
    }
    return w;
}

FrmStringLibrary *stringLibraryWindow(FrmMdi &mdi)
{
    return mdi.findChild<FrmStringLibrary *>(QStringLiteral("frmStringLibrary"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
