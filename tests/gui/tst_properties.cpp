// The properties window driven by control name.
#include "link/link_session.h"
#include "link/port_detect.h"
#include "link/ui/frm_properties.h"
#include "platform/port_map.h"
#include "platform/settings_store.h"
#include "support/recording_logpad.h"
#include "support/scripted_prompter.h"
#include "support/temp_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zx;
using namespace zx::test;

namespace {
struct Rig {
    ScriptedPrompter prompter;
    RecordingLogPad pad;
    SettingsStore store;
    LinkSession link{&prompter, &store, QStringLiteral("Zentrix0"), 0, &pad};
    PortDetect detect{link, prompter};
    FrmProperties w{detect};
    Rig()
    {
        link.MSComm1.setCommPort(3);
        link.MSComm1.setSettings(QStringLiteral("9600,e,7,2"));
        w.loadFromLink(true, false, 1, true);
    }
    template <class T> T *get(const char *name) { return w.findChild<T *>(QString::fromLatin1(name)); }
};
} // namespace

class TstProperties : public QObject {
    Q_OBJECT
    TempSettings temp;
private Q_SLOTS:
    void cleanup() { PortMap::clearOverrides(); }
    void init()
    {
        for (int n = 1; n <= 16; ++n)
            PortMap::setOverride(n, QStringLiteral("/nonexistent/zx-com%1").arg(n));
    }

    void controlsByName()
    {
        Rig r;
        QVERIFY(r.get<QCheckBox>("chkAutoConnect")->isChecked());
        QVERIFY(!r.get<QCheckBox>("chkAutoDetect")->isChecked());
        const char *combos[][2] = {{"cboPort", "COM3"},    {"cboSpeed", "9600"},   {"cboParity", "Even"},
                                   {"cboDataBits", "7"}, {"cboStopBits", "2"}, {"cboDevice", " Shooting Valtry"}};
        for (const auto &c : combos)
            QCOMPARE(r.get<QComboBox>(c[0])->currentText(), QString(c[1]));
        QVERIFY(r.get<QRadioButton>("optEcho_1")->isChecked());
        QVERIFY(r.get<QRadioButton>("optFlow_0")->isChecked());
        QVERIFY(!r.get<QPushButton>("cmdSave")->isEnabled());
    }

    void dirtyFlagAndSave()
    {
        Rig r;
        r.w.show();
        r.get<QCheckBox>("chkAutoDetect")->click();
        QVERIFY(r.detect.dirty());
        QVERIFY(r.get<QPushButton>("cmdSave")->isEnabled());
        auto *speed = r.get<QComboBox>("cboSpeed");
        speed->setCurrentText(QStringLiteral("4800"));
        Q_EMIT speed->activated(speed->currentIndex());
        QTest::mouseClick(r.get<QPushButton>("cmdSave"), Qt::LeftButton);
        QVERIFY(!r.get<QPushButton>("cmdSave")->isEnabled());
        QCOMPARE(r.link.MSComm1.settings(), QStringLiteral("4800,e,7,2"));
        const QString app = QStringLiteral("Zentrix0");
        QCOMPARE(r.store.read(app, QStringLiteral("frmComSet"), QStringLiteral("Settings")), QStringLiteral("4800,e,7,2"));
        QCOMPARE(r.store.read(app, QStringLiteral("frmComSet"), QStringLiteral("AutoDetect")), QStringLiteral("True"));
        QCOMPARE(r.store.read(app, QStringLiteral("frmComSet"), QStringLiteral("Echo")), QStringLiteral("True"));
        QCOMPARE(r.link.cro.iCroDevice, qint16(1));
    }

    void defaultsWaitForSave()
    {
        Rig r;
        r.w.show();
        QTest::mouseClick(r.get<QPushButton>("cmdDefault"), Qt::LeftButton);
        QCOMPARE(r.get<QComboBox>("cboSpeed")->currentText(), QStringLiteral("4800"));
        QCOMPARE(r.get<QComboBox>("cboParity")->currentText(), QStringLiteral("None"));
        QCOMPARE(r.get<QComboBox>("cboDevice")->currentIndex(), 0);
        QCOMPARE(r.link.cro.iCroDevice, qint16(0));              // the device at once
        QCOMPARE(r.link.MSComm1.settings(), QStringLiteral("9600,e,7,2"));  // the line waits
        QTest::mouseClick(r.get<QPushButton>("cmdSave"), Qt::LeftButton);
        QCOMPARE(r.link.MSComm1.settings(), QStringLiteral("4800,n,8,1"));
    }

