#include "remote/ui/frm_rem_ctr.h"

#include "platform/program_files.h"
#include "platform/settings_store.h"
#include "platform/ui/named_button.h"
#include "remote/remote_control.h"
#include "remote/remote_settings_keys.h"
#include "remote/ui/progress_strip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zx {

namespace {

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

// The panel's keys keep the focus where it was when clicked, as the chronograph's keys would.
QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QString &tip = {})
{
    QPushButton *b = namedButton(parent, name, text, tip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QPushButton *keyButton(QWidget *parent, const QString &name, const QString &text, const QString &tip)
{
    QPushButton *b = button(parent, name, text, tip);
    b->setMinimumSize(64, 40);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return b;
}

QGroupBox *group(QWidget *parent, const char *name, const QString &title)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

double twipsPerPixel(const QWidget *w)
{
    const QScreen *s = w->screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

} // namespace

FrmRemCtr::FrmRemCtr(RemoteControl &rc, QWidget *parent) : QWidget(parent, Qt::Window), m_rc(rc)
{
    setObjectName(QStringLiteral("frmRemCtr"));
    setAttribute(Qt::WA_QuitOnClose, false);

    // Page selectors, the mode label and the user level along the top.
    auto *top = new QHBoxLayout;
    m_tabs = new QButtonGroup(this);
    m_tabs->setExclusive(true);
    static const char *const tabNames[] = {"cmdSetSysTab", "cmdSetCmdTab", "cmdSetHwrTab", "cmdSetDwnTab", "cmdSetExpTab"};
    static const char *const tabTexts[] = {"System", "Macros", "Remote", "Download", "Export"};
    for (int i = 0; i < RemoteControl::kPages; ++i) {
        QPushButton *b = button(this, QString::fromLatin1(tabNames[i]), QString::fromLatin1(tabTexts[i]),
                                RemoteControl::pageTitle(i));
        b->setCheckable(true);
        // As wide as their words, not the style's least button width: the panel then fits
        // beside a main window of the default width on a desktop screen.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 20);
        m_tabs->addButton(b, i);
        top->addWidget(b);
    }
    top->addStretch(1);
    auto *strip = new ProgressStrip(this);
    top->addWidget(strip);
    m_modeLabel = new QLabel(QStringLiteral("Edit"), this);
    m_modeLabel->setObjectName(QStringLiteral("lblRemMode"));
    m_modeLabel->setAlignment(Qt::AlignCenter);
    m_modeLabel->setMinimumWidth(56);
    m_modeLabel->setFrameShape(QFrame::Panel);
    m_modeLabel->setFrameShadow(QFrame::Sunken);
    m_modeLabel->setAutoFillBackground(true);
    m_modeLabel->setToolTip(QStringLiteral("Mode: Edit, Shoot, Remo(te) or TTY"));
    top->addWidget(m_modeLabel);
    QPushButton *up = button(this, arrayName("cmdUserLev", 0), QStringLiteral("+"), QStringLiteral("More settings on this page"));
    QPushButton *down = button(this, arrayName("cmdUserLev", 1), QStringLiteral("-"), QStringLiteral("Fewer settings on this page"));
    up->setFixedWidth(28);
    down->setFixedWidth(28);
    m_levelLabel = new QLabel(this);
    m_levelLabel->setObjectName(QStringLiteral("lblUserLev"));
    top->addWidget(down);
    top->addWidget(m_levelLabel);
    top->addWidget(up);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("fraKeyCtrPages"));
    m_pages->addWidget(buildSystemPage());
    m_pages->addWidget(buildMacrosPage());
    m_pages->addWidget(buildHardwarePage());
    m_downloadHolder = new QWidget(this);
    m_downloadHolder->setObjectName(QStringLiteral("fraKeyCtrSDwn"));
    (new QVBoxLayout(m_downloadHolder))->setContentsMargins(0, 0, 0, 0);
    m_pages->addWidget(m_downloadHolder);
    m_pages->addWidget(buildExportPage());

    // The message line ("iPad line").
    m_line = new QLabel(this);
    m_line->setObjectName(QStringLiteral("lblIPadLine"));
    m_line->setFrameShape(QFrame::Panel);
    m_line->setFrameShadow(QFrame::Sunken);
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_line->setMinimumHeight(m_line->fontMetrics().height() + 8);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(6);
    root->addLayout(top);
    root->addWidget(m_pages);
    root->addWidget(m_line);
    root->addWidget(buildProgress(), 1);

    connect(m_tabs, &QButtonGroup::idClicked, &m_rc, &RemoteControl::setPage);
    connect(up, &QPushButton::clicked, &m_rc, [this] { m_rc.cmdUserLev(0); });
    connect(down, &QPushButton::clicked, &m_rc, [this] { m_rc.cmdUserLev(1); });
    connect(&m_rc, &RemoteControl::pageChanged, this, [this](int page) {
        m_pages->setCurrentIndex(page);
        if (QAbstractButton *b = m_tabs->button(page))
            b->setChecked(true);
        showCaption();
        showLevel();
    });
    connect(&m_rc, &RemoteControl::levelChanged, this, [this] { showLevel(); });
    connect(&m_rc, &RemoteControl::messageChanged, m_line, &QLabel::setText);
    connect(&m_rc, &RemoteControl::linksChanged, this, &FrmRemCtr::showLinks);
    connect(&m_rc, &RemoteControl::modeChanged, this, [this](int i) {
        if (QAbstractButton *b = m_modes->button(i))
            b->setChecked(true);
    });
    connect(&m_rc, &RemoteControl::progressStepped, strip, &ProgressStrip::setStep);
    connect(&m_rc, &RemoteControl::progressVisibleChanged, this, [this](bool on) {
        m_progress->setVisible(on);
        if (auto *arrow = findChild<QPushButton *>(arrayName("cmdSetPrgTab", 1)))
            arrow->setChecked(on);
    });

    m_pages->setCurrentIndex(m_rc.page());
    m_tabs->button(m_rc.page())->setChecked(true);
    showLevel();
    showCaption();
    resize(640, 620);
}

FrmRemCtr::~FrmRemCtr() = default;

// The cycle timer runs while the panel is on the screen.
void FrmRemCtr::showEvent(QShowEvent *e)
{
    m_rc.tmrPCycle.start();
    QWidget::showEvent(e);
}

void FrmRemCtr::hideEvent(QHideEvent *e)
{
    m_rc.tmrPCycle.stop();
    QWidget::hideEvent(e);
}

QWidget *FrmRemCtr::buildSystemPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("fraKeyCtrSSys"));

    QGroupBox *links = group(page, "fraHwrLnkTo", QStringLiteral("Connect To"));
    auto *ll = new QVBoxLayout(links);
    static const char *const tips[] = {"Received text into the terminal window (iLoger)",
                                       "Received text into the active CFile (the LogPad)",
                                       "Shots into the Excel workbook"};
    for (int i = 0; i < 3; ++i) {
        auto *c = new QCheckBox(RemoteControl::linkName(i), links);
        c->setObjectName(arrayName("chkHwrLnkTo", i));
        c->setToolTip(QString::fromLatin1(tips[i]));
        ll->addWidget(c);
        m_links.at(size_t(i)) = c;
        // Clicks only: the box follows the flag, which the user's answer may keep.
        connect(c, &QCheckBox::clicked, &m_rc, [this, i](bool on) {
            m_rc.setLink(i, on);
            showLinks();
        });
    }
    ll->addStretch(1);

    QGroupBox *log = group(page, "fraHwrCLog", QStringLiteral("Communication Log"));
    auto *lg = new QGridLayout(log);
    m_logFile = new QLineEdit(log);
    m_logFile->setObjectName(QStringLiteral("txtHwrCLogFile"));
    m_logPath = new QLineEdit(log);
    m_logPath->setObjectName(QStringLiteral("txtHwrCLogPath"));
    m_logOn = new QCheckBox(QStringLiteral("Log the chronograph's text"), log);
    m_logOn->setObjectName(QStringLiteral("chkHwrCLogOn"));
    lg->addWidget(new QLabel(QStringLiteral("File:"), log), 0, 0);
    lg->addWidget(m_logFile, 0, 1);
    lg->addWidget(new QLabel(QStringLiteral("Folder:"), log), 1, 0);
    lg->addWidget(m_logPath, 1, 1);
    lg->addWidget(m_logOn, 2, 1);
    lg->setRowStretch(3, 1);
    connect(m_logFile, &QLineEdit::textEdited, &m_rc, [this](const QString &t) { m_rc.logFile = t; });
    connect(m_logPath, &QLineEdit::textEdited, &m_rc, [this](const QString &t) { m_rc.logPath = t; });
    connect(m_logOn, &QCheckBox::toggled, &m_rc, [this](bool on) { m_rc.logOn = on; });

    QGroupBox *chrono = group(page, "fraSysChrono", QStringLiteral("Chronograph"));
    auto *cl = new QVBoxLayout(chrono);
    QPushButton *test = button(chrono, QStringLiteral("cmdSysTest"), QStringLiteral("Test Connection"),
                               QStringLiteral("Test the link; the report comes into the progress log"));
    QPushButton *status = button(chrono, QStringLiteral("cmdSysStatus"), QStringLiteral("Status Report"),
                                 QStringLiteral("The chronograph's status into the CFile"));
    cl->addWidget(test);
    cl->addWidget(status);
    cl->addStretch(1);
    connect(test, &QPushButton::clicked, &m_rc, [this] {
        if (m_rc.connectionCheck(RemoteControl::Need::Progress) && m_rc.hooks.testLink)
            m_rc.hooks.testLink();
    });
    connect(status, &QPushButton::clicked, &m_rc, [this] {
        if (m_rc.hooks.statusReport)
            m_rc.hooks.statusReport();
    });

    auto *lay = new QGridLayout(page);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(links, 0, 0);
    lay->addWidget(chrono, 0, 1);
    lay->addWidget(log, 1, 0, 1, 2);
    lay->setRowStretch(2, 1);
    return page;
}

