#pragma once
// Each zentrix-cli command lives in its own cmd_*.cpp and registers itself here,
// so adding a command never touches the dispatcher.
#include <QStringList>
#include <functional>
#include <vector>

namespace zx::cli {

struct Command {
    const char *name;
    const char *usage;   // one line: arguments and what it does
    std::function<int(const QStringList &args)> run;  // args after the command name
};

std::vector<Command> &commands();

struct Registrar {
    explicit Registrar(Command c) { commands().push_back(std::move(c)); }
};

// Value of "--name VALUE" in args, or fallback.
QString option(const QStringList &args, const QString &name, const QString &fallback = {});
bool hasFlag(const QStringList &args, const QString &name);

} // namespace zx::cli
