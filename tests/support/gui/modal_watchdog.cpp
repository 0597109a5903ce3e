// Every test program with windows gets this watchdog: a modal window that a test did not
// answer (a message box, the port properties, any dialog run with exec) would otherwise wait
// for a user who never comes, and the test would hang until ctest kills it. The watchdog
// fails the running test as soon as such a window has stayed open for a few seconds, naming
// its title and object name, and closes it so the program can go on and end.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace {

// How long a modal window may wait for its answer (ZX_MODAL_LIMIT_MS overrides, in ms).
int limitMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("ZX_MODAL_LIMIT_MS", &ok);
    return ok && ms > 0 ? ms : 5000;
}

class ModalWatchdog : public QObject {
public:
    explicit ModalWatchdog(QObject *parent) : QObject(parent), m_limit(limitMs())
    {
        m_tick.setInterval(200);
        connect(&m_tick, &QTimer::timeout, this, &ModalWatchdog::look);
        m_tick.start();
    }

private:
    // A modal window blocks the test only while it runs its own event loop (exec); one that a
    // test shows and drives by hand is not waiting for anybody.
    static bool waitingForAnswer(const QWidget *w)
    {
        return w->isVisible() && w->windowModality() != Qt::NonModal && QThread::currentThread()->loopLevel() > 0;
    }

    void look()
    {
        QHash<QWidget *, QElapsedTimer> seen;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!waitingForAnswer(w))
                continue;
            QElapsedTimer since = m_open.value(w);
            if (!since.isValid())
                since.start();
            seen.insert(w, since);
            if (since.elapsed() >= m_limit)
                giveUp(w);
        }
        m_open = seen;
    }

    // What the window says, so that the failure tells why it opened (the last lines of a log).
    static QString shownText(const QWidget *w)
    {
        if (const auto *box = qobject_cast<const QMessageBox *>(w))
            return box->text();
        QStringList lines;
        for (const QListWidget *list : w->findChildren<QListWidget *>())
            for (int i = qMax(0, list->count() - 12); i < list->count(); ++i)
                lines << list->item(i)->text();
        for (const QPlainTextEdit *edit : w->findChildren<QPlainTextEdit *>())
            lines << edit->toPlainText().right(600);
        return lines.join(u'\n');
    }

    void giveUp(QWidget *w)
    {
        QByteArray text = "A modal window was left open with nobody to answer it: title \"" + w->windowTitle().toUtf8()
                          + "\", object name \"" + w->objectName().toUtf8() + "\" (" + w->metaObject()->className() + ")";
        const QString shown = shownText(w).trimmed();
        if (!shown.isEmpty())
            text += "; it shows:\n" + shown.toUtf8();
        QTest::qFail(text.constData(), __FILE__, __LINE__);
        m_open.remove(w);
        if (auto *d = qobject_cast<QDialog *>(w))
            d->done(QDialog::Rejected);
        else
            w->close();
    }

    const int m_limit;
    QTimer m_tick;
    QHash<QWidget *, QElapsedTimer> m_open;
};

void installModalWatchdog()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        new ModalWatchdog(QCoreApplication::instance());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installModalWatchdog)
