// Control characters put in from the symbol window survive a save and a reopen in every CFile
// format, through the same load and save the File menu uses.
#include "cfile/cfile_codec.h"
#include "cfile/cfile_doc.h"
#include "edit/text_insert.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace zx;

class TstCFileControlChars : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void survivesSaveAndReopen_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("ext");
        // Tab, line feed and carriage return are text layout, not characters of their own.
        for (int code = 1; code < 128; ++code) {
            if ((code >= 0x20 && code != 0x7F) || code == '\t' || code == '\n' || code == '\r')
                continue;
            for (const char *ext : {"rtf", "cap", "txt", "log"})
                QTest::addRow("%d.%s", code, ext) << code << QString::fromLatin1(ext);
        }
    }
    void survivesSaveAndReopen()
    {
        QFETCH(int, code);
        QFETCH(QString, ext);
        const bool rich = ext == QLatin1String("rtf") || ext == QLatin1String("cap");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.") + ext);

        CFileDoc doc(QStringLiteral("CFile1"));
        insertAtCaret(doc, QStringLiteral("a"));
        insertAtCaret(doc, QString(symbolChar(code)));   // as the symbol window inserts it
        insertAtCaret(doc, QStringLiteral("b"));
        const QString typed = doc.document()->toPlainText();
        QCOMPARE(typed.size(), 3);

        QVERIFY(!saveCFileText(*doc.document(), path, rich));
        QTextDocument back;
        const FileError e = loadCFileText(back, path, rich);
        QVERIFY2(!e, qPrintable(e.description));
        QCOMPARE(back.toPlainText(), typed);
    }
};

QTEST_MAIN(TstCFileControlChars)
#include "tst_cfile_control_chars.moc"
