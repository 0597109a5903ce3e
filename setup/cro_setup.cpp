#include "setup/cro_setup.h"
#include "platform/crlf.h"

#include "link/chrono_ops.h"
#include "link/cro_state.h"
#include "link/link_session.h"
#include "platform/prompter.h"

#include <algorithm>

namespace zx {

namespace {

// Menu entries the panel drives: menu, item, sub-item.
struct MenuEntry {
    int menu, item, sub;
    int code() const { return 100 * menu + 10 * item + sub; }
};
constexpr MenuEntry kSensLevel{1, 0, 2};
constexpr MenuEntry kStringSize{2, 2, 0};
constexpr MenuEntry kPwrTime{2, 5, 3};
constexpr std::array<MenuEntry, CroSetup::kSwitches> kSwitchEntry{{{1, 0, 5}, {2, 5, 2}, {2, 4, 3}, {2, 5, 4}}};
const char *const kSwitchName[] = {"Temperature Units", "Power Down", "Memory Alarm", "Expert Mode"};
const char *const kOnOffName[] = {"Sensors", "Archery Mode", "Rapid Fire"};

bool readInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

// One press of K (up) or O on a stepped entry. Before the press the chronograph must show
// the entry with the value the PC believes it holds: where pos (and the link's own record)
// says it stands there, Enter reads it in place; otherwise, or when that answer stands
// elsewhere, it navigates afresh and reads. A value that differs is not stepped. The press
// itself must answer at the entry too.
bool stepEntry(LinkSession &link, qint16 &pos, const MenuEntry &e, int expected, bool up, int *value)
{
    const auto readHere = [&](int *shown) { return readInt(link.menuRead(e.menu), shown) && link.menuShows(e.code()); };
    int shown = 0;
    bool at = pos == e.code() && link.croTxn.menuPos == e.code() && readHere(&shown);
    if (!at)
        at = link.menuGoTo(e.menu, e.item, e.sub) && readHere(&shown);
    const bool ok = at && shown == expected && readInt(link.menuStep(e.menu, up), value) && link.menuShows(e.code());
    pos = ok ? qint16(e.code()) : qint16(0);
    return ok;
}

} // namespace

bool stepSensorLevel(LinkSession &link, qint16 &pos, bool up)
{
    int v = 0;
    if (!stepEntry(link, pos, kSensLevel, link.cro.iCroSensLevel, up, &v) || v < 0 || v > 100) {
        pos = 0;
        return false;
    }
    link.cro.iCroSensLevel = qint16(v);
    return true;
}

CroSetup::CroSetup(ChronoOps &ops, Prompter &prompter) : m_ops(ops), m_prompter(prompter) {}

CroState &CroSetup::cro() { return m_ops.cro(); }
LinkSession &CroSetup::link() { return m_ops.link(); }

QString CroSetup::changeFailure(const QString &name)
{
    return QStringLiteral("Failed to change ") + name + QStringLiteral(" ..!") + kCrLf
           + QStringLiteral("There was no response from RV5 Chronograph.  ") + kCrLf
           + QStringLiteral("Check your setup or connections.");
}

QString CroSetup::onOffFailure(const QString &name, bool on)
{
    return QStringLiteral("Failed to set ") + name + QLatin1Char(' ') + (on ? QStringLiteral("On") : QStringLiteral("Off"))
           + QStringLiteral(" ..!") + kCrLf + QStringLiteral("There was no response from RV5 Chronograph.  ") + kCrLf
           + QStringLiteral("Check your setup or connections.");
}

QString CroSetup::statusFailure()
{
    return QStringLiteral("Failed to retrieve RV5 Status..!") + kCrLf + QStringLiteral("Check your connections and try again.");
}

void CroSetup::tell(const QString &text)
{
    MsgRequest r;
    r.text = text;
    r.systemModal = true;
    r.foreground = true;
    m_prompter.show(r);
}

bool &CroSetup::switchField(Switch which)
{
    static bool unused = false;
    switch (which) {
    case PwrDownOn: return cro().bCroPwrDown;
    case MemAlarm: return bCroMemAlarm;
    case ExpertMode: return bCroExpertMode;
    default: return unused;
    }
}

bool CroSetup::run(const std::function<bool()> &op)
{
    if (filling)
        return false;
    bool result = false;
    const auto body = [&] {
        abortFlag = false;
        filling = true;
        if (onBusy)
            onBusy(true);
        const bool capture = m_ops.captureSwitch();   // command traffic stays out of the LogPad
        m_ops.setCaptureSwitch(false);
        result = op();
        m_ops.setCaptureSwitch(capture);
        if (onBusy)
            onBusy(false);
        abortFlag = false;
        filling = false;
    };
    if (guard) {
        if (!guard(body))
            return false;
    } else {
        body();
    }
    return result;
}

void CroSetup::fillShown()
{
    const CroState &c = cro();
    Shown &s = m_shown;
    s.onOff = {int(c.bCroSensorsOn), int(c.bCroArcheryOn), int(c.bCroRapidOn)};
    s.velUnits = c.sCroVelUnits == QLatin1String("m/s") ? 1 : 0;
    const qint16 prompt = link().croTxn.prompt;
    s.mode = prompt == 1 ? 0 : prompt == 2 ? 1 : -1;
    s.switches[TempUnits] = c.sCroTmpUnits == QLatin1String("cel") ? Checked : Unchecked;
    s.switches[PwrDownOn] = c.bCroPwrDown ? Checked : Unchecked;
    // The status answer does not carry these two: grayed until the menu has shown them.
    for (Switch w : {MemAlarm, ExpertMode})
        s.switches[w] = unknown(w) ? Grayed : switchField(w) ? Checked : Unchecked;
    s.logs = {c.bCroLogJ, c.bCroLogK, c.bCroLogL};
    s.shot = c.iCroShotReview;
    s.str = c.iCroCurStr;
    s.fol = c.iCroCurFol;
    s.maxSho = c.iCroMaxSho;
    s.maxStr = c.iCroMaxStr;
    s.pwrMin = c.iCroPwrDownMin;
    s.pwrHrs = c.iCroPwrDownHrs;
    s.sensLevel = c.iCroSensLevel;
}

void CroSetup::open()
{
    bCroMemAlarm = false;
    bCroExpertMode = false;
    m_unknown = {true, false, true, true};
    link().croTxn.menuPos = 0;
    filling = true;
    fillShown();
    filling = false;
}

// ---------------------------------------------------------------- status and switches

bool CroSetup::readStatusCore(bool quiet)
{
    m_ops.getStatus();
    fillShown();
    const bool ok = cro().bCroStatusOk;
    if (!ok && !quiet)
        tell(statusFailure());
    return ok;
}

bool CroSetup::readStatus()
{
    return run([this] { return readStatusCore(false); });
}

bool CroSetup::setOnOffCore(OnOff which, int index)
{
    m_shown.onOff.at(size_t(which)) = index;
    const CroState &c = cro();
    const bool on = index == 1;
    const bool flag = which == Sensors ? c.bCroSensorsOn : which == Archery ? c.bCroArcheryOn : c.bCroRapidOn;
    if (on == flag)
        return true;
    const bool ok = which == Sensors ? m_ops.setSensors(on) : which == Archery ? m_ops.setArchery(on) : m_ops.setRapidFire(on);
    if (!ok) {
        tell(onOffFailure(QString::fromLatin1(kOnOffName[which]), on));
        m_shown.onOff.at(size_t(which)) = -1;
    }
    return ok;
}

bool CroSetup::setOnOff(OnOff which, int index)
{
    return run([=, this] { return setOnOffCore(which, index); });
}

bool CroSetup::setVelUnitsCore(int index)
{
    const bool wasShown = m_shown.velUnits >= 0;
    m_shown.velUnits = index;
    if (wasShown && (index == 1) == (cro().sCroVelUnits == QLatin1String("m/s")))
        return true;
    if (!link().setMenuItem(1, 0, 4, index == 1)) {
        tell(changeFailure(QStringLiteral("Velocity Units")));
        m_shown.velUnits = -1;
        return false;
    }
    cro().sCroVelUnits = index == 0 ? QStringLiteral("f/s") : QStringLiteral("m/s");
    return true;
}

bool CroSetup::setVelUnits(int index)
{
    return run([=, this] { return setVelUnitsCore(index); });
}

bool CroSetup::setSwitchCore(Switch which, bool checked)
{
    m_shown.switches.at(size_t(which)) = checked ? Checked : Unchecked;
    const bool field = which == TempUnits ? cro().sCroTmpUnits == QLatin1String("cel") : switchField(which);
    if (checked == field && !unknown(which))
        return true;
    const MenuEntry &e = kSwitchEntry.at(size_t(which));
    if (!link().setMenuItem(e.menu, e.item, e.sub, checked)) {
        tell(changeFailure(QString::fromLatin1(kSwitchName[which])));
        m_shown.switches.at(size_t(which)) = Grayed;
        m_unknown.at(size_t(which)) = true;
        return false;
    }
    if (which == TempUnits)
        cro().sCroTmpUnits = checked ? QStringLiteral("cel") : QStringLiteral("fah");
    else
        switchField(which) = checked;
    m_unknown.at(size_t(which)) = false;
    return true;
}

bool CroSetup::setSwitch(Switch which, bool checked)
{
    return run([=, this] { return setSwitchCore(which, checked); });
}

bool CroSetup::readSwitch(Switch which)
{
    return run([=, this] {
        const MenuEntry &e = kSwitchEntry.at(size_t(which));
        const QString v = link().menuGoTo(e.menu, e.item, e.sub) ? link().menuRead(e.menu) : QString();
        if (v != QLatin1String("ON") && v != QLatin1String("OFF"))
            return false;
        if (which == TempUnits)
            cro().sCroTmpUnits = v == QLatin1String("ON") ? QStringLiteral("cel") : QStringLiteral("fah");
        else
            switchField(which) = v == QLatin1String("ON");
        m_unknown.at(size_t(which)) = false;
        m_shown.switches.at(size_t(which)) = v == QLatin1String("ON") ? Checked : Unchecked;
        return true;
    });
}

bool CroSetup::setMode(int index)
{
    return run([=, this] {
        LinkSession &l = link();
        const bool selected = m_shown.mode >= 0;
        m_shown.mode = index;
        if (selected && index + 1 == l.croTxn.prompt)
            return true;
        l.croTransact(false, index != 0 ? QStringLiteral("S") : QStringLiteral("D"), 0, 0);
        if (!l.croTxn.failed)
            return true;
        tell(changeFailure(QStringLiteral("Data/Stats Mode")));
        m_shown.mode = -1;
        l.croTxn.prompt = 0;
        return false;
    });
}

bool CroSetup::setSendLogCore(int box, bool checked)
{
    const CroState &c = cro();
    m_shown.logs.at(size_t(box)) = checked;
    if (checked == std::array<bool, 3>{c.bCroLogJ, c.bCroLogK, c.bCroLogL}.at(size_t(box)))
        return true;
    LinkSession &l = link();
    l.croTransact(false, QStringLiteral("D"), 1, 0);
    bool ok = !l.croTxn.failed;
    if (ok) {
        l.croTransact(false, QString(QLatin1Char("JKL"[box])), 1, 0);
        ok = !l.croTxn.failed;
    }
    ok = readStatusCore(false) && ok;   // the chronograph's own word on all three (the full read)
    if (!ok)
        tell(changeFailure(QStringLiteral("Send Log")));
    return ok;
}

bool CroSetup::setSendLog(int box, bool checked)
{
    return run([=, this] { return setSendLogCore(box, checked); });
}

// ---------------------------------------------------------------- stepped entries

bool CroSetup::sensStepCore(bool up)
{
    const bool ok = stepSensorLevel(link(), link().croTxn.menuPos, up);
    m_shown.sensLevel = cro().iCroSensLevel;
    return ok;
}

bool CroSetup::stepSensLevel(int button)
{
    return run([=, this] {
        if (sensStepCore(button == 0))
            return true;
        tell(changeFailure(QStringLiteral("Sensor Level")));
        return false;
    });
}

bool CroSetup::sensLevelToCore(int target)
{
    link().croTxn.menuPos = 0;
    for (int i = 0; i < 100 && cro().iCroSensLevel != target && !abortFlag; ++i) {
        const int before = cro().iCroSensLevel;
        if (!sensStepCore(before < target)) {
            tell(changeFailure(QStringLiteral("Sensor Level")));
            return false;
        }
        if (cro().iCroSensLevel == before)
            break;   // the chronograph goes no further
    }
    m_shown.sensLevel = cro().iCroSensLevel;
    return cro().iCroSensLevel == target;
}

bool CroSetup::sensLevelTo(int target)
{
    return run([=, this] { return sensLevelToCore(target); });
}

bool CroSetup::pwrPressCore(bool up)
{
    CroState &c = cro();
    int v = 0;
    if (!stepEntry(link(), link().croTxn.menuPos, kPwrTime, c.iCroPwrDownHrs * 100 + c.iCroPwrDownMin, up, &v) || v < 0) {
        link().croTxn.menuPos = 0;
        tell(changeFailure(QStringLiteral("Power Down Time")));
        return false;
    }
    c.iCroPwrDownHrs = qint16(v / 100);
    c.iCroPwrDownMin = qint16(v % 100);
    m_shown.pwrHrs = c.iCroPwrDownHrs;
    m_shown.pwrMin = c.iCroPwrDownMin;
    return true;
}

int CroSetup::hourTarget(int hrs, int min, bool up)
{
    int h = up ? hrs + 1 : std::max(hrs - 1, 0);
    if (h > 3) {
        h = 3;
        min = std::min(min, 51);
    }
    return h * 100 + min;
}

bool CroSetup::pwrDownToCore(int code)
{
    const CroState &c = cro();
    link().croTxn.menuPos = 0;
    for (int i = 0; i < 351 && !abortFlag; ++i) {
        const int now = c.iCroPwrDownHrs * 100 + c.iCroPwrDownMin;
        if (now == code)
            break;
        if (!pwrPressCore(now < code))
            return false;
    }
    return c.iCroPwrDownHrs * 100 + c.iCroPwrDownMin == code;
}

bool CroSetup::pressPwrDown(int button)
{
    return run([=, this] {
        const CroState &c = cro();
        if (button >= 2)
            return pwrPressCore(button == 2);
        return pwrDownToCore(hourTarget(c.iCroPwrDownHrs, c.iCroPwrDownMin, button == 0));
    });
}

bool CroSetup::pwrDownTo(int code)
{
    return run([=, this] { return pwrDownToCore(code); });
}

bool CroSetup::stringSizeStepCore(bool up)
{
    CroState &c = cro();
    int v = 0;
    if (!stepEntry(link(), link().croTxn.menuPos, kStringSize, c.iCroMaxStr * 100 + c.iCroMaxSho, up, &v) || v <= 0) {
        link().croTxn.menuPos = 0;
        tell(changeFailure(QStringLiteral("String Size")));
        return false;
    }
    c.iCroMaxStr = qint16(v / 100);
    c.iCroMaxSho = qint16(v % 100);
    m_shown.maxStr = c.iCroMaxStr;
    m_shown.maxSho = c.iCroMaxSho;
    m_shown.shot = std::min(m_shown.shot, m_shown.maxSho);
    m_shown.str = std::min(m_shown.str, m_shown.maxStr);
    return true;
}

bool CroSetup::stepStringSize(int button)
{
    return run([=, this] { return stringSizeStepCore(button == 1 || button == 2); });
}

int CroSetup::stringSizeWalk(int code)
{
    const CroState &c = cro();
    // The chronograph offers a few sizes; walk toward the wanted one until it shows it,
    // steps past it or goes no further.
    for (int i = 0; i < 40 && !abortFlag; ++i) {
        const int now = c.iCroMaxStr * 100 + c.iCroMaxSho;
        if (now == code)
            return 1;
        const bool up = now < code;
        if (!stringSizeStepCore(up))
            return -1;
        const int next = c.iCroMaxStr * 100 + c.iCroMaxSho;
        if (next == now || (up ? next > code : next < code))
            return 0;
    }
    return c.iCroMaxStr * 100 + c.iCroMaxSho == code ? 1 : 0;
}

bool CroSetup::stringSizeToCore(int code)
{
    const int start = cro().iCroMaxStr * 100 + cro().iCroMaxSho;
    link().croTxn.menuPos = 0;
    const int r = stringSizeWalk(code);
    if (r == 0 && !abortFlag)
        stringSizeWalk(start);   // a size it does not offer: back to where it was
    return r == 1;
}

bool CroSetup::stringSizeTo(int code)
{
    return run([=, this] { return stringSizeToCore(code); });
}

bool CroSetup::movePosition(int button)
{
    if (button < 0 || button > 5)
        return true;   // the "Next:" row has no key
    return run([=, this] {
        static const char *const keys[] = {"D", "U", "R", "L", "O", "K"};
        static const char *const names[] = {"Shot", "String", "Folder"};
        LinkSession &l = link();
        int stage = 2;
        l.croTransact(false, QStringLiteral("D"), 1, 0);
        if (!l.croTxn.failed) {
            stage = 3;
            l.croTransact(true, QString::fromLatin1(keys[button]), 1, 0);
            if (!l.croTxn.failed) {
                stage = 4;
                if (readStatusCore(false))   // the full read, with its own failure message
                    stage = 0;
            }
        }
        if (stage != 0)
            tell(changeFailure(QLatin1Char('(') + QString::number(stage) + QLatin1Char(')')
                               + QString::fromLatin1(names[button / 2]) + QStringLiteral(" Position")));
        return stage == 0;
    });
}

// ---------------------------------------------------------------- closing

int CroSetup::firstDifference() const
{
    CroState &c = const_cast<CroSetup *>(this)->cro();
    const Shown &s = m_shown;
    const bool flags[] = {c.bCroSensorsOn, c.bCroArcheryOn, c.bCroRapidOn};
    const int checks[] = {int(c.bCroPwrDown), int(c.sCroTmpUnits == QLatin1String("cel"))};
    const bool diff[] = {
        (s.onOff[0] == 1) != flags[0], (s.onOff[1] == 1) != flags[1], (s.onOff[2] == 1) != flags[2],
        (s.velUnits == 1) != (c.sCroVelUnits == QLatin1String("m/s")),
        s.switches[PwrDownOn] != checks[0], s.switches[TempUnits] != checks[1],
        s.logs[0] != c.bCroLogJ, s.logs[1] != c.bCroLogK, s.logs[2] != c.bCroLogL,
        s.shot != c.iCroShotReview, s.str != c.iCroCurStr, s.fol != c.iCroCurFol,
        s.maxSho != c.iCroMaxSho, s.maxStr != c.iCroMaxStr,
        s.pwrMin != c.iCroPwrDownMin, s.pwrHrs != c.iCroPwrDownHrs, s.sensLevel != c.iCroSensLevel,
    };
    for (int i = 0; i < int(std::size(diff)); ++i)
        if (diff[i])
            return i;
    return -1;
}

void CroSetup::sendChanges()
{
    run([this] {
        const Shown want = m_shown;
        const CroState &c = cro();
        const bool flags[] = {c.bCroSensorsOn, c.bCroArcheryOn, c.bCroRapidOn};
        for (int i = 0; i < 3; ++i)
            if ((want.onOff[i] == 1) != flags[i])
                setOnOffCore(OnOff(i), want.onOff[i] == 1 ? 1 : 0);
        if ((want.velUnits == 1) != (c.sCroVelUnits == QLatin1String("m/s")))
            setVelUnitsCore(want.velUnits == 1 ? 1 : 0);
        // A grayed switch shows no wanted state.
        const int checks[] = {int(c.sCroTmpUnits == QLatin1String("cel")), int(c.bCroPwrDown)};
        for (Switch w : {PwrDownOn, TempUnits})
            if (want.switches[w] != Grayed && want.switches[w] != checks[w])
                setSwitchCore(w, want.switches[w] == Checked);
        const bool logs[] = {c.bCroLogJ, c.bCroLogK, c.bCroLogL};
        for (int i = 0; i < 3; ++i)
            if (want.logs[i] != logs[i])
                setSendLogCore(i, want.logs[i]);
        if (want.maxStr * 100 + want.maxSho != c.iCroMaxStr * 100 + c.iCroMaxSho)
            stringSizeToCore(want.maxStr * 100 + want.maxSho);
        if (want.pwrHrs * 100 + want.pwrMin != c.iCroPwrDownHrs * 100 + c.iCroPwrDownMin)
            pwrDownToCore(want.pwrHrs * 100 + want.pwrMin);
        if (want.sensLevel != c.iCroSensLevel)
            sensLevelToCore(want.sensLevel);
        // The position follows the chronograph's memory: read it back rather than move it.
        if (want.shot != c.iCroShotReview || want.str != c.iCroCurStr || want.fol != c.iCroCurFol)
            readStatusCore(false);
        return true;
    });
}

} // namespace zx
