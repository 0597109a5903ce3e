// Date and time formats against a fixed clock, the symbol rows, insertion at the caret as one
// undo step and the date window's undo counter.
#include "cfile/cfile_doc.h"
#include "edit/text_insert.h"
#include "support/scripted_prompter.h"

#include <QTextCursor>
#include <QtTest>

using namespace zx;
using zx::test::ScriptedPrompter;

class TstTextInsert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats_data()
    {
        QTest::addColumn<QString>("pattern");   // "#n": entry n of the list
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");

        const QTime pm(14, 5, 9);
        const QString rows[][2] = {{"#1", "07/03/26"},         {"#2", "07 March 2026"},   {"#3", "07 March, 2026"},
                                   {"#4", "March 07, 2026"},   {"#5", "07/Mar/26"},       {"#6", "March, 26"},
                                   {"#7", "Mar/26"},           {"#8", "07/03/26 14:05"},  {"#9", "07/03/26 14:05:09"},
                                   {"#10", "14:05"},           {"#11", "14:05:09"},       {"#12", "02:05 PM"},
                                   {"#13", "02:05:09 PM"},     {"dddd d/m/yyyy", "Saturday 7/3/2026"},
                                   {"h:nn am/pm", "2:05 pm"},  {"\"day\" y, \\q q", "day 66, q 1"},
                                   {"hh:mm:ss", "14:05:09"},   {"mm:ss", "05:09"}};
        for (const auto &r : rows)
            QTest::newRow(qPrintable(r[0])) << r[0] << pm << r[1];
        QTest::newRow("midnight, twelve-hour") << "#12" << QTime(0, 7) << "12:07 AM";
        QTest::newRow("noon A/P") << "h A/P" << QTime(12, 0) << "12 P";
    }

    void formats()
    {
        QFETCH(QString, pattern);
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        const QDateTime when(QDate(2026, 3, 7), time);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QString got = pattern.startsWith(QLatin1Char('#')) ? dateTimeEntries(when, english).at(pattern.mid(1).toInt() - 1)
                                                                 : formatDateTime(pattern, when, english);
        QCOMPARE(got, expected);
    }

    void symbols()
    {
        QCOMPARE(symbolRow(13), QStringLiteral(" 13   0D   Ctrl-M   CR Carriage Return"));
        QVERIFY(symbolRow(0).endsWith(QStringLiteral("Ctrl-@   NUL Null")));
        QVERIFY(symbolRow(31).endsWith(QStringLiteral("Ctrl-_   US Unit Separator")));
        QCOMPARE(symbolRow(65), QStringLiteral(" 65   41       Print As |A|"));
        QCOMPARE(symbolChar(128), QChar(0x20AC));   // the euro sign of Windows' western code page

        CFileDoc doc(QStringLiteral("t"));
        doc.document()->setPlainText(QStringLiteral("abXYcd"));
        QTextCursor c(doc.document());
        c.setPosition(2);
        c.setPosition(4, QTextCursor::KeepAnchor);
        doc.setCaret(c);
        insertAtCaret(doc, QString(symbolChar(13)));   // replaces the selection
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("ab\ncd"));
        doc.document()->undo();
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("abXYcd"));
    }

    void undoCounter()
    {
        CFileDoc doc(QStringLiteral("t"));
        ScriptedPrompter p;
        InsertUndo counter;
        const auto undoEdit = [&doc] { doc.document()->undo(); };
        QTextCursor typed(doc.document());
        typed.insertText(QStringLiteral("typed "));   // not merged into the insertion's step
        doc.setCaret(typed);
        insertAtCaret(doc, QStringLiteral("07/03/26"));
        counter.counted();
        QVERIFY(counter.undoEnabled());
        QVERIFY(counter.undo(p, undoEdit));
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("typed "));
        QVERIFY(!counter.undoEnabled());

        for (int i = 0; i < 2; ++i) {
            insertAtCaret(doc, QStringLiteral("x"));
            counter.counted();
        }
        QVERIFY(!counter.undo(p, undoEdit));
        QCOMPARE(p.last().text, QStringLiteral("Can not undo insert.!\r\nThere are to many insers."));
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("typed xx"));
    }
};

QTEST_GUILESS_MAIN(TstTextInsert)
#include "tst_text_insert.moc"
