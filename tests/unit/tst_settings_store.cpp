#include "app/settings_keys.h"
#include "link/link_settings_keys.h"
#include "platform/settings_store.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
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
    void textEncodings()
    {
        const struct { const char *text; bool dflt, expected; } bools[] = {
            {"True", false, true}, {"false", true, false}, {"TRUE", false, true}, {"0", true, false},
            {"-1", false, true},  {"maybe", true, true},  {"", false, false}};   // garbage/empty: default
        for (const auto &b : bools)
            QVERIFY2(SettingsStore::toBool(b.text, b.dflt) == b.expected, b.text);
        const struct { const char *text; std::optional<int> expected; } ints[] = {
            {"8025", 8025}, {"  12 ", 12}, {"-300", -300}, {"2.5", 2}, {"3.5", 4}, {"7.6", 8},   // half to even
            {"abc", {}},    {"", {}},      {"12px", {}},   {"1e12", {}}};
        for (const auto &i : ints)
            QVERIFY2(SettingsStore::parseInt(i.text) == i.expected, i.text);
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
