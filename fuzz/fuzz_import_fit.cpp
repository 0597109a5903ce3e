// The importer of Garmin .fit session files on arbitrary bytes.
#include "fuzz/import_checks.h"
#include "import/chrono_import.h"
#include "import/fit_reader.h"

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    fuzz::checkImport(import::readFit(bytes));
    fuzz::checkImport(import::importBytes(bytes));
    // The same bytes as the records of a file with a right header and CRC, so that mutations
    // reach the message reader instead of stopping at the CRC.
    QByteArray file("\x0e\x10\x00\x00", 4);
    for (int k = 0; k < 4; ++k)
        file += char((quint32(size) >> (8 * k)) & 0xFF);
    file += QByteArray(".FIT\x00\x00", 6) + bytes;
    const quint16 crc = import::fitCrc(file, file.size());
    file += char(crc & 0xFF);
    file += char(crc >> 8);
    fuzz::checkImport(import::readFit(file));
    return 0;
}
