#include "remote/remote_control.h"
#include "platform/crlf.h"

#include "cfile/logpad.h"
#include "link/cro_task.h"
#include "link/link_session.h"
#include "link/port_detect_text.h"
#include "platform/prompter.h"

#include <algorithm>

namespace zx {

namespace {
const QString kNoAnswer = QStringLiteral("\r\nChronograph did not respond.\r\nCheck your setup or connections.");
constexpr int kCycleTicks = 7200;   // one hour at 500 ms
} // namespace

const PanelKey RemoteControl::kUp{QStringLiteral("U"), true, QStringLiteral("Decrement"), QStringLiteral("Shot")};
const PanelKey RemoteControl::kDown{QStringLiteral("D"), true, QStringLiteral("Increment"), QStringLiteral("Shot")};
const PanelKey RemoteControl::kLeft{QStringLiteral("L"), true, QStringLiteral("Decrement"), QStringLiteral("String")};
const PanelKey RemoteControl::kRight{QStringLiteral("R"), true, QStringLiteral("Increment"), QStringLiteral("String")};
const std::array<PanelKey, 2> RemoteControl::kPgUpDw{{
    {QStringLiteral("K"), true, QStringLiteral("Decrement"), QStringLiteral("Folder")},
    {QStringLiteral("O"), true, QStringLiteral("Increment"), QStringLiteral("Folder")},
}};
// Temperatures and units are the chronograph's own commands, not keys.
const std::array<PanelKey, 2> RemoteControl::kType{{
    {QStringLiteral("T"), false, QStringLiteral("Change"), QStringLiteral("Data-Type")},
    {QStringLiteral("U"), false, QStringLiteral("Change"), QStringLiteral("Units")},
}};
const std::array<PanelKey, 3> RemoteControl::kDelete{{
    {QStringLiteral("^"), true, QStringLiteral("Delete"), QStringLiteral("Shot")},
    {QStringLiteral("_"), true, QStringLiteral("Delete"), QStringLiteral("String")},
    {QStringLiteral("A"), true, QStringLiteral("Delete"), QStringLiteral("Folder")},
}};
const std::array<PanelKey, 3> RemoteControl::kUnDelete{{
    {QStringLiteral("\\"), true, QStringLiteral("Undelete"), QStringLiteral("Shot")},
    {QStringLiteral("]"), true, QStringLiteral("Undelete"), QStringLiteral("String")},
    {QStringLiteral("B"), true, QStringLiteral("Undelete"), QStringLiteral("Folder")},
}};
const std::array<QString, 3> RemoteControl::kModeNames{{QStringLiteral("Data"), QStringLiteral("Stats"), QStringLiteral("Menu")}};

RemoteControl::RemoteControl(LinkSession &link, CroTask &task, Prompter &prompter, QObject *parent)
    : QObject(parent), m_link(link), m_task(task), m_prompter(prompter)
{
    tmrPCycle.setInterval(500);
    tmrPCycle.setObjectName(QStringLiteral("tmrPCycle"));
    connect(&tmrPCycle, &QTimer::timeout, this, &RemoteControl::cycleTick);
}

// ---------------------------------------------------------------- keys

void RemoteControl::deviceWarning()
{
    m_prompter.inform(QStringLiteral("The remote control keys do not work with") + kCrLf + QStringLiteral("     ")
                          + deviceName(m_link.cro.iCroDevice).trimmed() + kCrLf
                          + QStringLiteral("Select the RV5 in <Interface>/<Setup>."),
                      {}, MsgIcon::Exclamation);
}

void RemoteControl::linkWarning()
{
    m_prompter.inform(QStringLiteral("The Chronograph is not linked to the CFile.") + kCrLf
                          + QStringLiteral("Check ''CFile'' under Connect To, or click on <Start> or <Remote>,") + kCrLf
                          + QStringLiteral("then press the key again."),
                      {}, MsgIcon::Exclamation);
}

bool RemoteControl::deviceCheck()
{
    const int device = m_link.cro.iCroDevice;
    if (device == 1 || device == 2) {
        deviceWarning();
        return false;
    }
    return true;
}

bool RemoteControl::remoteCheck()
{
    if (!deviceCheck())
        return false;
    if (!expanded(m_page) && hooks.mainMinimized && hooks.mainMinimized() && hooks.restoreMain)
        hooks.restoreMain();
    if (!m_link.bRxTo[1])
        linkWarning();
    return m_link.bRxTo[1];
}

bool RemoteControl::transact(const PanelKey &key)
{
    // The chronograph erases or restores a shot or a string before it answers: those four keys
    // wait up to 1900 ms of silence instead of the usual 250.
    const bool erasing = key.asKey && key.letter.size() == 1 && QStringLiteral("^_\\]").contains(key.letter);
    m_link.croTransact(key.asKey, key.letter, 0, erasing ? kEraseSilenceMs : 0);
    return !m_link.croTxn.failed;
}

void RemoteControl::reportResult(const QString &action, const QString &item)
{
    if (!m_link.croTxn.failed)
        return;
    QString text = QStringLiteral("Failed to ") + action + QLatin1Char(' ') + item + kNoAnswer;
    if (reportMode == 1)
        text += kCrLf + QStringLiteral("cLinkErr = ") + QString::number(m_link.croTxn.result);
    m_prompter.inform(text, {}, MsgIcon::Exclamation);
}

void RemoteControl::keyPress(const PanelKey &key)
{
    if (!remoteCheck())
        return;
    {
        CroTaskScope guard(m_task);
        if (guard.refused())
            return;
        transact(key);
        reportResult(key.action, key.item);
    }
    if (hooks.refresh)
        hooks.refresh();
}

bool RemoteControl::sendKey(const PanelKey &key)
{
    if (!deviceCheck())
        return false;
    {
        CroTaskScope guard(m_task);
        if (guard.refused())
            return false;
        transact(key);
    }
    if (hooks.refresh)
        hooks.refresh();
    return true;
}

void RemoteControl::keyEsc()
{
    // Esc only leaves what the chronograph shows: it needs no CFile link.
    if (!deviceCheck())
        return;
    CroTaskScope guard(m_task);
    if (!guard.refused())
        m_link.croSendKey(27, 0);
}

void RemoteControl::memoryKey(bool undelete, int index)
{
    if (index >= 0 && index < 3)
        keyPress(undelete ? kUnDelete.at(size_t(index)) : kDelete.at(size_t(index)));
}

void RemoteControl::keyStart()
{
    if (hooks.startShoot)
        hooks.startShoot();
}

void RemoteControl::keyStop()
{
    if (hooks.stopShoot)
        hooks.stopShoot();
}

void RemoteControl::keyCalibrate()
{
    if (hooks.calibrate)
        hooks.calibrate();
}

void RemoteControl::croMode(int index)
{
    if (index < 0 || index > 2 || !remoteCheck())
        return;
    {
        CroTaskScope guard(m_task);
        if (guard.refused())
            return;
        static const char letters[] = "DSM";
        if (!transact({QString(QLatin1Char(letters[index])), false, {}, {}})) {
            m_prompter.inform(QStringLiteral("Failed to ") + kModeNames.at(size_t(index)) + QStringLiteral(" Mode..!")
                                  + kNoAnswer,
                              {}, MsgIcon::Exclamation);
        } else {
            m_mode = index;
            Q_EMIT modeChanged(index);
        }
    }
    if (hooks.refresh)
        hooks.refresh();
}

// ---------------------------------------------------------------- command lists

void RemoteControl::loadCommands(const QString &path)
{
    commands = readCommandFile(path);
    if (commands.errorCode != 0)
        m_prompter.inform(commands.errorText(path), {}, MsgIcon::Exclamation);
}

void RemoteControl::listClick(int code)
{
    const bool minimized = hooks.mainMinimized && hooks.mainMinimized();
    if (!m_link.MSComm1.portOpen()) {
        // The CFile link cannot stay on a closed port (an unknown chronograph found at start-up
        // leaves it closed): the link warning would come back at every click. Say why instead.
        if (minimized && hooks.restoreMain)
            hooks.restoreMain();
        m_link.croSendKey(code, 0);
        return;
    }
    if (!minimized && m_link.bRxTo[1]) {
        CroTaskScope guard(m_task);
        if (guard.refused())
            return;
        m_link.croSendKey(code, 0);
        const QString shown = code < 32 ? QStringLiteral("Ctrl-") + QChar(code + 64) : QString(QChar(code));
        m_line = QStringLiteral("Key: ") + shown + QStringLiteral("  (") + QString::number(code) + QLatin1Char(')');
        Q_EMIT messageChanged(m_line);
        return;
    }
    linkWarning();
    if (minimized && hooks.restoreMain)
        hooks.restoreMain();
    setLink(1, true);
}

// ---------------------------------------------------------------- links

QString RemoteControl::linkName(int index)
{
    switch (index) {
    case 0: return QStringLiteral("iLoger");
    case 1: return QStringLiteral("CFile");
    default: return QStringLiteral("Excel");
    }
}

bool RemoteControl::linked(int index) const
{
    // The Excel box shows the live link as it is (the Chrono > Excel menu switches it too).
    if (index == 2 && hooks.excelLinked)
        return hooks.excelLinked();
    return m_link.bRxTo.at(size_t(index));
}

bool RemoteControl::setLink(int index, bool on)
{
    if (index < 0 || index > 2)
        return false;
    bool &flag = m_link.bRxTo.at(size_t(index));
    if (!on && flag && m_link.cro.bCroSensorsOn) {
        const QString name = linkName(index);
        const MsgAnswer a = m_prompter.ask(
            name + QStringLiteral(" can not be Unlinked while Chronograph") + kCrLf
                + QStringLiteral("sensors are still on, this may cause loss of data.") + kCrLf
                + QStringLiteral("You must first turn sensors off - click on <Stop>.") + kCrLf
                + QStringLiteral("Do you want to Unlink ") + name + QStringLiteral(" anyway.?"),
            MsgButtons::YesNo, 2);
        if (a != MsgAnswer::Yes) {
            Q_EMIT linksChanged();
            return flag;
        }
    }
    const bool changed = flag != on;
    flag = on;
    if (index == 2 && changed && hooks.excelLink) {
        hooks.excelLink(on);
        if (hooks.excelLinked)   // the link may have refused or been cancelled
            flag = hooks.excelLinked();
    }
    if (hooks.refresh)
        hooks.refresh();
    Q_EMIT linksChanged();
    return flag;
}

bool RemoteControl::connectionCheck(Need need)
{
    QString problem, hint;
    switch (need) {
    case Need::CFile:
        if (m_link.bRxTo[1])
            return true;
        problem = QStringLiteral("''CFile'' Connection must be Enabled and Visible.");
        hint = QStringLiteral("Click on Connect To ''CFile'' check mark.");
        break;
    case Need::Buffer:
        if (m_link.bRxTo[0])
            return true;
        problem = QStringLiteral("At least ''Buffer'' Connection must be Enabled and Visible.");
        hint = QStringLiteral("Click on Connect To ''Buffer'' check mark.");
        break;
    case Need::Progress:
        if (m_progressVisible)
            return true;
        problem = QStringLiteral("At least ''Progress'' must be visible.");
        hint = QStringLiteral("Click on the Yellow Arrow ''--->''.");
        break;
    }
    const MsgAnswer a = m_prompter.ask(QStringLiteral("This remote control key is disabled!") + kCrLf + problem + kCrLf
                                           + hint + kCrLf + QStringLiteral("May I do this for you ?"),
                                       MsgButtons::YesNo, 2);
    if (a != MsgAnswer::Yes)
        return false;
    switch (need) {
    case Need::CFile: return setLink(1, true);
    case Need::Buffer: return setLink(0, true);
    case Need::Progress: setProgressVisible(true); return true;
    }
    return false;
}

// ---------------------------------------------------------------- pages

QString RemoteControl::pageTitle(int page)
{
    switch (page) {
    case System: return QStringLiteral("System");
    case Macros: return QStringLiteral("Macros");
    case Hardware: return QStringLiteral("RV5 Remote Control");
    case Download: return QStringLiteral("Download");
    case Export: return QStringLiteral("Export to Excel");
    default: return {};
    }
}

void RemoteControl::setPage(int page)
{
    if (page < 0 || page >= kPages)
        return;
    m_page = page;
    Q_EMIT pageChanged(page);
}

void RemoteControl::cmdUserLev(int index)
{
    int &level = m_level.at(size_t(m_page));
    level = index == 0 ? std::min(level + 1, maxUserLevel(m_page)) : std::max(level - 1, 0);
    Q_EMIT levelChanged(m_page, level);
}

// ---------------------------------------------------------------- message line and progress

void RemoteControl::panelMessage(const QString &text)
{
    if (!text.isEmpty()) {
        // A report of several lines shows its first one on the line.
        const QStringList lines = QString(text).replace(kCrLf, QStringLiteral("\n")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        m_line = lines.isEmpty() ? text : lines.first();
        Q_EMIT messageChanged(m_line);
    }
    m_link.remPrgrs.trimIfOver();
    m_link.remPrgrs.append(QString(text + kCrLf));
    if (m_link.hooks.remoteProgressChanged)
        m_link.hooks.remoteProgressChanged();
}

void RemoteControl::clearProgress()
{
    if (m_link.bShowWarn && m_prompter.ask(QStringLiteral("Clear Progress Log..?"), MsgButtons::YesNo, 2) != MsgAnswer::Yes)
        return;
    m_link.remPrgrs.setText(QStringLiteral("New Progress Log...") + kCrLf + LogPad::commLogLine(7));
    if (m_link.hooks.remoteProgressChanged)
        m_link.hooks.remoteProgressChanged();
}

void RemoteControl::setProgressVisible(bool on)
{
    m_progressVisible = on;
    Q_EMIT progressVisibleChanged(on);
}

void RemoteControl::setEcho(bool on) { m_link.bRemPrgrsView = on; }

bool RemoteControl::echo() const { return m_link.bRemPrgrsView; }

QString RemoteControl::defaultLogFile(int appNumber)
{
    return QStringLiteral("zentlogs") + QString::number(appNumber) + QStringLiteral(".txt");
}

void RemoteControl::cycleTick()
{
    pCycleExpired = true;
    if (--cycleCount <= 0) {
        cycleFlag = true;
        cycleCount = kCycleTicks;
    }
    progressAnimation = m_task.busy();
    if (!progressAnimation) {
        Q_EMIT progressStepped(-1);
        return;
    }
    ++progressStep;
    if (hooks.progressStep)
        hooks.progressStep();
    Q_EMIT progressStepped(progressStep);
}

} // namespace zx
