#include "platform/script_prompter.h"

#include "platform/app_title.h"

#include <QFile>

namespace zx {

ScriptPrompter::ScriptPrompter(const QString &answers, const QString &logFile) : m_logFile(logFile)
{
    for (const QString &a : answers.split(QLatin1Char(','), Qt::SkipEmptyParts))
        m_answers << a.trimmed();
}

ScriptPrompter *ScriptPrompter::fromEnvironment()
{
    if (!qEnvironmentVariableIsSet("ZX_PROMPT_ANSWERS"))
        return nullptr;
    return new ScriptPrompter(qEnvironmentVariable("ZX_PROMPT_ANSWERS"), qEnvironmentVariable("ZX_PROMPT_LOG"));
}

MsgAnswer ScriptPrompter::show(const MsgRequest &request)
{
    MsgAnswer answer = defaultAnswer(request);
    if (!m_answers.isEmpty()) {
        const QString next = m_answers.takeFirst();
        if (const auto a = answerFromName(next))
            answer = *a;
    }
    if (!m_logFile.isEmpty()) {
        QFile f(m_logFile);
        if (f.open(QIODevice::Append)) {
            const QString title = request.title.isEmpty() ? appTitle() : request.title;
            QString rec = QStringLiteral("<<") + title + QLatin1Char('\n');
            rec += QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n")) + QLatin1Char('\n');
            rec += QStringLiteral(">>") + answerName(answer) + QLatin1Char('\n');
            f.write(rec.toUtf8());
        }
    }
    return answer;
}

} // namespace zx
