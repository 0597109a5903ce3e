// The source tree's own rules, read from the #include lines: the main window's parts form no
// include loop (a file and its header count as one), zentrix-cli takes nothing from app/, and
// the document and workbook formats stay apart from the operating-system layer.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <functional>

namespace {

QString sourceDir() { return qEnvironmentVariable("ZX_SOURCE_DIR"); }

// The project headers a file includes ("folder/name.h" as written).
QStringList includesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression re(QStringLiteral(R"(^\s*#\s*include\s*"([^"]+)\")"),
                                       QRegularExpression::MultilineOption);
    QStringList out;
    for (auto it = re.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

// "folder/name.h" and "folder/name.cpp" are one unit: "folder/name".
QString unitOf(const QString &relPath) { return relPath.left(relPath.lastIndexOf(QLatin1Char('.'))); }

// Unit -> the units of the same folder it includes.
QMap<QString, QSet<QString>> includeGraph(const QString &folder)
{
    QMap<QString, QSet<QString>> graph;
    const QDir dir(sourceDir() + QLatin1Char('/') + folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files)) {
        const QString unit = unitOf(folder + QLatin1Char('/') + name);
        QSet<QString> &to = graph[unit];
        for (const QString &inc : includesOf(dir.filePath(name)))
            if (inc.section(QLatin1Char('/'), 0, -2) == folder && unitOf(inc) != unit)
                to.insert(unitOf(inc));
    }
    return graph;
}

// One loop as "a -> b -> a", or empty when there is none.
QString findLoop(const QMap<QString, QSet<QString>> &graph)
{
    enum State { Fresh, OnPath, Done };
    QMap<QString, State> state;
    QStringList path;
    std::function<QString(const QString &)> visit = [&](const QString &u) -> QString {
        state[u] = OnPath;
        path << u;
        QStringList next(graph.value(u).begin(), graph.value(u).end());
        next.sort();
        for (const QString &v : next) {
            if (state.value(v, Fresh) == OnPath)
                return (path.mid(path.indexOf(v)) << v).join(QStringLiteral(" -> "));
            if (state.value(v, Fresh) == Fresh)
                if (QString loop = visit(v); !loop.isEmpty())
                    return loop;
        }
        path.removeLast();
        state[u] = Done;
        return {};
    };
    for (auto it = graph.keyBegin(); it != graph.keyEnd(); ++it)
        if (state.value(*it, Fresh) == Fresh)
            if (QString loop = visit(*it); !loop.isEmpty())
                return loop;
    return {};
}

} // namespace

class TstHouseRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(sourceDir() + QStringLiteral("/app/ui/frm_mdi.h")),
                 "ZX_SOURCE_DIR names no source tree");
    }

    void loopFinderSeesLoops()
    {
        QMap<QString, QSet<QString>> g;
        g[QStringLiteral("a")] = {QStringLiteral("b")};
        g[QStringLiteral("b")] = {QStringLiteral("c")};
        g[QStringLiteral("c")] = {};
        QVERIFY(findLoop(g).isEmpty());
        g[QStringLiteral("c")] = {QStringLiteral("a")};
        QCOMPARE(findLoop(g), QStringLiteral("a -> b -> c -> a"));
    }

    // The main window and its assembly own every part and are left out: the parts reach one
    // another through them.
    void noIncludeLoop_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("app/ui") << QStringLiteral("app/ui");
        QTest::newRow("app") << QStringLiteral("app");
    }
    void noIncludeLoop()
    {
        QFETCH(QString, folder);
        auto graph = includeGraph(folder);
        QVERIFY(graph.size() > 5);
        const QString prefix = folder + QLatin1Char('/');
        const QSet<QString> left = {prefix + QStringLiteral("frm_mdi"), prefix + QStringLiteral("splash_sequence")};
        for (const QString &u : left)
            graph.remove(u);
        for (QSet<QString> &to : graph)
            to.subtract(left);
        const QString loop = findLoop(graph);
        QVERIFY2(loop.isEmpty(), qPrintable(QStringLiteral("include loop: ") + loop));
    }

    // The headless tool builds without the desktop program's library.
    void cliIncludesNothingFromApp()
    {
        const QDir dir(sourceDir() + QStringLiteral("/cli"));
        const QStringList files = dir.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        QStringList found;
        for (const QString &name : files)
            for (const QString &inc : includesOf(dir.filePath(name)))
                if (inc.startsWith(QLatin1String("app/")))
                    found << QStringLiteral("cli/%1: %2").arg(name, inc);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }

    // The formats are read and written without a device, a setting or a window: they include
    // only their own folder and the formats below them.
    void formatsIncludeOnlyFormats_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("docformat") << QStringLiteral("docformat") << QStringList{QStringLiteral("docformat")};
        QTest::newRow("workbook") << QStringLiteral("workbook")
                                  << QStringList{QStringLiteral("workbook"), QStringLiteral("docformat")};
    }
    void formatsIncludeOnlyFormats()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, allowed);
        const QDir dir(sourceDir() + QLatin1Char('/') + folder);
        const QStringList files = dir.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files);
        QVERIFY(files.size() > 5);
        QStringList found;
        for (const QString &name : files)
            for (const QString &inc : includesOf(dir.filePath(name)))
                if (inc.contains(QLatin1Char('/')) && !allowed.contains(inc.section(QLatin1Char('/'), 0, 0)))
                    found << QStringLiteral("%1/%2: %3").arg(folder, name, inc);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
    }
};

QTEST_GUILESS_MAIN(TstHouseRules)
#include "tst_house_rules.moc"
