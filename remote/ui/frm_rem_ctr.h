#pragma once
// frmRemCtr, the remote control panel ("iPad"): five pages (System, Macros, RV5 Remote
// Control, Download, Export to Excel) selected by the buttons along its top, the panel's
// message line and its progress log. Every control carries its objectName; controls of an
// array are named name + "_" + index (cmdKeyPgUpDw_0, lstCtrAscLow_3, chkHwrLnkTo_1). The
// handlers forward to RemoteControl (remote/remote_control.h) and the download page.
#include <QColor>
#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace zx {

class ProgramFiles;
class RemoteControl;
class SettingsStore;

class FrmRemCtr : public QWidget {
    Q_OBJECT
public:
    explicit FrmRemCtr(RemoteControl &rc, QWidget *parent = nullptr);
    ~FrmRemCtr() override;

    RemoteControl &control() { return m_rc; }

    // Load step: position, command file, download list, log file name and folder, CLogOn,
    // the page. Unload step: position and CLogOn.
    void lodRemCtr(SettingsStore &store, const QString &app, int appNumber, const ProgramFiles &files);
    void extRemCtr(SettingsStore &store, const QString &app);

    // Opens on a page (0..4) and brings the panel to the front.
    void showPage(int page);

    // The mode display: caption tag ("iPad" + instance + "_" + port + " "), mode label and
    // its colour (none: the button face), the Start, Stop and Remote key colours.
    void applyMode(const QString &windowTag, const QString &modeLabel, std::optional<QColor> modeColor,
                   QColor start, QColor stop, QColor remote);
    // The progress log's text (CR LF line ends) as the link keeps it.
    void showProgress(const QString &text);
    // The download page, installed once the download operations exist.
    void setDownloadPage(QWidget *page);
    QWidget *exportFrame() const;

    // The command lists (re)filled from the control's command file.
    void fillCommandLists();
    // The link check boxes (and the Echo button) brought in line with the link flags.
    void showLinks();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    QWidget *buildSystemPage();
    QWidget *buildMacrosPage();
    QWidget *buildHardwarePage();
    QWidget *buildExportPage();
    QWidget *buildProgress();
    void showCaption();
    void showLevel();
    void setKeyColor(QPushButton *b, QColor c);

    RemoteControl &m_rc;
    QString m_tag = QStringLiteral("iPad ");
    QStackedWidget *m_pages = nullptr;
    QButtonGroup *m_tabs = nullptr;
    QLabel *m_modeLabel = nullptr;
    QLabel *m_levelLabel = nullptr;
    QLabel *m_line = nullptr;
    QPlainTextEdit *m_progress = nullptr;
    QWidget *m_progressBox = nullptr;
    std::array<QListWidget *, 4> m_lists{};
    QListWidget *m_listHig = nullptr;
    std::array<QCheckBox *, 3> m_links{};
    QCheckBox *m_logOn = nullptr;
    QLineEdit *m_logFile = nullptr;
    QLineEdit *m_logPath = nullptr;
    QPushButton *m_start = nullptr, *m_stop = nullptr, *m_remote = nullptr;
    QPushButton *m_echo = nullptr;
    QButtonGroup *m_modes = nullptr;
    QWidget *m_downloadHolder = nullptr;
};

} // namespace zx
