#include "setup/ui/frm_cro_setup.h"

#include "link/cro_state.h"
#include "platform/prompter.h"
#include "setup/cro_setup.h"
#include "setup/ui/setup_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zx {

using namespace setupui;

namespace {

const char *const kSwitchNames[] = {"chkUnitsTC", "chkPwrDwnOn", "chkMemAlarm", "chkExprtMod"};

QPushButton *pushButton(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QButtonGroup *optionPair(QGroupBox *box, const char *name, const QString &off, const QString &on, bool vertical = false)
{
    auto *group = new QButtonGroup(box);
    QBoxLayout *l = vertical ? static_cast<QBoxLayout *>(new QVBoxLayout(box)) : new QHBoxLayout(box);
    const QString texts[] = {off, on};
    for (int i = 0; i < 2; ++i) {
        auto *r = new QRadioButton(texts[i], box);
        r->setObjectName(arrayName(name, i));
        group->addButton(r, i);
        l->addWidget(r);
    }
    l->addStretch(1);
    return group;
}

QLabel *valueLabel(QWidget *parent, const QString &name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(56);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// fCroCalTime with "###.00": no leading zero, two decimals.
QString calTime(float seconds)
{
    QString t = QString::number(double(seconds), 'f', 2);
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1);
    return t;
}

} // namespace

FrmCroSetup::FrmCroSetup(CroSetup &setup, Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window), m_setup(setup), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmCroSetup"));
    setWindowTitle(QStringLiteral("RV5 Setup Options"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_settings = new QWidget(this);
    m_settings->setObjectName(QStringLiteral("fraSettings"));
    auto *cols = new QHBoxLayout(m_settings);
    cols->setContentsMargins(0, 0, 0, 0);
    cols->addWidget(buildSettings(), 2);
    cols->addWidget(buildStatus(), 1);

    auto *buttons = new QHBoxLayout;
    QPushButton *read = pushButton(this, "cmdGetStatus", QStringLiteral("Read Status"));
    QPushButton *apply = pushButton(this, "cmdApply", QStringLiteral("Apply"));
    apply->setToolTip(QStringLiteral("Every change is sent to the RV5 at once"));
    QPushButton *closeButton = pushButton(this, "cmdClose", QStringLiteral("Close"));
    buttons->addWidget(read);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(closeButton);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->addWidget(m_settings);
    root->addLayout(buttons);

    m_wait = static_cast<QFrame *>(buildWait());
    connect(read, &QPushButton::clicked, this, [this] { m_setup.readStatus(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    m_setup.onBusy = [this](bool on) { showWait(on); };
}

FrmCroSetup::~FrmCroSetup() { m_setup.onBusy = nullptr; }

QWidget *FrmCroSetup::buildSettings()
{
    auto *w = new QWidget(this);
    auto *grid = new QGridLayout(w);
    grid->setContentsMargins(0, 0, 0, 0);
    CroSetup &s = m_setup;

    // Sensors, archery, rapid fire: option pairs Off/On.
    static const char *const onOffNames[] = {"optSnsOnOff", "optArcOnOff", "optRFirOnOff"};
    static const char *const onOffFrames[] = {"fraSensors", "fraArchery", "fraRapidFire"};
    const QString onOffTitles[] = {QStringLiteral("Sensors"), QStringLiteral("Archery"), QStringLiteral("Rapid Fire")};
    for (int i = 0; i < 3; ++i) {
        QGroupBox *box = frame(w, onOffFrames[i], onOffTitles[i]);
        QButtonGroup *g = optionPair(box, onOffNames[i], QStringLiteral("Off"), QStringLiteral("On"));
        connect(g, &QButtonGroup::idClicked, this, [&s, i](int id) {
            if (!s.filling)
                s.setOnOff(CroSetup::OnOff(i), id);
        });
        grid->addWidget(box, i == 0 ? 0 : i + 1, 0);
    }

    // Sensitivity with its steps and Default.
    QGroupBox *sens = frame(w, "fraSensitivity", QStringLiteral("Sensitivity"));
    auto *sl = new QHBoxLayout(sens);
    // The level can be typed: Enter steps the chronograph to it, as Default steps to 60.
    QLineEdit *level = valueBox(sens, QStringLiteral("txtSnsLevel"), 3);
    level->setReadOnly(false);
    level->setFocusPolicy(Qt::StrongFocus);
    level->setValidator(new QIntValidator(0, 100, level));
    level->setToolTip(QStringLiteral("Type a level from 0 to 100 and press Enter"));
    connect(level, &QLineEdit::returnPressed, this, [&s, level] {
        bool ok = false;
        const int target = level->text().toInt(&ok);
        if (!s.filling && ok && target != s.cro().iCroSensLevel)
            s.sensLevelTo(target);
    });
    // Left without Enter: the box shows the chronograph's level again, not a wish.
    connect(level, &QLineEdit::editingFinished, this, [&s, level] {
        if (!s.filling)
            level->setText(QString::number(s.shown().sensLevel));
    });
    sl->addWidget(level);
    sl->addWidget(new QLabel(QStringLiteral("%"), sens));
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    for (int i = 0; i < 2; ++i) {
        QToolButton *b = arrowButton(sens, arrayName("cmdSnsUpDwn", i), i == 0,
                                     i == 0 ? QStringLiteral("Raise the sensitivity") : QStringLiteral("Lower the sensitivity"));
        connect(b, &QToolButton::clicked, this, [&s, i] {
            if (!s.filling)
                s.stepSensLevel(i);
        });
        arrows->addWidget(b);
    }
    sl->addLayout(arrows);
    sl->addStretch(1);
    QPushButton *reset = pushButton(sens, "cmdReset", QStringLiteral("Default"));
    reset->setToolTip(QStringLiteral("Sensitivity 60 %"));
    connect(reset, &QPushButton::clicked, this, [&s] {
        if (!s.filling)
            s.defaultSensLevel();
    });
    sl->addWidget(reset);
    grid->addWidget(sens, 1, 0);

    // Units: velocity option pair and the Celsius switch.
    QGroupBox *units = frame(w, "fraUnits", QStringLiteral("Units"));
    auto *ul = new QVBoxLayout(units);
    auto *velGroup = new QButtonGroup(units);
    const QString velTexts[] = {QStringLiteral("USA - f/s"), QStringLiteral("Metric - m/s")};
    for (int i = 0; i < 2; ++i) {
        auto *r = new QRadioButton(velTexts[i], units);
        r->setObjectName(arrayName("optUnitsUM", i));
        velGroup->addButton(r, i);
        ul->addWidget(r);
    }
    connect(velGroup, &QButtonGroup::idClicked, this, [&s](int id) {
        if (!s.filling)
            s.setVelUnits(id);
    });
    auto *celsius = new QCheckBox(QStringLiteral("Celsius (cel)"), units);
    celsius->setObjectName(QString::fromLatin1(kSwitchNames[CroSetup::TempUnits]));
    ul->addWidget(celsius);
    grid->addWidget(units, 4, 0);

    // Auto power-down: the switch and the time with hour and minute steps.
    QGroupBox *pwr = frame(w, "fraPwrDwn", QStringLiteral("Auto Power Down"));
    auto *pl = new QGridLayout(pwr);
    auto *enabled = new QCheckBox(QStringLiteral("Enabled"), pwr);
    enabled->setObjectName(QString::fromLatin1(kSwitchNames[CroSetup::PwrDownOn]));
    pl->addWidget(enabled, 0, 0, 1, 6);
    // Hours (index 1) with buttons 0/1, minutes (index 0) with buttons 2/3.
    for (int col = 0; col < 2; ++col) {
        const int box = col == 0 ? 1 : 0;
        pl->addWidget(valueBox(pwr, arrayName("txtPwrDwn", box), 2), 1, col * 3);
        pl->addWidget(new QLabel(col == 0 ? QStringLiteral("hh") : QStringLiteral("mm"), pwr), 1, col * 3 + 1);
        auto *a = new QVBoxLayout;
        a->setSpacing(0);
        for (int k = 0; k < 2; ++k) {
            const int index = col * 2 + k;
            QToolButton *b = arrowButton(pwr, arrayName("cmdPwrDwn", index), k == 0,
                                         (k == 0 ? QStringLiteral("Later by ") : QStringLiteral("Sooner by "))
                                             + (col == 0 ? QStringLiteral("an hour") : QStringLiteral("a minute")));
            connect(b, &QToolButton::clicked, this, [&s, index] {
                if (!s.filling)
                    s.pressPwrDown(index);
            });
            a->addWidget(b);
        }
        pl->addLayout(a, 1, col * 3 + 2);
    }
    pl->setColumnStretch(6, 1);
    grid->addWidget(pwr, 0, 1);

    // String size: shots per string (0) and strings per folder (1), both one menu entry.
    QGroupBox *size = frame(w, "fraStrSize", QStringLiteral(" String Size"));
    auto *zl = new QGridLayout(size);
    const QString sizeTexts[] = {QStringLiteral("Shots per string"), QStringLiteral("Strings per folder")};
    static const int sizeButtons[2][2] = {{1, 0}, {2, 3}};   // [row][up, down]
    for (int row = 0; row < 2; ++row) {
        zl->addWidget(new QLabel(sizeTexts[row], size), row, 0);
        zl->addWidget(valueBox(size, arrayName("txtStrSize", row), 2), row, 1);
        auto *a = new QHBoxLayout;
        a->setSpacing(0);
        for (int k = 0; k < 2; ++k) {
            const int index = sizeButtons[row][k];
            QToolButton *b = arrowButton(size, arrayName("cmdStrSizUpDwn", index), k == 0,
                                         k == 0 ? QStringLiteral("Next larger memory layout")
                                                : QStringLiteral("Next smaller memory layout"));
            connect(b, &QToolButton::clicked, this, [&s, index] {
                if (!s.filling)
                    s.stepStringSize(index);
            });
            a->addWidget(b);
        }
        zl->addLayout(a, row, 2);
    }
    zl->setColumnStretch(3, 1);
    grid->addWidget(size, 1, 1);

    // RV5 mode: Data/Stats and the two menu-only switches.
    QGroupBox *mode = frame(w, "fraMode", QStringLiteral("RV5 Mode"));
    auto *ml = new QVBoxLayout(mode);
    auto *modeRow = new QHBoxLayout;
    auto *modeGroup = new QButtonGroup(mode);
    const QString modeTexts[] = {QStringLiteral("Data"), QStringLiteral("Stats")};
    for (int i = 0; i < 2; ++i) {
        auto *r = new QRadioButton(modeTexts[i], mode);
        r->setObjectName(arrayName("optModDSM", i));
        modeGroup->addButton(r, i);
        modeRow->addWidget(r);
    }
    modeRow->addStretch(1);
    ml->addLayout(modeRow);
    connect(modeGroup, &QButtonGroup::idClicked, this, [&s](int id) {
        if (!s.filling)
            s.setMode(id);
    });
    auto *alarm = new QCheckBox(QStringLiteral("Memory Full Alarm On"), mode);
    alarm->setObjectName(QString::fromLatin1(kSwitchNames[CroSetup::MemAlarm]));
    auto *expert = new QCheckBox(QStringLiteral("Expert Mode On"), mode);
    expert->setObjectName(QString::fromLatin1(kSwitchNames[CroSetup::ExpertMode]));
    ml->addWidget(alarm);
    ml->addWidget(expert);
    grid->addWidget(mode, 2, 1, 2, 1);

    for (int i = 0; i < CroSetup::kSwitches; ++i) {
        auto *c = findChild<QCheckBox *>(QString::fromLatin1(kSwitchNames[i]));
        connect(c, &QCheckBox::clicked, this, [&s, i](bool checked) {
            if (!s.filling)
                s.setSwitch(CroSetup::Switch(i), checked);
        });
    }

    // Send to PC: the three log items.
    QGroupBox *logs = frame(w, "fraSndLogs", QStringLiteral("Send to PC"));
    auto *ll = new QVBoxLayout(logs);
    const QString logTexts[] = {QStringLiteral("Capture Tag"), QStringLiteral("Temperature"), QStringLiteral("Incremental Stats")};
    for (int i = 0; i < 3; ++i) {
        auto *c = new QCheckBox(logTexts[i], logs);
        c->setObjectName(arrayName("chkSndLogs", i));
        connect(c, &QCheckBox::clicked, this, [&s, i](bool checked) {
            if (!s.filling)
                s.setSendLog(i, checked);
        });
        ll->addWidget(c);
    }
    grid->addWidget(logs, 4, 1);
    grid->setRowStretch(5, 1);
    return w;
}

QWidget *FrmCroSetup::buildStatus()
{
    auto *w = new QWidget(this);
    auto *col = new QVBoxLayout(w);
    col->setContentsMargins(0, 0, 0, 0);

    QGroupBox *status = frame(w, "fraStatus", QStringLiteral(" Status"));
    auto *sg = new QGridLayout(status);
    sg->addWidget(new QLabel(QStringLiteral("Battery:"), status), 0, 0);
    sg->addWidget(valueLabel(status, QStringLiteral("labBatVal")), 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("Volts"), status), 0, 2);
    sg->addWidget(new QLabel(QStringLiteral("Temperature:"), status), 1, 0);
    sg->addWidget(valueLabel(status, QStringLiteral("labTemVal")), 1, 1);
    auto *unit = new QLabel(QStringLiteral("Celsius"), status);
    unit->setObjectName(QStringLiteral("labTemUnit"));
    sg->addWidget(unit, 1, 2);
    col->addWidget(status);

    QGroupBox *cal = frame(w, "fraCalib", QStringLiteral("Calibration"));
    auto *cg = new QGridLayout(cal);
    const QString calTexts[] = {QStringLiteral("Level:"), QStringLiteral("Noise:"), QStringLiteral("Time:")};
    static const char *const calNames[] = {"labCalibLev", "labCalibNoise", "labCalibTime"};
    for (int i = 0; i < 3; ++i) {
        cg->addWidget(new QLabel(calTexts[i], cal), i, 0);
        cg->addWidget(valueLabel(cal, QString::fromLatin1(calNames[i])), i, 1);
    }
    cg->setColumnStretch(2, 1);
    col->addWidget(cal);

    QGroupBox *store = frame(w, "fraDataStorage", QStringLiteral("Data Storage"));
    auto *dg = new QGridLayout(store);
    const QString storeTexts[] = {QStringLiteral("Shots per string "), QStringLiteral("Strings per folder "),
                                  QStringLiteral("Folders per eDisk"), QStringLiteral("eDisks")};
    for (int i = 0; i < 4; ++i) {
        dg->addWidget(new QLabel(storeTexts[i], store), i, 0);
        dg->addWidget(valueLabel(store, arrayName("labMaxDatVal", i)), i, 1);
    }
    col->addWidget(store);

    QGroupBox *pos = frame(w, "fraCurPos", QStringLiteral("Current Position  && Size"));
    auto *pg = new QGridLayout(pos);
    const QString posTexts[] = {QStringLiteral("Shot:"), QStringLiteral("String:"), QStringLiteral("Folder:"),
                                QStringLiteral("Next:")};
    static const char *const nextTips[] = {"Next shot", "Previous shot", "Next string", "Previous string",
                                           "Next folder", "Previous folder"};
    for (int row = 0; row < 4; ++row) {
        pg->addWidget(new QLabel(posTexts[row], pos), row, 0);
        pg->addWidget(valueBox(pos, arrayName("txtCurPos", row), 2), row, 1);
        auto *of = new QLabel(pos);
        of->setObjectName(arrayName("labCurPosOfVal", row));
        of->setMinimumWidth(of->fontMetrics().horizontalAdvance(QStringLiteral("of 000")));
        pg->addWidget(of, row, 2);
        auto *a = new QHBoxLayout;
        a->setSpacing(0);
        for (int k = 0; k < 2; ++k) {
            const int index = row * 2 + k;
            QToolButton *b = arrowButton(pos, arrayName("cmdCurPosUpDwn", index), k == 0,
                                         row < 3 ? QString::fromLatin1(nextTips[index]) : QString());
            b->setEnabled(row < 3);   // the "Next:" row has no key
            connect(b, &QToolButton::clicked, this, [this, index] {
                if (!m_setup.filling)
                    m_setup.movePosition(index);
            });
            a->addWidget(b);
        }
        pg->addLayout(a, row, 3);
    }
    pg->setColumnStretch(4, 1);
    col->addWidget(pos);
    col->addStretch(1);
    return w;
}

QWidget *FrmCroSetup::buildWait()
{
    auto *f = new QFrame(this);
    f->setObjectName(QStringLiteral("fraWait"));
    f->setFrameShape(QFrame::Box);
    f->setLineWidth(2);
    f->setAutoFillBackground(true);
    auto *l = new QVBoxLayout(f);
    l->setContentsMargins(18, 14, 18, 14);
    m_waitText = new QLabel(f);
    m_waitText->setObjectName(QStringLiteral("labWait"));
    m_waitText->setAlignment(Qt::AlignCenter);
    m_waitPct = new QLabel(f);
    m_waitPct->setObjectName(QStringLiteral("labWaitPct"));
    m_waitPct->setAlignment(Qt::AlignCenter);
    QPushButton *quit = pushButton(f, "cmdQuit", QStringLiteral("Abort"));
    connect(quit, &QPushButton::clicked, this, [this] { m_setup.abortFlag = true; });
    l->addWidget(m_waitText);
    l->addWidget(m_waitPct);
    l->addWidget(quit, 0, Qt::AlignCenter);
    f->hide();
    return f;
}

void FrmCroSetup::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    placeWait();
}

void FrmCroSetup::placeWait()
{
    const QSize s = m_wait->sizeHint().expandedTo(QSize(340, 0));
    m_wait->setGeometry(QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s));
}

void FrmCroSetup::showWait(bool on)
{
    m_settings->setEnabled(!on);
    if (on) {
        m_waitPct->clear();
        m_waitText->setText(QStringLiteral("Please wait - Collecting RV5 Status Data..."));
        placeWait();
        m_wait->show();
        m_wait->raise();
    } else {
        m_wait->hide();
        render();
    }
}

void FrmCroSetup::openPanel()
{
    m_setup.open();
    m_wait->hide();
    render();
}

void FrmCroSetup::render()
{
    const CroSetup::Shown &v = m_setup.shown();
    const CroState &c = m_setup.cro();
    const auto setText = [this](const QString &name, const QString &text) {
        if (auto *e = findChild<QLineEdit *>(name))
            e->setText(text);
        else if (auto *l = findChild<QLabel *>(name))
            l->setText(text);
    };
    const auto option = [this](const QString &first, int index) {
        if (auto *b = findChild<QRadioButton *>(first))
            selectOption(b->group(), index);
    };
    option(QStringLiteral("optSnsOnOff_0"), v.onOff[0]);
    option(QStringLiteral("optArcOnOff_0"), v.onOff[1]);
    option(QStringLiteral("optRFirOnOff_0"), v.onOff[2]);
    option(QStringLiteral("optUnitsUM_0"), v.velUnits);
    option(QStringLiteral("optModDSM_0"), v.mode);
    for (int i = 0; i < CroSetup::kSwitches; ++i) {
        auto *box = findChild<QCheckBox *>(QString::fromLatin1(kSwitchNames[i]));
        const int state = v.switches.at(size_t(i));
        box->setTristate(state == CroSetup::Grayed);
        box->setCheckState(state == CroSetup::Grayed ? Qt::PartiallyChecked : state ? Qt::Checked : Qt::Unchecked);
    }
    for (int i = 0; i < 3; ++i)
        findChild<QCheckBox *>(arrayName("chkSndLogs", i))->setChecked(v.logs.at(size_t(i)));
    setText(QStringLiteral("txtSnsLevel"), QString::number(v.sensLevel));
    setText(QStringLiteral("txtPwrDwn_1"), QString::number(v.pwrHrs));
    setText(QStringLiteral("txtPwrDwn_0"), QStringLiteral("%1").arg(v.pwrMin, 2, 10, QLatin1Char('0')));
    setText(QStringLiteral("txtStrSize_0"), QString::number(v.maxSho));
    setText(QStringLiteral("txtStrSize_1"), QString::number(v.maxStr));
    const int maxima[] = {v.maxSho, v.maxStr, c.iCroMaxFol, 1};
    for (int i = 0; i < 4; ++i)
        setText(arrayName("labMaxDatVal", i), QString::number(maxima[i]));
    const int pos[] = {v.shot, v.str, v.fol, c.iCroShotPos};
    const int of[] = {c.iCroShotPos, v.maxStr, c.iCroMaxFol, v.maxSho};
    for (int i = 0; i < 4; ++i) {
        setText(arrayName("txtCurPos", i), QString::number(pos[i]));
        setText(arrayName("labCurPosOfVal", i), QStringLiteral("of ") + QString::number(of[i]));
    }
    setText(QStringLiteral("labBatVal"), QString::number(double(c.fCroBattery)));
    setText(QStringLiteral("labTemVal"), QString::number(double(c.fCroTemp)));
    setText(QStringLiteral("labCalibLev"), QString::number(c.iCroCalLevel));
    setText(QStringLiteral("labCalibNoise"), QString::number(c.iCroCalNoise));
    setText(QStringLiteral("labCalibTime"), calTime(c.fCroCalTime));
}

void FrmCroSetup::closeEvent(QCloseEvent *e)
{
    if (m_setup.filling) {   // an operation is talking to the chronograph
        e->ignore();
        return;
    }
    if (m_setup.firstDifference() >= 0) {
        const MsgAnswer a = m_prompter.ask(QStringLiteral("Setup has changed!\r\nSend Changes to RV5 Before Closing..?"),
                                           MsgButtons::YesNoCancel, 3);
        if (a == MsgAnswer::Cancel) {
            e->ignore();
            return;
        }
        if (a == MsgAnswer::Yes)
            m_setup.sendChanges();
    }
    e->accept();
    if (onClosed)
        onClosed();
}

} // namespace zx
