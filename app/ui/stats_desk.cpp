#include "app/ui/stats_desk.h"

#include "app/stats_settings_keys.h"
#include "app/ui/app_icons.h"
#include "app/ui/document_factory.h"
#include "app/ui/frm_load.h"
#include "app/ui/ladder_chart.h"
#include "app/ui/ladder_field_box.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/velocity_chart.h"
#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/load_place.h"
#include "cfile/logpad.h"
#include "cfile/ui/cfile_workspace.h"
#include "cfile/ui/frm_document.h"
#include "export/csv_export.h"
#include "platform/prompter.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

#include <tuple>

namespace zx {

namespace {
// Rows of the statistics panel, in order; their value labels are named lblStat + key.
struct Row {
    const char *key;
    const char *caption;
};
constexpr Row kRows[] = {{"Shots", "Shots"},
                         {"Average", "Average"},
                         {"Spread", "Extreme spread"},
                         {"SD", "Std. deviation (n-1)"},
                         {"SDPercent", "SD % of average"},
                         {"CI", "95% CI of the mean"},
                         {"Min", "Minimum"},
                         {"Max", "Maximum"},
                         {"Energy", "Energy (average)"},
                         {"Momentum", "Momentum (average)"},
                         {"PowerFactor", "Power factor"}};
enum { kShots, kAverage, kSpread, kSD, kSDPercent, kCI, kMin, kMax, kEnergy, kMomentum, kPowerFactor };

constexpr int kDockStateVersion = 1;

QString fixed(double v, int decimals = 2) { return QString::number(v, 'f', decimals); }
} // namespace

StatsDesk::StatsDesk(FrmMdi &mdi, CFileWorkspace &ws) : QObject(&mdi), m_mdi(mdi), m_ws(ws)
{
    setObjectName(QStringLiteral("statsDesk"));
    buildPanel();
    m_liveTimer.setSingleShot(true);
    m_liveTimer.setInterval(0);
    connect(&m_liveTimer, &QTimer::timeout, this, &StatsDesk::showLive);
    m_caretTimer.setSingleShot(true);
    m_caretTimer.setInterval(150);
    connect(&m_caretTimer, &QTimer::timeout, this, &StatsDesk::showCaretString);
    ws.logPad().setCaptureTap([this](QStringView chunk) { onCaptured(chunk); });
    ws.logPad().setTagTap([this](QStringView line) { onTag(line); });
    connect(&ws.files(), &CFileManager::activeChanged, this, &StatsDesk::followEditor);
    connect(&ws.files(), &CFileManager::closing, this, &StatsDesk::onClosing);
    followEditor(ws.files().active());

    // Where the user put the panels last time (the main window's docks and toolbars: layout
    // that the GetRegistry and SaveRegistry flags govern).
    AppContext &ctx = mdi.context();
    // A stored layout is the user's: the docks follow the width only once it is crossed.
    const bool restored = ctx.soft.getRegistry
        && m_mdi.restoreState(
            QByteArray::fromBase64(ctx.store.read(ctx.instanceName(), keys::frmStats::DockState).toLatin1()),
            kDockStateVersion);
    if (!restored)
        m_wide = false;   // the tabbed docks made above
    m_mdi.installEventFilter(this);
    mdi.shutdownHooks().supportClosing.push_back([this] {
        AppContext &c = m_mdi.context();
        if (c.soft.saveRegistry)
            c.store.write(c.instanceName(), keys::frmStats::DockState,
                          QString::fromLatin1(m_mdi.saveState(kDockStateVersion).toBase64()));
    });

    if (QMenu *file = mdi.menuNamed(QStringLiteral("mnuFile"))) {
        auto *csv = new QAction(QStringLiteral("Export S&hots as CSV..."), file);
        csv->setObjectName(QStringLiteral("mnuFileExportCsv"));
        connect(csv, &QAction::triggered, this, &StatsDesk::exportCsv);
        file->insertAction(mdi.findChild<QAction *>(QStringLiteral("mnuFileExit")), csv);
        file->insertSeparator(mdi.findChild<QAction *>(QStringLiteral("mnuFileExit")));
    }
}

void StatsDesk::buildPanel()
{
    m_dock = new QDockWidget(QStringLiteral("String Statistics"), &m_mdi);
    m_dock->setObjectName(QStringLiteral("dckStats"));
    auto *page = new QWidget(m_dock);
    auto *box = new QVBoxLayout(page);
    m_source = new QLabel(QStringLiteral("No shots yet"), page);
    m_source->setObjectName(QStringLiteral("lblStatsSource"));
    m_source->setWordWrap(true);
    QFont bold = m_source->font();
    bold.setBold(true);
    m_source->setFont(bold);
    box->addWidget(m_source);
    auto *loadRow = new QHBoxLayout;
    m_load = new QLabel(QStringLiteral("Load: -"), page);
    m_load->setObjectName(QStringLiteral("lblStatsLoad"));
    m_load->setWordWrap(true);
    m_load->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *loadButton = new QPushButton(QStringLiteral("&Load Data..."), page);
    loadButton->setObjectName(QStringLiteral("cmdLoadData"));
    loadButton->setAutoDefault(false);
    loadButton->setToolTip(QStringLiteral("The load of this string (or of the next one, with the caret at the end)"));
    connect(loadButton, &QPushButton::clicked, this, &StatsDesk::editLoad);
    loadRow->addWidget(m_load, 1);
    loadRow->addWidget(loadButton);
    box->addLayout(loadRow);
    // Two columns of figures, so the panel fits under the CFiles of a narrow window.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    const struct { int row, column; } cell[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {2, 1}, {3, 1},
                                                {0, 1}, {1, 1}, {5, 0}, {5, 1}, {4, 1}};
    for (const Row &r : kRows) {
        const int i = int(&r - kRows);
        auto *value = new QLabel(QStringLiteral("-"), page);
        value->setObjectName(QStringLiteral("lblStat") + QLatin1String(r.key));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (i == kAverage || i == kSD)
            value->setFont(bold);
        m_values.append(value);
        grid->addWidget(new QLabel(QString::fromLatin1(r.caption), page), cell[i].row, cell[i].column * 2);
        grid->addWidget(value, cell[i].row, cell[i].column * 2 + 1);
    }
    m_grains = new QDoubleSpinBox(page);
    m_grains->setObjectName(QStringLiteral("txtBulletGrains"));
    m_grains->setRange(0, 2000);
    m_grains->setDecimals(1);
    m_grains->setSuffix(QStringLiteral(" gr"));
    m_grains->setSpecialValueText(QStringLiteral("not set"));
    m_grains->setToolTip(QStringLiteral("Bullet weight in grains, for energy, momentum and power factor, and for new workbook blocks"));
    const AppContext &ctx = m_mdi.context();
    m_grains->setValue(ctx.store.read(ctx.instanceName(), keys::frmStats::BulletGrains).toDouble());
    connect(m_grains, &QDoubleSpinBox::valueChanged, this, [this](double grains) {
        AppContext &c = m_mdi.context();
        c.store.write(c.instanceName(), keys::frmStats::BulletGrains, QString::number(grains));
        showEnergy();
    });
    grid->addWidget(new QLabel(QStringLiteral("Bullet weight"), page), 4, 0);
    grid->addWidget(m_grains, 4, 1);
    grid->setColumnStretch(4, 1);
    box->addLayout(grid);
    box->addStretch();