QWidget *FrmRemCtr::buildMacrosPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("fraKeyCtrSCmd"));
    auto *lay = new QGridLayout(page);
    lay->setContentsMargins(0, 0, 0, 0);
    const auto addList = [this, page](QListWidget *&slot, const QString &name, const QString &title) {
        auto *box = new QGroupBox(title, page);
        auto *bl = new QVBoxLayout(box);
        slot = new QListWidget(box);
        slot->setObjectName(name);
        slot->setToolTip(QStringLiteral("Click a command to send it to the chronograph"));
        bl->addWidget(slot);
        connect(slot, &QListWidget::itemClicked, &m_rc, [this](QListWidgetItem *item) {
            m_rc.listClick(item->data(Qt::UserRole).toInt());
        });
        return box;
    };
    for (int i = 0; i < 4; ++i)
        lay->addWidget(addList(m_lists.at(size_t(i)), arrayName("lstCtrAscLow", i), QStringLiteral("List %1").arg(i)),
                       i / 2, i % 2);
    lay->addWidget(addList(m_listHig, QStringLiteral("lstCtrAscHig"), QStringLiteral("Typed Commands")), 0, 2, 2, 1);
    return page;
}

QWidget *FrmRemCtr::buildHardwarePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("fraKeyCtrSHwr"));

    // The chronograph's keypad: arrows around Esc, folder keys on the left, readings on the right.
    QGroupBox *keys = group(page, "fraHwrKeys", QStringLiteral("Keys"));
    auto *kg = new QGridLayout(keys);
    kg->setSpacing(4);
    QPushButton *pgUp = keyButton(keys, arrayName("cmdKeyPgUpDw", 0), QStringLiteral("PgUp"), QStringLiteral("Previous folder"));
    QPushButton *upKey = keyButton(keys, QStringLiteral("cmdKeyUp"), QStringLiteral("\u25B2"), QStringLiteral("Previous shot"));
    QPushButton *temp = keyButton(keys, arrayName("cmdKeyType", 0), QStringLiteral("Temp"), QStringLiteral("Temperatures"));
    QPushButton *left = keyButton(keys, QStringLiteral("cmdKeyLeft"), QStringLiteral("\u25C0"), QStringLiteral("Previous string"));
    QPushButton *esc = keyButton(keys, QStringLiteral("cmdKeyEsc"), QStringLiteral("Esc"), QStringLiteral("Escape (no answer awaited)"));
    QPushButton *right = keyButton(keys, QStringLiteral("cmdKeyRite"), QStringLiteral("\u25B6"), QStringLiteral("Next string"));
    QPushButton *pgDn = keyButton(keys, arrayName("cmdKeyPgUpDw", 1), QStringLiteral("PgDn"), QStringLiteral("Next folder"));
    QPushButton *downKey = keyButton(keys, QStringLiteral("cmdKeyDwn"), QStringLiteral("\u25BC"), QStringLiteral("Next shot"));
    QPushButton *units = keyButton(keys, arrayName("cmdKeyType", 1), QStringLiteral("Units"), QStringLiteral("Units in use"));
    kg->addWidget(pgUp, 0, 0);
    kg->addWidget(upKey, 0, 1);
    kg->addWidget(temp, 0, 2);
    kg->addWidget(left, 1, 0);
    kg->addWidget(esc, 1, 1);
    kg->addWidget(right, 1, 2);
    kg->addWidget(pgDn, 2, 0);
    kg->addWidget(downKey, 2, 1);
    kg->addWidget(units, 2, 2);
    const auto bindKey = [this](QPushButton *b, const PanelKey &k) {
        connect(b, &QPushButton::clicked, &m_rc, [this, k] { m_rc.keyPress(k); });
    };
    bindKey(upKey, RemoteControl::kUp);
    bindKey(downKey, RemoteControl::kDown);
    bindKey(left, RemoteControl::kLeft);
    bindKey(right, RemoteControl::kRight);
    bindKey(pgUp, RemoteControl::kPgUpDw[0]);
    bindKey(pgDn, RemoteControl::kPgUpDw[1]);
    bindKey(temp, RemoteControl::kType[0]);
    bindKey(units, RemoteControl::kType[1]);
    connect(esc, &QPushButton::clicked, &m_rc, &RemoteControl::keyEsc);

    QGroupBox *shoot = group(page, "fraHwrShoot", QStringLiteral("Chronograph"));
    auto *sl = new QVBoxLayout(shoot);
    m_start = button(shoot, QStringLiteral("cmdKeyStart"), QStringLiteral("Start"), QStringLiteral("Sensors on, shots into the CFile"));
    m_stop = button(shoot, QStringLiteral("cmdKeyStop"), QStringLiteral("Stop"), QStringLiteral("Sensors off"));
    m_remote = button(shoot, QStringLiteral("cmdKeyRemote"), QStringLiteral("Remote"), QStringLiteral("Remote control only"));
    QPushButton *cal = button(shoot, QStringLiteral("cmdKeyCalibrate"), QStringLiteral("Calibrate"));
    for (QPushButton *b : {m_start, m_stop, m_remote, cal}) {
        b->setMinimumHeight(30);
        sl->addWidget(b);
    }
    setKeyColor(cal, QColor(192, 192, 192));
    sl->addStretch(1);
    connect(m_start, &QPushButton::clicked, &m_rc, &RemoteControl::keyStart);
    connect(m_stop, &QPushButton::clicked, &m_rc, &RemoteControl::keyStop);
    connect(m_remote, &QPushButton::clicked, &m_rc, [this] {
        if (m_rc.hooks.remoteOnly)
            m_rc.hooks.remoteOnly();
    });
    connect(cal, &QPushButton::clicked, &m_rc, &RemoteControl::keyCalibrate);

    QGroupBox *mode = group(page, "fraCroMode", QStringLiteral("Display"));
    auto *ml = new QHBoxLayout(mode);
    m_modes = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        QPushButton *b = button(mode, arrayName("cmdCroMode", i), RemoteControl::kModeNames.at(size_t(i)));
        b->setCheckable(true);
        m_modes->addButton(b, i);
        ml->addWidget(b);
    }
    connect(m_modes, &QButtonGroup::idClicked, &m_rc, [this](int i) {
        // The buttons show the chronograph's mode, not the click.
        if (QAbstractButton *b = m_modes->button(m_rc.shownMode()))
            b->setChecked(true);
        else if (QAbstractButton *c = m_modes->checkedButton()) {
            m_modes->setExclusive(false);
            c->setChecked(false);
            m_modes->setExclusive(true);
        }
        m_rc.croMode(i);
    });

    QGroupBox *memory = group(page, "fraHwrMemory", QStringLiteral("Memory at the cursor"));
    auto *mg = new QGridLayout(memory);
    static const char *const items[] = {"Shot", "String", "Folder"};
    mg->addWidget(new QLabel(QStringLiteral("Delete"), memory), 0, 0);
    mg->addWidget(new QLabel(QStringLiteral("Undelete"), memory), 1, 0);
    for (int i = 0; i < 3; ++i) {
        QPushButton *d = button(memory, arrayName("cmdDelete", i), QString::fromLatin1(items[i]));
        QPushButton *u = button(memory, arrayName("cmdUnDelete", i), QString::fromLatin1(items[i]));
        mg->addWidget(d, 0, i + 1);
        mg->addWidget(u, 1, i + 1);
        connect(d, &QPushButton::clicked, &m_rc, [this, i] { m_rc.memoryKey(false, i); });
        connect(u, &QPushButton::clicked, &m_rc, [this, i] { m_rc.memoryKey(true, i); });
    }

    auto *lay = new QGridLayout(page);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(keys, 0, 0);
    lay->addWidget(shoot, 0, 1);
    lay->addWidget(mode, 1, 0);
    lay->addWidget(memory, 1, 1);
    lay->setColumnStretch(0, 3);
    lay->setColumnStretch(1, 2);
    lay->setRowStretch(0, 1);
    return page;
}

