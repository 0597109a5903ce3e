// zentrix-cli import FILE... [--out F.rtf | --out FOLDER]: other chronographs' files read into
// a CFile, one string a session or series. One --out file takes every input; an --out folder
// gets one CFile a input named after it; without --out the CFile text goes to stdout. A file
// that does not read is named with its reason and never stops the others; exit 0 only when
// every input was read and written.
#include "cfile/cfile_names.h"
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "import/chrono_import.h"
#include "import/import_cfile.h"
#include "platform/app_title.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace zx::cli;

// Text of one input, or empty after printing why it did not read.
QString importedText(const QString &path, bool *ok)
{
    const zx::import::ImportResult r = zx::import::importFile(path);
    if (!r.ok()) {
        printText(QStringLiteral("zentrix-cli import: ") + path + QStringLiteral(": ") + r.error + u'\n', true);
        *ok = false;
        return {};
    }
    int shots = 0;
    for (const auto &s : r.series)
        shots += int(s.shots.size());
    printText(QStringLiteral("%1: %2, %3 string(s), %4 shot(s)\n").arg(path, r.format).arg(r.series.size()).arg(shots),
              true);
    return zx::import::cfileText(r, QFileInfo(path).fileName());
}

// --out names a folder to fill, one CFile a input, unless its name is a CFile's (.rtf, .txt...):
// that is the one CFile even where a folder has the name, so a script that meant a file is told
// rather than given a CFile inside it. "out.rtf/" is the folder.
bool outIsFolder(const QString &out)
{
    if (!QFileInfo(out).isDir())
        return false;
    const int cls = zx::extClass(zx::fileTitle(out));
    return out.endsWith(u'/') || !(zx::isRichClass(cls) || zx::isPlainClass(cls));
}

// Why out cannot be used as a folder, in the system's words: "Not a directory" for a file of
// that name, "No such file or directory" for none; empty when it is a folder.
QString folderReason(const QString &out)
{
    const int fd = ::open(QFile::encodeName(out).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    return QString::fromLocal8Bit(std::strerror(errno)) + QStringLiteral("; ");
}

bool writeCFile(const QString &text, const QString &out)
{
    const int cls = outFileClass(out);
    if (cls < 0)
        return false;
    ConsolePrompter prompter(false);
    CliCFile cfile(prompter, zx::appTitle());
    cfile.pad.logPadWrite(text, 0, 0, 20);
    return cfile.save(out, cls);
}

int runImport(const QStringList &args)
{
    QStringList inputs;
    QString out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i].startsWith(QLatin1String("--"))) {
            printText(QStringLiteral("zentrix-cli import: unknown option ") + args[i] + u'\n', true);
            return 2;
        } else
            inputs << args[i];
    }
    if (inputs.isEmpty() || args.endsWith(QStringLiteral("--out"))) {
        printText(QStringLiteral("zentrix-cli: import FILE... [--out F.rtf|FOLDER]\n"), true);
        return 2;
    }
    bool allRead = true;
    if (!out.isEmpty() && outIsFolder(out)) {
        for (const QString &in : inputs) {
            const QString text = importedText(in, &allRead);
            const QString target = QDir(out).filePath(QFileInfo(in).completeBaseName() + QStringLiteral(".rtf"));
            if (!text.isEmpty() && !writeCFile(text, target))
                allRead = false;
        }
        return allRead ? 0 : 1;
    }
    if (!out.isEmpty() && !outIsFolder(out)) {
        const int cls = zx::extClass(zx::fileTitle(out));
        if (!zx::isRichClass(cls) && !zx::isPlainClass(cls)) {
            printText(QStringLiteral("zentrix-cli import: --out ") + out + QStringLiteral(": ") + folderReason(out)
                          + QStringLiteral("not a folder, nor a CFile's name (.rtf, .cap, .txt, .log); nothing was written\n"),
                      true);
            return 1;
        }
    }
    QString text;
    for (const QString &in : inputs)
        text += importedText(in, &allRead);
    if (out.isEmpty()) {
        printText(text);
        return allRead ? 0 : 1;
    }
    if (text.isEmpty()) {
        printText(QStringLiteral("zentrix-cli import: nothing read; ") + out + QStringLiteral(" was not written\n"), true);
        return 1;
    }
    return writeCFile(text, out) && allRead ? 0 : 1;
}

zx::cli::Registrar reg({"import", "FILE... [--out F.rtf|FOLDER]",
                        "other chronographs' files into a CFile, a string a session",
                        "Reads Garmin Xero ShotView CSV and workbook (.xlsx) exports, Garmin .fit session files, "
                        "LabRadar series reports, MagnetoSpeed LOG.CSV and XFR exports and ProChrono CSV files; "
                        "the format is told from the content. Each session or series becomes a string after a "
                        "tag line naming the source file, the device, the date, the file's note and the vendor's "
                        "printed statistics. --out F.rtf writes one CFile of all inputs (rich or plain by its "
                        "extension); --out FOLDER writes one CFile a input into it (a folder named like a CFile, "
                        "out.rtf, is written out.rtf/); without --out the text goes "
                        "to stdout. A file that does not read is reported on stderr with the line and what was "
                        "expected, the others are still read; the exit code is 0 only when every input was read "
                        "and written.",
                        runImport});

} // namespace
