#include "link/ui/progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

FrmFPrgrs::FrmFPrgrs(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmFPrgrs"));
    setModal(false);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("prgRemCtr"));
    m_bar->setTextVisible(false);
    m_progress = new QLabel(QStringLiteral("Progress"), this);
    m_progress->setObjectName(QStringLiteral("lblProgress"));
    m_percent = new QLabel(QStringLiteral("000.0%"), this);
    m_percent->setObjectName(QStringLiteral("lblPercent"));
    m_abort = new QPushButton(QStringLiteral("Abort"), this);
    m_abort->setObjectName(QStringLiteral("cmdAbort"));
    connect(m_abort, &QPushButton::clicked, this, [this] {
        if (m_onAbort)
            m_onAbort();
    });

    auto *row = new QHBoxLayout;
    row->addWidget(m_progress);
    row->addStretch(1);
    row->addWidget(m_percent);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addWidget(m_bar);
    lay->addWidget(m_abort, 0, Qt::AlignHCenter);
    resize(320, 110);
}

void FrmFPrgrs::progressOpen(const QString &title, int scale, bool showFrame)
{
    m_scale = scale > 0 ? scale : 1;
    m_steps = 0;
    m_bar->setRange(0, m_scale);
    m_bar->setValue(0);
    setWindowTitle(title);
    showPercent();
    m_open = true;
    if (showFrame) {
        show();
        raise();
    }
}

void FrmFPrgrs::progressClose()
{
    m_open = false;
    hide();
}

void FrmFPrgrs::progressStep()
{
    // The bar wraps around when an answer has more lines than expected.
    m_steps = (m_steps + 1) % (m_scale + 1);
    m_bar->setValue(m_steps);
    showPercent();
}

QString FrmFPrgrs::percentText() const
{
    return QString::asprintf("%05.1f%%", 100.0 * m_steps / m_scale);
}

void FrmFPrgrs::showPercent()
{
    m_percent->setText(percentText());
}

} // namespace zx