QWidget *FrmRemCtr::buildExportPage()
{
    // The choices only; the main window's workbook side connects cmdExp2Excel to the export.
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("fraKeyCtrSExp"));
    auto *lay = new QVBoxLayout(page);
    auto *source = new QGroupBox(QStringLiteral("Export to Excel Workbook"), page);
    auto *choices = new QVBoxLayout(source);
    const char *names[] = {"Current String", "Current Folder", "eDisk (all shots)"};
    for (int i = 0; i < 3; ++i) {
        auto *opt = new QRadioButton(QString::fromLatin1(names[i]), source);
        opt->setObjectName(arrayName("optExpSrc", i));
        choices->addWidget(opt);
    }
    QPushButton *go = button(page, QStringLiteral("cmdExp2Excel"), QStringLiteral("Export"),
                             QStringLiteral("Download the chosen shots and write them into the linked workbook"));
    lay->addWidget(source);
    lay->addWidget(go, 0, Qt::AlignRight);
    lay->addStretch(1);
    return page;
}

QWidget *FrmRemCtr::buildProgress()
{
    m_progressBox = new QGroupBox(QStringLiteral("Progress"), this);
    m_progressBox->setObjectName(QStringLiteral("fraPrgrs"));
    auto *bar = new QHBoxLayout;
    QPushButton *clear = button(m_progressBox, arrayName("cmdSetPrgTab", 0), QStringLiteral("Clear..."), QStringLiteral("Clear the progress log"));
    QPushButton *arrow = button(m_progressBox, arrayName("cmdSetPrgTab", 1), QStringLiteral("--->"), QStringLiteral("Show or hide the progress log"));
    arrow->setCheckable(true);
    arrow->setChecked(m_rc.progressVisible());
    arrow->setStyleSheet(QStringLiteral("QPushButton { background: rgb(255,255,0); color: black; }"));
    QPushButton *echo = button(m_progressBox, arrayName("cmdSetPrgTab", 2), QStringLiteral("Echo"),
                               QStringLiteral("Show everything the chronograph sends"));
    echo->setCheckable(true);
    bar->addWidget(clear);
    bar->addWidget(arrow);
    bar->addWidget(echo);
    bar->addStretch(1);
    m_progress = new QPlainTextEdit(m_progressBox);
    m_progress->setObjectName(QStringLiteral("txtPrgrs"));
    m_progress->setReadOnly(true);
    m_progress->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_progress->setMinimumHeight(90);
    auto *lay = new QVBoxLayout(m_progressBox);
    lay->addLayout(bar);
    lay->addWidget(m_progress, 1);
    connect(clear, &QPushButton::clicked, &m_rc, &RemoteControl::clearProgress);
    connect(arrow, &QPushButton::toggled, &m_rc, &RemoteControl::setProgressVisible);
    connect(echo, &QPushButton::toggled, &m_rc, &RemoteControl::setEcho);
    m_echo = echo;
    return m_progressBox;
}

