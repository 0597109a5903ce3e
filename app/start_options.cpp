#include "app/start_options.h"

#include "app/version.h"

namespace zx {

ParsedArguments parseStartArguments(const QStringList &args)
{
    ParsedArguments p;
    QStringList classic;
    for (const QString &a : args) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            p.showHelp = true;
        else if (a == QLatin1String("--version") || a == QLatin1String("-v"))
            p.showVersion = true;
        else if (a == QLatin1String("--simulate"))
            p.options.simulate = true;
        else if (a.startsWith(QLatin1String("--")))
            p.error = QStringLiteral("unknown option \"") + a + QStringLiteral("\"");
        else
            classic << a;
    }
    p.options.commandLine = classic.join(QLatin1Char(' '));
    return p;
}

QString startUsageText()
{
    return QStringLiteral(
        "usage: zentrix [--simulate] [N=xx][,P=yy][,Path/File]\n"
        "\n"
        "  N=xx        run as Zentrix number xx (0 to 16); each number keeps its own settings\n"
        "  P=yy        with N=, bind that Zentrix to COM port yy (1 to 16)\n"
        "  Path/File   open this file in the LogPad at start\n"
        "  --simulate  run on the built-in simulated RV5 chronograph\n"
        "  --version   print the version and exit\n"
        "  --help      print this help and exit\n"
        "\n"
        "Without N= the first free number of 0 to 3 is taken.\n");
}

QString versionText() { return QStringLiteral("zentrix ") + QLatin1String(kVersion) + QLatin1Char('\n'); }

} // namespace zx
