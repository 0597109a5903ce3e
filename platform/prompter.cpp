#include "platform/prompter.h"

namespace zx {

QList<MsgAnswer> buttonAnswers(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return {MsgAnswer::Ok};
    case MsgButtons::OkCancel: return {MsgAnswer::Ok, MsgAnswer::Cancel};
    case MsgButtons::YesNo: return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::YesNoCancel: return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    case MsgButtons::RetryCancel: return {MsgAnswer::Retry, MsgAnswer::Cancel};
    }
    return {MsgAnswer::Ok};
}

MsgAnswer defaultAnswer(const MsgRequest &request)
{
    const QList<MsgAnswer> answers = buttonAnswers(request.buttons);
    const int i = request.defaultButton - 1;
    return (i >= 0 && i < answers.size()) ? answers.at(i) : answers.first();
}

QString answerName(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::Ok: return QStringLiteral("Ok");
    case MsgAnswer::Cancel: return QStringLiteral("Cancel");
    case MsgAnswer::Yes: return QStringLiteral("Yes");
    case MsgAnswer::No: return QStringLiteral("No");
    case MsgAnswer::Abort: return QStringLiteral("Abort");
    case MsgAnswer::Retry: return QStringLiteral("Retry");
    case MsgAnswer::Ignore: return QStringLiteral("Ignore");
    }
    return {};
}

std::optional<MsgAnswer> answerFromName(const QString &name)
{
    for (MsgAnswer a : {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Abort,
                        MsgAnswer::Retry, MsgAnswer::Ignore})
        if (name.trimmed().compare(answerName(a), Qt::CaseInsensitive) == 0)
            return a;
    return std::nullopt;
}

QString joinLines(const QStringList &lines) { return lines.join(QStringLiteral("\r\n")); }

} // namespace zx
