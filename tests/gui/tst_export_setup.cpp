// The export options window by its control names over its logic, and the export switches
// read from the workbook's "iSetup" sheet.
#include "app/app_context.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/splash_sequence.h"
#include "export/export_settings_keys.h"
#include "export/export_setup.h"
#include "export/export_setup_actions.h"
#include "export/excel_link.h"
#include "export/export_template.h"
#include "export/link_setup_actions.h"
#include "export/ui/frm_exp_set.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_prompter.h"
#include "support/startup_patience.h"
#include "support/temp_settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zx;
using namespace zx::test;
using namespace zx::xls;

namespace {

const QString kApp = QStringLiteral("Zentrix0");

struct Actions : ExportSetupActions {
    bool linked = false;
    bool connects = false;
    QList<int> applied;
    int closed = 0;
    QString cause;
    bool isLinked() const override { return linked; }
    QString lastError() const override { return cause; }
    bool newWorkbook() override { return linked = connects; }
    void openOwnWorkbook() override {}
    void closeWorkbook() override { ++closed; }
    void applySetup(int sheet) override { applied << sheet; }
};

struct Rig {
    TempSettings tmp;
    SettingsStore store;
    ScriptedPrompter prompter;
    Actions actions;
    ExportOptions options;
    ExportSetup setup{options, store, kApp, prompter, actions};
    FrmExpSet window{setup};
    explicit Rig(bool softTest = false)
    {
        setup.softTest = softTest;
        window.openWindow();
    }
    template <typename T = QAbstractButton>
    T *control(const QString &name)
    {
        T *w = window.findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    bool checked(const QString &name) { return control(name)->isChecked(); }
    QString progress() { return control<QLabel>(QStringLiteral("labPrgrs"))->text(); }
};

} // namespace

class TestExportSetup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nothingStoredShowsDefaults();
    void defaultButtonTurnsNamesRowOff();
    void closeQuestion_data();
    void closeQuestion();
    void workbookButtons();
    void progressDoesNotStay();
    void realLinkButtons();
    void setupSheetSwitches();
    void openedFromTheMainWindowMenus();
};

void TestExportSetup::nothingStoredShowsDefaults()
{
    Rig rig;
    QVERIFY(rig.checked(QStringLiteral("optDestin_2")));
    QVERIFY(rig.checked(QStringLiteral("optExcSetup_0")));
    for (const char *on : {"chkExcUnits_0", "chkExcUnits_1", "chkExcNames_0", "chkExcNames_1", "chkExcStats_0",
                           "chkExcStats_1", "chkExcStats_2", "chkAttPos_0", "chkAttPos_1", "chkShowLogPad"})
        QVERIFY2(rig.checked(QString::fromLatin1(on)), on);
    QVERIFY(!rig.checked(QStringLiteral("chkExcUnits_2")));
    QCOMPARE(rig.control(QStringLiteral("chkExcStats_2"))->text(), QStringLiteral("Power && Energy"));
    QCOMPARE(rig.control(QStringLiteral("chkExcStats_1"))->text(), QStringLiteral("Summery Stats "));
    QVERIFY(!rig.control(QStringLiteral("cmdExpSetKey_0"))->isEnabled());
    QVERIFY(!rig.control<QWidget>(QStringLiteral("fraPrgrs"))->isVisibleTo(&rig.window));
    // Test-mode controls follow SoftTest.
    QVERIFY(!rig.control(QStringLiteral("cmdRfrsh_5"))->isEnabled());
    QVERIFY(rig.control(QStringLiteral("cmdRfrsh_3"))->isEnabled());
    Rig test(true);
    QVERIFY(test.control(QStringLiteral("cmdRfrsh_5"))->isEnabled());
    QVERIFY(test.control(QStringLiteral("chkShowINots"))->isEnabled());
}

void TestExportSetup::defaultButtonTurnsNamesRowOff()
{
    Rig rig(true);
    rig.control(QStringLiteral("chkShowLogPad"))->click();
    rig.control(QStringLiteral("optDestin_0"))->click();
    QCOMPARE(rig.options.destination, 0);
    QVERIFY(rig.control(QStringLiteral("cmdExpSetKey_0"))->isEnabled());
    rig.control(QStringLiteral("cmdExpSetKey_1"))->click();
    QVERIFY(!rig.checked(QStringLiteral("chkExcNames_1")));
    QVERIFY(rig.checked(QStringLiteral("optDestin_2")));
    QVERIFY(!rig.checked(QStringLiteral("chkShowLogPad"))); // left as it was
    QVERIFY(!rig.control(QStringLiteral("cmdExpSetKey_0"))->isEnabled());
    // Exit without changes since: no question; nothing was stored.
    rig.control(QStringLiteral("cmdExpSetClose"))->click();
    QVERIFY(!rig.window.isVisible());
    QCOMPARE(rig.prompter.count(), 0);
    QVERIFY(!rig.store.contains(kApp, keys::frmExpSet::ExpExcNHed1));
    // Opening again loads what is stored.
    rig.window.openWindow();
    QVERIFY(rig.checked(QStringLiteral("chkExcNames_1")));
}

