#pragma once
// A prompter that answers without a person: from a list of button names given on the command
// line (zentrix --answers Yes,No), the preselected button once the list is used up. Every box
// may be appended to a log file (zentrix --answers-log FILE), which real boxes use too:
//   "<<" + title, the text's lines (written when the box appears), ">>" + answer (when answered).
#include "platform/prompter.h"

#include <QStringList>

namespace zx {

class ScriptPrompter : public Prompter {
public:
    ScriptPrompter(const QString &answers, const QString &logFile);
    MsgAnswer show(const MsgRequest &request) override;

private:
    QStringList m_answers;
    QString m_logFile;
};

// The two halves of a box's record in the prompt log (nothing when logFile is empty).
void logPromptShown(const QString &logFile, const MsgRequest &request);
void logPromptAnswer(const QString &logFile, MsgAnswer answer);

} // namespace zx
