// zentrix-cli download --port P --scope string|folder|edisk [--out FILE]: the chronograph's
// memory as the program downloads it into a CFile; FILE is written in the format its
// extension gives, without --out the LogPad lines go to standard output. Exit 0 only after
// "Download Successful..!". FILE is written only after a successful download (a failed one
// leaves an existing FILE as it was and creates none).
#include "cli/cli_cfile.h"
#include "cli/cli_command.h"
#include "cli/cli_remote.h"

namespace {

int runDownload(const QStringList &args)
{
    using namespace zx::cli;
    const QStringList scopes{QStringLiteral("string"), QStringLiteral("folder"), QStringLiteral("edisk")};
    const int scope = int(scopes.indexOf(option(args, QStringLiteral("--scope")).toLower())) + 1;
    if (scope < 1) {
        printText(QStringLiteral("zentrix-cli download: --scope string|folder|edisk is required\n"), true);
        return 2;
    }
    const QString out = option(args, QStringLiteral("--out"));
    const int cls = out.isEmpty() ? 0 : outFileClass(out);
    if (cls < 0)
        return 2;
    auto s = makeOpsSession(args);
    if (!s)
        return 2;
    zx::LinkSession &link = *s->cli->link;
    std::unique_ptr<CliCFile> cfile;
    if (!out.isEmpty()) {
        cfile = std::make_unique<CliCFile>(s->cli->prompter, link.appName());
        link.setLogPad(&cfile->pad);   // the lines go into the CFile, remarks to the console
    }
    RemoteSession remote(*s, out.isEmpty());
    const int code = remote.ops.croDownload(1, scope);
    const bool ok = code == 0 && remote.ops.downloadSucceeded;
    bool saved = true;
    if (cfile && ok)
        saved = cfile->save(out, cls);
    else if (cfile)
        printText(QStringLiteral("zentrix-cli download: the download failed (") + QString::number(code)
                      + QStringLiteral("); ") + out + QStringLiteral(" was not written\n"),
                  true);
    link.setLogPad(&s->cli->logPad);
    endOpsSession(*s);
    return ok && saved ? 0 : 1;
}

zx::cli::Registrar reg({"download", "--port P --scope string|folder|edisk [--out FILE] [--scale F]",
                        "the RV5's memory into a CFile or onto stdout",
                        "FILE is written rich or plain by its extension; without --out the text goes to "
                        "stdout.",
                        runDownload});

} // namespace
