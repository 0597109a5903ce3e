#pragma once
// Test double for the message boxes: records every box shown and answers from a queue; with the
// queue empty it answers with the box's preselected button.
#include "platform/prompter.h"

#include <QList>
#include <QStringList>

#include <initializer_list>

namespace zx::test {

class ScriptedPrompter : public zx::Prompter {
public:
    zx::MsgAnswer show(const zx::MsgRequest &request) override;

    void queue(zx::MsgAnswer answer) { m_queue << answer; }
    void queue(std::initializer_list<zx::MsgAnswer> answers)
    {
        for (auto a : answers)
            m_queue << a;
    }
    int pending() const { return m_queue.size(); }

    // Every box shown, oldest first, and the answer each got.
    const QList<zx::MsgRequest> &shown() const { return m_shown; }
    const QList<zx::MsgAnswer> &answers() const { return m_answers; }
    int count() const { return m_shown.size(); }
    const zx::MsgRequest &last() const { return m_shown.last(); }
    const zx::MsgRequest &at(int i) const { return m_shown.at(i); }
    // The texts of all boxes, and the lines (split at CR LF) of one.
    QStringList texts() const;
    QStringList lines(int i) const;
    QStringList lastLines() const { return lines(m_shown.size() - 1); }
    bool anyTextContains(const QString &part) const;

    void clear()
    {
        m_shown.clear();
        m_answers.clear();
        m_queue.clear();
    }

private:
    QList<zx::MsgAnswer> m_queue;
    QList<zx::MsgRequest> m_shown;
    QList<zx::MsgAnswer> m_answers;
};

} // namespace zx::test
