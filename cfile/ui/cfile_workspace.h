#pragma once
// The CFile windows in the main window: creates frmDocument windows for the document
// logic, tracks the active one, installs the File menu commands with the recent-file
// entries, and keeps the status bar's line display. One per main window, its child.
#include "cfile/cfile_manager.h"
#include "cfile/logpad.h"
#include "cfile/ui/qt_file_chooser.h"

#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QPoint;
class QMenu;
class QStatusBar;

namespace zx {

class CaptureJournal;
class FrmDocument;
class Prompter;
class SettingsStore;

class CFileWorkspace : public QObject, public CFileHost {
    Q_OBJECT
public:
    CFileWorkspace(QMainWindow *main, QMdiArea *area, Prompter &prompter, SettingsStore &settings,
                   const QString &appName);
    ~CFileWorkspace() override;

    CFileManager &files() { return *m_files; }
    LogPad &logPad() { return *m_logPad; }

    // The File menu commands, inserted before `before` (or appended).
    void installFileMenu(QMenu *file, QAction *before = nullptr);
    // The "Line:... tot:..." display, a permanent panel of the status bar.
    void installLineDisplay(QStatusBar *bar);
    // Commands added under the editor's own ones in a CFile's pop-up menu.
    void setPopupCommands(std::function<QList<QAction *>()> f) { m_popupCommands = std::move(f); }
    // Capture on and SoftEdit off: typed keys go to the end of the LogPad.
    void setJumpToEndOnKey(std::function<bool()> f) { m_jumpToEnd = std::move(f); }
    // The editing rule (no in Shoot mode): every CFile window protects its record by it.
    void setEditingAllowed(std::function<bool()> f) { m_editingAllowed = std::move(f); }
    // Applies the editing rule to every CFile window (after a change of mode).
    void syncEditPolicy();
    // The pop-up menu of a CFile window: the editor's own commands that the editing rule
    // leaves (only copy and select all while the record is protected), then the pop-up
    // commands. The caller owns it.
    QMenu *popupMenu(FrmDocument *w, const QPoint &at);
    // The recovery journal of the LogPad's writes (see cfile/capture_journal.h).
    CaptureJournal &journal() { return *m_journal; }

    FrmDocument *windowOf(CFileDoc *doc) const;
    FrmDocument *activeWindow() const;

    // Printable width of the default printer's page (A4 or Letter without a printer), pixels.
    int pageWidthPx() const;

    // CFileHost
    void showDoc(CFileDoc *doc) override;
    void closeDoc(CFileDoc *doc) override;
    void activateDoc(CFileDoc *doc) override;
    void applyViewMode(CFileDoc *doc, int mode) override;
    void applyBackground(CFileDoc *doc, const QColor &color) override;

Q_SIGNALS:
    // The command state of the main window should be refreshed (updFgsMDI).
    void commandStateChanged();

private:
    void onSubWindowActivated(QMdiSubWindow *w);
    void rebuildMru();
    void updateLineDisplay();

    QMainWindow *m_main;
    QMdiArea *m_area;
    SettingsStore &m_settings;
    QString m_app;
    QtFileChooser m_chooser;
    std::unique_ptr<CFileManager> m_files;
    std::unique_ptr<LogPad> m_logPad;
    CaptureJournal *m_journal;
    std::function<bool()> m_jumpToEnd;
    std::function<bool()> m_editingAllowed;
    std::function<QList<QAction *>()> m_popupCommands;
    QMenu *m_fileMenu = nullptr;
    QAction *m_mruSeparator = nullptr;
    QList<QAction *> m_mruActions;
    QLabel *m_lineLabel = nullptr;
    QMetaObject::Connection m_cursorConn, m_textConn, m_selectionConn;
};

} // namespace zx
