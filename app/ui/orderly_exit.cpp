#include "app/ui/orderly_exit.h"

#include "app/instances.h"
#include "app/soft_settings.h"
#include "app/ui/frm_mdi.h"
#include "platform/termination.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QThread>
#include <QTimer>

#include <cstdlib>

namespace zx {

namespace {
// Ends a window's nested loop: a dialog is rejected, a pop-up menu or other window closed.
void dismiss(QWidget *w)
{
    if (auto *dlg = qobject_cast<QDialog *>(w))
        dlg->reject();
    else
        w->close();
}
} // namespace

OrderlyExit::OrderlyExit(AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx) {}

void OrderlyExit::setMainWindow(FrmMdi *mdi, std::function<bool()> busy)
{
    m_mdi = mdi;
    m_busy = std::move(busy);
    if (m_requested)
        tryClose();
}

void OrderlyExit::request()
{
    requestTermination();
    if (m_requested) {
        closeModals();
        return;
    }
    m_requested = true;
    qApp->installEventFilter(this);   // a dialog that opens from now on closes at once
    closeModals();
    m_retry = new QTimer(this);
    m_retry->setInterval(50);
    connect(m_retry, &QTimer::timeout, this, &OrderlyExit::tryClose);
    m_retry->start();
    QTimer::singleShot(kGraceMs, this, &OrderlyExit::lastResort);
}

bool OrderlyExit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->isWindow() && (qobject_cast<QDialog *>(w) || qobject_cast<QMenu *>(w)))
            QTimer::singleShot(0, w, [w] { dismiss(w); });   // once its loop runs
    }
    return QObject::eventFilter(watched, event);
}

void OrderlyExit::closeModals()
{
    // Innermost first: each dismissal ends one nested loop when control gets back to it.
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w->isVisible() && (w->isModal() || qobject_cast<QDialog *>(w)))
            dismiss(w);
}

void OrderlyExit::tryClose()
{
    // The main window closes from the main loop only: a nested loop or a wait of the
    // chronograph side still on the stack would run on over deleted windows.
    if (!m_mdi || QThread::currentThread()->loopLevel() != 1)
        return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        closeModals();
        return;
    }
    if (m_busy && m_busy())
        return;
    m_retry->stop();
    m_mdi->closeByProgram();
}

void OrderlyExit::lastResort()
{
    if (m_mdi && m_mdi->shutdownDone())
        return;
    // Something on the stack would not let go: the shell's own records, then the end.
    if (m_ctx.recorded) {
        writeExitRecord(m_ctx);
        saveExitSettings(m_ctx);
        saveErrorCount(m_ctx);
        m_ctx.store.flush(m_ctx.instanceName());
    }
    std::_Exit(0);
}

} // namespace zx