void TestExportSetup::closeQuestion_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes saves") << MsgAnswer::Yes << true << "True";
    QTest::newRow("No discards") << MsgAnswer::No << true << "False";
    QTest::newRow("Cancel stays") << MsgAnswer::Cancel << false << "False";
}

void TestExportSetup::closeQuestion()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(QString, stored);
    Rig rig;
    rig.control(QStringLiteral("chkExcUnits_2"))->click();
    rig.prompter.queue(answer);
    rig.window.close();
    QCOMPARE(rig.prompter.count(), 1);
    QCOMPARE(rig.prompter.lastLines(), (QStringList{"Setup has changed!", "Save Changes Before Closing..?"}));
    QCOMPARE(rig.prompter.last().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(rig.prompter.last().defaultButton, 3);
    QCOMPARE(rig.window.isVisible(), !closed);
    QCOMPARE(rig.store.read(kApp, keys::frmExpSet::ExpExcUHed2), stored);
}

void TestExportSetup::workbookButtons()
{
    Rig rig;
    rig.control(QStringLiteral("cmdBukKey_2"))->click();
    QCOMPARE(rig.prompter.lastLines(), (QStringList{"Nothing to do..!", "There are no Excel Workbooks connected to Zentrix."}));
    rig.control(QStringLiteral("cmdRfrsh_1"))->click();
    QCOMPARE(rig.prompter.lastLines(), (QStringList{"Nothing to do..!", "There are No Excel workbooks Connected to Zentrix."}));
    rig.control(QStringLiteral("cmdBukKey_0"))->click();
    QCOMPARE(rig.prompter.last().text, QStringLiteral("Faialed to Connect to Excel.!"));
    QCOMPARE(rig.prompter.count(), 3);
    QVERIFY(rig.actions.applied.isEmpty());

    rig.actions.connects = true;
    rig.control(QStringLiteral("cmdBukKey_0"))->click();
    QCOMPARE(rig.progress(), QStringLiteral("Done..."));
    QVERIFY(rig.checked(QStringLiteral("chkExcCapture")));
    rig.control(QStringLiteral("cmdRfrsh_3"))->click();
    QCOMPARE(rig.actions.applied, QList<int>{3});
    QVERIFY(rig.control<QWidget>(QStringLiteral("fraSettings"))->isEnabled());
    rig.control(QStringLiteral("cmdBukKey_2"))->click();
    QCOMPARE(rig.actions.closed, 1);
    QVERIFY(!rig.window.isVisible());
    QCOMPARE(rig.prompter.count(), 3);
}

// "Please Wait..." goes when nothing is under way; a failed New says why.
void TestExportSetup::progressDoesNotStay()
{
    Rig rig;
    rig.actions.cause = QStringLiteral("The workbook could not be saved as /x/book.xlsx:\nNot a directory");
    rig.control(QStringLiteral("cmdBukKey_0"))->click();
    QCOMPARE(rig.prompter.lastLines(), (QStringList{"Faialed to Connect to Excel.!", rig.actions.cause}));
    rig.actions.linked = true;
    for (const char *button : {"cmdBukKey_0", "cmdBukKey_1"}) {
        rig.window.show();
        rig.control(QString::fromLatin1(button))->click();
        QVERIFY2(!rig.control<QWidget>(QStringLiteral("fraPrgrs"))->isVisibleTo(&rig.window), button);
    }
}

