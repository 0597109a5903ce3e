#include "platform/save_file.h"

namespace zx {

bool commitSaveFile(QSaveFile &f, QString *error)
{
    if (f.flush() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
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
        if (error)
            *error = f.errorString();
        return failed(f.error() == QFileDevice::NoError ? QFileDevice::OpenError : f.error());
    }
    if (f.write(data) != data.size()) {
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
