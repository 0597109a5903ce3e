// The probe port MSComm2: a short-lived second port for testing and scanning COM ports,
// with its own response buffer, timers and receive path.
#include "link/link_session.h"

#include "link/logpad_sink.h"

#include <QElapsedTimer>

#include <algorithm>

namespace zx {
namespace {
constexpr int kCom2RspCap = 16384;   // sCom2Rsp keeps its last 16 K characters
constexpr int kCom2GuardMaxMs = 1000; // the long interval of a probe transaction
}

void LinkSession::getPrtState()
{
    bPrt1Was = MSComm1.portOpen();
    iPrt1Was = qint16(MSComm1.commPort());
    bPrt2Was = MSComm2.portOpen();
    iPrt2Was = qint16(MSComm2.commPort());
}

int LinkSession::com2Open(int port)
{
    // Errors are collected, not raised: the last one is the answer.
    int err = 0;
    auto collect = [&err](int e) {
        if (e != 0)
            err = e;
    };
    if (MSComm1.commPort() == port && MSComm1.portOpen())
        collect(MSComm1.setPortOpen(false));
    if (MSComm2.portOpen() && MSComm2.commPort() != port)
        collect(MSComm2.setPortOpen(false));
    collect(MSComm2.setCommPort(port));
    collect(MSComm2.setSettings(QString::fromLatin1(kDefaultSettings)));
    collect(MSComm2.setHandshaking(0));
    if (!MSComm2.portOpen())
        collect(MSComm2.setPortOpen(true));
    iPrt2Err = qint16(err);
    iPrt2Was = qint16(MSComm2.commPort());
    bPrt2Was = MSComm2.portOpen();
    return err;
}

void LinkSession::com2Close()
{
    if (MSComm2.portOpen())
        MSComm2.setPortOpen(false);
    bPrt2Was = MSComm2.portOpen();
    if (bPrt1Was && !MSComm1.portOpen())
        MSComm1.setPortOpen(true);
    bPrt1Was = MSComm1.portOpen();
}

void LinkSession::com2Arm(int shortMs, int longMs)
{
    sCom2Rsp.clear();
    iCom2Lfs = 0;
    iCom2Len = 0;
    bCom2Busy = true;
    tmrCom2Sho.arm(shortMs);
    tmrCom2Lng.arm(longMs);
}

void LinkSession::com2Disarm()
{
    tmrCom2Sho.disarm();
    tmrCom2Lng.disarm();
    bCom2Busy = false;
}

void LinkSession::com2Guard(int ms) { tmrCom2Sho.arm(ms); }

int LinkSession::com2Transact(const QString &cmd, int shortMs)
{
    // The guard time of the previous probe transaction. Every received chunk restarts it,
    // so a line that never falls silent (a chronograph in rapid fire sending shots) would
    // hold it forever: the wait ends after the long interval at the latest.
    QElapsedTimer guardWait;
    guardWait.start();
    while (tmrCom2Sho.isEnabled() && !tmrCom2Sho.expired() && guardWait.elapsed() < kCom2GuardMaxMs)
        pump();
    int result = 0;
    com2Arm(shortMs, 1000);
    MSComm2.output(cmd);
    int state = 0;
    int lastLooks = 0;
    bool again = false;   // something changed in the last pass: look again before blocking
    while (result == 0) {
        pump(!again);
        again = false;
        if (state == 0) {
            if (!sCom2Rsp.contains(QLatin1String("Sens=OFF")) || !sCom2Rsp.contains(QLatin1String("CAP=OFF"))) {
                state = 1;   // the prompts are looked for from the next pass on
                again = true;
            }
        } else {
            if (sCom2Rsp.contains(QLatin1String("\rDAT>")))
                result = 1;
            else if (sCom2Rsp.contains(QLatin1String("\rSTS>")))
                result = 2;
            else if (sCom2Rsp.contains(QLatin1String("\rMEN><DAT> 00?")))
                result = 3;
            else if (sCom2Rsp.contains(QLatin1String("\rMEN><STS> 00?")))
                result = 4;
        }
        if (result == 0 && (tmrCom2Sho.expired() || tmrCom2Lng.expired())) {
            if (lastLooks < kLastLooks) {   // an answer already waiting is no silence
                ++lastLooks;
                again = true;
                continue;
            }
            result = tmrCom2Sho.expired() ? 100 : 101;
        }
    }
    com2Disarm();
    com2Guard(50);
    return result;
}

void LinkSession::probePortEvent(int event)
{
    if (event != SerialPort::EvReceive)
        return;   // other probe-port events are neither counted nor reported
    const QByteArray bytes = MSComm2.inputBytes();
    if (!tmrCom2Sho.expired())
        tmrCom2Sho.restart();
    if (bytes.isEmpty())
        return;
    QString s = SerialPort::bytesToText(bytes);
    if (bCom2Detect && hooks.detectText)
        hooks.detectText(s);
    if (bCom2ToCFile && m_logPad)
        m_logPad->captureText(s);
    if (bRemPrgrsView) {
        if (remPrgrs.size() > 4000)
            remPrgrs.dropFront(499);
        remPrgrs.append(s);
        if (hooks.remoteProgressChanged)
            hooks.remoteProgressChanged();
    }
    if (bCom2Busy) {
        const qsizetype lfs = s.count(QChar(10));
        if (lfs > 0) {
            s.remove(QChar(10));
            iCom2Lfs = qint16(std::min<qsizetype>(iCom2Lfs + lfs, 32767));
            if (bPrgrsStep && hooks.progressStep)
                for (qsizetype i = 0; i < lfs; ++i)
                    hooks.progressStep();
        }
        iCom2Len = qint16(std::min<qsizetype>(iCom2Len + s.size(), 32767));
        sCom2Rsp.append(s);
        if (sCom2Rsp.size() > kCom2RspCap)
            sCom2Rsp.remove(0, sCom2Rsp.size() - kCom2RspCap);
    }
}

} // namespace zx
