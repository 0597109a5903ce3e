#include "workbook/zip_package.h"

#include <QDateTime>
#include <QFile>

#include <unzip.h>
#include <zip.h>

#include <limits>

namespace zx::wb {

namespace {
constexpr qint64 kChunk = 64 * 1024;
}

ZipReader::ZipReader(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    unzFile zip = unzOpen64(name.constData());
    if (!zip)
        return;
    m_zip = zip;
    int rc = unzGoToFirstFile(zip);
    while (rc == UNZ_OK) {
        unz_file_info64 info{};
        char entry[1024];
        if (unzGetCurrentFileInfo64(zip, &info, entry, sizeof entry, nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        m_names << QString::fromUtf8(entry, qsizetype(std::min<uLong>(info.size_filename, sizeof entry - 1)));
        rc = unzGoToNextFile(zip);
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE)
        m_names.clear();
}

ZipReader::~ZipReader()
{
    if (m_zip)
        unzClose(static_cast<unzFile>(m_zip));
}

ZipReader::Status ZipReader::read(const QString &name, QByteArray *out, qint64 maxSize)
{
    out->clear();
    const auto zip = static_cast<unzFile>(m_zip);
    if (!zip || unzLocateFile(zip, name.toUtf8().constData(), 1) != UNZ_OK)
        return Status::Missing;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return Status::Unreadable;
    if (info.uncompressed_size > quint64(maxSize))
        return Status::TooLarge;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return Status::Unreadable;
    // The header's size is a claim, not a promise: read in chunks up to the limit.
    out->reserve(qsizetype(info.uncompressed_size));
    Status status = Status::Ok;
    for (;;) {
        const qsizetype at = out->size();
        out->resize(at + kChunk);
        const int n = unzReadCurrentFile(zip, out->data() + at, unsigned(kChunk));
        out->resize(at + std::max(n, 0));
        if (n < 0) {
            status = Status::Damaged;
            break;
        }
        if (n == 0)
            break;
        if (out->size() > maxSize) {
            status = Status::TooLarge;
            break;
        }
    }
    // Closing checks the checksum, once the whole part was read.
    if (unzCloseCurrentFile(zip) != UNZ_OK && status == Status::Ok)
        status = Status::Damaged;
    if (status == Status::Ok && quint64(out->size()) != info.uncompressed_size)
        status = Status::Damaged;
    if (status != Status::Ok)
        out->clear();
    return status;
}

ZipWriter::ZipWriter(const QString &path)
{
    m_zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
}

ZipWriter::~ZipWriter()
{
    if (m_zip)
        zipClose(static_cast<zipFile>(m_zip), nullptr);
}

bool ZipWriter::add(const QString &name, const QByteArray &data)
{
    const auto zip = static_cast<zipFile>(m_zip);
    if (!zip || m_failed || quint64(data.size()) > std::numeric_limits<unsigned>::max())
        return false;
    zip_fileinfo info{};
    const QDateTime now = QDateTime::currentDateTime();
    info.tmz_date.tm_year = uInt(now.date().year());
    info.tmz_date.tm_mon = uInt(now.date().month() - 1);
    info.tmz_date.tm_mday = uInt(now.date().day());
    info.tmz_date.tm_hour = uInt(now.time().hour());
    info.tmz_date.tm_min = uInt(now.time().minute());
    info.tmz_date.tm_sec = uInt(now.time().second());
    const bool ok =
        zipOpenNewFileInZip64(zip, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, 0) == ZIP_OK
        && zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())) == ZIP_OK;
    // The entry is closed even after a failed write, so the package can still be closed.
    const bool closed = zipCloseFileInZip(zip) == ZIP_OK;
    m_failed = !(ok && closed);
    return !m_failed;
}

bool ZipWriter::close()
{
    const auto zip = static_cast<zipFile>(m_zip);
    if (!zip)
        return false;
    m_zip = nullptr;
    return zipClose(zip, nullptr) == ZIP_OK && !m_failed;
}

} // namespace zx::wb
