#pragma once
// Shared body of the on/off commands (sensors, rapidfire, archery, power): the last
// argument "on" or "off", the operation run on an open link, exit 0 when it did what
// was asked.
#include "cli/cmd_ops_host.h"

#include <functional>

namespace zx::cli {

inline int runOnOff(const QStringList &args, const char *name, const std::function<bool(ChronoOps &, bool)> &op)
{
    const QString word = args.isEmpty() ? QString() : args.last().toLower();
    if (word != QLatin1String("on") && word != QLatin1String("off")) {
        printText(QStringLiteral("zentrix-cli %1: the last argument must be on or off\n").arg(QLatin1String(name)),
                  true);
        return 2;
    }
    auto s = makeOpsSession(args);
    if (!s)
        return 2;
    const bool ok = op(*s->ops, word == QLatin1String("on"));
    endOpsSession(*s);
    return ok ? 0 : 1;
}

} // namespace zx::cli
