#include "export/ui/frm_exp_set.h"

#include "export/export_setup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace zx::xls {

namespace {

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &title)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(g);
    return g;
}

template <typename Button>
Button *addButton(QGroupBox *box, const QString &name, const QString &text)
{
    auto *b = new Button(text, box);
    b->setObjectName(name);
    box->layout()->addWidget(b);
    return b;
}

QPushButton *pushButton(QWidget *parent, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

struct OptionBox {
    const char *name;
    int index;
    const char *text;
    bool ExportOptions::*field;
};

// The check boxes and the field each one edits.
const OptionBox kUnits[] = {{"chkExcUnits", 0, "Top Fixed Row", &ExportOptions::unitsTopRow},
                            {"chkExcUnits", 1, "Before Every String", &ExportOptions::unitsEveryString},
                            {"chkExcUnits", 2, "After Data Value", &ExportOptions::unitsAfterValue}};
const OptionBox kNames[] = {{"chkExcNames", 0, "Top Fixed Row", &ExportOptions::namesTopRow},
                            {"chkExcNames", 1, "Before Every String", &ExportOptions::namesEveryString}};
const OptionBox kStats[] = {{"chkExcStats", 0, "Incremental Stats", &ExportOptions::incrementalStats},
                            {"chkExcStats", 1, "Summery Stats ", &ExportOptions::summaryStats},
                            {"chkExcStats", 2, "Power && Energy", &ExportOptions::powerEnergy}};
const OptionBox kPositions[] = {{"chkAttPos", 0, "Folder Numbers", &ExportOptions::folderNumbers},
                                {"chkAttPos", 1, "String Numbers", &ExportOptions::stringNumbers}};
const OptionBox kShow[] = {{"chkShowINots", -1, "Show iNotes Help", &ExportOptions::showINotes},
                           {"chkShowLogPad", -1, "Show LogPad", &ExportOptions::showLogPad}};

} // namespace

FrmExpSet::FrmExpSet(ExportSetup &setup, QWidget *parent) : QWidget(parent, Qt::Window), m_setup(setup)
{
    setObjectName(QStringLiteral("frmExpSet"));
    setWindowTitle(QStringLiteral("Export Setup"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_settings = new QWidget(this);
    m_settings->setObjectName(QStringLiteral("fraSettings"));
    auto *grid = new QGridLayout(m_settings);
    grid->setContentsMargins(0, 0, 0, 0);

    QGroupBox *destin = frame(m_settings, "fraDestin", QStringLiteral("Export To"));
    const char *const destinTexts[] = {"Text File", "Word Document", "Excel Spread Sheet"};
    for (int i = 0; i < 3; ++i) {
        auto *b = addButton<QRadioButton>(destin, arrayName("optDestin", i), QString::fromLatin1(destinTexts[i]));
        connect(b, &QRadioButton::clicked, this, [this, i] { m_setup.setDestination(i); });
    }
    QGroupBox *source = frame(m_settings, "fraExcSetup", QStringLiteral("Take Export Switches From"));
    const char *const sourceTexts[] = {"This Table", "Excel iSetup Sheet"};
    for (int i = 0; i < 2; ++i) {
        auto *b = addButton<QRadioButton>(source, arrayName("optExcSetup", i), QString::fromLatin1(sourceTexts[i]));
        connect(b, &QRadioButton::clicked, this, [this, i] { m_setup.setOption(&ExportOptions::fromSetupSheet, i == 1); });
    }

    const auto checkFrame = [this](const char *name, const QString &title, const auto &boxes) {
        QGroupBox *g = frame(m_settings, name, title);
        for (const OptionBox &o : boxes) {
            const QString objectName = o.index < 0 ? QString::fromLatin1(o.name) : arrayName(o.name, o.index);
            auto *c = addButton<QCheckBox>(g, objectName, QString::fromLatin1(o.text));
            connect(c, &QCheckBox::clicked, this, [this, field = o.field](bool on) { m_setup.setOption(field, on); });
        }
        static_cast<QVBoxLayout *>(g->layout())->addStretch(1);
        return g;
    };
    grid->addWidget(destin, 0, 0);
    grid->addWidget(source, 1, 0);
    grid->addWidget(checkFrame("fraExcUnits", QStringLiteral("Units"), kUnits), 0, 1);
    grid->addWidget(checkFrame("fraExcNames", QStringLiteral("Names"), kNames), 1, 1);
    grid->addWidget(checkFrame("fraExcStats", QStringLiteral("Formulas"), kStats), 0, 2);
    grid->addWidget(checkFrame("fraAttPos", QStringLiteral("Identifiers"), kPositions), 1, 2);
    grid->addWidget(checkFrame("fraShow", QStringLiteral("Show"), kShow), 2, 0);

    QGroupBox *book = frame(m_settings, "fraWorkbook", QStringLiteral("Workbook"));
    auto *linked = addButton<QCheckBox>(book, QStringLiteral("chkExcCapture"), QStringLiteral("Linked to RV5"));
    linked->setAttribute(Qt::WA_TransparentForMouseEvents); // display only
    linked->setFocusPolicy(Qt::NoFocus);
    auto *bookKeys = new QHBoxLayout;
    using Handler = void (ExportSetup::*)();
    const auto keyRow = [this](QWidget *parent, QHBoxLayout *row, const char *name,
                               std::initializer_list<std::pair<const char *, Handler>> keys) {
        int i = 0;
        for (const auto &[text, handler] : keys) {
            QPushButton *b = pushButton(parent, arrayName(name, i++), QString::fromLatin1(text));
            row->addWidget(b);
            connect(b, &QPushButton::clicked, this, [this, handler = handler] { (m_setup.*handler)(); });
        }
    };
    keyRow(book, bookKeys, "cmdBukKey",
           {{"New", &ExportSetup::newWorkbook}, {"Open", &ExportSetup::openWorkbook}, {"Close", &ExportSetup::closeWorkbook}});
    static_cast<QVBoxLayout *>(book->layout())->addLayout(bookKeys);
    grid->addWidget(book, 2, 1);

    QGroupBox *apply = frame(m_settings, "fraRfrsh", QStringLiteral("Apply Setup to"));
    auto *applyKeys = new QGridLayout;
    const char *const sheetTexts[] = {"String", "Folder", "eDisk", "CFile", "Capture"};
    for (int i = 1; i <= 5; ++i) {
        QPushButton *b = pushButton(apply, arrayName("cmdRfrsh", i), QString::fromLatin1(sheetTexts[i - 1]));
        applyKeys->addWidget(b, (i - 1) / 3, (i - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, i] { m_setup.applySetup(i); });
    }
    static_cast<QVBoxLayout *>(apply->layout())->addLayout(applyKeys);
    grid->addWidget(apply, 2, 2);

    m_progress = new QGroupBox(this);
    m_progress->setObjectName(QStringLiteral("fraPrgrs"));
    auto *progressLayout = new QHBoxLayout(m_progress);
    m_progressLabel = new QLabel(QStringLiteral("Progress..."), m_progress);
    m_progressLabel->setObjectName(QStringLiteral("labPrgrs"));
    progressLayout->addWidget(m_progressLabel);
    QSizePolicy keepPlace = m_progress->sizePolicy(); // the window does not jump when it shows
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);

    auto *keys = new QHBoxLayout;
    keyRow(this, keys, "cmdExpSetKey",
           {{"Save", &ExportSetup::save}, {"Default", &ExportSetup::setDefaults}, {"Restore", &ExportSetup::restore}});
    QPushButton *help = pushButton(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"));
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_setup.hooks.help)
            m_setup.hooks.help();
    });
    keys->addWidget(help);
    keys->addStretch(1);
    QPushButton *exit = pushButton(this, QStringLiteral("cmdExpSetClose"), QStringLiteral("Exit"));
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    keys->addWidget(exit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_settings);
    layout->addWidget(m_progress);
    layout->addLayout(keys);

    m_setup.hooks.changed = [this] { refill(); };
    m_setup.hooks.closeWindow = [this] { close(); };
}

