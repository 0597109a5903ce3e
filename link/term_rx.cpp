// The link port's receive path: communication events, termRx and the Excel capture queue.
#include "link/link_session.h"

#include "link/logpad_sink.h"

#include <algorithm>

namespace zx {
namespace {

inline void bump(qint16 &v)
{
    if (v < 32767)
        ++v;
}
inline void bump(qint32 &v, qint64 by = 1)
{
    v = qint32(std::min<qint64>(qint64(v) + by, 2147483647));
}
inline bool isCaptureLine(const QString &line)
{
    return line.contains(QLatin1String("CAP:")) || line.contains(QLatin1Char('#'));
}

} // namespace

QString LinkSession::eventText(int event)
{
    switch (event) {
    case 1:
    case 2: return {};
    case 3: return QStringLiteral("CTS Changed");
    case 4: return QStringLiteral("DSR Detected");
    case 5: return QStringLiteral("CD Detected");
    case 6: return QStringLiteral("Ring Detected");
    case 7: return QStringLiteral("EOF Detected");
    case 1001: return QStringLiteral("Break Received");
    case 1002: return QStringLiteral("CTS Timeout");
    case 1003: return QStringLiteral("DSR Timeout");
    case 1004: return QStringLiteral("Framing Error");
    case 1006: return QStringLiteral("Overrun Error");
    case 1007: return QStringLiteral("Carrier Timeout");
    case 1008: return QStringLiteral("Rx Full");
    case 1009: return QStringLiteral("Parity Error");
    case 1010: return QStringLiteral("TX Full");
    case 1011: return QStringLiteral("DCB Error");
    default: return QStringLiteral("Uknown Error");
    }
}

void LinkSession::linkPortEvent(int event)
{
    if (event == SerialPort::EvReceive) {
        // Each event takes everything waiting.
        const QString s = MSComm1.input();
        if (!s.isEmpty())
            termRx(s);
        return;
    }
    if (event == SerialPort::EvSend || event == SerialPort::EvCd)
        return;
    const bool isError = event < 1 || event > 7;
    if (isError)
        bump(counters.rxErrors);
    bump(counters.rxEvents);
    if (hooks.portEvent)
        hooks.portEvent(eventText(event), isError);
    if (event == SerialPort::EvDeviceLost)
        linkLost();
}

bool LinkSession::appendCapped(QString &slot, QStringView part)
{
    // A line without end is kept to its first kRxLineCap characters: the ring stays bounded.
    const qsizetype room = kRxLineCap - slot.size();
    if (room <= 0)
        return false;
    slot.append(part.left(room));
    return true;
}

void LinkSession::termRx(const QString &text)
{
    QString s = text;
    // Text outside a transaction answers another sender (terminal, keypad, command list) or
    // the chronograph's own keys: where its menu stands is no longer known.
    if (!croTxn.busy)
        croTxn.menuPos = 0;
    // 1. Trim the terminal box; L is where this chunk goes.
    txtTerm.trimIfOver();

    // 2.
    bump(counters.rxChars, s.size());

    // 3. Line assembly.
    qsizetype pos = 0;
    for (;;) {
        const qsizetype cr = s.indexOf(QLatin1Char('\r'), pos);
        QString &slot = sRxLine[size_t(iRxLine)];
        if (cr < 0) {
            appendCapped(slot, QStringView(s).mid(pos));
            if (bExcCapture && tmrExcEnd.expired() && isCaptureLine(slot)) {
                tmrExcEnd.setExpired(false);
                bump(iExcEndCnt);
            }
            break;
        }
        bump(counters.rxLines);
        appendCapped(slot, QStringView(s).mid(pos, cr - pos));
        pos = cr + 1;
        if (!tmrCrxHed.expired() && !sCroHedMark.isEmpty() && slot.contains(sCroHedMark))
            tmrCrxHed.restart();
        if (listingLines)
            listingLines->append(slot);
        if (bExcCapture && isCaptureLine(slot)) {
            sExcLine[size_t(iExcPut)] = slot;
            bump(iExcLines);
            ++iExcPut;
            bump(iExcPend);
            if (iExcPend > 15)
                bump(iExcOver);
            if (iExcPut > 15)
                iExcPut = 0;
        }
        ++iRxLine;
        bump(iRxLineCnt);
        if (iRxLineCnt > 100)
            bump(iRxLineWrap);
        if (iRxLine > 100)
            iRxLine = 0;
        sRxLine[size_t(iRxLine)].clear();
        if (bPrgrsStep && hooks.progressStep)
            hooks.progressStep();
    }

    // 4. Restart the pacing timers that have not expired.
    if (!tmrExcEnd.expired())
        tmrExcEnd.restart();
    if (!tmrCrxShrt.expired())
        tmrCrxShrt.restart();

    // 5. Terminal display: backspaces first (a BS takes the character before it, whatever it
    // is, line ends included), then the line ends (LFs dropped, one after every CR).
    if (bRxTo[0]) {
        QString kept;
        kept.reserve(s.size());
        bool replaceLast = false;
        for (const QChar c : std::as_const(s)) {
            if (c != QChar(8))
                kept.append(c);
            else if (kept.isEmpty())
                replaceLast = true;   // a leading BS replaces the box's last character
            else
                kept.chop(1);
        }
        QString out;
        out.reserve(kept.size() + kept.count(QLatin1Char('\r')));
        for (const QChar c : std::as_const(kept)) {
            if (c == QChar(10))
                continue;
            out.append(c);
            if (c == QChar(13))
                out.append(QChar(10));
        }
        s = out;
        if (replaceLast)
            txtTerm.chopLast();
        txtTerm.append(s);
        txtTerm.touch();
        if (iLogFile != 0 && bLogRun && hooks.logWrite)
            hooks.logWrite(s);
        if (hooks.terminalText)
            hooks.terminalText(replaceLast ? QChar(8) + s : s);
        if (hooks.terminalChanged)
            hooks.terminalChanged();
    }

    // 6. Active CFile (the capture switch).
    if (bRxTo[1] && m_logPad)
        m_logPad->captureText(s);

    // 7. Response buffer of the command layer.
    if (bCroRspOn) {
        sCroRsp.append(s);
        if (sCroRsp.size() > kCroRspLimit)
            sCroRsp.remove(0, 79);
        if (sCroRsp.size() > kCroRspCap)
            sCroRsp.remove(0, sCroRsp.size() - kCroRspCap);
    }

    // 8. Remote control panel progress text.
    if (bRemPrgrsView) {
        if (remPrgrs.size() > 4000)
            remPrgrs.dropFront(99);
        remPrgrs.append(s);
        if (hooks.remoteProgressChanged)
            hooks.remoteProgressChanged();
    }

    // 9. The keypad's display follows every chunk: RV5 lines begin with CR LF, so a line is
    // complete only when the next one starts, and the display would show it cut off meanwhile.
    if (bKeyPadOn && hooks.keyPadRefresh)
        hooks.keyPadRefresh();
}

void LinkSession::excDrain()
{
    while (iExcPend >= 1) {
        sExcCur = sExcLine[size_t(iExcGet)];
        --iExcPend;
        ++iExcGet;
        if (iExcGet > 15)
            iExcGet = 0;
        if (hooks.excelLine)
            hooks.excelLine(sExcCur);
    }
}

} // namespace zx
