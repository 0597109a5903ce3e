// zentrix-cli send --port P ITEMS...: run one transaction per item and print what came back.
// A plain letter or digit is a command ("Z", "3"), "^X" the key X ("^[" Esc, "^M" Enter).
#include "cli/cli_command.h"
#include "cli/cli_session.h"

namespace {

int runSend(const QStringList &args)
{
    using namespace zx::cli;
    QStringList items;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--port") || a == QLatin1String("--scale") || a == QLatin1String("--expect")) {
            ++i;
            continue;
        }
        if (a.startsWith(QLatin1String("--")))
            continue;
        items << a;
    }
    if (items.isEmpty()) {
        printText(QStringLiteral("zentrix-cli send: nothing to send\n"), true);
        return 2;
    }
    auto s = makeSession(args);
    if (!s)
        return 2;
    const int expect = option(args, QStringLiteral("--expect"), QStringLiteral("0")).toInt();
    zx::LinkSession &link = *s->link;
    link.subOpenPort();
    if (!link.MSComm1.portOpen())
        return 1;
    bool allOk = true;
    for (const QString &item : items) {
        const bool isKey = item.size() == 2 && item.at(0) == QLatin1Char('^');
        const QString request = isKey ? item.mid(1) : item;
        if (request.size() != 1) {
            printText(QStringLiteral("zentrix-cli send: \"") + item + QStringLiteral("\" is not one character\n"),
                      true);
            return 2;
        }
        link.croTransact(isKey, request, expect, 0);
        allOk = allOk && !link.croTxn.failed;
        printText(QStringLiteral("> %1 result=%2 prompt=%3 menu=%4%5\n")
                      .arg(item)
                      .arg(link.croTxn.result)
                      .arg(link.croTxn.prompt)
                      .arg(link.croTxn.menu)
                      .arg(link.croTxn.failed ? QStringLiteral(" failed") : QString()));
        printText(link.sCroRsp + QStringLiteral("\n"));
    }
    link.subClosePort();
    return allOk ? 0 : 1;
}

zx::cli::Registrar reg({"send", "--port P [--expect N] ITEMS...",
                        "send commands and keys, print each answer",
                        "Commands (Z, 3, ...) and keys (^[, ^M, ...) go out as transactions.",
                        runSend});

} // namespace
