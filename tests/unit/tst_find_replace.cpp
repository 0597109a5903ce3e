// Find and replace on a CFile: each scope and option over a known text with its wrap pass,
// replace one hit and its refusals, replace all with its count as one undo step, the limits.
#include "cfile/cfile_doc.h"
#include "edit/find_session.h"
#include "support/scripted_prompter.h"

#include <QTextCursor>
#include <QtTest>

using namespace zx;
using zx::test::ScriptedPrompter;

namespace {

//                         0         1         2         3
//                         0123456789012345678901234567890
const QString kText = QStringLiteral("abc cat concatenate Abc\ncat end");

void place(CFileDoc &doc, int anchor, int pos)
{
    QTextCursor c(doc.document());
    c.setPosition(anchor);
    c.setPosition(pos, QTextCursor::KeepAnchor);
    doc.setCaret(c);
}

} // namespace

class TstFindReplace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void find_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("options");   // w whole word, c match case, b within block
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QList<int>>("hits");   // successive Finds; -1 "Text Not Found"

        QTest::newRow("ALL") << 0 << "" << 10 << 10 << "cat" << QList<int>{4, 11, 24, -1};
        QTest::newRow("whole word") << 0 << "w" << 0 << 0 << "cat" << QList<int>{4, 24, -1};
        QTest::newRow("Down") << 1 << "" << 10 << 10 << "cat" << QList<int>{11, 24, -1};
        QTest::newRow("Up, any case") << 4 << "" << 23 << 23 << "abc" << QList<int>{20, 0, -1};
        QTest::newRow("Up, match case") << 4 << "c" << 23 << 23 << "abc" << QList<int>{0, -1};
        QTest::newRow("DownLoop wraps once") << 2 << "c" << 27 << 27 << "abc" << QList<int>{0, -1};
        QTest::newRow("UpLoop") << 5 << "" << 10 << 10 << "cat" << QList<int>{4, 24, 11, -1};
        QTest::newRow("Top2Cursor") << 3 << "" << 12 << 12 << "cat" << QList<int>{4, -1};
        QTest::newRow("End2Cursor") << 6 << "" << 12 << 12 << "cat" << QList<int>{24, -1};
        QTest::newRow("block") << 0 << "b" << 8 << 19 << "cat" << QList<int>{11, -1};
        QTest::newRow("block, whole word Up") << 4 << "bw" << 0 << 20 << "cat" << QList<int>{4, -1};
    }

    void find()
    {
        QFETCH(int, scope);
        QFETCH(QString, options);
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(QString, what);
        QFETCH(QList<int>, hits);
        CFileDoc doc(QStringLiteral("t"));
        doc.document()->setPlainText(kText);
        place(doc, anchor, caret);
        ScriptedPrompter p;
        FindSession s(p);
        s.setFindText(what);
        s.setScope(scope);
        FindOptions o;
        o.wholeWord = options.contains(QLatin1Char('w'));
        o.matchCase = options.contains(QLatin1Char('c'));
        o.withinBlock = options.contains(QLatin1Char('b'));
        s.setOptions(o);
        for (int hit : hits) {
            QCOMPARE(s.find(doc), hit >= 0);
            if (hit >= 0) {
                QCOMPARE(doc.caret().selectionStart(), hit);
                QCOMPARE(doc.caret().selectedText().compare(what, Qt::CaseInsensitive), 0);
            }
        }
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.lines(0).first(), options.contains(QLatin1Char('b')) ? QStringLiteral("Text Not Found <Within Selected Block>")
                                                                          : QStringLiteral("Text Not Found"));
        QVERIFY(p.lines(0).last().contains(findScopeOf(scope).description));
    }

    void replaceOne()
    {
        CFileDoc doc(QStringLiteral("t"));
        doc.document()->setPlainText(kText);
        ScriptedPrompter p;
        FindSession s(p);
        s.setFindText(QStringLiteral("cat"));
        s.setReplaceText(QStringLiteral("dog"));
        QVERIFY(!s.replace(doc));
        QCOMPARE(p.lastLines().last(), QStringLiteral("You must first press [@] or [Find]."));
        QVERIFY(s.find(doc));
        place(doc, 0, 0);
        QVERIFY(!s.replace(doc));
        QCOMPARE(p.lastLines().at(1), QStringLiteral("Current Cursor Location Is Invalid."));
        QVERIFY(s.find(doc));   // 11
        QVERIFY(s.replace(doc));   // 11 replaced, 24 found
        QCOMPARE(s.status(), QStringLiteral("Found Text - Line: 2"));
        QVERIFY(s.replace(doc));   // 24 replaced, nothing left
        QVERIFY(!s.replace(doc));
        QCOMPARE(p.lastLines().at(1), QStringLiteral("It has already been replaced."));
        QCOMPARE(doc.document()->toPlainText(), QStringLiteral("abc cat condogenate Abc\ndog end"));

        // Typed changes since the search began are asked about.
        s.setFindText(QStringLiteral("abc"));
        QVERIFY(s.find(doc));
        QTextCursor(doc.document()).insertText(QStringLiteral("x"));
        p.queue(MsgAnswer::No);
        QVERIFY(s.find(doc));   // goes on after the last hit: "Abc"
        QVERIFY(p.texts().contains(QStringLiteral("CFile has changed...!\r\nReset Find Parameters.?")));
        QCOMPARE(doc.caret().selectionStart(), 21);
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");

        QTest::newRow("three") << "cat" << "dog" << false << 3 << "abc dog condogenate Abc\ndog end";
        QTest::newRow("none") << "cow" << "dog" << false << 0 << kText;
        QTest::newRow("whole words") << "cat" << "" << true << 2 << "abc  concatenate Abc\n end";
        QTest::newRow("longer, holding the text") << "abc" << "abcabc" << false << 2 << "abcabc cat concatenate abcabc\ncat end";
    }

    void replaceAll()
    {
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(bool, wholeWord);
        QFETCH(int, count);
        QFETCH(QString, result);
        CFileDoc doc(QStringLiteral("t"));
        doc.document()->setPlainText(kText);
        place(doc, 27, 27);
        ScriptedPrompter p;
        FindSession s(p);
        s.setFindText(what);
        s.setReplaceText(with);
        s.setScope(4);
        FindOptions o;
        o.wholeWord = wholeWord;
        s.setOptions(o);
        p.queue(MsgAnswer::Yes);
        QCOMPARE(s.replaceAll(doc), count);
        QCOMPARE(doc.document()->toPlainText(), result);
        QCOMPARE(p.lastLines().last(), count > 0 ? QStringLiteral("Number of items replaced - %1").arg(count)
                                                 : QStringLiteral("All of Specified  <Forward Search:  Top --> Bottom>  Region Searched. "));
        doc.document()->undo();
        QCOMPARE(doc.document()->toPlainText(), kText);
        QVERIFY(!doc.document()->isUndoAvailable());
    }

    void limitsAndHistory()
    {
        ScriptedPrompter p;
        bool ok = false;
        p.queue(MsgAnswer::Yes);
        QCOMPARE(FindSession::limitTyped(p, QStringLiteral("Find"), QString(2049, 'x'), &ok).size(), 2048);
        QCOMPARE(p.lastLines().first(), QStringLiteral("Find text is to long..!"));
        QCOMPARE(FindSession::limitSelection(p, QStringLiteral("Find"), QString(3000, 'x'), &ok), QString());
        QVERIFY(!ok);
        QCOMPARE(FindSession::limitTyped(p, QStringLiteral("Find"), QString(2048, 'x'), &ok).size(), 2048);

        CFileDoc doc(QStringLiteral("t"));
        FindSession s(p);
        QVERIFY(!s.find(doc));
        QCOMPARE(p.last().text, QStringLiteral("Find: ''Is Empty...''\r\nThere Is Nothing To Find..!"));

        const QStringList h = addToHistory({QStringLiteral("b"), QStringLiteral("a")}, QStringLiteral("a"));
        QCOMPARE(h, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(joinHistory(h), QStringLiteral("a@.\n.@b"));
        QCOMPARE(splitHistory(joinHistory(h)), h);
    }
};

QTEST_GUILESS_MAIN(TstFindReplace)
#include "tst_find_replace.moc"
