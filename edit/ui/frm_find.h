#pragma once
// frmFind, the find and replace window: the find text with its history (cboText), the replace
// text with its own (cboReplace), the scope list (cmbDirection) with its description, the
// options, and the Find, Replace, Replace All and Reset commands over a FindSession. Not
// modal; it stays over the main window and works on whichever CFile is active.
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace zx {

class CFileDoc;
class FindSession;
class Prompter;
class SettingsStore;

struct FindTarget {
    std::function<CFileDoc *()> activeDoc;   // asks for a CFile first when none is open; null: none
    std::function<bool()> editable;          // the active CFile may be changed (not in Shoot mode)
    std::function<void()> focusDoc;          // the keyboard to the active CFile
    std::function<CFileDoc *()> currentDoc;  // the active CFile or null, without asking
    // The general error report: description, error number, location.
    std::function<void(const QString &, int, const QString &)> report;
};

// The flags are asked each time: the Debug menu turns them while the window is open.
struct FindSettingsAccess {
    SettingsStore *store = nullptr;
    QString app;
    std::function<bool()> read;    // GetRegistry
    std::function<bool()> write;   // SaveRegistry
};

class FrmFind : public QDialog {
    Q_OBJECT
public:
    FrmFind(FindSession &session, Prompter &prompter, FindTarget target, FindSettingsAccess settings,
            QWidget *parent = nullptr);
    ~FrmFind() override;

    // Histories and place into the settings (when SaveRegistry allows): the program's exit
    // calls it before the settings are flushed and perhaps cleared.
    void saveSettings();
    // Another CFile became active: the next Find starts a new search.
    void restartSearch() { resetSearch(); }

    // Shown (with the replace panel when asked), the CFile's selection as find text.
    void open(bool withReplace);
    // F3: the next hit of the current find text; the window opens when there is none.
    void findNext();
    void replaceAll();

private:
    bool takeInput(bool forReplace);
    void loadSettings();
    template <class F> void guarded(const char *location, F &&f);
    CFileDoc *replaceTarget();
    void find();
    void replace();
    void resetSearch();
    void afterSearch(bool found);
    void showReplace(bool on);
    void clearHistory(QComboBox *box, const QString &question);
    void showPanel(QWidget *panel, QPushButton *sw, const QString &what, bool on);

    FindSession &m_session;
    Prompter &m_prompter;
    FindTarget m_target;
    FindSettingsAccess m_settings;
    QComboBox *m_cboText;
    QComboBox *m_cboReplace;
    QComboBox *m_cmbDirection;
    QLabel *m_lblDirection;
    QLabel *m_lblStatus;
    QCheckBox *m_chkWholeWord;
    QCheckBox *m_chkMatchCase;
    QCheckBox *m_chkPatternMatch;
    QCheckBox *m_chkBlock;
    QCheckBox *m_chkFcsTrkOff;
    QPushButton *m_cmdFind;
    QPushButton *m_cmdReplace;
    QPushButton *m_cmdRepAtt;
    QPushButton *m_cmdReplaceAll;
    QPushButton *m_cmdShowReplace;
    QPushButton *m_cmdShowExtensions;
    QPushButton *m_cmdShowSpecial;
    QWidget *m_replacePanel;
    QLabel *m_lblReplace;
    QWidget *m_extensions;   // the scope list and its description
    QWidget *m_special;      // the options
};

} // namespace zx
