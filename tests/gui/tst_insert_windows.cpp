// The date/time and symbol windows driven by control name over a CFile: the list at the moment
// of opening, the typed pattern, the undo of one insertion only and never of the user's own
// edit after it, the control characters by name and inserted as characters.
#include "cfile/cfile_doc.h"
#include "edit/ui/frm_symbols.h"
#include "edit/ui/frm_time_date.h"
#include "support/scripted_prompter.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace zx;
using test::ScriptedPrompter;

namespace {

template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Typing of the user's own: one undo step of its own.
void type(CFileDoc &doc, const QString &text)
{
    QTextCursor c(doc.document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    c.insertText(text);
    c.endEditBlock();
}

struct DateWindow {
    ScriptedPrompter prompter;
    CFileDoc doc1{QStringLiteral("CFile1")}, doc2{QStringLiteral("CFile2")};
    CFileDoc *active = &doc1;
    QDateTime now{QDate(2026, 3, 7), QTime(14, 5, 9)};
    FrmTimeDate w{prompter, InsertTarget{[this] { return active; }, [] {}}, [this] { return now; }};
    QPushButton *button(const char *name) { return child<QPushButton>(&w, name); }
    QListWidget *list() { return child<QListWidget>(&w, "lstDates"); }
};

} // namespace

class TstInsertWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void dateListIsTheMomentOfOpening()
    {
        DateWindow d;
        d.w.open();
        QCOMPARE(d.list()->count(), 13);
        QCOMPARE(d.list()->item(0)->text(), QStringLiteral("07/03/26"));
        QCOMPARE(d.list()->item(7)->text(), QStringLiteral("07/03/26 14:05"));
        QCOMPARE(d.list()->item(11)->text(), QStringLiteral("02:05 PM"));
        d.list()->setCurrentRow(1);
        d.button("cmdInsert")->click();
        QCOMPARE(d.doc1.document()->toPlainText(), QStringLiteral("07 March 2026"));
        QVERIFY(d.button("cmdUndo")->isEnabled());
        // Reopened a day later: that moment, and nothing of the last opening to undo.
        d.button("cmdClose")->click();
        d.now = d.now.addDays(1);
        d.w.open();
        QCOMPARE(d.list()->item(0)->text(), QStringLiteral("08/03/26"));
        QVERIFY(!d.button("cmdUndo")->isEnabled());
        // Straight from the list: inserted, not counted.
        Q_EMIT d.list()->itemDoubleClicked(d.list()->item(9));
        QCOMPARE(d.doc1.document()->toPlainText(), QStringLiteral("07 March 202614:05"));
        QVERIFY(!d.button("cmdUndo")->isEnabled());
    }

    void customPatternShownAndInserted()
    {
        DateWindow d;
        d.w.open();
        QTest::keyClicks(child<QLineEdit>(&d.w, "txtCustom"), QStringLiteral("dddd d/m/yyyy hh:nn"));
        QCOMPARE(child<QLabel>(&d.w, "lblSample")->text(), QStringLiteral("Saturday 7/3/2026 14:05"));
        d.button("cmdInsCusFor")->click();
        QCOMPARE(d.doc1.document()->toPlainText(), QStringLiteral("Saturday 7/3/2026 14:05"));
        d.button("cmdUndo")->click();
        QCOMPARE(d.doc1.document()->toPlainText(), QString());
        QVERIFY(!d.button("cmdUndo")->isEnabled());
        QCOMPARE(d.prompter.count(), 0);
    }

    void undoTakesBackOnlyOneInsert()
    {
        DateWindow d;
        d.w.open();
        d.button("cmdInsert")->click();
        d.button("cmdInsert")->click();
        d.button("cmdUndo")->click();
        QCOMPARE(d.prompter.lastLines(), (QStringList{"Can not undo insert.!", "There are to many insers."}));
        QCOMPARE(d.doc1.document()->toPlainText(), QStringLiteral("07/03/2607/03/26"));
    }

    void undoNeverTakesTheUsersEdit_data()
    {
        QTest::addColumn<bool>("switchCFile");
        QTest::newRow("typed after the insert") << false;
        QTest::newRow("another CFile active") << true;
    }

    void undoNeverTakesTheUsersEdit()
    {
        QFETCH(bool, switchCFile);
        DateWindow d;
        type(d.doc2, QStringLiteral("other file"));
        d.w.open();
        d.button("cmdInsert")->click();
        if (switchCFile)
            d.active = &d.doc2;
        else
            type(d.doc1, QStringLiteral(" 150 gr"));
        const QString before1 = d.doc1.document()->toPlainText(), before2 = d.doc2.document()->toPlainText();
        d.button("cmdUndo")->click();
        QCOMPARE(d.doc1.document()->toPlainText(), before1);
        QCOMPARE(d.doc2.document()->toPlainText(), before2);
        QCOMPARE(d.prompter.count(), 1);
        QCOMPARE(d.prompter.lastLines().value(0), QStringLiteral("Can not undo insert.!"));
        QVERIFY(!d.button("cmdUndo")->isEnabled());
    }

    void symbolRowsAndInsert()
    {
        CFileDoc doc(QStringLiteral("CFile1"));
        type(doc, QStringLiteral("ab"));
        QTextCursor caret(doc.document());
        caret.setPosition(1);
        doc.setCaret(caret);
        FrmSymbols w(InsertTarget{[&doc] { return &doc; }, [] {}});
        QFont font(QStringLiteral("Courier New"), 13);
        w.open(font);
        auto *list = child<QListWidget>(&w, "lstSymbols");
        QCOMPARE(list->count(), 256);
        QCOMPARE(list->font().family(), font.family());
        const QString cr = list->item(13)->text();
        QVERIFY2(cr.contains(QStringLiteral("Ctrl-M")) && cr.endsWith(QStringLiteral("CR Carriage Return")), qPrintable(cr));
        QVERIFY2(list->item(65)->text().endsWith(QStringLiteral("    Print As |A|")), qPrintable(list->item(65)->text()));
        list->setCurrentRow(13);
        child<QPushButton>(&w, "cmdInsert")->click();   // a carriage return: the line is broken there
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("a\nb"));
        list->setCurrentRow(9);
        Q_EMIT list->itemDoubleClicked(list->currentItem());
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("a\n\tb"));
        list->scrollToItem(list->item(169));
        const QPoint at = list->visualItemRect(list->item(169)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("a\n\t\u00a9b"));
    }
};

QTEST_MAIN(TstInsertWindows)
#include "tst_insert_windows.moc"
