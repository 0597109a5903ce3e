// The load-line reader on arbitrary text. Besides crashes: what it writes is one line that it
// reads back as the same text, that is never a shot or a memory line.
#include "fuzz/fuzz_support.h"
#include "link/load_line.h"
#include "link/shot_line.h"

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    const std::optional<LoadData> load = readLoadLine(text);
    ZX_FUZZ_CHECK(load.has_value() == isLoadLine(text));
    if (!load)
        return 0;
    const QString line = loadLineText(*load);
    ZX_FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')) && !line.contains(QChar(0x2029)));
    ZX_FUZZ_CHECK(!readShotLine(line) && readMemoryLine(line).kind == MemoryLine::None);
    const std::optional<LoadData> again = readLoadLine(line);
    ZX_FUZZ_CHECK(again.has_value());
    ZX_FUZZ_CHECK(loadLineText(*again) == line);
    loadSummary(*load);
    return 0;
}
