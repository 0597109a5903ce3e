#pragma once
// Each zentrix-cli command lives in its own cmd_*.cpp and registers itself here,
// so adding a command never touches the dispatcher.
#include <QStringList>
#include <functional>
#include <vector>

namespace zx::cli {

struct Command {
    const char *name;
    const char *args;      // its arguments: "zentrix-cli NAME ARGS"
    const char *summary;   // what it does, one short line of the command list
    const char *details;   // the rest of `zentrix-cli NAME --help` (may be empty)
    std::function<int(const QStringList &args)> run;  // args after the command name
};

std::vector<Command> &commands();

struct Registrar {
    explicit Registrar(Command c) { commands().push_back(std::move(c)); }
};

// Value of "--name VALUE" in args, or fallback.
QString option(const QStringList &args, const QString &name, const QString &fallback = {});
bool hasFlag(const QStringList &args, const QString &name);

// `zentrix-cli --help`: one "  NAME  summary" line a command, none wider than 100 columns.
QString commandList();
// `zentrix-cli NAME --help`: the usage line, the summary and the details, wrapped at 100 columns.
QString commandHelp(const Command &c);

} // namespace zx::cli
