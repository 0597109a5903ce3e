#include "platform/settings_store.h"
#include "support/temp_settings.h"

#include <QtTest>

using zx::SettingsStore;

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void instancesAreSeparate()
    {
        zx::test::TempSettings tmp;
        SettingsStore s;
        s.write("Zentrix0", "frmComSet", "CommPort", "3");
        s.write("Zentrix1", "frmComSet", "CommPort", "5");
        QCOMPARE(s.read("Zentrix0", "frmComSet", "CommPort", "1"), QString("3"));
        QCOMPARE(s.read("Zentrix1", "frmComSet", "CommPort", "1"), QString("5"));
        QCOMPARE(s.read("Zentrix2", "frmComSet", "CommPort", "1"), QString("1"));
        s.deleteSection("Zentrix0", "frmComSet");
        QCOMPARE(s.read("Zentrix0", "frmComSet", "CommPort", "1"), QString("1"));
    }
    void boolEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dflt");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << "True" << false << true;
        QTest::newRow("lower false") << "false" << true << false;
        QTest::newRow("zero") << "0" << true << false;
        QTest::newRow("minus one") << "-1" << false << true;
        QTest::newRow("garbage keeps default") << "maybe" << true << true;
    }
    void boolEncoding()
    {
        QFETCH(QString, text);
        QFETCH(bool, dflt);
        QFETCH(bool, expected);
        QCOMPARE(SettingsStore::toBool(text, dflt), expected);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
