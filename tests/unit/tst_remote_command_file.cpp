// The remote panel's command file: column rules and error codes, the lines kept up to the first
// error, the shipped default; the program-files folder's copy-on-first-use rule.
#include "platform/program_files.h"
#include "remote/command_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zx;


class TstRemoteCommandFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columns_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("list");      // of the first command
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");

        QTest::newRow("control character") << QStringList{".11A02xBeep"} << 1 << 0 << 1 << 1 << "Beep  ";
        QTest::newRow("plain character") << QStringList{".3 200 Folder"} << 1 << 0 << 3 << int('2') << "Folder";
        QTest::newRow("control of a lower-case letter") << QStringList{".01a00 x"} << 1 << 0 << 0 << (int('a') & 191) << "x";
        QTest::newRow("40 spaces") << QStringList{".0 Q40 Wide"} << 1 << 0 << 0 << int('Q') << "Wide" + QString(40, ' ');
        QTest::newRow("spaces field blank") << QStringList{".0 Q   Status"} << 1 << 0 << 0 << int('Q') << "Status";
        QTest::newRow("list 7 stops") << QStringList{".7 Q00 Bad", ".0 Q00 Good"} << 0 << 100 << 0 << 0 << "";
        QTest::newRow("no full stop") << QStringList{"x0 Q00 Bad"} << 0 << 10 << 0 << 0 << "";
        QTest::newRow("41 spaces") << QStringList{".0 Q41 Wide"} << 0 << 1000 << 0 << 0 << "";
        QTest::newRow("every rule broken") << QStringList{"x9 Q99 Bad"} << 0 << 1110 << 0 << 0 << "";
        QTest::newRow("kept up to the error") << QStringList{".0 Q00 One", ".1 D00 Two", ".x Q00 Bad", ".0 Q00 Three"} << 2 << 100
                                              << 0 << int('Q') << "One";
        QTest::newRow("skipped lines") << QStringList{"", "short", ".0 Q00", "....... any text", "........", ".2 S00 Stats"} << 1
                                       << 0 << 2 << int('S') << "Stats";
    }

    void columns()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, count);
        QFETCH(int, error);
        const CommandFile f = parseCommandLines(lines);
        QCOMPARE(f.commands.size(), count);
        QCOMPARE(f.errorCode, error);
        if (count > 0) {
            QFETCH(int, list);
            QFETCH(int, code);
            QFETCH(QString, caption);
            QCOMPARE(f.commands.first().list, list);
            QCOMPARE(f.commands.first().code, code);
            QCOMPARE(f.commands.first().caption, caption);
        }
    }

    void errorText()
    {
        const CommandFile f = parseCommandLines({".0 Q00 Good", ".7 Q00 Bad"});
        QCOMPARE(f.errorText(QStringLiteral("zentcmds.ini")), QStringLiteral("RemCtr-Err:100 Str:.7 Q00 Bad\r\nzentcmds.ini"));
    }

    void shippedDefaultReads()
    {
        const QString path = qEnvironmentVariable("ZX_SOURCE_DIR") + QStringLiteral("/data/zentcmds.ini");
        if (!QFile::exists(path))
            QSKIP("source tree not at hand");
        const CommandFile f = readCommandFile(path);
        QCOMPARE(f.errorCode, 0);
        QVERIFY(f.commands.size() >= 8);
        for (int list = 0; list < 4; ++list)
            QVERIFY2(std::any_of(f.commands.begin(), f.commands.end(), [list](const RemoteCommand &c) { return c.list == list; }),
                     qPrintable(QString::number(list)));
    }

    void defaultsCopiedOnceNeverOverwritten()
    {
        QTemporaryDir user, shipped;
        const auto write = [](const QString &path, const QByteArray &line) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(line) == line.size();
        };
        const QString shippedFile = shipped.filePath(QStringLiteral("zentcmds.ini"));
        QVERIFY(write(shippedFile, ".0 Q00 Shipped\n"));
        const ProgramFiles files(user.filePath(QStringLiteral("sub")), {user.filePath(QStringLiteral("none")), shipped.path()});

        // First use: the default is copied into the (new) user folder.
        const QString p = files.path(QStringLiteral("zentcmds.ini"));
        QCOMPARE(p, files.folder() + QStringLiteral("zentcmds.ini"));
        QCOMPARE(readCommandFile(p).commands.value(0).caption, QStringLiteral("Shipped"));

        // The user's edit survives a later use and a changed default.
        QVERIFY(write(p, ".0 Q00 Mine\n") && write(shippedFile, ".0 Q00 Newer\n"));
        QCOMPARE(readCommandFile(files.path(QStringLiteral("zentcmds.ini"))).commands.value(0).caption, QStringLiteral("Mine"));

        // A file without a shipped default: its path, and nothing created.
        QVERIFY(!QFile::exists(files.path(QStringLiteral("other.txt"))));
    }
};

QTEST_GUILESS_MAIN(TstRemoteCommandFile)
#include "tst_remote_command_file.moc"