void FrmRemCtr::setKeyColor(QPushButton *b, QColor c)
{
    if (b)
        b->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: black; }").arg(c.name()));
}

void FrmRemCtr::applyMode(const QString &windowTag, const QString &modeLabel, std::optional<QColor> modeColor,
                          QColor start, QColor stop, QColor remote)
{
    m_tag = QStringLiteral("iPad") + windowTag;
    showCaption();
    m_modeLabel->setText(modeLabel);
    QPalette pal = m_modeLabel->palette();
    pal.setColor(QPalette::Window, modeColor ? *modeColor : palette().color(QPalette::Button));
    pal.setColor(QPalette::WindowText, Qt::black);
    m_modeLabel->setPalette(pal);
    setKeyColor(m_start, start);
    setKeyColor(m_stop, stop);
    setKeyColor(m_remote, remote);
    showLinks();
}

void FrmRemCtr::showCaption() { setWindowTitle(m_tag + RemoteControl::pageTitle(m_rc.page())); }

void FrmRemCtr::showLevel()
{
    const int p = m_rc.page();
    m_levelLabel->setText(QStringLiteral("Lev %1/%2").arg(m_rc.userLevel(p)).arg(m_rc.maxUserLevel(p)));
    // The settings shown at a level: the communication log from level 1, the typed
    // commands from level 1.
    findChild<QWidget *>(QStringLiteral("fraHwrCLog"))->setVisible(m_rc.userLevel(RemoteControl::System) >= 1);
    m_listHig->parentWidget()->setVisible(m_rc.userLevel(RemoteControl::Macros) >= 1);
}

