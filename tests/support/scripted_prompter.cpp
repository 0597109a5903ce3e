#include "support/scripted_prompter.h"

namespace zx::test {

zx::MsgAnswer ScriptedPrompter::show(const zx::MsgRequest &request)
{
    m_shown << request;
    const zx::MsgAnswer a = m_queue.isEmpty() ? zx::defaultAnswer(request) : m_queue.takeFirst();
    m_answers << a;
    return a;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const auto &r : m_shown)
        out << r.text;
    return out;
}

QStringList ScriptedPrompter::lines(int i) const
{
    if (i < 0 || i >= m_shown.size())
        return {};
    return m_shown.at(i).text.split(QStringLiteral("\r\n"));
}

bool ScriptedPrompter::anyTextContains(const QString &part) const
{
    for (const auto &r : m_shown)
        if (r.text.contains(part))
            return true;
    return false;
}

} // namespace zx::test
