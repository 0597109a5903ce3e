#include "cfile/cfile_codec.h"

#include "docformat/plain_text_codec.h"
#include "docformat/rtf_reader.h"
#include "docformat/rtf_writer.h"
#include "platform/save_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

namespace zx {

namespace {

// Visual Basic style error numbers for the file errors users meet.
FileError fileError(QFileDevice::FileError e, const QString &text)
{
    FileError r;
    r.description = text;
    switch (e) {
    case QFileDevice::NoError:
        return {};
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        r.number = 75;  // Path/File access error
        break;
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        r.number = 61;  // Disk full
        break;
    default:
        r.number = 57;  // Device I/O error
        break;
    }
    return r;
}

QByteArray encodeRich(const QTextDocument &doc) { return RtfWriter::write(&doc); }
bool decodeRich(QTextDocument &doc, const QByteArray &data, QString *err)
{
    const RtfReadResult r = RtfReader::read(data, &doc);
    if (!r.ok)
        *err = r.error.isEmpty() ? RtfReader::notRtfDescription() : r.error;
    return r.ok;
}
QByteArray encodePlain(const QTextDocument &doc) { return PlainTextCodec::save(&doc); }
void decodePlain(QTextDocument &doc, const QByteArray &data) { PlainTextCodec::load(data, &doc); }

} // namespace

QByteArray encodeCFile(const QTextDocument &doc, bool rich)
{
    return rich ? encodeRich(doc) : encodePlain(doc);
}

FileError decodeCFile(QTextDocument &doc, const QByteArray &data, bool rich)
{
    if (!rich) {
        decodePlain(doc, data);
        return {};
    }
    QString err;
    if (!decodeRich(doc, data, &err)) {
        FileError r;
        r.number = 321;  // Invalid file format
        r.description = err;
        r.badRichText = true;
        return r;
    }
    return {};
}

FileError readCFileBytes(const QString &path, QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        FileError r = fileError(f.error(), f.errorString());
        if (!f.exists()) {
            r.number = 53;
            r.description = QStringLiteral("File not found");
        }
        return r;
    }
    data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return fileError(f.error(), f.errorString());
    return {};
}

FileError loadCFileText(QTextDocument &doc, const QString &path, bool rich)
{
    QByteArray data;
    if (FileError e = readCFileBytes(path, data))
        return e;
    // Decode into a scratch document so a bad file leaves the CFile untouched.
    QTextDocument scratch;
    scratch.setDefaultFont(doc.defaultFont());
    if (FileError e = decodeCFile(scratch, data, rich))
        return e;
    return decodeCFile(doc, data, rich);
}

FileError saveCFileText(const QTextDocument &doc, const QString &path, bool rich)
{
    QString why;
    QFileDevice::FileError code = QFileDevice::NoError;
    if (!writeWholeFile(path, encodeCFile(doc, rich), &why, &code))
        return fileError(code, why);
    return {};
}

} // namespace zx