// The buttons on a real workbook link: New, Apply (kept in the file), Close, and New again.
void TestExportSetup::realLinkButtons()
{
    TempSettings tmp;
    SettingsStore store;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    ExcelLink link{prompter, chooser, ProgramFiles::forDesktop()};
    const QString path = tmp.path() + QStringLiteral("/book.xlsx");
    link.setNewBookPath(path);
    ExportOptions options;
    int refreshes = 0;
    LinkSetupActions actions{link, {[&options] { return options; }, [&refreshes] { ++refreshes; }, {}}};
    ExportSetup setup{options, store, kApp, prompter, actions};
    FrmExpSet window{setup};
    window.openWindow();
    const auto click = [&window](const char *name) { window.findChild<QAbstractButton *>(QString::fromLatin1(name))->click(); };
    click("cmdBukKey_0");
    QVERIFY(link.linked);
    QVERIFY(QFile::exists(path));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("labPrgrs"))->text(), QStringLiteral("Done..."));
    click("chkAttPos_0"); // Folder Numbers off
    QVERIFY(!options.folderNumbers);
    click("cmdRfrsh_1");
    QString error;
    auto saved = wb::readXlsx(path, &error);
    QVERIFY2(saved, qPrintable(error));
    QVERIFY(saved->sheet(QStringLiteral("String"))->isColumnHidden(2));
    click("chkAttPos_0");
    click("cmdRfrsh_1");
    saved = wb::readXlsx(path, &error);
    QVERIFY(!saved->sheet(QStringLiteral("String"))->isColumnHidden(2));
    click("cmdBukKey_2");
    QVERIFY(!link.linked);
    QVERIFY(refreshes >= 2);
    // New where the book cannot be written: the box says why; then New works at once.
    QFile plain(tmp.path() + QStringLiteral("/plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    link.setNewBookPath(tmp.path() + QStringLiteral("/plain/book.xlsx"));
    window.openWindow();
    click("cmdBukKey_0");
    QCOMPARE(prompter.lastLines().value(0), QStringLiteral("Faialed to Connect to Excel.!"));
    QVERIFY2(prompter.last().text.contains(QStringLiteral("plain")), qPrintable(prompter.last().text));
    link.setNewBookPath(path);
    click("cmdBukKey_0");
    QVERIFY(link.linked);
}

void TestExportSetup::setupSheetSwitches()
{
    auto book = buildExportTemplate();
    wb::Worksheet &sheet = book->sheet(kSetupSheet - 1);
    ExportOptions read;
    read.unitsAfterValue = true;
    read.namesEveryString = false;
    QString error;
    QVERIFY2(readSetupSheetSwitches(sheet, &read, &error), qPrintable(error));
    QCOMPARE(read, ExportOptions{}); // the template holds the absent-value defaults

    // Each switch in the row the template names it on.
    const auto rowOf = [&sheet](const char *name) {
        for (int r = kFirstSwitchRow; r < kFirstSwitchRow + 20; ++r)
            if (sheet.value(r, 3) == wb::CellValue(QString::fromLatin1(name)))
                return r;
        return -1;
    };
    sheet.setText(rowOf("ExpExcNHed1"), 4, QStringLiteral(" no "));
    sheet.setText(rowOf("ExpExcUHed2"), 4, QStringLiteral("YES"));
    QVERIFY(readSetupSheetSwitches(sheet, &read, &error));
    QVERIFY(!read.namesEveryString);
    QVERIFY(read.unitsAfterValue);
    QVERIFY(read.powerEnergy);

    const int row = rowOf("ExpExcIPos2");
    sheet.setText(row, 4, QStringLiteral("maybe"));
    QVERIFY(!readSetupSheetSwitches(sheet, &read, &error));
    QVERIFY(error.contains(QStringLiteral("D%1").arg(row)));
    QVERIFY(error.contains(QStringLiteral("maybe")));
    QVERIFY(!read.namesEveryString); // unchanged
    sheet.clearCell(row, 4);
    QVERIFY(!readSetupSheetSwitches(sheet, &read, &error));
    QVERIFY(error.contains(QStringLiteral("is empty")));
}

void TestExportSetup::openedFromTheMainWindowMenus()
{
    TempSettings tmp;
    tmp.selectChronographByHand();
    ScriptedPrompter prompter;
    AppContext ctx;
    ctx.prompter = &prompter;
    QPointer<FrmMdi> mdi = zx::test::startPatiently([&] { return runSplashSequence(ctx); });
    QVERIFY(mdi);
    for (const char *entry : {"mnuRemExpSetup", "mnuExcLinkSetup"}) {
        ctx.soft.softTest = QByteArray(entry) == "mnuExcLinkSetup";
        mdi->findChild<QAction *>(QString::fromLatin1(entry))->trigger();
        QWidget *window = nullptr; // a window of its own
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmExpSet"))
                window = w;
        QVERIFY2(window && window->isVisible(), entry);
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("cmdRfrsh_5"))->isEnabled(), ctx.soft.softTest);
        window->close();
    }
    mdi->closeByProgram();
}

QTEST_MAIN(TestExportSetup)
#include "tst_export_setup.moc"
