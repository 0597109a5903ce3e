// The chronograph answer readers on arbitrary text: status, memory position, calibration noise
// and the leading-number rule. Besides crashes it checks the documented ranges and widths.
#include "fuzz/fuzz_support.h"
#include "link/status_parser.h"
#include "docformat/cp1252.h"

#include <cmath>

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The serial port hands answers over as Windows-1252 text.
    const QString text = cp1252::decode(reinterpret_cast<const char *>(data), qsizetype(size));

    CroState st;
    int steps = -1;
    const bool ok = parseStatus(st, text, &steps);
    ZX_FUZZ_CHECK(steps >= 0 && steps <= 22);
    ZX_FUZZ_CHECK(ok == (steps == 22));
    ZX_FUZZ_CHECK(st.bCroStatusOk == ok);
    ZX_FUZZ_CHECK(st.sCroModel.size() == 4);
    ZX_FUZZ_CHECK(st.sCroVelUnits.size() == 3 && st.sCroTmpUnits.size() == 3 && st.sCroTimUnits.size() == 3);
    ZX_FUZZ_CHECK(std::isfinite(st.fCroBattery) && std::isfinite(st.fCroTemp));

    double folder = 0, string = 0, shot = 0;
    qint16 memSize = 0;
    parseMemPos(text, folder, string, shot, memSize);

    const qint16 noise = calNoise(text);
    ZX_FUZZ_CHECK(noise == 9999 || (noise >= -99 && noise <= 30000)); // 3 characters: "-99" to "3e4"

    qsizetype len = -1;
    const double v = leadingNumber(text, &len);
    ZX_FUZZ_CHECK(len >= 0 && len <= text.size());
    ZX_FUZZ_CHECK(!std::isnan(v));
    ZX_FUZZ_CHECK(len > 0 || v == 0.0);
    const auto i16 = leadingInt16(text);
    ZX_FUZZ_CHECK(!i16 || double(*i16) == std::trunc(v));

    CroState off;
    off.bCroSensorsOn = true;
    sensorsOffAnswer(off, text, false);
    return 0;
}