    void detectWithoutPorts()
    {
        Rig r;
        r.w.show();
        auto *toggle = r.get<QPushButton>("cmdPrgLog");
        QCOMPARE(toggle->text(), QStringLiteral("Show &Progress Log"));
        // The settings are locked while the ports are probed, from the button or the
        // Interface menu (which runs the detection directly).
        auto *custom = r.get<QGroupBox>("fraCustSet");
        int lockedDuring = 0;
        const auto showLog = r.detect.showLog;
        r.detect.showLog = [&] {
            lockedDuring += !custom->isEnabled() && !r.get<QPushButton>("cmdDetect")->isEnabled();
            showLog();
        };
        r.detect.cmdDetect();
        QTest::mouseClick(r.get<QPushButton>("cmdDetect"), Qt::LeftButton);
        QCOMPARE(lockedDuring, 2);
        QVERIFY(custom->isEnabled());
        QVERIFY(r.w.progressLogShown());
        QCOMPARE(toggle->text(), QStringLiteral("Custo&m Setup"));
        QVERIFY(r.get<QGroupBox>("fraCustSet")->isHidden());
        const QString log = r.get<QPlainTextEdit>("txtSetPrg")->toPlainText();
        QVERIFY2(log.contains(QStringLiteral("COM3    {not present}")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("There are no free COM ports..!")));
        QCOMPARE(r.get<QListWidget>("lstCom2Cro")->count(), 0);
        QCOMPARE(r.get<QListWidget>("lstCurCro")->item(0)->text(), QStringLiteral(" Connection = Off -------->"));
        QVERIFY(r.get<QPushButton>("cmdDetect")->isEnabled());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!r.w.progressLogShown());
    }

    void closeAsksToSave()
    {
        Rig r;
        r.w.show();
        r.get<QCheckBox>("chkAutoConnect")->click();
        r.prompter.queue(MsgAnswer::Yes);
        QTest::mouseClick(r.get<QPushButton>("cmdClose"), Qt::LeftButton);
        QCOMPARE(r.prompter.count(), 1);
        QCOMPARE(r.prompter.last().text, QStringLiteral("Setup has been changed! \r\nDo you want to save changes?     "));
        QVERIFY(!r.detect.dirty());
        QCOMPARE(r.store.read(QStringLiteral("Zentrix0"), QStringLiteral("frmComSet"), QStringLiteral("AutoConnect")),
                 QStringLiteral("False"));
        QVERIFY(r.w.isHidden());
    }

    void portMapEditedAndSaved()
    {
        PortMap::clearOverrides();
        Rig r;
        r.w.show();
        auto *path = r.get<QLineEdit>("txtPortDevice");
        QVERIFY(path);
        QVERIFY(path->text().isEmpty());   // nothing stored for COM3 yet
        QTest::keyClicks(path, QStringLiteral("/dev/ttyUSB7"));
        QVERIFY(r.detect.dirty());
        QTest::mouseClick(r.get<QPushButton>("cmdSave"), Qt::LeftButton);
        QCOMPARE(PortMap::storedMap().value(3), QStringLiteral("/dev/ttyUSB7"));
        QCOMPARE(PortMap::deviceFor(3), QStringLiteral("/dev/ttyUSB7"));

        // Another COM number shows its own binding; emptying the field removes the entry.
        auto *port = r.get<QComboBox>("cboPort");
        port->setCurrentIndex(4);
        Q_EMIT port->activated(4);
        QVERIFY(path->text().isEmpty());
        port->setCurrentIndex(2);
        Q_EMIT port->activated(2);
        QCOMPARE(path->text(), QStringLiteral("/dev/ttyUSB7"));
        path->selectAll();
        QTest::keyClick(path, Qt::Key_Delete);
        QTest::mouseClick(r.get<QPushButton>("cmdSave"), Qt::LeftButton);
        QVERIFY(!PortMap::storedMap().contains(3));
    }
};

QTEST_MAIN(TstProperties)
#include "tst_properties.moc"
