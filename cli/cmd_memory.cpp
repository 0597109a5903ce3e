// zentrix-cli memory --port P delete|undelete|restore shot|string|folder
// zentrix-cli memory --port P restore|clear edisk
// One memory operation on the unit under the chronograph's cursor (or the whole eDisk).
// The question names the folder and string once the chronograph has told its position; it is
// read from a terminal, or answered Yes by --yes. Without either nothing is sent: exit 2.
// Prints the program's remarks; exit 1 with the failure line or a No.
#include "cli/cli_command.h"
#include "cli/cli_remote.h"

#include <QTextStream>

#include <unistd.h>

namespace {

using zx::RemoteOps;

class AskingHost : public zx::cli::CliRemoteHost {
public:
    AskingHost(zx::cli::OpsSession &s, QString question, bool yes)
        : CliRemoteHost(s, true), m_question(std::move(question)), m_yes(yes)
    {
    }
    bool confirmMemOp(const QString &, const QString &what, bool) override
    {
        using zx::cli::printText;
        const QString text = QStringLiteral("[Zentrix] ") + m_question + QLatin1Char('\n') + what + QLatin1Char('\n');
        if (m_yes) {
            printText(text + QStringLiteral("  -> Yes (--yes)\n"), true);
            return true;
        }
        printText(text + QStringLiteral("Yes/No [No]: "), true);
        QTextStream in(stdin);
        const QString answer = in.readLine().trimmed().toLower();
        return answer == QLatin1String("y") || answer == QLatin1String("yes");
    }

private:
    QString m_question;
    bool m_yes;
};

QString capitalised(const QString &word) { return word.left(1).toUpper() + word.mid(1); }

int runMemory(const QStringList &args)
{
    using namespace zx::cli;
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
    const bool yes = hasFlag(args, QStringLiteral("--yes"));
    if (!yes && !isatty(STDIN_FILENO)) {
        printText(QStringLiteral("zentrix-cli memory: ") + capitalised(what) + QStringLiteral(" asks first, and there is no "
                                 "terminal to answer on: nothing was sent.\nAdd --yes to go ahead without the question.\n"),
                  true);
        return 2;
    }
    if (op == 4)
        op = RemoteOps::OpDelete;   // clearing the eDisk is its delete
    auto s = makeOpsSession(args);
    if (!s)
        return 2;
    const QString question = eDisk ? QStringLiteral("Do you want to ") + capitalised(what)
                                         + QStringLiteral(" the whole eDisk..?")
                                   : QStringLiteral("Do you want to ") + capitalised(what) + QStringLiteral(" the ")
                                         + capitalised(where) + QStringLiteral(" under the chronograph's cursor..?");
    AskingHost host(*s, question, yes);
    RemoteOps remote(*s->cli->link, *s->ops, host);
    const bool ok = remote.croMemOp(op, scope);
    endOpsSession(*s);
    return ok ? 0 : 1;
}

zx::cli::Registrar reg({"memory", "--port P [--yes] [--scale F] delete|undelete|restore shot|string|folder, or "
                        "restore|clear edisk",
                        "one memory operation on the RV5",
                        "Asks on a terminal unless --yes.",
                        runMemory});

} // namespace
