#include "app/start_options.h"


namespace zx {

ParsedArguments parseStartArguments(const QStringList &args)
{
    ParsedArguments p;
    QStringList classic;
    // "--name value" or "--name=value"; false (and an error) when the value is missing.
    const auto valueOf = [&](const QString &name, int &i, QString &out) {
        const QString a = args.at(i);
        if (a.startsWith(name + QLatin1Char('='))) {
            out = a.mid(name.size() + 1);
            return true;
        }
        if (a != name)
            return false;
        if (i + 1 >= args.size()) {
            p.error = QStringLiteral("option \"") + name + QStringLiteral("\" needs a value");
            return true;
        }
        out = args.at(++i);
        return true;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        QString ladder, shots;
        if (valueOf(QStringLiteral("--simulate-shots"), i, shots)) {
            bool ok = false;
            p.options.simLadderShots = shots.toInt(&ok);
            if (!ok || p.options.simLadderShots < 0)
                p.error = QStringLiteral("option \"--simulate-shots\" needs a number of shots");
        } else if (valueOf(QStringLiteral("--simulate-ladder"), i, ladder)) {
            p.options.simulate = true;
            for (const QString &v : ladder.split(QLatin1Char(','))) {
                bool ok = false;
                const double fps = v.toDouble(&ok);
                if (!ok || fps <= 0)
                    p.error = QStringLiteral("option \"--simulate-ladder\" needs velocities in f/s, e.g. 2790,2815");
                p.options.simLadder.append(fps);
            }
        } else if (valueOf(QStringLiteral("--answers"), i, p.options.answers))
            p.options.scripted = true;
        else if (valueOf(QStringLiteral("--answers-log"), i, p.options.answersLog))
            continue;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
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
        "usage: zentrix [options] [N=xx][,P=yy][,Path/File]\n"
        "\n"
        "  N=xx        run as Zentrix number xx (0 to 16); each number keeps its own settings\n"
        "  P=yy        with N=, bind that Zentrix to COM port yy (1 to 16)\n"
        "  Path/File   open this file in the LogPad at start\n"
        "  The items may be separated by commas or blanks: N=2,P=3,/data/run.rtf or N=2 P=3 /data/run.rtf\n"
        "\n"
        "  --simulate             run on the built-in simulated RV5 chronograph\n"
        "  --simulate-ladder LIST as --simulate, its sensors off at start; each string fired\n"
        "                         after the sensors were off has the next mean velocity of\n"
        "                         LIST (f/s, comma-separated): a ladder for demonstrations\n"
        "  --simulate-shots N     with --simulate-ladder: N shots to each string\n"
        "  --answers LIST         for automation: answer the message boxes without showing them,\n"
        "                         with the button names of LIST in order (Yes,No,Cancel,Ok,...);\n"
        "                         once LIST is used up, each box takes its preselected button\n"
        "  --answers-log FILE     append every message box to FILE: \"<<\" + title, its lines,\n"
        "                         then \">>\" + the answer\n"
        "  --version              print the version and exit\n"
        "  --help                 print this help and exit\n"
        "\n"
        "Without N= the first free number of 0 to 3 is taken.\n"
        "SIGTERM or SIGHUP close the program the orderly way, whatever box is open.\n");
}

} // namespace zx