FrmExpSet::~FrmExpSet()
{
    // The logic outlives the window.
    m_setup.hooks.changed = nullptr;
    m_setup.hooks.closeWindow = nullptr;
}

void FrmExpSet::openWindow()
{
    if (!isVisible())
        m_setup.open();
    else
        refill();
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void FrmExpSet::refill()
{
    const ExportOptions &o = m_setup.options();
    for (int i = 0; i < 3; ++i)
        if (auto *b = findChild<QRadioButton *>(arrayName("optDestin", i)))
            b->setChecked(o.destination == i);
    // A stored destination outside 0 to 2 stays in the field and shows no choice.
    if (o.destination < 0 || o.destination > 2)
        for (int i = 0; i < 3; ++i)
            if (auto *b = findChild<QRadioButton *>(arrayName("optDestin", i))) {
                b->setAutoExclusive(false);
                b->setChecked(false);
                b->setAutoExclusive(true);
            }
    findChild<QRadioButton *>(arrayName("optExcSetup", o.fromSetupSheet ? 1 : 0))->setChecked(true);
    const auto fill = [this, &o](const auto &boxes) {
        for (const OptionBox &b : boxes)
            if (auto *c = findChild<QCheckBox *>(b.index < 0 ? QString::fromLatin1(b.name) : arrayName(b.name, b.index)))
                c->setChecked(o.*b.field);
    };
    fill(kUnits);
    fill(kNames);
    fill(kStats);
    fill(kPositions);
    fill(kShow);
    findChild<QCheckBox *>(QStringLiteral("chkExcCapture"))->setChecked(m_setup.linked());

    // Test-mode controls.
    const bool test = m_setup.softTest;
    for (const QString &name : {arrayName("cmdRfrsh", 4), arrayName("cmdRfrsh", 5), arrayName("cmdBukKey", 1),
                                QStringLiteral("chkShowINots"), QStringLiteral("chkShowLogPad"), QStringLiteral("cmdHelp")})
        if (QWidget *w = findChild<QWidget *>(name))
            w->setEnabled(test);
    findChild<QPushButton *>(arrayName("cmdExpSetKey", 0))->setEnabled(m_setup.saveEnabled());
    m_settings->setEnabled(m_setup.settingsEnabled());
    m_progress->setVisible(m_setup.progressVisible());
    if (m_setup.progressVisible()) {
        m_progressLabel->setText(m_setup.progressText());
        m_progressLabel->repaint();
    }
}

void FrmExpSet::closeEvent(QCloseEvent *event)
{
    if (!m_setup.queryClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    m_setup.unloaded();
}

} // namespace zx::xls
