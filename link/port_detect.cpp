#include "link/port_detect.h"
#include "platform/crlf.h"

#include "link/link_session.h"
#include "link/link_settings_keys.h"
#include "link/port_detect_text.h"
#include "link/status_report.h"
#include "platform/port_map.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace zx {

namespace {
const QString kProbeSettings = QStringLiteral("4800,n,8,1");
constexpr int kPortNotOpen = 8012;
} // namespace

QStringList PortDetect::speeds()
{
    return {QStringLiteral("110"),    QStringLiteral("300"),    QStringLiteral("600"),    QStringLiteral("1200"),
            QStringLiteral("2400"),   QStringLiteral("4800"),   QStringLiteral("9600"),   QStringLiteral("14400"),
            QStringLiteral("19200"),  QStringLiteral("28800"),  QStringLiteral("38400"),  QStringLiteral("56000"),
            QStringLiteral("57600"),  QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("230400"),
            QStringLiteral("256000"), QStringLiteral("460800"), QStringLiteral("512000"), QStringLiteral("921600")};
}

QStringList PortDetect::parities()
{
    return {QStringLiteral("Even"), QStringLiteral("Mark"), QStringLiteral("None"), QStringLiteral("Odd"),
            QStringLiteral("Space")};
}

QStringList PortDetect::dataBitsList()
{
    return {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
}

QStringList PortDetect::stopBitsList()
{
    return {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
}

PortDetect::PortDetect(LinkSession &link, Prompter &prompter) : m_link(link), m_prompter(prompter)
{
    // Probe answers reach the log as they arrive while a detection or test runs.
    m_link.hooks.detectText = [this](const QString &s) { prtLog(s, 0, 0); };
    m_link.hooks.probeMessage = [this](const QString &s) { prtLog(s, 0, 0); };
}

PortDetect::~PortDetect()
{
    m_link.hooks.detectText = nullptr;
    m_link.hooks.probeMessage = nullptr;
}

void PortDetect::prtLog(const QString &text, int code, int count)
{
    prtLogAppend(m_log, text, code, count);
    if (logChanged)
        logChanged();
}

void PortDetect::emitList()
{
    if (listChanged)
        listChanged();
}

// Opens and closes one COM number on the probe port; returns its state.
int PortDetect::probePort(int com)
{
    SerialPort &p = m_link.MSComm2;
    if (p.portOpen())
        p.setPortOpen(false);
    p.setSettings(kProbeSettings);
    p.setHandshaking(0);
    p.setCommPort(com);
    const int e = p.setPortOpen(true);
    // Closing a port that did not open reports "port not open", as the control does.
    const int f = p.portOpen() ? p.setPortOpen(false) : kPortNotOpen;
    return portStateFromErrors(e, f);
}

void PortDetect::prtScan()
{
    m_link.getPrtState();
    m_curCro = {QStringLiteral(" Connection = Off -------->")};
    m_rows.clear();
    prtLog(QStringLiteral("Detecting Communications Ports..."));
    for (int com = 1; com <= kMaxCom; ++com) {
        int state;
        if (com == m_link.iPrt1Was && m_link.bPrt1Was) {
            state = PortOwn;
        } else {
            state = probePort(com);
        }
        if (state == PortOwn || state == PortFree || state == PortInUse) {
            PortRow row{portRowText(com, state), packPortItem(com, state)};
            if (state == PortOwn)
                m_curCro[0] = row.text;
            m_rows.append(row);
        }
        prtLog(portLogText(com, state));
    }
    prtLog(QStringLiteral("...Done"));
    m_link.com2Close();
    emitList();
}

void PortDetect::showConnection()
{
    QString line = QStringLiteral(" Connection = Off -------->");
    if (m_link.MSComm1.portOpen()) {
        const int com = m_link.MSComm1.commPort();
        QString tag = m_link.cro.bCroStatusOk ? QStringLiteral("{RV-5}") : QStringLiteral("{unknown}");
        for (const PortRow &r : m_rows)
            if (itemCom(r.item) == com && r.text.contains(QLatin1String("{RV-5}")))
                tag = QStringLiteral("{RV-5}");
        line = replaceRowTag(portRowText(com, PortOwn), tag);
    }
    if (!m_curCro.isEmpty() && m_curCro[0] == line)
        return;
    if (m_curCro.isEmpty())
        m_curCro.append(line);
    else
        m_curCro[0] = line;
    emitList();
}

void PortDetect::croDetect()
{
    prtLog(QStringLiteral("Scanning for ...RV-5..."), 1, 1);
    if (m_rows.isEmpty()) {
        prtLog(QStringLiteral("There are no free COM ports..!"));
        return;
    }
    m_link.getPrtState();
    m_link.bCom2Detect = true;
    m_rv5Found = 0;
    m_noPrompt = 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        prtLog(QStringLiteral("Testing-> ") + m_rows[i].text, 1, 1);
        const int com = itemCom(m_rows[i].item);
        const int state = itemState(m_rows[i].item);
        if (state != PortOwn && state != PortFree)
            continue;
        m_link.com2Open(com);
        int r = m_link.com2Transact(QStringLiteral("Z"), 125);
        if (r > 99)
            r = m_link.com2Transact(QStringLiteral("Z"), 100);
        QString tag;
        if (r < 10) {
            ++m_rv5Found;
            tag = QStringLiteral("{RV-5}");
        } else {
            ++m_noPrompt;
            tag = QStringLiteral("{unknown}");
            prtLog(QStringLiteral("Found-> ...Nothing..."), 1, 1);
        }
        m_rows[i].text = replaceRowTag(m_rows[i].text, tag);
        if (state == PortOwn)
            m_curCro[0] = m_rows[i].text;
        if (r < 10) {
            prtLog(QStringLiteral("Found-> ***RV5***"), 1, 1);
            prtLog(QStringLiteral("Name->") + m_rows[i].text);
        }
        m_link.com2Disarm();
        emitList();
    }
    prtLog(QStringLiteral("Scan Complete..."), 1, 1);
    m_link.bCom2Detect = false;
    if (m_rv5Found == 0 && m_noPrompt == 0) {
        prtLog(QStringLiteral("Warning...!") + kCrLf + QStringLiteral("There are no chronogaphs present..."));
    } else {
        if (m_rv5Found == 0)
            prtLog(QStringLiteral("There are no RV5 chronos present..."));
        else
            prtLog(QStringLiteral("Number of {RV5} chronos found ( ") + QString::number(m_rv5Found)
                   + QStringLiteral(" )"));
        if (m_noPrompt > 0)
            prtLog(QStringLiteral("Number of {Uknown} chronos found  ( ") + QString::number(m_noPrompt)
                   + QStringLiteral(" )"));
    }
    m_link.com2Close();
    emitList();
}

void PortDetect::cmdDetect()
{
    // The setting controls stay locked while the ports are probed.
    if (controlsEnabled)
        controlsEnabled(false);
    if (showLog)
        showLog();
    prtScan();
    croDetect();
    if (controlsEnabled)
        controlsEnabled(true);
}

void PortDetect::cmdTest()
{
    if (showLog)
        showLog();
    m_link.getPrtState();
    const int com = m_link.iPrt1Was;
    const QString n = QString::number(com);
    if (m_link.com2Open(com) != 0) {
        prtLog(QStringLiteral("Can Not Perform Test...!!!"), 1, 1);
        prtLog(QStringLiteral("COM") + n + QStringLiteral(" is not available"));
        prtLog(QStringLiteral("Chose another COM Port from the list"));
        m_link.com2Close();
        return;
    }
    m_link.bCom2Detect = true;
    prtLog(QStringLiteral("Testing RV5 on (COM") + n + QStringLiteral(")..."), 1, 1);
    const int r = m_link.croProbe();
    if (r != 0 || !m_link.cro.bCroStatusOk) {
        prtLog(QStringLiteral("Unable to retrieves RV5 status."), 1, 1);
        prtLog(QStringLiteral("RV5 not fond on COM") + n);
    } else {
        prtLog(statusReport(m_link.cro, com, 0, 0), 1, 1);
    }
    prtLog(QStringLiteral("End of RV5 Test..!"), 1, 1);
    m_link.com2Close();
    m_link.bCom2Detect = false;
    if (refreshMain)
        refreshMain();
}

// ---------------------------------------------------------------- settings

void PortDetect::loadForm(bool autoConnect, bool autoDetect, int device, bool echo)
{
    const QStringList parts = m_link.MSComm1.settings().split(QLatin1Char(','));
    m_form.comIndex = qBound(0, int(m_link.MSComm1.commPort()) - 1, kMaxCom - 1);
    m_form.baud = parts.value(0, QStringLiteral("4800")).trimmed();
    const QString pc = parts.value(1, QStringLiteral("n")).trimmed().toLower();
    m_form.parity = QStringLiteral("None");
    for (const QString &p : parities())
        if (p.left(1).toLower() == pc)
            m_form.parity = p;
    m_form.dataBits = parts.value(2, QStringLiteral("8")).trimmed();
    m_form.stopBits = parts.value(3, QStringLiteral("1")).trimmed();
    m_form.flow = m_link.MSComm1.handshaking();
    m_form.echo = echo ? 1 : 0;
    m_form.device = device;
    m_form.autoConnect = autoConnect;
    m_form.autoDetect = autoDetect;
    m_form.portDevice = PortMap::storedMap().value(m_form.comIndex + 1);
    setDirty(false);
}

void PortDetect::setDirty(bool d)
{
    if (m_dirty == d)
        return;
    m_dirty = d;
    if (dirtyChanged)
        dirtyChanged(d);
}

bool PortDetect::chooseRow(int index)
{
    if (index < 0 || index >= m_rows.size())
        return false;
    const PortRow chosen = m_rows.at(index);
    const int state = itemState(chosen.item);
    if (state != PortOwn && state != PortFree) {
        MsgRequest r;
        r.text = QStringLiteral("You can not select  ''") + chosen.text + QStringLiteral("''") + kCrLf + kCrLf
                 + QStringLiteral("This port is not avaialble.  ");
        r.foreground = true;
        m_prompter.show(r);
        return false;
    }
    const QString my = QStringLiteral("My ");
    for (PortRow &row : m_rows)
        row.text.remove(my);
    m_form.comIndex = itemCom(chosen.item) - 1;
    PortRow &row = m_rows[index];
    const int brace = row.text.indexOf(QLatin1Char('{'));
    if (brace >= 0)
        row.text.insert(brace, my);
    emitList();
    SetApply();
    if (refreshMain)
        refreshMain();
    return true;
}

void PortDetect::SetApply()
{
    SerialPort &p = m_link.MSComm1;
    const int newCom = m_form.comIndex + 1;
    const QString device = m_form.portDevice.trimmed();
    if (device != PortMap::storedMap().value(newCom)) {
        PortMap::storeEntry(newCom, device);
        // The link port's own binding changed: it reopens on the new device.
        if (newCom == p.commPort() && p.portOpen()) {
            m_link.subClosePort();
            m_link.subOpenPort();
        }
    }
    if (newCom != p.commPort()) {
        const bool wasOpen = p.portOpen();
        if (wasOpen)
            m_link.subClosePort();
        const int err = p.setCommPort(newCom);
        m_link.iPortNum = qint16(p.commPort());
        if (err == 0 && wasOpen) {
            m_link.subOpenPort();
            if (m_link.hooks.sendTextEnabled)
                m_link.hooks.sendTextEnabled(p.portOpen());
        }
        if (err != 0)
            m_link.seeComErr(err);
    }
    const QString settings = buildPortSettings(m_form.baud, m_form.parity, m_form.dataBits, m_form.stopBits);
    if (const int err = p.setSettings(settings))
        m_link.seeComErr(err);
    if (const int err = p.setHandshaking(m_form.flow))
        m_link.seeComErr(err);

    m_link.cro.iCroDevice = qint16(m_form.device);
    if (applyProgramWide)
        applyProgramWide(m_form);

    if (SettingsStore *store = m_link.settingsStore()) {
        const QString app = m_link.appName();
        store->write(app, keys::frmComSet::Settings, p.settings());
        store->writeInt(app, keys::frmComSet::CommPort, p.commPort());
        store->writeInt(app, keys::frmComSet::Handshaking, p.handshaking());
        store->write(app, QStringLiteral("frmComSet"), QStringLiteral("Echo"), SettingsStore::fromBool(m_form.echo != 0));
        store->write(app, QStringLiteral("frmComSet"), QStringLiteral("Device"), QString::number(m_form.device));
        store->write(app, QStringLiteral("frmComSet"), QStringLiteral("AutoConnect"),
                     SettingsStore::fromBool(m_form.autoConnect));
        store->write(app, QStringLiteral("frmComSet"), QStringLiteral("AutoDetect"),
                     SettingsStore::fromBool(m_form.autoDetect));
    }
    setDirty(false);
    emitList();
}

void PortDetect::cmdDefault()
{
    m_form.baud = QStringLiteral("4800");
    m_form.dataBits = QStringLiteral("8");
    m_form.parity = QStringLiteral("None");
    m_form.stopBits = QStringLiteral("1");
    m_form.echo = 0;
    m_form.flow = 0;
    m_form.device = 0;
    // The device takes effect at once; the line settings wait for Save.
    m_link.cro.iCroDevice = 0;
    setDirty(true);
}

void PortDetect::queryClose()
{
    if (!m_dirty)
        return;
    const MsgAnswer a = m_prompter.ask(QStringLiteral("Setup has been changed!") + QStringLiteral(" ") + kCrLf
                                           + QStringLiteral("Do you want to save changes?     "),
                                       MsgButtons::YesNo, 2);
    if (a == MsgAnswer::Yes)
        SetApply();
    else
        setDirty(false);
}

bool PortDetect::selectFirstFree(int device)
{
    prtScan();
    if (device == 0)
        croDetect();
    for (int i = 0; i < m_rows.size(); ++i) {
        const int state = itemState(m_rows[i].item);
        if (state != PortOwn && state != PortFree)
            continue;
        if (device == 0 && !m_rows[i].text.endsWith(QStringLiteral("{RV-5}")))
            continue;
        return chooseRow(i);
    }
    return false;
}

} // namespace zx
