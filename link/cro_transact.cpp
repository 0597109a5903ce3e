// Command transactions on the link port: send one character, wait (pumping events) for an
// expected ending or a time-out, then disarm and start the guard time.
#include "link/cro_endings.h"
#include "link/link_session.h"
#include "link/status_parser.h"
#include "platform/prompter.h"

#include <QElapsedTimer>

#include <algorithm>

namespace zx {

namespace {
constexpr int kGuardWaitMaxMs = 2000;   // the default long interval of a transaction
}

CroClass LinkSession::classify(bool isKey, const QString &request)
{
    if (isKey) {
        const QChar k = request.isEmpty() ? QChar() : request.at(0);
        if (k == QLatin1Char('M'))
            return CroClass::Enter;
        if (QStringLiteral("UDLROK").contains(k) && !k.isNull())
            return CroClass::Move;
        if (QStringLiteral("^\\_]AB").contains(k) && !k.isNull())
            return CroClass::Delete;
        return CroClass::Escape;   // "[" and every other key
    }
    if (request == QLatin1String("1") || request == QLatin1String("2"))
        return CroClass::MemoryA;
    if (request == QLatin1String("3"))
        return CroClass::MemoryB;
    if (request.size() == 1) {
        const QChar c = request.at(0);
        if (QStringLiteral("DSTU").contains(c))
            return CroClass::DataStats;
        if (c == QLatin1Char('Q'))
            return CroClass::SignOn;
        if (c == QLatin1Char('Z'))
            return CroClass::Status;
        if (c == QLatin1Char('M'))
            return CroClass::Menu;
        if (QStringLiteral("AFWJKL").contains(c))
            return CroClass::Prompt;
        if (c == QLatin1Char('P') || c == QLatin1Char('9'))
            return CroClass::PowerOff;
        if (c == QLatin1Char('C'))
            return CroClass::Calibrate;
    }
    return CroClass::Escape;
}

void LinkSession::crxArm(int shortMs, int longMs)
{
    sCroRsp.clear();
    bCroRspOn = true;
    tmrCrxShrt.arm(shortMs);
    tmrCrxLng.arm(longMs);
}

void LinkSession::crxArmHed(int ms, const QString &mark)
{
    sCroHedMark = mark;
    tmrCrxHed.arm(ms);
}

void LinkSession::crxDisarm()
{
    bCroRspOn = false;
    tmrCrxShrt.disarm();
    tmrCrxLng.disarm();
}

void LinkSession::crxGuard(int ms) { tmrCrxShrt.arm(ms); }

void LinkSession::periodArm()
{
    tmrGPeriod.stop();
    tmrGPeriod.setExpired(false);
    tmrGPeriod.setInterval(250);
    iCroTicks = qint16(4 * croTxn.periodSecs);
    tmrGPeriod.setEnabled(true);
}

void LinkSession::periodTick()
{
    --iCroTicks;
    if (iCroTicks <= 0) {
        iCroTicks = 0;
        tmrGPeriod.disarm();
    }
}

void LinkSession::waitTimer(OneShotTimer &t)
{
    // Received text restarts the guard; a device that never falls silent (noise at a wrong
    // speed) ends the wait after the long interval instead of holding the program.
    QElapsedTimer waited;
    waited.start();
    while (t.isEnabled() && !t.expired() && waited.elapsed() < kGuardWaitMaxMs)
        pump();
}

void LinkSession::croTransact(bool isKey, const QString &request, int expect, int shortMs)
{
    // 1.-3. Defaults, caller's values, class.
    croTxn.busy = true;
    sCroRsp.clear();
    int shrt = 250, lng = 2000;
    croTxn.periodSecs = 60;
    int expPrompt = 0, expMenu = 0;
    croTxn.cmdChar = request.left(1);
    if (shortMs > 0)
        shrt = shortMs;
    if (expect >= 10)
        expMenu = expect - 10;
    else
        expPrompt = expect;
    const CroClass cls = classify(isKey, request);
    QByteArray out = isKey ? QByteArray(1, char(quint8(SerialPort::charToByte(request.isEmpty() ? QChar() : request.at(0))) & 0xBF))
                           : SerialPort::textToBytes(request);
    bool header = false, period = false;
    switch (cls) {
    case CroClass::MemoryA:
        header = true;
        if (request == QLatin1String("1"))
            lng = 4000;
        else
            period = true;
        break;
    case CroClass::MemoryB:
        header = true;
        shrt = 250;
        croTxn.periodSecs = 90;
        period = true;
        break;
    case CroClass::Calibrate:
        shrt = 5000;
        croTxn.periodSecs = 90;
        period = true;
        croTxn.calibrating = true;
        break;
    default:
        break;
    }

    // 4. The guard time of the previous transaction.
    waitTimer(tmrCrxShrt);

    // 5.-6. Arm, send.
    crxArm(shrt, lng);
    if (header)
        crxArmHed(500, QStringLiteral("MMR:"));
    if (period)
        periodArm();
    MSComm1.clearError();
    MSComm1.output(out);   // a closed port is not an error here: the wait ends by time-out
    int result = 0;
    CroEndings endings(cls);
    croTxn.prompt = 0;
    croTxn.menu = 0;

    // 7. Wait loop.
    bool again = false;
    int lastLooks = 0;
    for (;;) {
        if (!sCroRsp.isEmpty() && sCroRsp.back() != QLatin1Char(' ')) {
            result = endings.test(sCroRsp, croTxn, cro, again);
            if (result > 0)
                break;
        }
        const bool timedOut = tmrCrxShrt.expired() || (period ? tmrGPeriod.expired() : tmrCrxLng.expired())
                              || (header && tmrCrxHed.expired());
        if (timedOut && lastLooks < kLastLooks) {
            // After a stall of a busy PC a time-out and the answer come due together: take
            // what is already waiting before calling it silence.
            ++lastLooks;
            pump(false);
            continue;
        }
        if (tmrCrxShrt.expired()) {
            result = kCroSilence;
            break;
        }
        if (period ? tmrGPeriod.expired() : tmrCrxLng.expired()) {
            result = period ? kCroPeriod : kCroOverall;
            break;
        }
        if (header && tmrCrxHed.expired()) {
            result = kCroHeader;
            break;
        }
        if (bLinkLost) {   // the device is gone: nothing will answer
            result = kCroSilence;
            break;
        }
        pump(!again);
        again = false;
    }

    // 8.
    cro.bCroLinkOk = result < 100;

    // 9. Let the rest of a late answer pass before anything else is sent. A chronograph that
    // never falls silent cannot hold the program: the wait ends after the long interval.
    if (result > 9 && !bLinkLost && !tmrCrxShrt.expired()) {
        tmrCrxLng.arm(std::max(lng, 2 * shrt));
        while (!tmrCrxShrt.expired() && !tmrCrxLng.expired() && tmrCrxShrt.isEnabled())
            pump();
    }

    // 10.
    if (sCroRsp.contains(QLatin1String("CAP=OFF")))
        cro.bCroSensorsOn = false;

    // 11. Disarm, then the 50 ms guard on the silence timer.
    crxDisarm();
    tmrCrxHed.disarm();
    tmrGPeriod.stop();
    crxGuard(50);

    // 12.-13.
    croTxn.result = qint16(result);
    croTxn.failed = result > 9;
    if (expect > 0 && (croTxn.prompt != expPrompt || croTxn.menu != expMenu))
        croTxn.failed = true;
    // The known menu position holds only while every answer still shows that entry: an
    // answer at a prompt, at another entry, or none at all makes the next step navigate afresh.
    if (croTxn.menuPos != 0 && (croTxn.failed || !menuShows(croTxn.menuPos)))
        croTxn.menuPos = 0;
    croTxn.calibrating = false;
    croTxn.busy = false;
}

bool LinkSession::croReopenPort()
{
    MSComm1.clearError();
    int err = 0;
    if (MSComm1.portOpen())
        err = MSComm1.setPortOpen(false);
    const int err2 = MSComm1.setPortOpen(true);
    if (MSComm1.portOpen())
        forgetLinkLost();
    return err == 0 && err2 == 0;
}

bool LinkSession::croConnect()
{
    croTxn.connAbort = false;
    bool ok = false;
    if (croReopenPort()) {
        for (int tr = 1;; ++tr) {
            if (tr > 10) {
                logPad(QStringLiteral("...Giving up!"), 0, 1, 0);
                break;
            }
            if (croTxn.connAbort) {
                logPad(QStringLiteral("...Aborted by the user..!"), 0, 1, 0);
                break;
            }
            croTransact(true, QStringLiteral("["), 0, (tr - 1) * 150 + 200);
            if (!croTxn.failed) {
                if (tr > 1)
                    savPrtDef();
                ok = true;
                break;
            }
            if (tr == 1) {
                logPad(QStringLiteral("No Responce from Chrono..."), 1, 1, 1);
                logPad(QStringLiteral("Retry...1"), 0, 0, 1);
            } else {
                logPad(QStringLiteral("...") + QString::number(tr), 0, 0, 0);
            }
            setPrtDef();
        }
    }
    croTxn.connAbort = false;
    return ok;
}

int LinkSession::croProbe()
{
    cro.bCroStatusOk = false;
    int r = kCroSilence;
    for (int i = 0; i <= 9; ++i) {
        r = com2Transact(QStringLiteral("Z"), 100 + 50 * i);
        if (r < 10)
            break;
        if (i == 0)
            probeMsg(QStringLiteral("Retry..."));
        probeMsg(QString::number(i + 1) + QStringLiteral(".."));
    }
    int result = 1;
    if (r >= 10) {
        probeMsg(QStringLiteral("Giving up.!"));
    } else {
        int rq = kCroSilence;
        const int rd = com2Transact(QStringLiteral("D"), 200);
        if (rd < 10)
            rq = com2Transact(QStringLiteral("Q"), 200);
        if (rd < 10 && rq < 10) {
            result = 2;
            if (sCom2Rsp.contains(bannerMarker())) {
                parseStatusAnswer(sCom2Rsp);
                if (cro.bCroStatusOk)
                    result = 0;
            }
        }
    }
    com2Close();
    return result;
}

void LinkSession::parseStatusAnswer(const QString &text) { parseStatus(cro, text); }

void LinkSession::croUserAbort()
{
    if (croTxn.calibrating) {
        croTxn.calAborted = true;
        croSendKey(int('D'), 1);
        if (hooks.remoteMessage)
            hooks.remoteMessage(QStringLiteral("Operation aborted by the user..!"));
    } else if (!croTxn.abortable) {
        if (m_prompter)
            m_prompter->inform(QStringLiteral("This operation can not be aborted..!"));
    } else {
        croTxn.abortReq = true;
    }
}

} // namespace zx
