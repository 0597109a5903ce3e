#include "link/ui/frm_properties.h"

#include "link/port_detect.h"
#include "link/port_detect_text.h"
#include "platform/port_map.h"
#include "platform/ui/named_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zx {

namespace {

QComboBox *combo(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QButtonGroup *optionGroup(QWidget *box, QLayout *lay, const char *name, const QStringList &labels)
{
    auto *g = new QButtonGroup(box);
    g->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < labels.size(); ++i) {
        auto *r = new QRadioButton(labels.at(i), box);
        r->setObjectName(QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i));
        g->addButton(r, i);
        lay->addWidget(r);
    }
    return g;
}

} // namespace

FrmProperties::FrmProperties(PortDetect &detect, QWidget *parent) : QDialog(parent), m_detect(detect)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("CSetup"));
    buildUi();
    fillLists();

    m_detect.logChanged = [this] {
        m_log->setPlainText(QString(m_detect.log()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
    };
    m_detect.listChanged = [this] { showRows(); };
    m_detect.showLog = [this] { showProgressLog(true); };
    m_detect.dirtyChanged = [this](bool d) { m_save->setEnabled(d); };
    m_detect.controlsEnabled = [this](bool on) { setControlsEnabled(on); };
}

void FrmProperties::buildUi()
{
    // Custom setup frame: line settings, device, options, switches.
    m_fraCustSet = new QGroupBox(QStringLiteral("Custom Setup"), this);
    m_fraCustSet->setObjectName(QStringLiteral("fraCustSet"));
    auto *form = new QFormLayout(m_fraCustSet);
    m_port = combo(m_fraCustSet, "cboPort");
    m_speed = combo(m_fraCustSet, "cboSpeed");
    m_parity = combo(m_fraCustSet, "cboParity");
    m_dataBits = combo(m_fraCustSet, "cboDataBits");
    m_stopBits = combo(m_fraCustSet, "cboStopBits");
    m_device = combo(m_fraCustSet, "cboDevice");
    form->addRow(QStringLiteral("Port"), m_port);
    // Elsewhere than on Windows a COM number is bound to a device path in the port map.
    m_portDevice = new QLineEdit(m_fraCustSet);
    m_portDevice->setObjectName(QStringLiteral("txtPortDevice"));
#ifndef Q_OS_WIN
    form->addRow(QStringLiteral("Device path"), m_portDevice);
#else
    m_portDevice->hide();
#endif
    form->addRow(QStringLiteral("Bits per second"), m_speed);
    form->addRow(QStringLiteral("Parity"), m_parity);
    form->addRow(QStringLiteral("Data bits"), m_dataBits);
    form->addRow(QStringLiteral("Stop bits"), m_stopBits);
    form->addRow(QStringLiteral("Device"), m_device);

    auto *fraFlow = new QGroupBox(QStringLiteral("Flow Control"), m_fraCustSet);
    fraFlow->setObjectName(QStringLiteral("fraFlow"));
    auto *flowLay = new QHBoxLayout(fraFlow);
    m_flow = optionGroup(fraFlow, flowLay, "optFlow",
                         {QStringLiteral("None"), QStringLiteral("Xon/Xoff"), QStringLiteral("Hardware"),
                          QStringLiteral("Both")});
    form->addRow(fraFlow);

    auto *fraEcho = new QGroupBox(QStringLiteral("Echo"), m_fraCustSet);
    fraEcho->setObjectName(QStringLiteral("fraEcho"));
    auto *echoLay = new QHBoxLayout(fraEcho);
    m_echo = optionGroup(fraEcho, echoLay, "optEcho", {QStringLiteral("Echo Off"), QStringLiteral("Echo On")});
    form->addRow(fraEcho);

    m_autoConnect = new QCheckBox(QStringLiteral("Connect at start"), m_fraCustSet);
    m_autoConnect->setObjectName(QStringLiteral("chkAutoConnect"));
    m_autoDetect = new QCheckBox(QStringLiteral("Detect at start"), m_fraCustSet);
    m_autoDetect->setObjectName(QStringLiteral("chkAutoDetect"));
    form->addRow(m_autoConnect);
    form->addRow(m_autoDetect);

    // Progress log frame, shown instead of the custom setup.
    m_fraPLog = new QGroupBox(QStringLiteral("Progress Log"), this);
    m_fraPLog->setObjectName(QStringLiteral("fraPLog"));
    auto *logLay = new QVBoxLayout(m_fraPLog);
    m_log = new QPlainTextEdit(m_fraPLog);
    m_log->setObjectName(QStringLiteral("txtSetPrg"));
    m_log->setReadOnly(true);
    logLay->addWidget(m_log);
    m_fraPLog->hide();

    // Chronograph list.
    auto *fraList = new QGroupBox(QStringLiteral("Chronographs"), this);
    fraList->setObjectName(QStringLiteral("fraCroList"));
    auto *listLay = new QVBoxLayout(fraList);
    m_chronoName = new QLabel(fraList);
    m_chronoName->setObjectName(QStringLiteral("lblCroName"));
    m_curCro = new QListWidget(fraList);
    m_curCro->setObjectName(QStringLiteral("lstCurCro"));
    m_curCro->setMaximumHeight(40);
    m_list = new QListWidget(fraList);
    m_list->setObjectName(QStringLiteral("lstCom2Cro"));
    auto *fraConnect = new QGroupBox(QStringLiteral("Connection"), fraList);
    fraConnect->setObjectName(QStringLiteral("fraConnect"));
    auto *conLay = new QHBoxLayout(fraConnect);
    m_connect = optionGroup(fraConnect, conLay, "optConnect", {QStringLiteral("Off"), QStringLiteral("On")});
    listLay->addWidget(m_chronoName);
    listLay->addWidget(m_curCro);
    listLay->addWidget(m_list, 1);
    listLay->addWidget(fraConnect);

    m_detectBtn = namedButton(this, "cmdDetect", QStringLiteral("&Detect"));
    m_test = namedButton(this, "cmdTest", QStringLiteral("&Test"));
    m_default = namedButton(this, "cmdDefault", QStringLiteral("De&fault"));
    m_save = namedButton(this, "cmdSave", QStringLiteral("&Save"));
    m_save->setEnabled(false);
    m_toggleLog = namedButton(this, "cmdPrgLog", QStringLiteral("Show &Progress Log"));
    m_close = namedButton(this, "cmdClose", QStringLiteral("&Close"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_detectBtn, m_test, m_default, m_save, m_toggleLog, m_close})
        buttons->addWidget(b);
    auto *panes = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(m_fraCustSet);
    left->addWidget(m_fraPLog);
    panes->addLayout(left, 3);
    panes->addWidget(fraList, 2);
    auto *root = new QVBoxLayout(this);
    root->addLayout(panes, 1);
    root->addLayout(buttons);
    resize(640, 420);

    // Any click on a setting control makes the setup dirty.
    for (QComboBox *c : {m_port, m_speed, m_parity, m_dataBits, m_stopBits, m_device})
        connect(c, qOverload<int>(&QComboBox::activated), this, [this] { markDirty(); });
    for (QButtonGroup *g : {m_flow, m_echo})
        connect(g, &QButtonGroup::idClicked, this, [this] { markDirty(); });
    for (QCheckBox *c : {m_autoConnect, m_autoDetect})
        connect(c, &QCheckBox::clicked, this, [this] { markDirty(); });
    connect(m_portDevice, &QLineEdit::textEdited, this, [this] { markDirty(); });
    connect(m_port, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        showPortDevice(index + 1);
        m_portDevice->setText(PortMap::storedMap().value(index + 1));
    });
    connect(m_connect, &QButtonGroup::idClicked, this, [this](int id) {
        if (connectPort)
            connectPort(id == 1);
    });

    connect(m_save, &QPushButton::clicked, this, [this] {
        controlsToForm();
        m_detect.SetApply();
        formToControls();
    });
    connect(m_default, &QPushButton::clicked, this, [this] {
        controlsToForm();
        m_detect.cmdDefault();
        formToControls();
    });
    connect(m_toggleLog, &QPushButton::clicked, this, [this] { showProgressLog(!progressLogShown()); });
    connect(m_detectBtn, &QPushButton::clicked, this, [this] { m_detect.cmdDetect(); });
    connect(m_test, &QPushButton::clicked, this, [this] { m_detect.cmdTest(); });
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        controlsToForm();
        if (m_detect.chooseRow(m_list->row(item)))
            formToControls();
    });
}

