// Memory exports against the simulator on a pseudo-terminal: the listing is downloaded in
// pieces, collected past the terminal's trimming and written as one row per kept shot.
#include "export/excel_link.h"
#include "export/export_driver.h"
#include "workbook/workbook.h"
#include "remote/remote_ops.h"
#include "remote/remote_ops_host.h"
#include "support/scripted_file_chooser.h"
#include "support/temp_settings.h"
#include "tst_ops_rig.h"

#include <QtTest>

using namespace zx;
using namespace zx::test;

class TstExportSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memoryExport_data()
    {
        QTest::addColumn<int>("scope"); // also the export type and the sheet
        QTest::newRow("String") << 1;
        QTest::newRow("Folder") << 2;
        QTest::newRow("eDisk") << 3;
    }
    void memoryExport()
    {
        QFETCH(int, scope);
        TempSettings settings;
        zx::sim::Rv5Options o = SimFixture::quietOptions();
        o.prefillShots = 130;
        OpsRig rig(o);
        QVERIFY(rig.sim.isOpen());
        rig.sim.sim().setChunking(17, 3);
        zx::sim::EDisk &disk = rig.sim.sim().edisk();
        disk.markShot(2, 3, 5, true);
        int want = scope == 3 ? disk.totalKept() : disk.keptCount(2, 3);
        for (int s = 1; scope == 2 && s <= disk.stringsUsed(2); ++s)
            want += s == 3 ? 0 : disk.keptCount(2, s);

        ChronoRemoteHost rhost{rig.host, rig.progress, rig.prompter};
        RemoteOps remote{rig.link, rig.ops, rhost};
        ScriptedFileChooser chooser;
        xls::ExcelLink link(rig.prompter, chooser, ProgramFiles::forDesktop());
        link.setNewBookPath(settings.path() + QStringLiteral("/book.xlsx"));
        xls::ExportSources src;
        src.download = [&](int sc, QStringList &lines) { return remote.croGetShots(sc, &lines); };
        xls::ExportDriver driver(link, src, rig.pad, rig.progress, xls::ExportOptions{});
        QCOMPARE(driver.run(3, xls::SrcMemory, scope, scope), 0);
        QCOMPARE(driver.rowsWritten(), want);
        QVERIFY(rig.text().contains(QStringLiteral("Data Exported to Excel Successfully...  Process Duration = 00:")));
        const wb::Worksheet &ws = link.writer()->sheet(scope);
        const int last = link.writer()->nextRow(scope) - 1;
        QVERIFY(wb::displayText(ws.value(last, 1)).startsWith(QStringLiteral("End MMR-Import(1)")));
        QCOMPARE(wb::displayText(ws.value(1, 5)), QStringLiteral("Source Of This Data: ") + ws.name() + QStringLiteral(" from RV5"));
    }
};

QTEST_GUILESS_MAIN(TstExportSim)
#include "tst_export_sim.moc"
