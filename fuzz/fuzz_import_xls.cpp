// The Excel 97 reader of ShotView's .xls exports (compound file, BIFF8 records, shared strings)
// on arbitrary bytes: a workbook or a message, never a crash; the sheets' rows through the
// ShotView sheet reader.
#include "fuzz/import_checks.h"
#include "import/biff_reader.h"
#include "import/shotview.h"

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<import::BiffSheet> book;
    QString error;
    const bool ok = import::readBiffWorkbook(fuzz::bytes(data, size), &book, &error);
    ZX_FUZZ_CHECK(ok == error.isEmpty());
    ZX_FUZZ_CHECK(ok == !book.empty());
    std::vector<import::SessionSheet> sheets;
    for (const import::BiffSheet &b : book) {
        ZX_FUZZ_CHECK(b.rows <= 65536 && b.columns <= 65536);
        import::SessionSheet s{b.name, {}, {}};
        for (const auto &[at, text] : b.cells) {
            if (s.rows.empty() || s.rows.back().line != at.first + 1)
                s.rows.push_back({at.first + 1, {}});
            s.rows.back().cells << text;
        }
        sheets.push_back(std::move(s));
    }
    fuzz::checkImport(import::readShotViewSheets(sheets, QStringLiteral("xls")));
    return 0;
}
