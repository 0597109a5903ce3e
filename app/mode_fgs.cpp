#include "app/mode_fgs.h"

#include "app/mode_commands.h"

namespace zx {

CommandStates zapFgsMDI()
{
    CommandStates c;
    for (const QString &k : cmd::cfileButtons()) {
        c.enableWithTwins(k, false);
    }
    return c;
}

CommandStates testLevelStates(int userLevel)
{
    CommandStates c;
    for (const QString &n : cmd::testLevelCommands())
        c.show(n, userLevel > 0);
    for (const QString &n : cmd::level4Commands())
        c.show(n, userLevel == 4);
    return c;
}

CommandStates setFgsMDI(int userLevel)
{
    CommandStates c;
    for (const QString &k : {cmd::Save, cmd::Print, cmd::Search, cmd::WordWrap})
        c.enableWithTwins(k, true);
    for (const QString &k : {cmd::Bold, cmd::Italic, cmd::Underline, cmd::StrikeThru, cmd::Left, cmd::Center,
                             cmd::Right, cmd::Bullet, cmd::CaseToUpper, cmd::CaseToLower, cmd::TabLeft,
                             cmd::TabRight, cmd::TruFont})
        c.enableWithTwins(k, true);
    c.merge(testLevelStates(userLevel));
    return c;
}

CommandStates updFgsMDI(const CFileFacts &f, bool editingAllowed, int userLevel)
{
    if (!f.present) {
        CommandStates c = zapFgsMDI();
        c.merge(testLevelStates(userLevel));
        return c;
    }
    CommandStates c;
    const bool hasText = !f.textEmpty;
    for (const QString &k : {cmd::Print, cmd::Search, cmd::WordWrap})
        c.enableWithTwins(k, hasText);
    c.enableWithTwins(cmd::Undo, f.canUndo && editingAllowed);
    c.enableWithTwins(cmd::Copy, !f.selectionEmpty);
    c.enableWithTwins(cmd::Cut, !f.selectionEmpty && editingAllowed);
    c.enableWithTwins(cmd::Paste, f.clipboardHasText && editingAllowed);
    c.enableWithTwins(cmd::CaseToUpper, !f.selectionEmpty && editingAllowed);
    c.enableWithTwins(cmd::CaseToLower, !f.selectionEmpty && editingAllowed);
    c.enableWithTwins(cmd::TabLeft, true);
    c.enableWithTwins(cmd::TabRight, true);
    c.checkWithTwins(cmd::Left, f.alignment == 0);
    c.checkWithTwins(cmd::Center, f.alignment == 1);
    c.checkWithTwins(cmd::Right, f.alignment == 2);
    c.checkWithTwins(cmd::Bold, f.bold);
    c.checkWithTwins(cmd::Italic, f.italic);
    c.checkWithTwins(cmd::Underline, f.underline);
    c.checkWithTwins(cmd::StrikeThru, f.strikeThru);
    c.checkWithTwins(cmd::Bullet, f.bullet);
    c.merge(testLevelStates(userLevel));
    return c;
}

} // namespace zx
