// zentrix-cli's help: the command list in one style on a 100-column terminal, and each
// command's long form behind `zentrix-cli COMMAND --help`.
#include "support/cli_run.h"

#include <QRegularExpression>
#include <QtTest>

using namespace zx::test;

namespace {

constexpr int kColumns = 100;

QStringList overWide(const QString &text)
{
    QStringList wide;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.size() > kColumns)
            wide << QString::number(line.size()) + QStringLiteral(": ") + line;
    return wide;
}

// The lines of the list under "commands:" (up to the first blank line).
QStringList commandLines(const QString &help)
{
    const QStringList lines = help.split(QLatin1Char('\n'));
    const int from = lines.indexOf(QStringLiteral("commands:"));
    QStringList out;
    for (int i = from + 1; from >= 0 && i < lines.size() && !lines.at(i).isEmpty(); ++i)
        out << lines.at(i);
    return out;
}

const QRegularExpression kEntry(QStringLiteral(R"(^  ([a-z]+) +(\S.*)$)"));

} // namespace

class TstCliHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(cliAvailable()); }

    void listFitsInOneStyle()
    {
        const CliRun r = runCli({QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY2(overWide(r.out).isEmpty(), qPrintable(overWide(r.out).join(QLatin1Char('\n'))));
        const QStringList entries = commandLines(r.out);
        QVERIFY(entries.size() > 10);
        // One style: the name, then the text in one column, never a colon list or arguments.
        int column = -1;
        for (const QString &line : entries) {
            const auto m = kEntry.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            QVERIFY2(!m.captured(2).startsWith(QLatin1Char('[')) && !m.captured(2).startsWith(QLatin1String("--")),
                     qPrintable(line));
            if (column < 0)
                column = int(m.capturedStart(2));
            QVERIFY2(m.capturedStart(2) == column, qPrintable(line));
        }
        QVERIFY(r.out.contains(QLatin1String("zentrix-cli COMMAND --help")));
    }

    void commandLongForm_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("summary");
        const CliRun r = runCli({QStringLiteral("--help")});
        for (const QString &line : commandLines(r.out))
            if (const auto m = kEntry.match(line); m.hasMatch())
                QTest::newRow(qPrintable(m.captured(1))) << m.captured(1) << m.captured(2);
    }
    void commandLongForm()
    {
        QFETCH(QString, name);
        QFETCH(QString, summary);
        const CliRun r = runCli({name, QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("usage: zentrix-cli ") + name), qPrintable(r.out));
        QVERIFY2(overWide(r.out).isEmpty(), qPrintable(overWide(r.out).join(QLatin1Char('\n'))));
        // The long form says what the list says, and more than the list line does.
        QVERIFY2(r.out.simplified().contains(summary.simplified()), qPrintable(r.out));
        QVERIFY(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size() >= 2);
    }

    void versionFromTheSharedHeader()
    {
        const CliRun r = runCli({QStringLiteral("version")});
        QCOMPARE(r.code, 0);
        QVERIFY2(QRegularExpression(QStringLiteral(R"(^zentrix \d+\.\d+\.\d+\n$)")).match(r.out).hasMatch(),
                 qPrintable(r.out));
    }
};

QTEST_GUILESS_MAIN(TstCliHelp)
#include "tst_cli_help.moc"
