#include "platform/script_prompter.h"

#include "platform/app_title.h"
#include "platform/termination.h"

#include <QFile>

namespace zx {
namespace {
void append(const QString &logFile, const QString &text)
{
    if (logFile.isEmpty())
        return;
    QFile f(logFile);   // append-only log
    if (f.open(QIODevice::Append))
        f.write(text.toUtf8());
}
} // namespace

void logPromptShown(const QString &logFile, const MsgRequest &request)
{
    const QString title = request.title.isEmpty() ? appTitle() : request.title;
    append(logFile, QStringLiteral("<<") + title + QLatin1Char('\n')
                        + QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n")) + QLatin1Char('\n'));
}

void logPromptAnswer(const QString &logFile, MsgAnswer answer)
{
    append(logFile, QStringLiteral(">>") + answerName(answer) + QLatin1Char('\n'));
}

ScriptPrompter::ScriptPrompter(const QString &answers, const QString &logFile) : m_logFile(logFile)
{
    for (const QString &a : answers.split(QLatin1Char(','), Qt::SkipEmptyParts))
        m_answers << a.trimmed();
}

MsgAnswer ScriptPrompter::show(const MsgRequest &request)
{
    MsgAnswer answer = defaultAnswer(request);
    if (terminationRequested()) {
        answer = terminationAnswer(request.buttons);
    } else if (!m_answers.isEmpty()) {
        const QString next = m_answers.takeFirst();
        if (const auto a = answerFromName(next))
            answer = *a;
    }
    logPromptShown(m_logFile, request);
    logPromptAnswer(m_logFile, answer);
    return answer;
}

} // namespace zx
