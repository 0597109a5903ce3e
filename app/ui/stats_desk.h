#pragma once
// The string statistics in the main window: a dock with the statistics of the string being
// shot (followed shot by shot from the LogPad's captured text) or of the string under the caret
// or the selection in the active CFile, and a dock with the velocity chart of that string. Also
// the File menu's export of the active CFile's shots as CSV. The load of the shown string
// (its LOAD: line) is shown with the figures and entered through frmLoad (cmdLoadData); a
// third dock draws the ladder of the CFile's strings that have loads, growing with each shot.
#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "library/ladder.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

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
    void buildPanel();
    void onCaptured(QStringView chunk);
    void followEditor(CFileDoc *doc);
    void showCaretString();
    void showShots(const std::vector<ShotRecord> &shots, const QString &source,
                   const std::optional<LoadData> &load = std::nullopt);
    void writeLoad(CFileDoc *doc, const LoadData &load);
    std::vector<ShotString> liveStrings() const;
    LadderField ladderField() const;
    void showEnergy();

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
    StringStats m_shown;
    QString m_units;
};

// Splash step: the panel installed once the CFile workspace exists.
StatsDesk *installStatsDesk(FrmMdi &mdi);
StatsDesk *statsDesk(FrmMdi &mdi);

} // namespace zx
