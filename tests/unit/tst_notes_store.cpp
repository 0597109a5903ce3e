// The iNotes file: loading with its format errors and the user's decision, sections read twice,
// the size limits, the shipped file read and written back byte for byte, backups, a read-only
// file, adding.
#include "notes/notes_store.h"
#include "support/scripted_prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zx;
using zx::test::ScriptedPrompter;

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("zentnots.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TstNotesStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("answers");   // Y/N for the boxes that ask
        QTest::addColumn<QStringList>("ids");   // what the set holds afterwards
        QTest::addColumn<QString>("box");       // a line of the first box ("" none)

        const QByteArray one = "<_1.0.0.0_>\r\n<:One:>\r\nbody\r\n";
        const QByteArray line500 = QByteArray(500, 'x'), line501 = QByteArray(501, 'x');
        QTest::newRow("empty file") << QByteArray() << "" << QStringList{} << "";
        QTest::newRow("sorted by key") << "<_2.0.0.0_>\r\n<:b:>\r\n" + one << "" << QStringList{"1.0.0.0", "2.0.0.0"} << "";
        QTest::newRow("empty id is a body line") << one + "<__>\r\n" << "Y" << QStringList{"1.0.0.0"}
                                                 << "Invalid Section ID Numbers - format example: <_nn.nn.nn.nn_>";
        QTest::newRow("two dots") << "<_1.2.3_>\r\n<:r:>\r\n" + one << "Y" << QStringList{"1.0.0.0"}
                                  << "Format Error on Line Number (1)  ";
        QTest::newRow("number over 99") << QByteArray("<_1.100.0.0_>\r\n<:r:>\r\n") << "Y" << QStringList{} << "Input Was: ''<_1.100.0.0_>''";
        QTest::newRow("no reference line") << "<_3.0.0.0_>\r\nno title\r\n" + one << "Y" << QStringList{"1.0.0.0"}
                                           << "Invalid Reference Line - format example: <:your refence text:>";
        QTest::newRow("500 characters") << one + line500 + "\r\n" << "" << QStringList{"1.0.0.0"} << "";
        QTest::newRow("501 characters") << one + line501 + "\r\n" << "Y" << QStringList{"1.0.0.0"}
                                        << "Invalid Input Line Size - maximum allowed (500) characters.";
        QTest::newRow("No keeps what was added") << one + "<_1.2_>\r\n<_2.0.0.0_>\r\n<:b:>\r\n" << "N" << QStringList{"1.0.0.0"}
                                                 << "Number of valid sections added: (1)";
        QTest::newRow("duplicate kept apart") << one + one << "Y" << QStringList{"1.0.0.0", "1.0.0.1"}
                                              << "It was kept as User iNote {1.0.0.1}.";
        QTest::newRow("duplicate, next number taken") << one + "<_1.0.0.1_>\r\n<:u:>\r\n" + one << "Y"
                                                      << QStringList{"1.0.0.0", "1.0.0.1", "1.0.0.2"} << "Section {1.0.0.0} Already Exists..!";
        QTest::newRow("header after header") << "<_2.0.0.0_>\r\n<_3.0.0.0_>\r\n<:b:>\r\nb\r\n" + one << "Y" << QStringList{"1.0.0.0"}
                                             << "Invalid Reference Line - format example: <:your refence text:>";
        QByteArray big = one;
        for (int i = 0; i < 30; ++i)
            big += QByteArray(400, 'b') + "\r\n";
        QTest::newRow("body over 10000") << big + "<_2.0.0.0_>\r\n<:b:>\r\n" << "" << QStringList{"1.0.0.0", "2.0.0.0"}
                                         << "Errot at line number (28) - Text is  to long...!";
    }

    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, answers);
        QFETCH(QStringList, ids);
        QFETCH(QString, box);
        QTemporaryDir dir;
        ScriptedPrompter p;
        for (QChar a : answers)
            p.queue(a == QLatin1Char('Y') ? MsgAnswer::Yes : MsgAnswer::No);
        NotesStore store(p);
        QVERIFY(store.load(writeFile(dir, file)));
        QStringList got;
        for (const Note &n : store.notes()) {
            got << n.id.dotted();
            QVERIFY(n.body.size() <= NotesStore::kMaxBody);
        }
        QCOMPARE(got, ids);
        QCOMPARE(store.current(), int(ids.size()));
        QCOMPARE(p.pending(), 0);
        for (const MsgRequest &r : p.shown())
            QVERIFY2(r.foreground, qPrintable(r.text));   // over the splash and the iNotes window
        if (box.isEmpty())
            QCOMPARE(p.count(), 0);
        else
            QVERIFY2(p.lines(0).contains(box), qPrintable(p.texts().join(QLatin1Char('|'))));
    }

    void shippedFileRoundTrip()
    {
        const QString shipped = qEnvironmentVariable("ZX_SOURCE_DIR") + QStringLiteral("/data/zentnots.ini");
        QTemporaryDir dir;
        const QString path = writeFile(dir, readBytes(shipped));
        ScriptedPrompter p;
        NotesStore store(p);
        QVERIFY(store.load(path));
        QCOMPARE(p.count(), 0);
        for (int number : {4, 6, 10, 11})
            QVERIFY2(store.indexOf(NoteId{{20, number, 0, 0}}) > 0, qPrintable(QString::number(number)));
        QVERIFY(store.indexOf(NoteId{{1, 0, 0, 0}}) > 0);
        store.setChanged(true);
        QVERIFY(store.save());
        QCOMPARE(readBytes(path), readBytes(shipped));
    }

    void duplicateKeptBySave()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "<_4.0.0.0_>\r\n<:a:>\r\nfirst\r\n<_4.0.0.0_>\r\n<:b:>\r\nsecond\r\n");
        ScriptedPrompter p;
        p.queue(MsgAnswer::Yes);
        NotesStore store(p);
        QVERIFY(store.load(path));
        QVERIFY(store.changed());   // closing the window offers the save
        QVERIFY(store.save());
        QCOMPARE(readBytes(path), QByteArray("<_4.0.0.0_>\r\n<:a:>\r\nfirst\r\n<_4.0.0.1_>\r\n<:b:>\r\nsecond\r\n"));
    }

    void backupsAndReadOnly()
    {
        QTemporaryDir dir;
        const QByteArray original = "<_1.0.0.0_>\r\n<:One:>\r\n";
        const QString path = writeFile(dir, original);
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(path);
        store.setBackups(true);
        QVERIFY(store.add(4));
        QVERIFY(store.save());
        QVERIFY(store.save());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("zentnots001.ini"))), original);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("zentnots002.ini"))), readBytes(path));

        const QByteArray saved = readBytes(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        if (QFileInfo(path).isWritable())
            QSKIP("running with rights that write read-only files");
        store.add(4);
        QVERIFY(!store.save());
        QCOMPARE(p.lastLines().first(), QStringLiteral("Error in saving iNotes file...!"));
        QCOMPARE(readBytes(path), saved);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("zentnots003.ini"))));
        QVERIFY(store.changed());
    }

    void add_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("made");   // "" refused
        QTest::addColumn<QString>("box");

        QTest::newRow("next User note") << "5.1.0.0" << 4 << "5.1.0.1" << "";
        QTest::newRow("99 reached") << "5.1.0.99" << 4 << "" << "You have to many iNotes already...!";
        QTest::newRow("third level from 99") << "5.1.0.99" << 3 << "5.1.1.0" << "";
        QTest::newRow("exists") << "5.0.0.0" << 2 << "" << "Section {5.1.0.0} Already Exists..!";
    }

    void add()
    {
        QFETCH(QString, from);
        QFETCH(int, level);
        QFETCH(QString, made);
        QFETCH(QString, box);
        QTemporaryDir dir;
        ScriptedPrompter p;
        NotesStore store(p);
        store.load(writeFile(dir, "<_5.0.0.0_>\r\n<:a:>\r\n<_5.1.0.0_>\r\n<:b:>\r\n<_5.1.0.99_>\r\n<:c:>\r\n<_6.0.0.0_>\r\n<:d:>\r\n"));
        QVERIFY(store.show(*NoteId::parse(from)));
        const int at = store.current();
        QCOMPARE(store.add(level), !made.isEmpty());
        if (made.isEmpty()) {
            QCOMPARE(p.lines(0).first(), box);
            QCOMPARE(store.count(), 4);
            return;
        }
        QCOMPARE(store.currentNote()->id.dotted(), made);
        QCOMPARE(store.current(), at + 1);
        QCOMPARE(store.currentNote()->reference(), "New User Reference Added {" + made + "}");   // the user's at any level
        QVERIFY(store.changed());
    }

    void movingAndMissingFile()
    {
        ScriptedPrompter p;
        NotesStore store(p);
        QVERIFY(!store.load(QStringLiteral("/nonexistent/zentnots.ini")));
        QCOMPARE(p.last().title, QStringLiteral("Error - iNotes file missing"));
        QCOMPARE(store.current(), 0);
        QVERIFY(store.add(4));   // a run without the file still takes User notes
        QCOMPARE(store.currentNote()->id.dotted(), QStringLiteral("0.0.0.1"));
        store.movePrevious();
        QCOMPARE(p.last().text, QStringLiteral("Top Reached - Nowhere To Go...!"));
        store.moveNext();
        QCOMPARE(p.last().text, QStringLiteral("Bottom Reached - Nowhere To Go...!"));
        QVERIFY(store.edit(QStringLiteral("Mine"), QString(600, QLatin1Char('w')) + QStringLiteral(" <_x_>")));
        for (const QString &line : store.currentNote()->body.split(QStringLiteral("\r\n")))
            QVERIFY(line.size() <= NotesStore::kMaxLine && !line.contains(QLatin1String("<_")));
    }
};

QTEST_GUILESS_MAIN(TstNotesStore)
#include "tst_notes_store.moc"
