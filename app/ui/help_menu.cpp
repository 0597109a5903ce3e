#include "app/ui/help_menu.h"

#include "app/app_context.h"
#include "app/ui/first_place.h"
#include "platform/program_files.h"
#include "platform/prompter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zx {

namespace {

QWidget *guideWindow(QMainWindow &main, const QString &path)
{
    auto *w = main.findChild<QWidget *>(QStringLiteral("frmUserGuide"), Qt::FindDirectChildrenOnly);
    if (!w) {
        w = new QWidget(&main, Qt::Window);
        w->setObjectName(QStringLiteral("frmUserGuide"));
        w->setWindowTitle(QStringLiteral("Zentrix User Guide"));
        auto *text = new QTextBrowser(w);
        text->setObjectName(QStringLiteral("txtUserGuide"));
        text->setOpenExternalLinks(true);
        auto *box = new QVBoxLayout(w);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(text);
        w->resize(820, 680);
        placeBesideOnFirstShow(w, &main);
    }
    // Read afresh each time: the pictures are found beside the file.
    auto *text = w->findChild<QTextBrowser *>();
    text->setSearchPaths({QFileInfo(path).absolutePath()});
    text->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    return w;
}

} // namespace

void addHelpCommands(QMainWindow &main, QMenu *help, AppContext &ctx)
{
    QAction *guide = help->addAction(QStringLiteral("&User Guide"));
    guide->setObjectName(QStringLiteral("mnuHelpGuide"));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(guide, &QAction::triggered, &main, [&main, &ctx] {
        const QString path = userGuidePath();
        if (path.isEmpty()) {
            if (ctx.prompter)
                ctx.prompter->inform(QStringLiteral("The user guide was not found. It is installed with the program as ")
                                     + QDir::toNativeSeparators(QStringLiteral("share/doc/zentrix/user-guide.md")) + u'.',
                                 QStringLiteral("User Guide"));
            return;
        }
        QWidget *w = guideWindow(main, path);
        w->show();
        w->raise();
        w->activateWindow();
    });
    QAction *notes = help->addAction(QStringLiteral("i&Notes"));
    notes->setObjectName(QStringLiteral("mnuHelpNotes"));
    QObject::connect(notes, &QAction::triggered, &main, [&main] {
        if (auto *view = main.findChild<QAction *>(QStringLiteral("mnuViewNotes")))
            view->trigger();
    });
    help->addSeparator();
}

} // namespace zx
