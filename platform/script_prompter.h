#pragma once
// A prompter that answers without a person: from a list of answers given in the environment,
// the preselected button once the list is used up. Every box is appended to a log file.
// Used to drive the desktop program from scripts and tests:
//   ZX_PROMPT_ANSWERS="yes,no"   answers in order (names as answerName, any case; "default")
//   ZX_PROMPT_LOG=/path/file     one record per box: "<<title", the text lines, ">>answer"
#include "platform/prompter.h"

#include <QStringList>

namespace zx {

class ScriptPrompter : public Prompter {
public:
    ScriptPrompter(const QString &answers, const QString &logFile);
    // Built from ZX_PROMPT_ANSWERS / ZX_PROMPT_LOG; nullptr when ZX_PROMPT_ANSWERS is not set.
    static ScriptPrompter *fromEnvironment();

    MsgAnswer show(const MsgRequest &request) override;

private:
    QStringList m_answers;
    QString m_logFile;
};

} // namespace zx