void FrmRemCtr::showProgress(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_progress->setPlainText(shown);
    m_progress->verticalScrollBar()->setValue(m_progress->verticalScrollBar()->maximum());
}

void FrmRemCtr::setDownloadPage(QWidget *page)
{
    page->setParent(m_downloadHolder);
    m_downloadHolder->layout()->addWidget(page);
}

QWidget *FrmRemCtr::exportFrame() const { return m_pages->widget(RemoteControl::Export); }

void FrmRemCtr::fillCommandLists()
{
    for (QListWidget *l : m_lists)
        l->clear();
    m_listHig->clear();
    const auto add = [](QListWidget *l, const RemoteCommand &c) {
        auto *item = new QListWidgetItem(c.caption, l);
        item->setData(Qt::UserRole, c.code);
    };
    for (const RemoteCommand &c : m_rc.commands.commands) {
        add(m_lists.at(size_t(c.list)), c);
        if (c.code >= 32)
            add(m_listHig, c);
    }
}

void FrmRemCtr::showLinks()
{
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker block(m_links.at(size_t(i)));
        m_links.at(size_t(i))->setChecked(m_rc.linked(i));
    }
    // A download switches the echo off by itself: the button follows the switch.
    if (m_echo) {
        const QSignalBlocker block(m_echo);
        m_echo->setChecked(m_rc.echo());
    }
}

