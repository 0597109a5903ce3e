#pragma once
// The open CFiles and the document commands of the File menu: new, open, save, save as,
// save all, save selection as, revert, close with its question, recent files, the
// sequence number. Windows are created through CFileHost; without a host (zentrix-cli,
// tests) documents live without windows and the most recent one is the active CFile.
#include "cfile/cfile_doc.h"
#include "cfile/mru_list.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

namespace zx {

class Prompter;
class FileChooser;
class SettingsStore;
enum class MsgButtons;
enum class MsgAnswer;
enum class MsgIcon;

// What the windows side does for the document logic.
class CFileHost {
public:
    virtual ~CFileHost() = default;
    // Create and show the window of a new document; it becomes the active child.
    virtual void showDoc(CFileDoc *doc) = 0;
    // Remove the window of a document that is being closed.
    virtual void closeDoc(CFileDoc *doc) = 0;
    virtual void activateDoc(CFileDoc *) {}
    // View mode 0 no wrap, 1 wrap at the window, 2 wrap at the printer's page width.
    virtual void applyViewMode(CFileDoc *, int) {}
    // The default background colour of the text area.
    virtual void applyBackground(CFileDoc *, const QColor &) {}
};

class CFileManager : public QObject {
    Q_OBJECT
public:
    // General error report: description, number, location text.
    using ErrorReport = std::function<void(const QString &, int, const QString &)>;
    // New/Open gate while a CFile is open; true lets the command go on.
    using Gate = std::function<bool(int openCount)>;

    CFileManager(Prompter &prompter, FileChooser &chooser, SettingsStore &settings,
                 const QString &appName, QObject *parent = nullptr);
    ~CFileManager() override;

    void setHost(CFileHost *host) { m_host = host; }
    void setErrorReport(ErrorReport r) { m_report = std::move(r); }
    void setGate(Gate g) { m_gate = std::move(g); }
    // The chronograph-warnings switch (ShowWarnRV) as the program holds it; without one the
    // stored key is read.
    void setChronoWarnings(std::function<bool()> on) { m_chronoWarnings = std::move(on); }

    // --- documents ---
    const std::vector<CFileDoc *> &docs() const { return m_docs; }
    int numOfCFIles() const { return int(m_docs.size()); }
    CFileDoc *active() const { return m_active; }
    void setActive(CFileDoc *doc);  // the host reports the active child window
    qint16 cfileSeq() const { return m_seq; }
    MruList &mru() { return m_mru; }

    // --- operations ---
    CFileDoc *createNewCFile();
    // The folder of new CFiles (cfile_folder.h), and the file a CFile named `name` is saved as.
    QString cfileFolder() const;
    QString newCFilePath(const QString &name) const;
    // A new CFile to be saved as path (see CFileDoc::isNewFile); it becomes the active one.
    CFileDoc *createNamedCFile(const QString &path);
    void openDocument();
    // Loads path into a new CFile (recent files, file bar, command line): rich text
    // when the name ends in "RTF", plain text otherwise. False when it failed.
    bool openPath(const QString &path, const QString &location);
    bool saveCFile(CFileDoc *doc);
    bool saveAs(CFileDoc *doc);
    bool saveAll();
    bool saveSelectionAs();
    void revertDocument();
    // Closing with its question; false when the user cancelled (or the save failed).
    bool closeDoc(CFileDoc *doc);
    bool closeAll();
    // True (stop) when no CFile is active even after the offer to create one.
    bool needActiveCFile();
    void applyViewMode(CFileDoc *doc);
    int viewMode() const;
    void setViewMode(int mode);

    // --- File menu commands ---
    void mnuFileNew();
    void mnuFileOpen();
    void mnuFileClose();
    void mnuFileCloseAll();
    void mnuFileSave();
    void mnuFileSaveAs();
    void mnuFileSaveAll();
    void mnuFileSaveSelectionAs();
    void mnuFileRevert();
    void mnuFileMRUItem(const QString &path);
    void mnuCFileReSeq();
    // The file bar: folder and file name joined with "\" unless the folder ends with one.
    void openFromFileBar(const QString &folder, const QString &name);

    // "Line:" + current line + " tot:" + total, numbers grouped by thousands.
    static QString lineDisplay(int line, int total);

Q_SIGNALS:
    void activeChanged(zx::CFileDoc *doc);
    // Documents opened, closed, saved or renamed: menus, remote panel and status refresh.
    void docsChanged();
    void mruChanged();
    // A CFile is being closed by the user's command (after its save question).
    void closing(zx::CFileDoc *doc);

private:
    MsgAnswer msg(const QString &text, const QString &title, MsgButtons buttons, int defButton,
                  MsgIcon icon);
    void logPadBox(const QString &text, const QString &title = QStringLiteral("LogPad"));
    bool gate();
    void report(int number, const QString &description, const QString &location);
    bool writeDoc(CFileDoc *doc, const QString &path, bool rich, const QString &location);
    // Save without a dialog: a file that is not the document's own is replaced only after the
    // overwrite question.
    bool mayReplace(CFileDoc *doc, const QString &path);
    bool saveAsWithDialog(CFileDoc *doc, const QString &proposed, const QString &location);
    void applyDefaultFormats(CFileDoc *doc);
    void forget(CFileDoc *doc);

    Prompter &m_prompter;
    FileChooser &m_chooser;
    SettingsStore &m_settings;
    QString m_app;
    CFileHost *m_host = nullptr;
    ErrorReport m_report;
    Gate m_gate;
    std::function<bool()> m_chronoWarnings;
    std::vector<CFileDoc *> m_docs;   // in creation order
    CFileDoc *m_active = nullptr;
    qint16 m_seq = 0;
    MruList m_mru;
};

} // namespace zx
