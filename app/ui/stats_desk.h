#pragma once
// The string statistics in the main window: a dock with the statistics of the string being
// shot (followed shot by shot from the LogPad's captured text; the last one once a tag such as
// Stop ends it) or of the string under the caret or the selection in the active CFile, and a
// dock with the velocity chart of that string; both empty when the CFile they show closes. The
// two docks sit side by side where the window is wide enough, tabbed where it is not. Also the
// File menu's export of the active CFile's shots as CSV. The load of the shown string (its
// LOAD: line) is shown with the figures and entered through frmLoad (cmdLoadData); a third dock
// draws the ladder of the CFile's strings that have loads, growing with each shot.
#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "library/ladder.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class QComboBox;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QTextEdit;

namespace zx {

class CFileDoc;
class CFileWorkspace;
class FrmMdi;
class LadderChart;
class VelocityChart;

class StatsDesk : public QObject {
    Q_OBJECT
public:
    StatsDesk(FrmMdi &mdi, CFileWorkspace &ws);

    QDockWidget *dock() const { return m_dock; }
    QDockWidget *chartDock() const { return m_chartDock; }
    QDockWidget *ladderDock() const { return m_ladderDock; }
    // What the panel shows now.
    const StringStats &shown() const { return m_shown; }
    QString source() const;
    // File menu: the active CFile's shots into a CSV file the user names.
    void exportCsv();
    // cmdLoadData: frmLoad for the current string's load (the next string's, with the caret at
    // the end after the last string ended); OK writes it into the active CFile.
    void editLoad();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void buildPanel();
    void onCaptured(QStringView chunk);
    void onTag(QStringView line);
    void onClosing(CFileDoc *doc);
    void followEditor(CFileDoc *doc);
    void showLive();
    void showCaretString();
    // title: the chart's; doc: the CFile the shots are from (its closing clears them).
    void showShots(const std::vector<ShotRecord> &shots, const QString &source, const QString &title, CFileDoc *doc,
                   const std::optional<LoadData> &load = std::nullopt);
    void writeLoad(CFileDoc *doc, const LoadData &load);
    std::vector<ShotString> liveStrings() const;
    LadderField ladderField() const;
    void showEnergy();
    // Side by side (wide) or tabbed, when the window's width crosses the figures' and a
    // chart's room.
    void arrangeDocks();

    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    QDockWidget *m_dock = nullptr;
    QDockWidget *m_chartDock = nullptr;
    QDockWidget *m_ladderDock = nullptr;
    LadderChart *m_ladder = nullptr;
    QComboBox *m_ladderField = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_load = nullptr;
    QList<QLabel *> m_values;
    QDoubleSpinBox *m_grains = nullptr;
    VelocityChart *m_chart = nullptr;
    QPointer<QTextEdit> m_editor;
    QMetaObject::Connection m_caretConn, m_selConn;
    QTimer m_liveTimer;    // one redraw per burst of shots
    QTimer m_caretTimer;   // the caret settles before the CFile is read
    ShotStringReader m_live;
    std::vector<ShotString> m_liveStrings; // the live CFile's strings, the last one being shot
    QPointer<CFileDoc> m_liveDoc;
    QPointer<CFileDoc> m_shownDoc;
    bool m_showingLive = false;
    // The arrangement last made for the window's width; none yet after a stored layout.
    std::optional<bool> m_wide;
    StringStats m_shown;
    QString m_units;
};

// Splash step: the panel installed once the CFile workspace exists.
StatsDesk *installStatsDesk(FrmMdi &mdi);
StatsDesk *statsDesk(FrmMdi &mdi);

} // namespace zx
