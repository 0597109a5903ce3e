// The real message boxes: the requested buttons, the preselected one as default, the title,
// modality and stay-on-top; and the scripted answers used to run the program unattended.
#include "app/app_context.h"
#include "app/ui/orderly_exit.h"
#include "platform/app_title.h"
#include "platform/termination.h"
#include "platform/script_prompter.h"
#include "platform/ui/qt_prompter.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zx;

class TestMainWindowPrompter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boxShowsButtonsAndDefault()
    {
        const struct { MsgButtons buttons; int dflt; QStringList names; MsgAnswer expected; } cases[] = {
            {MsgButtons::Ok, 1, {"OK"}, MsgAnswer::Ok},
            {MsgButtons::YesNo, 2, {"No", "Yes"}, MsgAnswer::No},
            {MsgButtons::YesNoCancel, 3, {"Cancel", "No", "Yes"}, MsgAnswer::Cancel},
            {MsgButtons::RetryCancel, 1, {"Cancel", "Retry"}, MsgAnswer::Retry}};   // names sorted
        for (const auto &[buttons, dflt, names, expected] : cases) {
            setAppTitle("Zentrix4");
            QtPrompter p;
            MsgRequest r;
            r.text = "line one\r\nline two";
            r.buttons = buttons;
            r.defaultButton = dflt;
            r.systemModal = true;
            r.foreground = true;
            QStringList seen;
            QString title, text, defaultText;
            bool onTop = false, modal = false;
            QTimer::singleShot(0, this, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle();
                text = box->text();
                onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                modal = box->windowModality() == Qt::ApplicationModal;
                for (QAbstractButton *b : box->buttons())
                    seen << b->text().remove('&');
                defaultText = box->defaultButton()->text().remove('&');
                box->defaultButton()->click();
            });
            QCOMPARE(p.show(r), expected);
            QCOMPARE(title, QString("Zentrix4"));
            QCOMPARE(text, QString("line one\nline two"));
            QVERIFY(onTop && modal);
            seen.sort();
            QCOMPARE(seen, names);
            QVERIFY(names.contains(defaultText));
        }
    }
    void terminationClosesOpenAndLaterBoxes()
    {
        // A request while a box waits closes it with the answer that changes nothing; a box or
        // dialog that opens afterwards does not wait at all.
        AppContext ctx;
        OrderlyExit orderly(ctx);   // gone before its grace time: the process lives on
        QTemporaryDir dir;
        const QString log = dir.filePath("boxes.log");
        QtPrompter p(nullptr, log);
        QTimer::singleShot(0, &orderly, [&orderly] { orderly.request(); });
        QCOMPARE(p.ask("Save?", MsgButtons::YesNoCancel, 1), MsgAnswer::Cancel);
        QCOMPARE(p.ask("Go on?", MsgButtons::YesNo, 1), MsgAnswer::No);
        QDialog dlg;
        dlg.setModal(true);
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()).count(">>"), 2);
        clearTerminationRequest();
    }
    void boxOverTheActiveWindowOutlivesIt()
    {
        // The box is carried by the main window's active tool window; that window is destroyed
        // while the box waits: no crash, and the answer that changes nothing.
        QWidget mainWindow;
        auto *tool = new QWidget(&mainWindow, Qt::Window);
        mainWindow.show();
        tool->show();
        tool->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tool));
        QtPrompter p(&mainWindow);
        const void *toolAddress = tool, *carrier = nullptr;
        QTimer::singleShot(0, this, [&] {
            carrier = QApplication::activeModalWidget()->parentWidget();
            delete tool;
        });
        QCOMPARE(p.ask("Save?", MsgButtons::YesNo, 1), MsgAnswer::No);
        QVERIFY(carrier == toolAddress);
    }
    void scriptAnswersThenDefaults()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("boxes.log");
        setAppTitle("Zentrix1");
        ScriptPrompter p("yes, Retry,bogus", log);
        QCOMPARE(p.ask("a", MsgButtons::YesNo, 2), MsgAnswer::Yes);
        QCOMPARE(p.ask("b", MsgButtons::RetryCancel, 2), MsgAnswer::Retry);
        QCOMPARE(p.ask("c", MsgButtons::YesNo, 2), MsgAnswer::No);          // unknown name: default
        QCOMPARE(p.ask("d\r\ne", MsgButtons::YesNoCancel, 3, "T"), MsgAnswer::Cancel);   // used up: default
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()),
                 QString("<<Zentrix1\na\n>>Yes\n<<Zentrix1\nb\n>>Retry\n<<Zentrix1\nc\n>>No\n<<T\nd\ne\n>>Cancel\n"));
    }
};

QTEST_MAIN(TestMainWindowPrompter)
#include "tst_mainwindow_prompter.moc"
