#include "app/ui/first_place.h"

#include "platform/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace zx {

namespace {

class FirstPlace : public QObject {
public:
    FirstPlace(QWidget *window, QWidget *main) : QObject(window), m_window(window), m_main(main) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::Show)
            return false;
        // Qt marks a window that was moved explicitly: that is a stored place.
        if (!m_window->testAttribute(Qt::WA_Moved) && m_main && m_main->isVisible())
            place();
        deleteLater();
        return false;
    }

private:
    void place()
    {
        QList<QRect> screens;
        for (const QScreen *s : QGuiApplication::screens())
            screens << s->availableGeometry();
        QList<QRect> taken;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != m_window && w != m_main && w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip
                && w->windowType() != Qt::SplashScreen)
                taken << w->frameGeometry();
        // Before its first show the window has no frame yet: the main window's margins stand in.
        const QMargins frame(m_main->geometry().left() - m_main->frameGeometry().left(),
                             m_main->geometry().top() - m_main->frameGeometry().top(),
                             m_main->frameGeometry().right() - m_main->geometry().right(),
                             m_main->frameGeometry().bottom() - m_main->geometry().bottom());
        // Made smaller only down to half its size, so that it stays of use.
        const QSize least = m_window->minimumSize().expandedTo(m_window->minimumSizeHint()).expandedTo(m_window->size() / 2)
                                + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        const QRect r = placeBeside(QRect(QPoint(), m_window->size()).marginsAdded(frame), least, m_main->frameGeometry(), taken, screens);
        m_window->resize(r.marginsRemoved(frame).size());
        m_window->move(r.topLeft());
    }

    QWidget *m_window;
    QPointer<QWidget> m_main;
};

} // namespace

void placeBesideOnFirstShow(QWidget *window, QWidget *main)
{
    if (window && main)
        window->installEventFilter(new FirstPlace(window, main));
}

} // namespace zx
