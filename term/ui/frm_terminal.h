#pragma once
// frmTerminal, the "iLoger": the terminal text (txtTerm), its menus by their names and the
// status bar panels "Status", "Settings" and "ConnectTime". A thin window: commands go to the
// Terminal logic; those that reach other windows go through the hooks the desktop sets.
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QProgressDialog;

namespace zx {

class FrmTermStat;
class TermView;
class Terminal;

class FrmTerminal : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmTerminal(Terminal &term, QWidget *parent = nullptr);
    ~FrmTerminal() override;

    struct Hooks {
        std::function<void()> togglePort, properties, viewLogPad, viewIPad, help, refresh;
        std::function<void(int page)> remotePage;   // 1 commands, 2 control, 3 download, 4 export
        std::function<bool()> showWarn;
    } hooks;

    TermView *view() const { return m_view; }
    FrmTermStat *statistics() const;
    // The caption: "iLoger" + tag + the log part (PutCLogCaption).
    void setTag(const QString &tag);
    void putCLogCaption();
    void setPortCommandText(const QString &text);
    // Menus and panels after a change of the log, the port or the counters.
    void refreshLogMenus();
    void refreshStatus();
    void refreshText();
    void setOnTop(bool on);

private:
    QAction *act(QMenu *menu, const char *name, const QString &text, std::function<void()> run);
    void askPortValue(int which);
    void buildMenus();

    Terminal &m_term;
    TermView *m_view;
    QLabel *m_status, *m_settings, *m_connect;
    QPointer<FrmTermStat> m_stat;
    QPointer<QProgressDialog> m_cancel;
    QString m_tag = QStringLiteral("0_1 ");
    bool m_textPending = false;
};

} // namespace zx
