#pragma once
// Zip packages (.xlsx) through minizip, the zip library libxlsxwriter writes with: one zip
// implementation in the process.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zx::wb {

// A package opened for reading. Parts are found by their exact name.
class ZipReader {
public:
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    // The part names in package order; empty if the central directory cannot be walked.
    const QStringList &names() const { return m_names; }

    enum class Status { Ok, Missing, Unreadable, TooLarge, Damaged };
    // The unpacked part, its checksum verified. Parts larger than maxSize are refused without
    // unpacking more than maxSize bytes, whatever size their header claims.
    Status read(const QString &name, QByteArray *out, qint64 maxSize);

private:
    void *m_zip = nullptr;
    QStringList m_names;
};

// A new package, written part by part (deflated). Nothing is complete before close() succeeds.
class ZipWriter {
public:
    explicit ZipWriter(const QString &path);
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    bool add(const QString &name, const QByteArray &data);
    // Writes the central directory and closes the file; false if any step failed.
    bool close();

private:
    void *m_zip = nullptr;
    bool m_failed = false;
};

} // namespace zx::wb
