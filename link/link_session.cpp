// The link port of frmTerminal: open, close, drain, settings, twin instances, terminal reset.
#include "link/link_session.h"
#include "platform/crlf.h"

#include "link/link_settings_keys.h"
#include "link/logpad_sink.h"
#include "platform/port_map.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace zx {
namespace {

QString &bannerMarkerRef()
{
    // The maker's web-domain text printed in the chronograph's sign-on banner (docs/protocol.md);
    // ZENTRIX_BANNER_MARKER replaces it for chronographs that print another.
    static QString marker = [] {
        const QByteArray env = qgetenv("ZENTRIX_BANNER_MARKER");
        return env.isEmpty() ? QStringLiteral("rv5vantor.example") : QString::fromLocal8Bit(env);
    }();
    return marker;
}

const QString kProduct = QStringLiteral("Zentrix");

} // namespace

QString LinkSession::bannerMarker() { return bannerMarkerRef(); }
void LinkSession::setBannerMarker(const QString &marker) { bannerMarkerRef() = marker; }

LinkSession::LinkSession(Prompter *prompter, SettingsStore *store, const QString &appName, int appNumber,
                         LogPadSink *logPad, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_store(store), m_appName(appName), m_appNumber(appNumber),
      m_logPad(logPad)
{
    // States at load: see the timer table of the link.
    tmrCrxShrt.setExpired(false);
    tmrCrxLng.setExpired(true);
    tmrCrxHed.setExpired(false);
    tmrGPeriod.setPeriodic(true);
    tmrGPeriod.setExpired(false);
    connect(&tmrGPeriod, &OneShotTimer::tick, this, &LinkSession::periodTick);
    tmrCom2Sho.setExpired(false);
    tmrCom2Sho.setEnabled(true);
    tmrCom2Lng.setExpired(true);
    tmrCom2Lng.setEnabled(true);
    tmrExcEnd.setExpired(true);
    tmrExcRtc.setPeriodic(true);
    connect(&tmrExcRtc, &OneShotTimer::tick, this, &LinkSession::excDrain);

    MSComm2.setSettings(QString::fromLatin1(kDefaultSettings));
    connect(&MSComm1, &SerialPort::onComm, this, &LinkSession::linkPortEvent);
    connect(&MSComm2, &SerialPort::onComm, this, &LinkSession::probePortEvent);
    m_reconnectPoll.setInterval(kReconnectPollMs);
    connect(&m_reconnectPoll, &QTimer::timeout, this, &LinkSession::reconnectPoll);
    clkStart = clkNow = QDateTime::currentDateTime();
}

LinkSession::~LinkSession() = default;

void LinkSession::pump(bool block)
{
    QCoreApplication::processEvents(block ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void LinkSession::logPad(const QString &text, int nBefore, int nAfter, int kind)
{
    if (m_logPad)
        m_logPad->logPadWrite(text, nBefore, nAfter, kind);
}

void LinkSession::probeMsg(const QString &text)
{
    if (hooks.probeMessage)
        hooks.probeMessage(text);
}

void LinkSession::subOpenPort()
{
    iPortNum = qint16(MSComm1.commPort());
    bPortOpen = MSComm1.portOpen();
    if (bPortOpen)
        return;
    MSComm1.clearError();
    const int err = MSComm1.setPortOpen(true);
    if (err != 0) {
        const int twin = findTwin();
        if (twin == -1) {
            seeComErr(err);
        } else if (bShowWarn && m_prompter) {
            const QString n = QString::number(iPortNum);
            MsgRequest r;
            r.text = QStringLiteral("These warning messages can be turned off from iNotes menu.   ") + kCrLf
                     + QStringLiteral("Click on <View>/<iNotes>..[Option] and clear [System Warnings].") + kCrLf
                     + kCrLf + QStringLiteral("This is a message from ''") + m_appName + QStringLiteral("'' ...!")
                     + kCrLf + kCrLf + QStringLiteral("Port COM") + n
                     + QStringLiteral(" is already used by my twin ''Zentrix") + QString::number(twin)
                     + QStringLiteral("'' for Chrono-") + n + QStringLiteral(",") + kCrLf
                     + QStringLiteral("Please find another COM port. Use <Interface>/<Setup> menu  ") + kCrLf
                     + QStringLiteral("to locate another Chrono - If there is one.");
            r.icon = MsgIcon::Exclamation;
            r.foreground = true;
            m_prompter->show(r);
        }
        bPortOpen = false;
        if (hooks.sendTextEnabled)
            hooks.sendTextEnabled(false);
        return;
    }
    forgetLinkLost();
    portOpened();
}

void LinkSession::portOpened()
{
    bPortOpen = true;
    iPortNum = qint16(MSComm1.commPort());
    if (MSComm1.usesPortMap())
        PortMap::keepBinding(iPortNum, MSComm1.openedPath());
    if (hooks.sendTextEnabled)
        hooks.sendTextEnabled(MSComm1.portOpen());
    if (hooks.settingsPanel)
        hooks.settingsPanel(QStringLiteral("Set: ") + MSComm1.settings());
    if (m_store)
        m_store->write(m_appName, QStringLiteral("Morvane"), QStringLiteral("AppPrt"), QString::number(iPortNum));
    if (hooks.refreshMain)
        hooks.refreshMain();
    startConnClock();
}

int LinkSession::findTwin() const
{
    if (!m_store)
        return -1;
    const int port = MSComm1.commPort();
    for (int i = 0; i <= 3; ++i) {
        if (i == m_appNumber)
            continue;
        const QString name = kProduct + QString::number(i);
        if (m_store->read(name, QStringLiteral("Morvane"), QStringLiteral("AppRun"), QString()) == name
            && SettingsStore::toInt(m_store->read(name, QStringLiteral("Morvane"), QStringLiteral("AppPrt"),
                                                  QStringLiteral("0")),
                                    0) == port)
            return i;
    }
    return -1;
}

void LinkSession::subClosePort()
{
    forgetLinkLost();   // closed on purpose: a lost device is no longer waited for
    iPortNum = qint16(MSComm1.commPort());
    MSComm1.clearError();
    const int err = MSComm1.setPortOpen(false);
    if (err != 0 && m_prompter)
        m_prompter->inform(SerialPort::errorText(err));
    if (hooks.sendTextEnabled)
        hooks.sendTextEnabled(MSComm1.portOpen());
    bPortOpen = MSComm1.portOpen();
    if (hooks.settingsPanel)
        hooks.settingsPanel(QStringLiteral("Set: ") + MSComm1.settings());
    stopConnClock();
    if (hooks.refreshMain)
        hooks.refreshMain();
}

void LinkSession::modExitPort(bool &aborted)
{
    if (MSComm1.portOpen()) {
        // A slow tick keeps the wait awake when the device accepts nothing (no event would come).
        QTimer wake;
        wake.start(200);
        QElapsedTimer clock;
        clock.start();
        qint64 deadline = ((clock.elapsed() + 10000 + 500) / 1000) * 1000;
        while (MSComm1.portOpen() && MSComm1.outBufferCount() > 0) {
            pump();
            if (clock.elapsed() <= deadline)
                continue;
            const MsgAnswer a = m_prompter
                ? m_prompter->ask(QStringLiteral("Unable to send Data..."), MsgButtons::AbortRetryIgnore, 3)
                : MsgAnswer::Ignore;
            if (a == MsgAnswer::Abort) {
                aborted = true;
                return;
            }
            if (a == MsgAnswer::Retry) {
                deadline = clock.elapsed() + 10000;
                continue;
            }
            break;
        }
    }
    MSComm1.setPortOpen(false);
    if (iLogFile != 0) {
        if (hooks.closeLog)
            hooks.closeLog();
        iLogFile = 0;
        bLogRun = false;
    }
}

void LinkSession::extTerminal()
{
    bool aborted = false;
    modExitPort(aborted);
    if (MSComm1.portOpen())
        subClosePort();
    if (iLogFile != 0) {
        if (hooks.closeLog)
            hooks.closeLog();
        iLogFile = 0;
        bLogRun = false;
    }
}

void LinkSession::lodTerminal()
{
    termInit();
    QString settings = QString::fromLatin1(kDefaultSettings);
    int port = 1, hand = 0;
    if (m_store) {
        settings = m_store->read(m_appName, QString::fromLatin1(keys::frmComSet::Settings.section),
                                 QString::fromLatin1(keys::frmComSet::Settings.key), settings);
        port = SettingsStore::toInt(m_store->read(m_appName, QString::fromLatin1(keys::frmComSet::CommPort.section),
                                                  QString::fromLatin1(keys::frmComSet::CommPort.key),
                                                  QStringLiteral("1")),
                                    1);
        hand = SettingsStore::toInt(m_store->read(m_appName,
                                                  QString::fromLatin1(keys::frmComSet::Handshaking.section),
                                                  QString::fromLatin1(keys::frmComSet::Handshaking.key),
                                                  QStringLiteral("0")),
                                    0);
    }
    // A stored value the port refuses leaves the port's current (default) value.
    MSComm1.setSettings(settings);
    MSComm1.setCommPort(port);
    MSComm1.setHandshaking(hand);
    MSComm1.clearError();
    if (m_store)
        bAutoReconnect = m_store->readBool(m_appName, keys::frmComSet::AutoReconnect);
}

void LinkSession::setPrtDef()
{
    MSComm1.setSettings(QString::fromLatin1(kDefaultSettings));
    MSComm1.setHandshaking(0);
}

QString LinkSession::portLabel() const
{
    return m_portLabel.isEmpty() ? QStringLiteral("COM") + QString::number(MSComm1.commPort()) : m_portLabel;
}

void LinkSession::savPrtDef()
{
    if (!m_store)
        return;
    m_store->write(m_appName, QString::fromLatin1(keys::frmComSet::Settings.section),
                   QString::fromLatin1(keys::frmComSet::Settings.key), MSComm1.settings());
    m_store->write(m_appName, QString::fromLatin1(keys::frmComSet::CommPort.section),
                   QString::fromLatin1(keys::frmComSet::CommPort.key), QString::number(MSComm1.commPort()));
    m_store->write(m_appName, QString::fromLatin1(keys::frmComSet::Handshaking.section),
                   QString::fromLatin1(keys::frmComSet::Handshaking.key), QString::number(MSComm1.handshaking()));
}

void LinkSession::seeComErr(int errNo)
{
    QString reason;
    if (errNo == SerialPort::ErrNoSuchPort)
        reason = QStringLiteral("does not exist.");
    else if (errNo == SerialPort::ErrInUse)
        reason = QStringLiteral("is already in use.");
    else
        reason = QStringLiteral("unknown error.");
    if (!m_prompter)
        return;
    MsgRequest r;
    r.text = QStringLiteral("Port ") + portLabel() + QStringLiteral(" ") + reason + kCrLf
             + QStringLiteral("Try another port number...");
    r.icon = MsgIcon::Exclamation;
    r.foreground = true;
    m_prompter->show(r);
}

void LinkSession::termInit()
{
    clkStart = clkNow = QDateTime::currentDateTime();
    clkElapsedMs = 0;
    iLogFile = 0;
    bLogRun = false;
    iRxLine = iRxLineCnt = iRxLineWrap = 0;
    for (int i = 0; i < kRxSlots - 1; ++i)   // slot 100 is emptied when the ring reaches it
        sRxLine[size_t(i)].clear();
    counters = TermCounters{};
    bPortOpen = false;
    iPortNum = 0;
}

void LinkSession::startConnClock()
{
    clkStart = clkNow = QDateTime::currentDateTime();
    clkElapsedMs = 0;
    if (hooks.connClock)
        hooks.connClock(true);
}

void LinkSession::stopConnClock()
{
    clkNow = QDateTime::currentDateTime();
    clkElapsedMs = clkStart.msecsTo(clkNow);
    if (hooks.connClock)
        hooks.connClock(false);
}

void LinkSession::croSendKey(int code, int mode)
{
    if (mode == 1)
        code &= 191;
    croTxn.menuPos = 0;
    if (MSComm1.portOpen()) {
        MSComm1.clearError();
        MSComm1.output(QByteArray(1, char(code & 0xFF)));
        return;
    }
    if (m_prompter)
        m_prompter->inform(QStringLiteral("Port ") + portLabel()
                           + QStringLiteral(" is not opened !") + kCrLf + QStringLiteral("Please check port settings."));
}

} // namespace zx