    m_dock->setWidget(page);
    m_mdi.addDockWidget(Qt::BottomDockWidgetArea, m_dock);

    m_chartDock = new QDockWidget(QStringLiteral("Velocity Chart"), &m_mdi);
    m_chartDock->setObjectName(QStringLiteral("dckChart"));
    m_chart = new VelocityChart(m_chartDock);
    m_chart->setWarn([this](const QString &text) { m_mdi.context().prompter->inform(text, QStringLiteral("Save Chart")); });
    m_chartDock->setWidget(m_chart);
    // Tabbed under the CFiles, the figures in front: both fit a window of the default width;
    // either can be dragged out beside the other.
    m_mdi.addDockWidget(Qt::BottomDockWidgetArea, m_chartDock);
    m_mdi.tabifyDockWidget(m_dock, m_chartDock);
    m_ladderDock = new QDockWidget(QStringLiteral("Ladder Chart"), &m_mdi);
    m_ladderDock->setObjectName(QStringLiteral("dckLadder"));
    auto *ladderPage = new QWidget(m_ladderDock);
    auto *ladderBox = new QVBoxLayout(ladderPage);
    ladderBox->setContentsMargins(0, 0, 0, 0);
    m_ladderField = makeLadderFieldBox(ladderPage, QStringLiteral("cboLadderField"));
    connect(m_ladderField, &QComboBox::currentIndexChanged, this, [this] {
        m_liveStrings.clear();
        showCaretString();
    });
    m_ladder = new LadderChart(ladderPage);
    m_ladder->setWarn([this](const QString &text) { m_mdi.context().prompter->inform(text, QStringLiteral("Save Chart")); });
    ladderBox->addWidget(m_ladderField, 0, Qt::AlignLeft);
    ladderBox->addWidget(m_ladder, 1);
    m_ladderDock->setWidget(ladderPage);
    m_mdi.addDockWidget(Qt::BottomDockWidgetArea, m_ladderDock);
    m_mdi.tabifyDockWidget(m_chartDock, m_ladderDock);
    m_dock->raise();

