#include "app/settings_keys.h"
#include "link/link_settings_keys.h"
#include "platform/settings_store.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>
#include <QtTest>

using zx::SettingsStore;
namespace keys = zx::keys;

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void instancesAreSeparateFiles()
    {
        zx::test::TempSettings tmp;
        SettingsStore s;
        s.write("Zentrix0", "frmComSet", "CommPort", "3");
        s.write("Zentrix1", "frmComSet", "CommPort", "5");
        QCOMPARE(s.read("Zentrix0", "frmComSet", "CommPort", "1"), QString("3"));
        QCOMPARE(s.read("Zentrix1", "frmComSet", "CommPort", "1"), QString("5"));
        QCOMPARE(s.read("Zentrix2", "frmComSet", "CommPort", "1"), QString("1"));
        s.flush("Zentrix1");
        QVERIFY(s.fileName("Zentrix1").startsWith(tmp.path()));
        QVERIFY(QFile::exists(s.fileName("Zentrix1")));
        s.deleteSection("Zentrix0", "frmComSet");
        QCOMPARE(s.read("Zentrix0", keys::frmComSet::CommPort), QString("1"));
    }
    void boolEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dflt");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << "True" << false << true;
        QTest::newRow("lower false") << "false" << true << false;
        QTest::newRow("upper TRUE") << "TRUE" << false << true;
        QTest::newRow("zero") << "0" << true << false;
        QTest::newRow("minus one") << "-1" << false << true;
        QTest::newRow("seven") << "7" << false << true;
        QTest::newRow("garbage keeps default") << "maybe" << true << true;
        QTest::newRow("empty keeps default") << "" << false << false;
    }
    void boolEncoding()
    {
        QFETCH(QString, text);
        QFETCH(bool, dflt);
        QFETCH(bool, expected);
        QCOMPARE(SettingsStore::toBool(text, dflt), expected);
    }
    void intEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "8025" << true << 8025;
        QTest::newRow("blanks") << "  12 " << true << 12;
        QTest::newRow("negative") << "-300" << true << -300;
        QTest::newRow("half to even down") << "2.5" << true << 2;
        QTest::newRow("half to even up") << "3.5" << true << 4;
        QTest::newRow("fraction") << "7.6" << true << 8;
        QTest::newRow("text") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("trailing junk") << "12px" << false << 0;
        QTest::newRow("huge") << "1e12" << false << 0;
    }
    void intEncoding()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        const auto v = SettingsStore::parseInt(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, expected);
    }
    void typedReadsReportBadText()
    {
        zx::test::TempSettings tmp;
        SettingsStore s;
        bool converted = false;
        QCOMPARE(s.readInt("Zentrix0", keys::frmMDI::SizWinX, &converted), 8025);
        QVERIFY(converted);   // missing key: the default, no error
        s.write("Zentrix0", keys::frmMDI::SizWinX, "wide");
        QCOMPARE(s.readInt("Zentrix0", keys::frmMDI::SizWinX, &converted), 8025);
        QVERIFY(!converted);
        s.write("Zentrix0", keys::frmMDI::Ruler, "perhaps");
        QCOMPARE(s.readBool("Zentrix0", keys::frmMDI::Ruler, &converted), false);
        QVERIFY(!converted);
        QCOMPARE(s.readBool("Zentrix0", keys::frmMDI::StatusBar, &converted), true);
        QVERIFY(converted);
        s.writeBool("Zentrix0", keys::frmMDI::Ruler, true);
        QCOMPARE(s.read("Zentrix0", keys::frmMDI::Ruler), QString("True"));
    }
    void garbledFileGivesDefaultsAndKeepsValidKeys()
    {
        zx::test::TempSettings tmp;
        SettingsStore s;
        s.write("Zentrix0", keys::frmComSet::CommPort, "3");
        s.flush("Zentrix0");
        QFile f(s.fileName("Zentrix0"));
        QVERIFY(f.open(QIODevice::Append));
        f.write("\n\x01\x02 garbage [[[ no = = =\n[frmMDI\nRuler\n");
        f.close();
        SettingsStore fresh;
        QCOMPARE(fresh.read("Zentrix0", keys::frmComSet::CommPort), QString("3"));
        QCOMPARE(fresh.readInt("Zentrix0", keys::frmMDI::SizWinX), 8025);
    }
    void settingsPathThatIsNoFileNeverCrashes()
    {
        // A folder where the settings file should be: nothing can be read or written there.
        zx::test::TempSettings tmp;
        SettingsStore s;
        const QString fn = s.fileName("Zentrix3");
        QVERIFY(QDir().mkpath(fn));
        SettingsStore fresh;
        QVERIFY(!fresh.isWritable("Zentrix3"));
        QVERIFY(!fresh.isReadable("Zentrix3"));
        QCOMPARE(fresh.readInt("Zentrix3", keys::frmMDI::SizWinX), 8025);
        fresh.write("Zentrix3", keys::frmComSet::CommPort, "4");
        fresh.flush("Zentrix3");
        QVERIFY(QFileInfo(fn).isDir());
    }
    // A file the program may not read (or not write) keeps its contents whatever is written.
    void protectedFileKeepsItsContents_data()
    {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<bool>("readable");
        QTest::newRow("read-only") << int(QFile::ReadOwner) << true;
        QTest::newRow("unreadable") << int(QFile::WriteOwner) << false;
    }
    void protectedFileKeepsItsContents()
    {
        QFETCH(int, permissions);
        QFETCH(bool, readable);
        if (geteuid() == 0)
            QSKIP("file permissions do not bind the super-user");
        zx::test::TempSettings tmp;
        SettingsStore s;
        s.write("Zentrix0", keys::frmComSet::CommPort, "3");
        s.flush("Zentrix0");
        const QString fn = s.fileName("Zentrix0");
        QFile::setPermissions(fn, QFile::Permissions(permissions));
        SettingsStore fresh;
        QCOMPARE(fresh.isReadable("Zentrix0"), readable);
        QVERIFY(!fresh.isWritable("Zentrix0"));
        QCOMPARE(fresh.read("Zentrix0", keys::frmComSet::CommPort), readable ? QString("3") : QString("1"));
        fresh.write("Zentrix0", keys::frmComSet::CommPort, "9");
        fresh.flush("Zentrix0");
        QFile::setPermissions(fn, QFile::ReadOwner | QFile::WriteOwner);
        QFile f(fn);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("CommPort=3"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