void FrmProperties::fillLists()
{
    m_filling = true;
    m_port->clear();
    for (int i = 1; i <= PortDetect::kMaxCom; ++i)
        m_port->addItem(QStringLiteral("COM") + QString::number(i));
    m_speed->addItems(PortDetect::speeds());
    m_parity->addItems(PortDetect::parities());
    m_dataBits->addItems(PortDetect::dataBitsList());
    m_stopBits->addItems(PortDetect::stopBitsList());
    m_device->addItems(deviceNames());
    m_filling = false;
}

void FrmProperties::loadFromLink(bool autoConnect, bool autoDetect, int device, bool echo)
{
    m_detect.loadForm(autoConnect, autoDetect, device, echo);
    formToControls();
}

void FrmProperties::formToControls()
{
    m_filling = true;
    const PortForm &f = m_detect.form();
    m_port->setCurrentIndex(f.comIndex);
    m_speed->setCurrentText(f.baud);
    m_parity->setCurrentText(f.parity);
    m_dataBits->setCurrentText(f.dataBits);
    m_stopBits->setCurrentText(f.stopBits);
    m_device->setCurrentIndex(qBound(0, f.device, m_device->count() - 1));
    if (QAbstractButton *b = m_flow->button(f.flow))
        b->setChecked(true);
    if (QAbstractButton *b = m_echo->button(f.echo))
        b->setChecked(true);
    m_autoConnect->setChecked(f.autoConnect);
    m_autoDetect->setChecked(f.autoDetect);
    m_portDevice->setText(f.portDevice);
    showPortDevice(f.comIndex + 1);
    m_save->setEnabled(m_detect.dirty());
    m_filling = false;
}

