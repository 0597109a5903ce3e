#include "remote/ui/download_page.h"

#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "remote/panel_download.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zx {

namespace {

QGroupBox *options(QWidget *parent, QButtonGroup *&group, const char *boxName, const QString &title,
                   const char *name, const QStringList &labels)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(boxName));
    auto *lay = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < labels.size(); ++i) {
        auto *r = new QRadioButton(labels.at(i), box);
        r->setObjectName(QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i));
        group->addButton(r, i);
        lay->addWidget(r);
    }
    lay->addStretch(1);
    return box;
}

} // namespace

DownloadPage::DownloadPage(PanelDownload &logic, CFileManager &files, QWidget *parent) : QWidget(parent), m_logic(logic)
{
    setObjectName(QStringLiteral("fraDwnPage"));
    QGroupBox *src = options(this, m_source, "fraDwnSrc", QStringLiteral("Source"), "optDwnSrc", PanelDownload::sourceNames());
    QGroupBox *des = options(this, m_destination, "fraDwnDes", QStringLiteral("Destination"), "optDwnDes",
                             PanelDownload::destinationNames());

    auto *cfile = new QGroupBox(QStringLiteral("CFile"), this);
    cfile->setObjectName(QStringLiteral("fraDwnDesCFile"));
    auto *cl = new QGridLayout(cfile);
    m_name = new QLineEdit(cfile);
    m_name->setObjectName(QStringLiteral("txtDwnDesCFile"));
    m_name->setPlaceholderText(QStringLiteral("a new CFile's name"));
    m_cfiles = new QListWidget(cfile);
    m_cfiles->setObjectName(QStringLiteral("lstDwnDesCFile"));
    cl->addWidget(new QLabel(QStringLiteral("New CFile:"), cfile), 0, 0);
    cl->addWidget(m_name, 0, 1);
    cl->addWidget(new QLabel(QStringLiteral("Open CFiles:"), cfile), 1, 0, Qt::AlignTop);
    cl->addWidget(m_cfiles, 1, 1);

    auto *go = new QPushButton(QStringLiteral("Download"), this);
    go->setObjectName(QStringLiteral("cmdDownload"));
    go->setAutoDefault(false);
    go->setMinimumHeight(32);

    auto *lay = new QGridLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(src, 0, 0);
    lay->addWidget(des, 0, 1);
    lay->addWidget(cfile, 1, 0, 1, 2);
    lay->addWidget(go, 2, 1, Qt::AlignRight);
    lay->setRowStretch(1, 1);

    connect(go, &QPushButton::clicked, this, &DownloadPage::download);
    connect(&files, &CFileManager::docsChanged, this, &DownloadPage::fillCFiles);
    connect(&files, &CFileManager::activeChanged, this, &DownloadPage::fillCFiles);
    // A name typed and a CFile picked exclude each other.
    connect(m_cfiles, &QListWidget::itemClicked, m_name, &QLineEdit::clear);
    connect(m_cfiles, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling)
            m_chosen = m_logic.cfileAt(row);
    });
    fillCFiles();
}

void DownloadPage::fillCFiles()
{
    m_filling = true;
    m_cfiles->clear();
    m_cfiles->addItems(m_logic.cfileChoices());
    for (int row = 0; m_chosen && row < m_cfiles->count(); ++row)
        if (m_logic.cfileAt(row) == m_chosen) {
            m_cfiles->setCurrentRow(row);
            break;
        }
    m_filling = false;
}

void DownloadPage::download()
{
    const QString name = m_name->text();
    CFileDoc *picked = name.trimmed().isEmpty() ? m_chosen.data() : nullptr;
    if (m_logic.cmdDownload(m_source->checkedId(), m_destination->checkedId(), name, picked) >= 0)
        m_name->clear();
    fillCFiles();
}

} // namespace zx
