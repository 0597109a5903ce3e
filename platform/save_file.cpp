#include "platform/save_file.h"

#include <QFileInfo>

#include <cerrno>

namespace zx {

namespace {

// What the file says went wrong, or "" when it says nothing.
QString reasonOf(const QSaveFile &f)
{
    return f.error() == QFileDevice::NoError ? QString() : f.errorString();
}

} // namespace

// Qt drops the system's error when some bytes went out before a full disk or a file-size limit
// (errorString() then says "Unknown error"). The rest is tried once more: with nothing written
// that time, the system names its reason (a fault that named it already names it again).
bool writeAll(QFileDevice &f, const QByteArray &bytes)
{
    for (qint64 at = 0; at < bytes.size();) {
        const qint64 n = f.write(bytes.constData() + at, bytes.size() - at);
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

bool flushAll(QFileDevice &f)
{
    if (f.flush())
        return true;
    f.flush();
    return false;
}

bool commitSaveFile(QSaveFile &f, QString *error)
{
    // A write that failed before (the file keeps it and commits nothing) is the reason; a
    // commit that fails afterwards clears it and would leave only "Unknown error".
    QString why = reasonOf(f);
    if (flushAll(f) && why.isEmpty() && f.commit())
        return true;
    if (why.isEmpty())
        why = f.errorString();
    if (error)
        *error = why;
    if (f.isOpen()) {
        f.cancelWriting();
        f.commit(); // refused after the cancel: removes the temporary file
    }
    return false;
}

bool writeWholeFile(const QString &path, const QByteArray &data, QString *error, QFileDevice::FileError *code)
{
    QSaveFile f(path);
    const auto failed = [&](QFileDevice::FileError what) {
        if (code)
            *code = what;
        return false;
    };
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) // QSaveFile's own words for a folder; the system's are the ones the user knows
            *error = QFileInfo(path).isDir() ? qt_error_string(EISDIR) : f.errorString();
        return failed(f.error() == QFileDevice::NoError ? QFileDevice::OpenError : f.error());
    }
    if (!writeAll(f, data)) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        f.commit();
        return failed(QFileDevice::WriteError);
    }
    if (!commitSaveFile(f, error))
        return failed(QFileDevice::WriteError);
    return true;
}

} // namespace zx
