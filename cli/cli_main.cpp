#include "cli/cli_command.h"
#include "cli/cli_session.h"

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

namespace {
constexpr int kColumns = 100;

// Words of text on lines of at most kColumns, the first begun with indent, the rest with more.
QString wrapped(const QString &text, const QString &indent, const QString &more)
{
    QString out, line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kColumns) {
            out += line + QLatin1Char('\n');
            line = more + word;
            continue;
        }
        line += line.isEmpty() ? indent + word : QLatin1Char(' ') + word;
    }
    return line.isEmpty() ? out : out + line + QLatin1Char('\n');
}
} // namespace

QString commandList()
{
    QString out = QStringLiteral("usage: zentrix-cli COMMAND [OPTIONS]\n\ncommands:\n");
    for (const auto &c : commands())
        out += QStringLiteral("  %1  %2\n").arg(QLatin1String(c.name), -10).arg(QLatin1String(c.summary));
    return out + QStringLiteral("\n'zentrix-cli COMMAND --help' shows a command's arguments.\n");
}

QString commandHelp(const Command &c)
{
    QString out = wrapped(QStringLiteral("usage: zentrix-cli %1 %2").arg(QLatin1String(c.name), QLatin1String(c.args)),
                          QString(), QStringLiteral("    "));
    const QString indent = QStringLiteral("  ");
    out += QLatin1Char('\n') + wrapped(QLatin1String(c.summary), indent, indent);
    if (*c.details)
        out += QLatin1Char('\n') + wrapped(QLatin1String(c.details), indent, indent);
    return out;
}

} // namespace zx::cli

namespace {
int usage(QTextStream &out)
{
    out << zx::cli::commandList();
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
            out << zx::cli::commandHelp(c);
            return 0;
        }
        const int code = c.run(args);
        // Output a script reads (strings --csv, import without --out) that could not be written.
        const QString failed = zx::cli::stdoutError();
        if (failed.isEmpty())
            return code;
        QTextStream(stderr) << "zentrix-cli " << name << ": could not write the standard output: " << failed << "\n";
        return code ? code : 1;
    }
    QTextStream(stderr) << "zentrix-cli: unknown command \"" << name << "\"\n";
    usage(out);
    return 2;
}
