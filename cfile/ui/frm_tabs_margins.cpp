#include "cfile/ui/frm_tabs_margins.h"

#include "cfile/ui/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

namespace {
constexpr double kTwipsPerInch = 1440.0;

QDoubleSpinBox *inches(QWidget *parent, const char *name, double value)
{
    auto *s = new QDoubleSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0.0, DocumentDefaults::kMaxTwips / kTwipsPerInch);
    s->setDecimals(2);
    s->setSingleStep(0.25);
    s->setSuffix(QStringLiteral(" in"));
    s->setValue(value);
    return s;
}

int twips(const QDoubleSpinBox *s) { return qRound(s->value() * kTwipsPerInch); }
} // namespace

FrmTabsMargins::FrmTabsMargins(const TabDefaults &tabs, const MarginDefaults &margins, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTabs"));
    setWindowTitle(QStringLiteral("Tabs and Margins"));

    auto *fraTabs = new QGroupBox(QStringLiteral("Tab stops"), this);
    fraTabs->setObjectName(QStringLiteral("fraTabs"));
    m_tabPos = inches(fraTabs, "txtTabPos", 0.5);
    m_tabPos->setMinimum(0.01);
    m_tabList = new QListWidget(fraTabs);
    m_tabList->setObjectName(QStringLiteral("lstTabs"));
    auto *add = new QPushButton(QStringLiteral("&Set"), fraTabs);
    add->setObjectName(QStringLiteral("cmdTabSet"));
    auto *clear = new QPushButton(QStringLiteral("&Clear"), fraTabs);
    clear->setObjectName(QStringLiteral("cmdTabClear"));
    auto *clearAll = new QPushButton(QStringLiteral("Clear &All"), fraTabs);
    clearAll->setObjectName(QStringLiteral("cmdTabClearAll"));
    m_tabDefault = new QCheckBox(QStringLiteral("Use these tabs for new CFiles"), fraTabs);
    m_tabDefault->setObjectName(QStringLiteral("chkTabDefault"));
    m_tabDefault->setChecked(tabs.apply);
    connect(add, &QPushButton::clicked, this, &FrmTabsMargins::addTab);
    connect(clear, &QPushButton::clicked, this, [this] { delete m_tabList->currentItem(); });
    connect(clearAll, &QPushButton::clicked, m_tabList, &QListWidget::clear);
    auto *buttonsCol = new QVBoxLayout;
    buttonsCol->addWidget(m_tabPos);
    buttonsCol->addWidget(add);
    buttonsCol->addWidget(clear);
    buttonsCol->addWidget(clearAll);
    buttonsCol->addStretch();
    auto *tabRow = new QHBoxLayout;
    tabRow->addWidget(m_tabList, 1);
    tabRow->addLayout(buttonsCol);
    auto *tabBox = new QVBoxLayout(fraTabs);
    tabBox->addLayout(tabRow);
    tabBox->addWidget(m_tabDefault);
    setStops(tabs.positionsTw);

    auto *fraMargins = new QGroupBox(QStringLiteral("Page margins"), this);
    fraMargins->setObjectName(QStringLiteral("fraMargins"));
    m_left = inches(fraMargins, "txtLeftMargin", margins.leftTw / kTwipsPerInch);
    m_right = inches(fraMargins, "txtRightMargin", margins.rightTw / kTwipsPerInch);
    m_margDefault = new QCheckBox(QStringLiteral("Use these margins for new CFiles"), fraMargins);
    m_margDefault->setObjectName(QStringLiteral("chkMargDefault"));
    m_margDefault->setChecked(margins.apply);
    auto *form = new QFormLayout(fraMargins);
    form->addRow(QStringLiteral("&Left:"), m_left);
    form->addRow(QStringLiteral("&Right:"), m_right);
    form->addRow(m_margDefault);

    QDialogButtonBox *buttons = okCancelButtons(this);

    auto *root = new QVBoxLayout(this);
    root->addWidget(fraTabs);
    root->addWidget(fraMargins);
    root->addWidget(buttons);
    resize(380, 420);
}

void FrmTabsMargins::addTab()
{
    QList<int> stops = tabs().positionsTw;
    stops << twips(m_tabPos);
    setStops(stops);
}

void FrmTabsMargins::setStops(const QList<int> &tw)
{
    m_tabList->clear();
    for (int v : DocumentDefaults::parseTabStops(DocumentDefaults::formatTabStops(tw))) {
        auto *item = new QListWidgetItem(QString::number(v / kTwipsPerInch, 'f', 2) + QStringLiteral(" in"), m_tabList);
        item->setData(Qt::UserRole, v);
    }
}

TabDefaults FrmTabsMargins::tabs() const
{
    TabDefaults t;
    t.apply = m_tabDefault->isChecked();
    for (int i = 0; i < m_tabList->count(); ++i)
        t.positionsTw << m_tabList->item(i)->data(Qt::UserRole).toInt();
    return t;
}

MarginDefaults FrmTabsMargins::margins() const
{
    return {m_margDefault->isChecked(), twips(m_left), twips(m_right)};
}

} // namespace zx
