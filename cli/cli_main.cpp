#include "cli/cli_command.h"

#include <QCoreApplication>
#include <QTextStream>

namespace zx::cli {

std::vector<Command> &commands()
{
    static std::vector<Command> all;
    return all;
}

QString option(const QStringList &args, const QString &name, const QString &fallback)
{
    const int i = args.indexOf(name);
    return (i >= 0 && i + 1 < args.size()) ? args.at(i + 1) : fallback;
}

bool hasFlag(const QStringList &args, const QString &name) { return args.contains(name); }

} // namespace zx::cli

namespace {
int usage(QTextStream &out)
{
    out << "usage: zentrix-cli COMMAND [OPTIONS]\n\ncommands:\n";
    for (const auto &c : zx::cli::commands())
        out << "  " << c.name << " " << c.usage << "\n";
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zentrix-cli"));
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))
        return usage(out);
    const QString name = args.takeFirst();
    for (const auto &c : zx::cli::commands()) {
        if (name != QLatin1String(c.name))
            continue;
        // "COMMAND --help" explains the command instead of running it.
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            out << "usage: zentrix-cli " << c.name << " " << c.usage << "\n";
            return 0;
        }
        return c.run(args);
    }
    QTextStream(stderr) << "zentrix-cli: unknown command \"" << name << "\"\n";
    usage(out);
    return 2;
}
