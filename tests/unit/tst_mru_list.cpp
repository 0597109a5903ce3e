// The recent-files list under the reserved branch Software\Zentrix\MRUList (one group per
// instance), a list left by an earlier version in section modMRU, and the immediate clear.
#include "app/debug_commands.h"
#include "app/soft_settings.h"
#include "cfile/mru_list.h"
#include "support/temp_settings.h"

#include <QSettings>
#include <QtTest>

using namespace zx;

namespace {
// The branch as the platform's own store holds it, read without the program's store.
QVariant branchValue(const QString &instance, const QString &key)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentrix"), QStringLiteral("MRUList"));
    return s.value(instance + QLatin1Char('/') + key);
}
} // namespace

class TstMruList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void livesUnderTheReservedBranch()
    {
        test::TempSettings tmp;
        {
            SettingsStore store;
            MruList mru(store, QStringLiteral("Zentrix0"));
            mru.add(QStringLiteral("/data/a.rtf"));
            mru.add(QStringLiteral("/data/b.rtf"));
            MruList(store, QStringLiteral("Zentrix2")).add(QStringLiteral("/data/c.rtf"));
            QVERIFY(store.keys(QStringLiteral("Zentrix0"), QStringLiteral("modMRU")).isEmpty());
        }
        QCOMPARE(branchValue("Zentrix0", "File1").toString(), QStringLiteral("/data/b.rtf"));
        QCOMPARE(branchValue("Zentrix0", "File2").toString(), QStringLiteral("/data/a.rtf"));
        QCOMPARE(branchValue("Zentrix2", "File1").toString(), QStringLiteral("/data/c.rtf"));
        SettingsStore again;
        QCOMPARE(MruList(again, QStringLiteral("Zentrix0")).entries(),
                 QStringList({QStringLiteral("/data/b.rtf"), QStringLiteral("/data/a.rtf")}));
    }

    // A list an earlier version kept in section modMRU is read once and moved.
    void oldListMovedOnce()
    {
        test::TempSettings tmp;
        SettingsStore store;
        store.write(QStringLiteral("Zentrix0"), QStringLiteral("modMRU"), QStringLiteral("File1"), QStringLiteral("/old/x.rtf"));
        store.write(QStringLiteral("Zentrix0"), QStringLiteral("modMRU"), QStringLiteral("File2"), QStringLiteral("/old/y.rtf"));
        const QStringList old{QStringLiteral("/old/x.rtf"), QStringLiteral("/old/y.rtf")};
        QCOMPARE(MruList(store, QStringLiteral("Zentrix0")).entries(), old);
        QVERIFY(store.keys(QStringLiteral("Zentrix0"), QStringLiteral("modMRU")).isEmpty());
        store.flush(QStringLiteral("MRUList"));
        QCOMPARE(branchValue("Zentrix0", "File2").toString(), QStringLiteral("/old/y.rtf"));
        QCOMPARE(MruList(store, QStringLiteral("Zentrix0")).entries(), old);
    }

    // The immediate clear takes this instance's list with it, not another instance's.
    void immediateClearRemovesTheList()
    {
        test::TempSettings tmp;
        AppContext ctx;
        MruList(ctx.store, ctx.instanceName()).add(QStringLiteral("/data/a.rtf"));
        MruList(ctx.store, QStringLiteral("Zentrix1")).add(QStringLiteral("/data/b.rtf"));
        runDebugCommand(ctx, DebugCommand::ZapRegNow);
        QVERIFY(MruList(ctx.store, ctx.instanceName()).entries().isEmpty());
        QCOMPARE(MruList(ctx.store, QStringLiteral("Zentrix1")).entries(), QStringList{QStringLiteral("/data/b.rtf")});
    }
};

QTEST_MAIN(TstMruList)
#include "tst_mru_list.moc"
