// The link port's receive routine fed arbitrary text in chunks of arbitrary size, with the
// receive switches turned on and off between chunks. Besides crashes it checks that every
// buffer stays within its hard cap, the ring and queue indices stay in range, and the counters
// count what was received.
//
// Input layout, repeated: a header byte, then the chunk.
//   header bits 0-5: chunk length (0..63); bit 6: the chunk is repeated 64 times (long lines);
//   bit 7: a switch byte follows, its bits set the receive switches (see applySwitches).
#include "fuzz/fuzz_support.h"
#include "link/link_session.h"
#include "link/logpad_sink.h"
#include "docformat/cp1252.h"

using namespace zx;

namespace {

class CountingLogPad : public LogPadSink {
public:
    void logPadWrite(const QString &, int, int, int) override {}
    void captureText(const QString &chunk) override { captured += chunk.size(); }
    bool hasActiveCFile() const override { return true; }
    qint64 captured = 0;
};

void applySwitches(LinkSession &s, uint8_t b)
{
    s.bRxTo[0] = b & 0x01;
    s.bRxTo[1] = b & 0x02;
    s.bCroRspOn = b & 0x04;
    s.bRemPrgrsView = b & 0x08;
    s.bExcCapture = b & 0x10;
    s.bPrgrsStep = b & 0x20;
    s.bKeyPadOn = b & 0x40;
    s.bLogRun = b & 0x80;
    s.iLogFile = (b & 0x80) ? 1 : 0;
}

void checkBounds(const LinkSession &s)
{
    ZX_FUZZ_CHECK(s.iRxLine >= 0 && s.iRxLine < LinkSession::kRxSlots);
    ZX_FUZZ_CHECK(s.sRxLine[size_t(s.iRxLine)].size() <= LinkSession::kRxLineCap);
    ZX_FUZZ_CHECK(s.iExcPut >= 0 && s.iExcPut < LinkSession::kExcSlots);
    ZX_FUZZ_CHECK(s.iExcGet >= 0 && s.iExcGet < LinkSession::kExcSlots);
    ZX_FUZZ_CHECK(s.iExcPend >= 0);
    ZX_FUZZ_CHECK(s.sCroRsp.size() <= LinkSession::kCroRspCap);
    ZX_FUZZ_CHECK(s.txtTerm.size() <= 4 * 32750);
    ZX_FUZZ_CHECK(s.remPrgrs.size() <= 16000);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::InputReader in(data, size);
    CountingLogPad pad;
    LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, &pad);
    int progressSteps = 0, logged = 0;
    s.hooks.progressStep = [&progressSteps] { ++progressSteps; };
    s.hooks.logWrite = [&logged](const QString &t) { logged += int(t.size()); };
    s.hooks.excelLine = [](const QString &line) { ZX_FUZZ_CHECK(line.size() <= LinkSession::kRxLineCap); };

    // The first byte starts the buffers near their limits and picks the header mark.
    const uint8_t setup = in.byte();
    if (setup & 0x01)
        s.txtTerm.setText(QString(32700, QLatin1Char('t')));
    if (setup & 0x02)
        s.remPrgrs.setText(QString(3990, QLatin1Char('p')));
    if (setup & 0x04)
        s.sCroRsp = QString(790, QLatin1Char('r'));
    if (setup & 0x08) {
        s.sCroHedMark = QStringLiteral("MMR:");
        s.tmrCrxHed.setExpired(false);
    }
    if (setup & 0x10)
        s.tmrExcEnd.setExpired(false);
    applySwitches(s, in.byte());

    qint64 received = 0, lineEnds = 0, stepsExpected = 0;
    while (!in.atEnd()) {
        const uint8_t header = in.byte();
        if (header & 0x80) {
            const uint8_t sw = in.byte();
            applySwitches(s, sw);
            if (sw == 0xFF)
                s.excDrain();
        }
        QByteArray chunk = in.take(header & 0x3F);
        if (header & 0x40)
            chunk = chunk.repeated(64);
        const QString text = cp1252::decode(chunk);
        const bool stepping = s.bPrgrsStep;
        s.termRx(text);
        received += text.size();
        const qint64 ends = text.count(QLatin1Char('\r'));
        lineEnds += ends;
        if (stepping)
            stepsExpected += ends;
        checkBounds(s);
    }
    ZX_FUZZ_CHECK(s.counters.rxChars == qint32(std::min<qint64>(received, 2147483647)));
    ZX_FUZZ_CHECK(s.counters.rxLines == qint32(std::min<qint64>(lineEnds, 2147483647)));
    ZX_FUZZ_CHECK(progressSteps == stepsExpected);
    for (const QString &line : s.sRxLine)
        ZX_FUZZ_CHECK(line.size() <= LinkSession::kRxLineCap);
    // Backspaces never reach the terminal box.
    ZX_FUZZ_CHECK(!s.txtTerm.view().contains(QChar(8)));
    s.excDrain();
    ZX_FUZZ_CHECK(s.iExcPend == 0);
    return 0;
}
