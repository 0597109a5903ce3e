#include "app/error_report.h"

#include "platform/prompter.h"

namespace zx {

void raiseError(AppContext &ctx, int number, const QString &description)
{
    ctx.pendingErrorNumber = number;
    ctx.pendingErrorDescription = description;
}

QString errorReportText(int userLevel, int count, int number, const QString &description,
                        const QString &location, const QDateTime &when)
{
    if (userLevel <= 0)
        return joinLines({description, location});
    const QString n = QString::number(count);
    return joinLines({QStringLiteral("<Begin=") + n + QStringLiteral(">--------------------------"),
                      QStringLiteral(" M=") + description,
                      QStringLiteral(" N=") + QString::number(number),
                      QStringLiteral(" S=") + location,
                      QStringLiteral(" T=") + when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                      QStringLiteral("<End=") + n + QStringLiteral(">----------------------------")});
}

void errorReport(AppContext &ctx, const QString &location)
{
    if (ctx.pendingErrorNumber == 0)
        return;
    const int number = ctx.pendingErrorNumber;
    const QString description = ctx.pendingErrorDescription;
    ctx.pendingErrorNumber = 0;
    ctx.pendingErrorDescription.clear();
    ++ctx.errorCount;
    if (!ctx.prompter)
        return;
    MsgRequest r;
    r.text = errorReportText(ctx.soft.userLevel, ctx.errorCount, number, description, location,
                             QDateTime::currentDateTime());
    r.buttons = MsgButtons::Ok;
    r.icon = MsgIcon::Critical;
    ctx.prompter->show(r);
}

void reportError(AppContext &ctx, int number, const QString &description, const QString &location)
{
    raiseError(ctx, number, description);
    errorReport(ctx, location);
}

} // namespace zx
