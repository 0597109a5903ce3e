// The MagnetoSpeed importers (display LOG.CSV and XFR export) on arbitrary bytes; the first
// byte picks the layout.
#include "fuzz/import_checks.h"
#include "import/chrono_import.h"
#include "import/magnetospeed.h"

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::InputReader in(data, size);
    const bool xfr = in.byte() & 1;
    const QByteArray bytes = in.take(size);
    fuzz::checkImport(import::readMagnetoSpeed(bytes, xfr));
    fuzz::checkImport(import::importBytes(bytes));
    return 0;
}
