#include "platform/ui/qt_prompter.h"

#include "platform/app_title.h"
#include "platform/script_prompter.h"
#include "platform/termination.h"

#include <QApplication>
#include <QMessageBox>

namespace zx {
namespace {
QMessageBox::StandardButton toButton(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Ok: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    case MsgAnswer::Abort: return QMessageBox::Abort;
    case MsgAnswer::Retry: return QMessageBox::Retry;
    case MsgAnswer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toIcon(MsgIcon i)
{
    switch (i) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

// The box belongs to the window the user works in: an open modal dialog, else the active
// window when it is the main window or one of its own windows (the iNotes window, a tool
// window). A box carried by the main window alone can come up behind such a window.
QWidget *QtPrompter::boxParent() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    QWidget *active = QApplication::activeWindow();
    for (QWidget *w = active; w && m_parent; w = w->parentWidget())
        if (w == m_parent)
            return active;
    return m_parent;
}

MsgAnswer QtPrompter::show(const MsgRequest &request)
{
    logPromptShown(m_logFile, request);
    const MsgAnswer answer = present(request);
    logPromptAnswer(m_logFile, answer);
    return answer;
}

MsgAnswer QtPrompter::present(const MsgRequest &request)
{
    if (terminationRequested())
        return terminationAnswer(request.buttons);
    // On the heap: the window carrying it may be destroyed while the box waits, and takes its
    // children with it.
    QPointer<QMessageBox> box = new QMessageBox(boxParent());
    box->setIcon(toIcon(request.icon));
    box->setWindowTitle(request.title.isEmpty() ? appTitle() : request.title);
    // Lines come joined with CR LF; the box breaks at LF and would show the CR.
    box->setText(QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    box->setTextFormat(Qt::PlainText);
    const QList<MsgAnswer> answers = buttonAnswers(request.buttons);
    for (MsgAnswer a : answers)
        box->addButton(toButton(a));
    box->setDefaultButton(toButton(defaultAnswer(request)));
    // Escape picks Cancel when there is one, else No for Yes/No (the classic box has no escape there).
    if (answers.contains(MsgAnswer::Cancel))
        box->setEscapeButton(QMessageBox::Cancel);
    else if (answers.size() == 1)
        box->setEscapeButton(toButton(answers.first()));
    if (request.systemModal)
        box->setWindowModality(Qt::ApplicationModal);
    if (request.foreground)
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const int r = box->exec();
    const bool gone = box.isNull();
    delete box.data();
    if (terminationRequested() || gone)   // closed by the request or with its window, not by a button
        return terminationAnswer(request.buttons);
    for (MsgAnswer a : answers)
        if (r == toButton(a))
            return a;
    return answers.contains(MsgAnswer::Cancel) ? MsgAnswer::Cancel : answers.last();
}

std::unique_ptr<Prompter> createDesktopPrompter(const PromptOptions &options)
{
    if (options.scripted)
        return std::make_unique<ScriptPrompter>(options.answers, options.logFile);
    return std::make_unique<QtPrompter>(nullptr, options.logFile);
}

} // namespace zx
