#pragma once
// Committing a QSaveFile so that a failed write is never taken for a good one. Qt 6.4's
// QSaveFile::commit() closes the file without looking at the result of its last buffer flush:
// when that flush fails (a full disk, a file-size limit) the short file still replaces the
// target and commit() returns true. Every QSaveFile of the program ends here instead.
#include <QSaveFile>
#include <QString>

namespace zx {

// All of bytes, or false with the system's reason in f.errorString(): a write cut short is
// followed by one for the rest, which fails with the reason (Qt keeps none for a short write).
bool writeAll(QFileDevice &f, const QByteArray &bytes);
// flush() that, failing, leaves the system's reason in f.errorString() the same way.
bool flushAll(QFileDevice &f);

// Flushes (checked), then commits. False with *error (the system's reason) and no temporary
// file left; the target is then as it was.
bool commitSaveFile(QSaveFile &f, QString *error = nullptr);

// data as the whole new content of path, through commitSaveFile. False with *error and
// *code (what failed: open or write) on failure.
bool writeWholeFile(const QString &path, const QByteArray &data, QString *error = nullptr,
                    QFileDevice::FileError *code = nullptr);

} // namespace zx
