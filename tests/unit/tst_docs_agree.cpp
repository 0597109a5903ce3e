// The README, the user guide and `zentrix --help` tell one story: the numbers a copy of the
// program takes by itself and by command line (as the program has them), and the commands
// that build and install the package.
#include "app/app_context.h"
#include "app/start_options.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace zx;

namespace {
QString readDoc(const QString &relative)
{
    QFile f(qEnvironmentVariable("ZX_SOURCE_DIR") + u'/' + relative);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
// The text under a "## title" heading, up to the next heading of that level.
QString section(const QString &doc, const QString &title)
{
    const qsizetype start = doc.indexOf(QStringLiteral("## ") + title);
    if (start < 0)
        return {};
    const qsizetype end = doc.indexOf(QStringLiteral("\n## "), start + 3);
    return doc.mid(start, end < 0 ? -1 : end - start);
}
// Code spans that are commands to type: a script of the tree or an apt-get line.
QStringList commands(const QString &text)
{
    QStringList out;
    static const QRegularExpression span(QStringLiteral("`([^`]+)`"));
    for (auto m = span.globalMatch(text); m.hasNext();) {
        const QString code = m.next().captured(1);
        if (code.startsWith(QLatin1String("scripts/")) || code.startsWith(QLatin1String("sudo apt-get install"))
            || code.startsWith(QLatin1String("cpack")))
            out << code;
    }
    return out;
}
} // namespace

class TstDocsAgree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void instanceNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("--help") << startUsageText();
        QTest::addRow("README") << readDoc(QStringLiteral("README.md"));
        QTest::addRow("user guide") << readDoc(QStringLiteral("docs/user-guide.md"));
    }
    void instanceNumbers()
    {
        QFETCH(QString, text);
        QVERIFY(!text.isEmpty());
        const QString automatic = QStringLiteral("0 to %1").arg(kMaxAutoInstance);
        const QString byCommandLine = QStringLiteral("0 to %1").arg(kMaxInstance);
        QVERIFY2(text.contains(automatic), qPrintable(automatic));
        QVERIFY2(text.contains(byCommandLine), qPrintable(byCommandLine));
    }

    void packagingCommands()
    {
        const QStringList readme = commands(section(readDoc(QStringLiteral("README.md")), QStringLiteral("Install as a Debian package")));
        const QStringList guide = commands(section(readDoc(QStringLiteral("docs/user-guide.md")), QStringLiteral("Installing")));
        QVERIFY(!readme.isEmpty());
        QCOMPARE(guide, readme);
    }
};

QTEST_GUILESS_MAIN(TstDocsAgree)
#include "tst_docs_agree.moc"
