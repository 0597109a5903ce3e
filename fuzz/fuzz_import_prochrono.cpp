// The importer of ProChrono CSV layouts on arbitrary bytes.
#include "fuzz/import_checks.h"
#include "import/chrono_import.h"
#include "import/prochrono.h"

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    fuzz::checkImport(import::readProChrono(bytes));
    fuzz::checkImport(import::importBytes(bytes));
    return 0;
}
