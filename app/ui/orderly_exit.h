#pragma once
// Ends the program in order when the system asks (SIGTERM, SIGHUP, SIGINT, the session
// ending), whatever is on screen: the request is noted (terminationRequested), every open
// dialog, message box and pop-up menu is closed and any that opens later closes at once,
// and as soon as no nested event loop or chronograph task is left on the stack the main
// window closes by program: settings saved, instance record written, CFiles left with their
// recovery journals (no save questions). Should code on the stack still hold on after the
// grace time, the shell's own records are written directly and the process ends.
#include <QObject>
#include <QPointer>

#include <functional>

class QTimer;

namespace zx {

struct AppContext;
class FrmMdi;

class OrderlyExit : public QObject {
    Q_OBJECT
public:
    explicit OrderlyExit(AppContext &ctx, QObject *parent = nullptr);

    // The main window, once the splash sequence made it; busy tells whether code of the
    // chronograph side is waiting on the stack (a transaction or a chronograph task).
    void setMainWindow(FrmMdi *mdi, std::function<bool()> busy);
    // Starts the orderly end (safe to call more than once).
    void request();

    static constexpr int kGraceMs = 4000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void closeModals();
    void tryClose();
    void lastResort();

    AppContext &m_ctx;
    QPointer<FrmMdi> m_mdi;
    std::function<bool()> m_busy;
    QTimer *m_retry = nullptr;
    bool m_requested = false;
};

} // namespace zx
