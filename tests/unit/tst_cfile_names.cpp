// Naming rules of CFiles: extension classes and default names.
#include "cfile/cfile_names.h"

#include <QtTest>

class TstCFileNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extClass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cls");
        QTest::newRow("rtf") << "a.rtf" << 0;
        QTest::newRow("RTF caps") << "A.RTF" << 0;
        QTest::newRow("cap") << "data.cap" << 3;
        QTest::newRow("txt") << "x.Txt" << 4;
        QTest::newRow("log") << "data.log" << 5;
        QTest::newRow("ini") << "zent.ini" << 6;
        QTest::newRow("bat") << "run.bat" << 7;
        QTest::newRow("htm") << "notes.htm" << 8;
        QTest::newRow("abc") << "run.abc" << 8;
        QTest::newRow("short dot in last four") << "a.xy" << 8;
        QTest::newRow("html: dot not in last four") << "page.html" << 9;
        QTest::newRow("README") << "README" << 9;
        QTest::newRow("CFile3") << "CFile3" << 9;
        QTest::newRow("empty") << "" << 9;
        QTest::newRow("dot only") << "." << 8;
    }
    void extClass()
    {
        QFETCH(QString, name);
        QFETCH(int, cls);
        QCOMPARE(zx::extClass(name), cls);
    }

    void defaultName_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("isDefault");
        QTest::newRow("CFile7") << "CFile7" << true;
        QTest::newRow("CFile42") << "CFile42" << true;
        QTest::newRow("CFile100") << "CFile100" << false;
        QTest::newRow("CFile") << "CFile" << false;
        QTest::newRow("CFile4a") << "CFile4a" << false;
        QTest::newRow("cfile4") << "cfile4" << false;
        QTest::newRow("path") << "/tmp/CFile4.rtf" << false;
        QTest::newRow("CFile4.rtf") << "CFile4.rtf" << false;
    }
    void defaultName()
    {
        QFETCH(QString, caption);
        QFETCH(bool, isDefault);
        QCOMPARE(zx::isDefaultName(caption), isDefault);
    }

    void fileTitle()
    {
        QCOMPARE(zx::fileTitle("C:\\x\\run.abc"), QString("run.abc"));
        QCOMPARE(zx::fileTitle("/home/u/a.rtf"), QString("a.rtf"));
        QCOMPARE(zx::fileTitle("CFile3"), QString("CFile3"));
        QVERIFY(zx::endsWithRtf("x.RtF"));
        QVERIFY(!zx::endsWithRtf("x.cap"));
    }
};

QTEST_GUILESS_MAIN(TstCFileNames)
#include "tst_cfile_names.moc"
