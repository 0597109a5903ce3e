#include "app/mode_commands.h"

#include <QHash>

namespace zx::cmd {

QStringList cfileButtons()
{
    return {Save, Print, Cut, Copy, Paste, Undo, Redo, Search, WordWrap,
            Bold, Italic, Underline, StrikeThru, Left, Center, Right, Bullet,
            CaseToUpper, CaseToLower, TabLeft, TabRight, TruFont};
}

QStringList menuTwins(const QString &key)
{
    static const QHash<QString, QStringList> twins = {
        {Save, {QStringLiteral("mnuFileSave")}},
        {Print, {QStringLiteral("mnuFilePrint"), QStringLiteral("mnuFilePrintPreview")}},
        {Cut, {QStringLiteral("mnuEditCut")}},
        {Copy, {QStringLiteral("mnuEditCopy")}},
        {Paste, {QStringLiteral("mnuEditPaste")}},
        {Undo, {QStringLiteral("mnuEditUndo")}},
        {Redo, {QStringLiteral("mnuEditRedo")}},
        {Search, {QStringLiteral("mnuEditFind"), QStringLiteral("mnuEditReplace")}},
        {Bold, {QStringLiteral("mnuFmtBold")}},
        {Italic, {QStringLiteral("mnuFmtItalic")}},
        {Underline, {QStringLiteral("mnuFmtUnderline")}},
        {StrikeThru, {QStringLiteral("mnuFmtStrikeThru")}},
        {Left, {QStringLiteral("mnuFmtLeft")}},
        {Center, {QStringLiteral("mnuFmtCenter")}},
        {Right, {QStringLiteral("mnuFmtRight")}},
        {Bullet, {mnuFmtBullet}},
        {CaseToUpper, {QStringLiteral("mnuFmtCaseUpper")}},
        {CaseToLower, {QStringLiteral("mnuFmtCaseLower")}},
        {TabLeft, {QStringLiteral("mnuFmtTabLeft")}},
        {TabRight, {QStringLiteral("mnuFmtTabRight")}},
        {TruFont, {QStringLiteral("mnuFmtFont")}},
    };
    return twins.value(key);
}

QStringList rv5Commands()
{
    return {mnuRemTest, mnuRemCalibrate, mnuRemPowerOn, mnuRemPowerOff, mnuRemRapidFireOn,
            mnuRemArcheryOn, mnuSnsOn, mnuSnsLevel, mnuCroPref, mnuRemStatus, mnuRemRemo,
            popRemRemo, QStringLiteral("mnuDownload"), QStringLiteral("mnuDownloadFolder"),
            QStringLiteral("mnuDownloadString"), QStringLiteral("mnuDownloadEDisk")};
}

QStringList testLevelCommands()
{
    return {mnuRemCmdList};
}

QStringList level4Commands()
{
    return {};
}

} // namespace zx::cmd
