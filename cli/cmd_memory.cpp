// zentrix-cli memory --port P delete|undelete|restore shot|string|folder
// zentrix-cli memory --port P restore|clear edisk
// One memory operation on the unit under the chronograph's cursor (or the whole eDisk),
// asked first unless --yes. Prints the program's remarks; exit 1 with the failure line.
#include "cli/cli_command.h"
#include "cli/cli_remote.h"

namespace {

int runMemory(const QStringList &args)
{
    using namespace zx::cli;
    using zx::RemoteOps;
    QStringList words;   // the arguments that are neither options nor their values
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--port") || args.at(i) == QLatin1String("--scale"))
            ++i;
        else if (!args.at(i).startsWith(QLatin1String("--")))
            words << args.at(i).toLower();
    }
    const QString what = words.size() == 2 ? words.at(0) : QString();
    const QString where = words.size() == 2 ? words.at(1) : QString();
    const QStringList ops{QStringLiteral("delete"), QStringLiteral("undelete"), QStringLiteral("restore"),
                          QStringLiteral("clear")};
    const QStringList scopes{QStringLiteral("shot"), QStringLiteral("string"), QStringLiteral("folder"),
                             QStringLiteral("edisk")};
    int op = int(ops.indexOf(what)) + 1;
    const int scope = int(scopes.indexOf(where));
    const bool eDisk = scope == RemoteOps::MemEDisk;
    const bool valid = op >= 1 && scope >= 0
                       && (eDisk ? (op == RemoteOps::OpRestore || op == 4) : op <= RemoteOps::OpRestore);
    if (!valid) {
        printText(QStringLiteral("zentrix-cli memory: give delete|undelete|restore shot|string|folder "
                                 "or restore|clear edisk\n"),
                  true);
        return 2;
    }
    if (op == 4)
        op = RemoteOps::OpDelete;   // clearing the eDisk is its delete
    auto s = makeOpsSession(args);
    if (!s)
        return 2;
    const QString question = eDisk ? QStringLiteral("Do you want to ") + QString(what.at(0).toUpper()) + what.mid(1)
                                         + QStringLiteral(" the whole eDisk..?")
                                   : QStringLiteral("Do you want to ") + QString(what.at(0).toUpper()) + what.mid(1)
                                         + QStringLiteral(" the ") + QString(where.at(0).toUpper()) + where.mid(1)
                                         + QStringLiteral(" under the chronograph's cursor..?");
    if (s->cli->prompter.ask(question, zx::MsgButtons::YesNo, 2) != zx::MsgAnswer::Yes) {
        printText(QStringLiteral("Aborted by the user..!\n"), true);
        endOpsSession(*s);
        return 1;
    }
    RemoteSession remote(*s, true);
    const bool ok = remote.ops.croMemOp(op, scope);
    endOpsSession(*s);
    return ok ? 0 : 1;
}

zx::cli::Registrar reg({"memory", "--port P [--yes] [--scale F] delete|undelete|restore shot|string|folder, "
                                  "or restore|clear edisk: one memory operation on the RV5",
                        runMemory});

} // namespace
