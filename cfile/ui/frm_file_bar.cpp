#include "cfile/ui/frm_file_bar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace zx {

namespace {
// The file types CFiles open from, as the file dialogs offer them.
const struct {
    const char *text;
    const char *patterns;
} kTypes[] = {
    {"CFiles (*.rtf *.cap *.txt *.log)", "*.rtf *.cap *.txt *.log"},
    {"RichText (*.rtf *.cap)", "*.rtf *.cap"},
    {"Text (*.txt)", "*.txt"},
    {"Log (*.log)", "*.log"},
    {"All (*.*)", "*"},
};
} // namespace

FrmFileBar::FrmFileBar(QWidget *parent)
    : QDockWidget(QStringLiteral("File Bar"), parent), m_dirs(new QFileSystemModel(this)),
      m_files(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("frmFileBar"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_dirs->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirs->setRootPath(QString());
    m_files->setFilter(QDir::Files);
    m_files->setNameFilterDisables(false);

    auto *body = new QWidget(this);
    m_tree = new QTreeView(body);
    m_tree->setObjectName(QStringLiteral("tvwFolders"));
    m_tree->setModel(m_dirs);
    for (int c = 1; c < m_dirs->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_list = new QListView(body);
    m_list->setObjectName(QStringLiteral("lstFiles"));
    m_list->setModel(m_files);
    m_type = new QComboBox(body);
    m_type->setObjectName(QStringLiteral("cboFileType"));
    for (const auto &t : kTypes)
        m_type->addItem(QString::fromLatin1(t.text));

    auto *split = new QSplitter(Qt::Vertical, body);
    split->addWidget(m_tree);
    split->addWidget(m_list);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto *box = new QVBoxLayout(body);
    box->setContentsMargins(2, 2, 2, 2);
    box->addWidget(split, 1);
    box->addWidget(m_type);
    setWidget(body);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) { setFolder(m_dirs->filePath(i)); });
    connect(m_list, &QListView::activated, this, [this](const QModelIndex &i) {
        Q_EMIT fileActivated(m_folder, m_files->fileName(i));
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, &FrmFileBar::applyFilter);
    applyFilter(0);
}

void FrmFileBar::setFolder(const QString &path)
{
    const QString dir = !path.isEmpty() && QDir(path).exists() ? QDir(path).absolutePath() : QDir::homePath();
    if (dir == m_folder)
        return;
    m_folder = dir;
    const QModelIndex treeIndex = m_dirs->index(dir);
    if (m_tree->currentIndex() != treeIndex) {
        m_tree->setCurrentIndex(treeIndex);
        m_tree->scrollTo(treeIndex);
    }
    m_list->setRootIndex(m_files->setRootPath(dir));
    Q_EMIT folderChanged(dir);
}

void FrmFileBar::applyFilter(int index)
{
    if (index < 0 || index >= int(std::size(kTypes)))
        return;
    QStringList patterns = QString::fromLatin1(kTypes[index].patterns).split(QLatin1Char(' '));
    for (const QString &p : QStringList(patterns)) // names from Windows are often in capitals
        if (p != QLatin1String("*"))
            patterns << p.toUpper();
    m_files->setNameFilters(patterns);
}

void FrmFileBar::closeEvent(QCloseEvent *event)
{
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

} // namespace zx
