#pragma once
// The main window's document windows: default text format (frmFont), tabs and margins
// (frmTabs), print preview and printing, the full-screen view (frmFullScreen) and the file bar
// (frmFileBar), with their menu commands (Format menu, File's print commands, View's full screen
// and file bar) and the toolbar's Print button.
#include "cfile/document_defaults.h"
#include "cfile/ui/frm_file_bar.h"
#include "cfile/ui/frm_full_screen.h"

#include <QObject>
#include <QPointer>

namespace zx {

class CFileDoc;
class CFileWorkspace;
class FileChooser;
class FrmMdi;

class DocumentDesk : public QObject {
    Q_OBJECT
public:
    DocumentDesk(FrmMdi &mdi, CFileWorkspace &ws);
    ~DocumentDesk() override;

    DocumentDefaults &defaults() { return m_defaults; }
    // Whether new CFiles get the default format, margins, tabs: the check marks of the mode and
    // status refresh, kept in memory (the refresh may run while the settings are going away).
    struct DefaultMarks {
        bool format = false;
        bool margins = false;
        bool tabs = false;
    };
    DefaultMarks marks() const { return m_marks; }
    FrmFileBar *fileBar() const { return m_fileBar; }
    FrmFullScreen *fullScreen() const { return m_fullScreen; }
    // The save dialog of "print to PDF" (tests put a scripted one here).
    void setFileChooser(FileChooser *chooser) { m_chooser = chooser; }

    void textFormat();
    void tabsMargins();
    void printPreview();
    void print();
    void showFullScreen();
    void showFileBar(bool on);

private:
    void buildMenus();
    void buildFileBar();
    CFileDoc *activeDoc();
    void reapplyViewModes();
    void printToPdf(CFileDoc *doc);
    void readMarks();

    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    DocumentDefaults m_defaults;
    FileChooser *m_chooser = nullptr;
    DefaultMarks m_marks;
    QPointer<FrmFileBar> m_fileBar;
    QPointer<FrmFullScreen> m_fullScreen;
};

// Splash step, after the edit commands.
DocumentDesk *installDocumentDesk(FrmMdi &mdi);
DocumentDesk *documentDesk(FrmMdi &mdi);

} // namespace zx
