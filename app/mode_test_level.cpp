#include "app/mode_test_level.h"

#include <algorithm>

namespace zx {

namespace {

bool ask(Prompter &prompter, int level, const QString &question)
{
    MsgRequest r;
    r.title = QStringLiteral(" Software Test...");
    r.text = QStringLiteral("Current Test Level is (") + QString::number(level) + QStringLiteral(")\r\n\r\n") + question;
    r.buttons = MsgButtons::YesNo;
    r.defaultButton = 2;
    r.icon = MsgIcon::Question;
    return prompter.show(r) == MsgAnswer::Yes;
}

} // namespace

bool askTestLevel(int action, Prompter &prompter, const TestLevelFlags &f)
{
    if (!f.userLevel || !f.softTest)
        return false;
    int &level = *f.userLevel;
    switch (action) {
    case 0:
        if (!*f.softTest || !ask(prompter, level, QStringLiteral("Increment Test Level..?")))
            return false;
        level = std::min(level + 1, 4);
        return true;
    case 1:
        if (!*f.softTest || !ask(prompter, level, QStringLiteral("Decrement Test Level..?")))
            return false;
        level = std::max(level - 1, 0);
        return true;
    case 2:
        if (*f.softTest) {
            if (!ask(prompter, level, QStringLiteral("Deactivate") + QStringLiteral(" Software Test Mode..?")))
                return false;
            *f.softTest = false;
            if (f.rememberedLevel)
                *f.rememberedLevel = level;
        } else {
            if (!ask(prompter, level, QStringLiteral("Activate") + QStringLiteral(" Software Test Mode..?")))
                return false;
            *f.softTest = true;
            if (f.rememberedLevel)
                level = *f.rememberedLevel;
        }
        return true;
    case 3:
        if (!f.softDebugSee)
            return false;
        if (*f.softDebugSee) {
            if (!ask(prompter, level, QStringLiteral("Deactivate") + QStringLiteral(" Debug Mode..?")))
                return false;
            *f.softDebugSee = false;
        } else {
            if (!ask(prompter, level, QStringLiteral("Activate") + QStringLiteral(" Debug Mode..?")))
                return false;
            *f.softDebugSee = true;
        }
        return true;
    default:
        return false;
    }
}

QString noteDisabledText(int userLevel)
{
    return QStringLiteral("[") + QStringLiteral("0") + QStringLiteral(":") + QString::number(userLevel)
           + QStringLiteral("] - This function is temporarily disabled...");
}

void noteDisabled(Prompter &prompter, int userLevel)
{
    prompter.inform(noteDisabledText(userLevel));
}

} // namespace zx
