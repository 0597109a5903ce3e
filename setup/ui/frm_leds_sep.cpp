#include "setup/ui/frm_leds_sep.h"

#include "setup/ui/setup_widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

FrmLedsSep::FrmLedsSep(Hooks hooks, QWidget *parent) : QDialog(parent), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("frmLedsSEP"));
    setWindowTitle(QStringLiteral("Chronograph Control"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 14);
    const QString keys[] = {QStringLiteral("Start Shooting"), QStringLiteral("Stop Shooting"),
                            QStringLiteral("Remote Control Only")};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(keys[i], this);
        b->setObjectName(setupui::arrayName("cmdKey", i));
        b->setAutoDefault(false);
        b->setMinimumHeight(34);
        root->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (m_hooks.setEditMode)
                m_hooks.setEditMode(m_edit->isChecked());
            m_chosen = i;   // the opener runs it once the dialog is gone
            accept();
        });
    }
    m_edit = new QCheckBox(QStringLiteral("Edit Mode On"), this);
    m_edit->setObjectName(QStringLiteral("chkCapOk2Edit"));
    m_edit->setToolTip(QStringLiteral("The LogPad may be edited while shots are recorded"));
    m_edit->setChecked(m_hooks.editMode && m_hooks.editMode());
    root->addSpacing(6);
    root->addWidget(m_edit);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    const QString closeTexts[] = {QStringLiteral("Cancel"), QStringLiteral("Ok")};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(closeTexts[i], this);
        b->setObjectName(setupui::arrayName("cmdClose", i));
        b->setAutoDefault(i == 1);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (i == 1 && m_hooks.setEditMode)
                m_hooks.setEditMode(m_edit->isChecked());
            if (i == 1)
                accept();
            else
                reject();
            if (m_hooks.refresh)
                m_hooks.refresh();
        });
    }
    root->addLayout(row);
    setMinimumWidth(260);
}

} // namespace zx