    QMenu *view = m_mdi.menuNamed(QStringLiteral("mnuView"));
    for (auto [dock, name, text] : {std::tuple{m_dock, "mnuViewStats", "String St&atistics"},
                                    std::tuple{m_chartDock, "mnuViewChart", "Velocity C&hart"},
                                    std::tuple{m_ladderDock, "mnuViewLadder", "&Ladder Chart"}}) {
        // Not the dock's own toggle: that closes a dock whose tab is behind another's, where the
        // user asked to see it. Here a dock out of sight comes to the front; one in sight closes.
        QAction *shown = dock->toggleViewAction();
        auto *item = new QAction(QString::fromLatin1(text), &m_mdi);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(shown->isChecked());
        connect(shown, &QAction::toggled, item, &QAction::setChecked);
        connect(item, &QAction::triggered, dock, [dock, shown, item] {
            if (shown->isChecked() && !dock->visibleRegion().isEmpty()) {
                dock->close();
                return;
            }
            item->setChecked(true);
            dock->show();
            dock->raise();
        });
        if (view)
            view->addAction(item);
    }
}

QString StatsDesk::source() const { return m_source->text(); }

bool StatsDesk::eventFilter(QObject *watched, QEvent *event)
{
    // After the resize is through: the dock layout is not changed under its own feet.
    if (watched == &m_mdi && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        QMetaObject::invokeMethod(this, &StatsDesk::arrangeDocks, Qt::QueuedConnection);
    return false;
}

void StatsDesk::arrangeDocks()
{
    // Room for the figures and a chart that still reads.
    const bool wide = m_mdi.width() >= m_dock->widget()->sizeHint().width() + 520;
    const bool first = !m_wide.has_value();
    if (m_wide == wide)
        return;
    m_wide = wide;
    // Only the layout this desk makes is changed: both docks shown under the CFiles.
    const auto under = [this](QDockWidget *d) {
        return d->toggleViewAction()->isChecked() && !d->isFloating()
            && m_mdi.dockWidgetArea(d) == Qt::BottomDockWidgetArea;
    };
    if (first || !under(m_dock) || !under(m_chartDock))
        return;
    const bool tabbed = m_mdi.tabifiedDockWidgets(m_dock).contains(m_chartDock);
    if (wide && tabbed) {
        m_mdi.removeDockWidget(m_chartDock);
        m_mdi.addDockWidget(Qt::BottomDockWidgetArea, m_chartDock, Qt::Horizontal);
        m_chartDock->show();
        // The ladder goes with the chart it was tabbed with.
        if (under(m_ladderDock) && m_mdi.tabifiedDockWidgets(m_dock).contains(m_ladderDock))
            m_mdi.tabifyDockWidget(m_chartDock, m_ladderDock);
        m_chartDock->raise();
        const int figures = m_dock->widget()->sizeHint().width();
        m_mdi.resizeDocks({m_dock, m_chartDock}, {figures, m_mdi.width() - figures}, Qt::Horizontal);
        // Beside the figures a chart gets their height: enough for a ladder's axes and titles.
        m_mdi.resizeDocks({m_dock}, {std::max(m_dock->height(), m_mdi.height() * 2 / 5)}, Qt::Vertical);
    } else if (!wide && !tabbed) {
        m_mdi.tabifyDockWidget(m_dock, m_chartDock);
        m_dock->raise();
    }
}

void StatsDesk::onCaptured(QStringView chunk)
{
    m_liveDoc = m_ws.files().active();
    bool shot = false;
    m_live.feedChunk(chunk, [&shot](const ShotRecord &) { shot = true; });
    if (shot)
        m_liveTimer.start();
}

void StatsDesk::onTag(QStringView line)
{
    const bool ended = m_live.stringEnded();
    m_live.feedChunk(line, [](const ShotRecord &) {});
    if (m_showingLive && ended != m_live.stringEnded())
        m_liveTimer.start();
}

void StatsDesk::onClosing(CFileDoc *doc)
{
    if (doc == m_liveDoc) {
        m_live.reset();
        m_liveDoc = nullptr;
    }
    if (doc == m_shownDoc)
        showShots({}, QStringLiteral("No shots yet"), QString(), nullptr);
}

void StatsDesk::showLive()
{
    const std::vector<ShotRecord> &shots = m_live.currentString();
    if (shots.empty() || !m_liveDoc)
        return;
    // A tag (Stop, Start, power off) or a listing's end closed it: nothing more comes to it.
    // The CFile is read once per string (its load line and the strings before it); the shots of
    // a burst come from the capture itself.
    if (m_liveStrings.empty() || m_liveStrings.back().shots.size() > shots.size()
        || m_liveStrings.back().shots.front().string != shots.front().string)
        m_liveStrings = liveStrings();
    if (m_liveStrings.empty())
        m_liveStrings.push_back(ShotString());
    m_liveStrings.back().shots = shots;
    m_ladder->show(buildLadder(m_liveStrings, ladderField()));
    const QString which = QStringLiteral("string %1").arg(shots.back().string);
    showShots(shots, (m_live.stringEnded() ? QStringLiteral("Last string: ") : QStringLiteral("Shooting: ")) + which,
              QFileInfo(m_liveDoc->caption()).fileName() + QStringLiteral(": ") + which, m_liveDoc,
              m_liveStrings.back().load);
    m_showingLive = true;
}

void StatsDesk::followEditor(CFileDoc *doc)
{
    disconnect(m_caretConn);
    disconnect(m_selConn);
    FrmDocument *w = doc ? m_ws.windowOf(doc) : nullptr;
    m_editor = w ? w->rtfText() : nullptr;
    if (!m_editor)
        return;
    const auto later = [this] { m_caretTimer.start(); };
    m_caretConn = connect(m_editor, &QTextEdit::cursorPositionChanged, this, later);
    m_selConn = connect(m_editor, &QTextEdit::selectionChanged, this, later);
    m_caretTimer.start();
}

void StatsDesk::showCaretString()
{
    CFileDoc *doc = m_ws.files().active();
    if (!m_editor || !doc)
        return;
    const QTextCursor c = m_editor->textCursor();
    // The caret at the end of the CFile being written to is the string being shot.
    if (!c.hasSelection() && c.atEnd() && doc == m_liveDoc && !m_live.currentString().empty()) {
        m_liveTimer.start();
        return;
    }
    if (c.hasSelection()) {
        std::vector<ShotRecord> shots;
        for (const ShotString &s : findShotStrings(c.selectedText().split(QChar(0x2029))))
            shots.insert(shots.end(), s.shots.begin(), s.shots.end());
        if (!shots.empty()) {
            const QString text = QStringLiteral("Selection in %1").arg(QFileInfo(doc->caption()).fileName());
            showShots(shots, text, text, doc);
            return;
        }
    }
    const std::vector<ShotString> strings = findShotStrings(doc->document()->toPlainText().split(QLatin1Char('\n')));
    m_ladder->show(buildLadder(strings, ladderField()));
    const ShotString *s = stringAtLine(strings, c.blockNumber());
    if (!s) {
        showShots({}, QStringLiteral("No shots in %1").arg(QFileInfo(doc->caption()).fileName()), QString(), doc);
        return;
    }
    const ShotRecord &first = s->shots.front();
    const QString which = first.folder > 0 ? QStringLiteral("folder %1 string %2").arg(first.folder).arg(first.string)
                                           : QStringLiteral("string %1").arg(first.string);
    const QString name = QFileInfo(doc->caption()).fileName() + QStringLiteral(": ") + which;
    showShots(s->shots, name + QStringLiteral(" (line %1)").arg(s->firstLine + 1), name, doc, s->load);
}

LadderField StatsDesk::ladderField() const { return ladderFieldOf(*m_ladderField); }

std::vector<ShotString> StatsDesk::liveStrings() const
{
    // The load line is written into the CFile, not captured: the CFile's last string has it.
    if (!m_liveDoc)
        return {};
    return findShotStrings(m_liveDoc->document()->toPlainText().split(QLatin1Char('\n')));
}

void StatsDesk::editLoad()
{
    CFileDoc *doc = m_ws.files().active();
    if (!doc) {
        m_mdi.context().prompter->inform(QStringLiteral("There is no open CFile to write the load into."),
                                         QStringLiteral("Load Data"));
        return;
    }
    const QTextCursor c = doc->caret();
    const QStringList lines = doc->document()->toPlainText().split(QLatin1Char('\n'));
    const LoadPlace place = loadPlaceFor(lines, c.blockNumber(), !c.block().next().isValid() && !c.hasSelection());
    auto *dialog = new FrmLoad(&m_mdi);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (place.load) {
        dialog->setLoad(*place.load);
    } else { // a ladder changes one field at a time: start from the last load written
        const std::vector<ShotString> strings = findShotStrings(lines);
        for (auto s = strings.rbegin(); s != strings.rend(); ++s)
            if (s->load) {
                dialog->setLoad(*s->load);
                break;
            }
    }
    QPointer<CFileDoc> target(doc);
    connect(dialog, &QDialog::accepted, this, [this, dialog, target] {
        if (target)
            writeLoad(target, dialog->load());
    });
    dialog->open();
}

void StatsDesk::writeLoad(CFileDoc *doc, const LoadData &load)
{
    // Placed again now: shots may have come in while the dialog was open.
    const QTextCursor caret = doc->caret();
    QTextDocument *text = doc->document();
    const LoadPlace place = loadPlaceFor(text->toPlainText().split(QLatin1Char('\n')), caret.blockNumber(),
                                         !caret.block().next().isValid() && !caret.hasSelection());
    writeLoadLine(*text, place, load);
    m_liveStrings.clear(); // the live string may have a new load
    showCaretString();
}

void StatsDesk::showShots(const std::vector<ShotRecord> &shots, const QString &source, const QString &title,
                          CFileDoc *doc, const std::optional<LoadData> &load)
{
    m_shownDoc = doc;
    m_showingLive = false;
    m_load->setText(QStringLiteral("Load: ") + (load ? loadSummary(*load) : QStringLiteral("-")));
    std::vector<double> v;
    v.reserve(shots.size());
    for (const ShotRecord &r : shots)
        v.push_back(r.velocity);
    m_shown = computeStats(v);
    m_units = shots.empty() ? QString() : shots.front().velocityUnits;
    m_source->setText(source);
    const StringStats &s = m_shown;
    const QString u = QLatin1Char(' ') + m_units;
    const bool any = s.count > 0, spread = s.count > 1;
    m_values[kShots]->setText(QString::number(s.count));
    m_values[kAverage]->setText(any ? fixed(s.average) + u : QStringLiteral("-"));
    m_values[kSpread]->setText(any ? fixed(s.spread) + u : QStringLiteral("-"));
    m_values[kSD]->setText(spread ? fixed(s.sd) + u : QStringLiteral("-"));
    m_values[kSDPercent]->setText(spread ? fixed(s.sdPercent) + QStringLiteral(" %") : QStringLiteral("-"));
    m_values[kCI]->setText(spread ? fixed(s.ciLow) + QStringLiteral(" to ") + fixed(s.ciHigh) + u : QStringLiteral("-"));
    m_values[kMin]->setText(any ? fixed(s.minimum) + u : QStringLiteral("-"));
    m_values[kMax]->setText(any ? fixed(s.maximum) + u : QStringLiteral("-"));
    showEnergy();
    m_chart->show(plotOf(shots, title));
}

void StatsDesk::showEnergy()
{
    const double grains = m_grains->value();
    if (m_shown.count == 0 || grains <= 0) {
        for (int i : {kEnergy, kMomentum, kPowerFactor})
            m_values[i]->setText(QStringLiteral("-"));
        return;
    }
    const ShotEnergy e = shotEnergy(m_shown.average, m_units, grains);
    // The workbook's units beside the panel's own: one energy, however it is read.
    const QString joules = e.energyUnits == u"J" ? QString() : QStringLiteral(" (") + fixed(e.joules, 1) + QStringLiteral(" J)");
    m_values[kEnergy]->setText(fixed(e.energy, 1) + QLatin1Char(' ') + e.energyUnits + joules);
    m_values[kMomentum]->setText(fixed(e.momentum, 3) + QLatin1Char(' ') + e.momentumUnits + QStringLiteral(" (")
                                 + fixed(e.gramMetres, 1) + QStringLiteral(" g-m/s)"));
    m_values[kPowerFactor]->setText(fixed(e.powerFactor, 1));
}

void StatsDesk::exportCsv()
{
    CFileDoc *doc = m_ws.files().active();
    Prompter &prompter = *m_mdi.context().prompter;
    if (!doc) {
        prompter.inform(QStringLiteral("There is no open CFile to export."), QStringLiteral("Export Shots"));
        return;
    }
    const QFileInfo info(doc->caption());
    QString path = QFileDialog::getSaveFileName(&m_mdi, QStringLiteral("Export Shots as CSV"),
                                                info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv")),
                                                QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    QString error;
    const int shots = writeShotsCsv(doc->document()->toPlainText(), path, &error);
    if (shots < 0)
        prompter.inform(QStringLiteral("Could not write ") + path + QStringLiteral(":\r\n") + error,
                        QStringLiteral("Export Shots"));
    else if (shots == 0)
        prompter.inform(QStringLiteral("The CFile holds no shots; ") + path + QStringLiteral(" has the heading only."),
                        QStringLiteral("Export Shots"));
}

StatsDesk *installStatsDesk(FrmMdi &mdi)
{
    if (StatsDesk *d = statsDesk(mdi))
        return d;
    CFileWorkspace *ws = cfileWorkspace(mdi);
    return ws && mdi.context().prompter ? new StatsDesk(mdi, *ws) : nullptr;
}

StatsDesk *statsDesk(FrmMdi &mdi)
{
    return mdi.findChild<StatsDesk *>(QStringLiteral("statsDesk"), Qt::FindDirectChildrenOnly);
}

} // namespace zx
