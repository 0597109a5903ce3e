#include "setup/ui/frm_sensors.h"

#include "link/chrono_ops.h"
#include "link/cro_state.h"
#include "setup/sensors_dialog.h"
#include "setup/ui/setup_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zx {

using namespace setupui;

FrmSensors::FrmSensors(SensorsDialog &logic, QWidget *parent) : QDialog(parent), m_logic(logic)
{
    setObjectName(QStringLiteral("frmSensors"));
    setWindowTitle(QStringLiteral("Sensors"));

    QGroupBox *box = frame(this, "fraSensors", QStringLiteral("Sensors"));
    m_settings = box;
    auto *bl = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    m_onOff = new QButtonGroup(box);
    const QString texts[] = {QStringLiteral("Off"), QStringLiteral("On")};
    for (int i = 0; i < 2; ++i) {
        auto *r = new QRadioButton(texts[i], box);
        r->setObjectName(arrayName("optSnsOnOff", i));
        m_onOff->addButton(r, i);
        row->addWidget(r);
    }
    row->addStretch(1);
    bl->addLayout(row);
    auto *level = new QHBoxLayout;
    level->addWidget(new QLabel(QStringLiteral("Sensitivity "), box));
    m_level = valueBox(box, QStringLiteral("txtSnsLevel"), 3);
    level->addWidget(m_level);
    level->addWidget(new QLabel(QStringLiteral("%"), box));
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    for (int i = 0; i < 2; ++i) {
        QToolButton *b = arrowButton(box, arrayName("cmdIncDec", i), i == 0,
                                     i == 0 ? QStringLiteral("Raise the sensitivity") : QStringLiteral("Lower the sensitivity"));
        connect(b, &QToolButton::clicked, this, [this, i] {
            m_logic.incDec(i);
            render();
        });
        arrows->addWidget(b);
    }
    level->addLayout(arrows);
    level->addStretch(1);
    auto *reset = new QPushButton(QStringLiteral("Reset"), box);
    reset->setObjectName(QStringLiteral("cmdReset"));
    reset->setAutoDefault(false);
    reset->setToolTip(QStringLiteral("Sensitivity 60 %"));
    connect(reset, &QPushButton::clicked, this, [this] {
        m_logic.reset();
        render();
    });
    level->addWidget(reset);
    bl->addLayout(level);
    connect(m_onOff, &QButtonGroup::idClicked, this, [this](int id) {
        m_logic.setSensors(id);
        render();
    });

    m_busy = new QFrame(this);
    m_busy->setObjectName(QStringLiteral("fraBusy"));
    m_busy->setFrameShape(QFrame::StyledPanel);
    auto *busyLayout = new QHBoxLayout(m_busy);
    auto *busyText = new QLabel(QStringLiteral("Please wait - proccessing"), m_busy);
    busyText->setAlignment(Qt::AlignCenter);
    busyLayout->addWidget(busyText);
    m_busy->hide();

    auto *bottom = new QHBoxLayout;
    auto *autoQuit = new QCheckBox(QStringLiteral("AutoQuit"), this);
    autoQuit->setObjectName(QStringLiteral("chkAutoQuit"));
    autoQuit->setToolTip(QStringLiteral("Close as soon as the RV5 is done"));
    auto *closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    closeButton->setAutoDefault(false);
    bottom->addWidget(autoQuit);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto *root = new QVBoxLayout(this);
    root->addWidget(box);
    root->addWidget(m_busy);
    root->addLayout(bottom);

    // AutoQuit waits until none of the dialog's operations is in progress.
    m_autoQuit = new QTimer(this);
    m_autoQuit->setInterval(50);
    connect(m_autoQuit, &QTimer::timeout, this, [this] {
        if (!m_logic.inProgress()) {
            m_autoQuit->stop();
            close();
        }
    });
    connect(autoQuit, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            m_autoQuit->start();
        else
            m_autoQuit->stop();
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    m_logic.onBusy = [this](bool on) { busy(on); };
    setMinimumWidth(300);
}

FrmSensors::~FrmSensors() { m_logic.onBusy = nullptr; }

void FrmSensors::openDialog()
{
    m_logic.open();
    render();
}

void FrmSensors::busy(bool on)
{
    m_settings->setEnabled(!on);
    m_busy->setVisible(on);
}

void FrmSensors::render()
{
    const CroState &c = m_logic.cro();
    selectOption(m_onOff, c.bCroSensorsOn ? 1 : 0);
    m_level->setText(QString::number(c.iCroSensLevel));
}

void FrmSensors::closeEvent(QCloseEvent *e)
{
    m_logic.close();
    QDialog::closeEvent(e);
}

void FrmSensors::done(int r)
{
    m_logic.close();   // Esc as well
    QDialog::done(r);
}

} // namespace zx