void FrmProperties::controlsToForm()
{
    PortForm &f = m_detect.form();
    f.comIndex = m_port->currentIndex();
    f.baud = m_speed->currentText();
    f.parity = m_parity->currentText();
    f.dataBits = m_dataBits->currentText();
    f.stopBits = m_stopBits->currentText();
    f.device = m_device->currentIndex();
    f.flow = qMax(0, m_flow->checkedId());
    f.echo = qMax(0, m_echo->checkedId());
    f.autoConnect = m_autoConnect->isChecked();
    f.autoDetect = m_autoDetect->isChecked();
    f.portDevice = m_portDevice->text();
}

void FrmProperties::showPortDevice(int com)
{
    // What the port map binds today, shown while nothing is stored for the number.
    const QString now = PortMap::deviceFor(com);
    m_portDevice->setPlaceholderText(now.isEmpty() ? QStringLiteral("(none)") : QStringLiteral("automatic: ") + now);
}

void FrmProperties::showRows()
{
    const int keep = m_list->currentRow();
    m_list->clear();
    for (const PortRow &r : m_detect.rows())
        m_list->addItem(r.text);
    if (keep >= 0 && keep < m_list->count())
        m_list->setCurrentRow(keep);
    m_curCro->clear();
    m_curCro->addItems(m_detect.currentCro());
}

void FrmProperties::markDirty()
{
    if (m_filling)
        return;
    controlsToForm();
    m_detect.setDirty(true);
}

void FrmProperties::setControlsEnabled(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_fraCustSet, m_list, m_detectBtn, m_test, m_default})
        w->setEnabled(on);
    m_save->setEnabled(on && m_detect.dirty());
}

void FrmProperties::setChronoName(const QString &name)
{
    m_chronoName->setText(name);
}

void FrmProperties::setPortOpenShown(bool open)
{
    if (QAbstractButton *b = m_connect->button(open ? 1 : 0))
        b->setChecked(true);
}

void FrmProperties::showProgressLog(bool on)
{
    m_fraPLog->setVisible(on);
    m_fraCustSet->setVisible(!on);
    m_toggleLog->setText(on ? QStringLiteral("Custo&m Setup") : QStringLiteral("Show &Progress Log"));
}

bool FrmProperties::progressLogShown() const
{
    return !m_fraPLog->isHidden();
}

void FrmProperties::closeEvent(QCloseEvent *e)
{
    controlsToForm();
    m_detect.queryClose();
    formToControls();
    QDialog::closeEvent(e);
}

} // namespace zx
