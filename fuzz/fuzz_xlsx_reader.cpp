// The .xlsx reader on arbitrary packages. An input that starts like a zip file ("PK") is the
// file itself; any other input is a list of parts packed into a valid zip first, so the
// mutations reach the XML of the parts instead of dying at the zip checksums:
//   record = part index (one byte, modulo the list below), length (two bytes, big-endian), bytes
// Besides crashes and sanitizer reports it checks what the reader promises: a workbook or a
// message naming the file, and a workbook that is written again reads back with its sheets.
#include "fuzz/fuzz_support.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "workbook/zip_package.h"

#include <QFile>
#include <QTemporaryDir>

using namespace zx;

namespace {

const char *const kParts[] = {
    "[Content_Types].xml",  "_rels/.rels",         "xl/workbook.xml",          "xl/_rels/workbook.xml.rels",
    "xl/sharedStrings.xml", "xl/styles.xml",       "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
    "xl/worksheets/_rels/sheet1.xml.rels",         "docProps/core.xml",        "docProps/custom.xml",
};

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

bool writePackage(const QString &path, const uint8_t *data, size_t size)
{
    fuzz::InputReader in(data, size);
    wb::ZipWriter zip(path);
    while (!in.atEnd()) {
        const char *name = kParts[in.byte() % std::size(kParts)];
        const size_t length = size_t(in.byte()) << 8 | in.byte();
        if (!zip.add(QString::fromLatin1(name), in.take(length)))
            return false;
    }
    return zip.close();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(false);
    ZX_FUZZ_CHECK(folder().isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder().filePath(QStringLiteral("input.xlsx"));
    if (size >= 2 && data[0] == 'P' && data[1] == 'K') {
        QFile f(path);
        ZX_FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ZX_FUZZ_CHECK(f.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    } else {
        ZX_FUZZ_CHECK(writePackage(path, data, size));
    }

    QString error;
    const std::unique_ptr<wb::Workbook> book = wb::readXlsx(path, &error);
    if (!book) {
        ZX_FUZZ_CHECK(error.contains(QStringLiteral("input.xlsx")));
        return 0;
    }
    ZX_FUZZ_CHECK(error.isEmpty());
    const QString again = folder().filePath(QStringLiteral("again.xlsx"));
    if (!wb::writeXlsx(*book, again).ok)
        return 0; // e.g. a sheet name the writer refuses: told, not a fault
    const std::unique_ptr<wb::Workbook> back = wb::readXlsx(again, &error);
    ZX_FUZZ_CHECK(back && back->sheetCount() == book->sheetCount());
    return 0;
}