void FrmRemCtr::showPage(int page)
{
    m_rc.setPage(page);
    show();
    raise();
    activateWindow();
}

void FrmRemCtr::lodRemCtr(SettingsStore &store, const QString &app, int appNumber, const ProgramFiles &files)
{
    const double tpp = twipsPerPixel(this);
    bool okX = false, okY = false;
    const int x = store.read(app, keys::frmRemCtr::PosWinX).toInt(&okX);
    const int y = store.read(app, keys::frmRemCtr::PosWinY).toInt(&okY);
    if (okX && okY)
        move(int(x / tpp), int(y / tpp));
    m_rc.reportMode = store.readBool(app, keys::frmRemCtr::Debug) ? 1 : 0;
    m_rc.loadCommands(files.path(QString::fromLatin1(CommandFile::kFileName)));
    fillCommandLists();
    m_rc.logFile = RemoteControl::defaultLogFile(appNumber);
    m_rc.logPath = QDir::toNativeSeparators(files.folder());
    m_rc.logOn = store.readBool(app, keys::frmRemCtr::CLogOn);
    m_logFile->setText(m_rc.logFile);
    m_logPath->setText(m_rc.logPath);
    m_logOn->setChecked(m_rc.logOn);
    showLinks();
    m_rc.setPage(m_rc.page());
}

void FrmRemCtr::extRemCtr(SettingsStore &store, const QString &app)
{
    // Only a place it was given (stored, or found beside the main window when first shown):
    // a panel never opened keeps none, so the next run places it afresh.
    if (testAttribute(Qt::WA_Moved)) {
        const double tpp = twipsPerPixel(this);
        const QPoint p = pos();
        store.writeInt(app, keys::frmRemCtr::PosWinX, int(p.x() * tpp));
        store.writeInt(app, keys::frmRemCtr::PosWinY, int(p.y() * tpp));
    }
    store.writeBool(app, keys::frmRemCtr::CLogOn, m_rc.logOn);
}

} // namespace zx
