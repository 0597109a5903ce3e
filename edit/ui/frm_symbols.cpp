#include "edit/ui/frm_symbols.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

FrmSymbols::FrmSymbols(InsertTarget target, QWidget *parent) : QDialog(parent, Qt::Tool), m_target(std::move(target))
{
    setObjectName(QStringLiteral("frmSymbols"));
    setWindowTitle(QStringLiteral("Symbols"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_lstSymbols = new QListWidget(this);
    m_lstSymbols->setObjectName(QStringLiteral("lstSymbols"));
    m_lstSymbols->setMinimumSize(340, 360);
    for (int code = 0; code < 256; ++code) {
        auto *item = new QListWidgetItem(symbolRow(code), m_lstSymbols);
        item->setData(Qt::UserRole, code);
    }
    auto *insertButton = new QPushButton(QStringLiteral("&Insert"), this);
    insertButton->setObjectName(QStringLiteral("cmdInsert"));
    insertButton->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);

    auto *commands = new QVBoxLayout;
    commands->addWidget(insertButton);
    commands->addWidget(close);
    commands->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_lstSymbols, 1);
    layout->addLayout(commands);

    connect(insertButton, &QPushButton::clicked, this, &FrmSymbols::insertChosen);
    connect(m_lstSymbols, &QListWidget::itemDoubleClicked, this, &FrmSymbols::insertChosen);
    connect(close, &QPushButton::clicked, this, &FrmSymbols::close);
}

void FrmSymbols::open(const QFont &font)
{
    QFont f = font;
    f.setStyleHint(QFont::TypeWriter);   // the code columns line up
    m_lstSymbols->setFont(f);
    if (!m_lstSymbols->currentItem())
        m_lstSymbols->setCurrentRow(65);
    show();
    raise();
    activateWindow();
}

void FrmSymbols::insertChosen()
{
    QListWidgetItem *item = m_lstSymbols->currentItem();
    CFileDoc *doc = m_target.editableDoc ? m_target.editableDoc() : nullptr;
    if (!item || !doc) {
        QApplication::beep();
        return;
    }
    insertAtCaret(*doc, QString(symbolChar(item->data(Qt::UserRole).toInt())));
}

} // namespace zx
