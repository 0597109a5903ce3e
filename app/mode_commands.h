#pragma once
// Names (objectName) of the main window's commands whose state the mode and
// status refresh and the CFile refreshes drive. Tool buttons carry their
// toolbar keys, menu commands their mnu/pop names.
#include <QString>
#include <QStringList>

namespace zx::cmd {

// Standard toolbar keys.
inline const QString New = QStringLiteral("New");
inline const QString Open = QStringLiteral("Open");
inline const QString Save = QStringLiteral("Save");
inline const QString Print = QStringLiteral("Print");
inline const QString Cut = QStringLiteral("Cut");
inline const QString Copy = QStringLiteral("Copy");
inline const QString Paste = QStringLiteral("Paste");
inline const QString Undo = QStringLiteral("Undo");
inline const QString Redo = QStringLiteral("Redo");
inline const QString Search = QStringLiteral("Search");
inline const QString WordWrap = QStringLiteral("WordWrap");
inline const QString Connect = QStringLiteral("Connect");
inline const QString BTerminal = QStringLiteral("BTerminal");
inline const QString Keypad = QStringLiteral("Keypad");
inline const QString IPad = QStringLiteral("iPad");
inline const QString Properties = QStringLiteral("Properties");

// Format toolbar keys.
inline const QString Bold = QStringLiteral("Bold");
inline const QString Italic = QStringLiteral("Italic");
inline const QString Underline = QStringLiteral("Underline");
inline const QString StrikeThru = QStringLiteral("StrikeThru");
inline const QString Left = QStringLiteral("Left");
inline const QString Center = QStringLiteral("Center");
inline const QString Right = QStringLiteral("Right");
inline const QString Bullet = QStringLiteral("Bullet");
inline const QString CaseToUpper = QStringLiteral("CaseToUpper");
inline const QString CaseToLower = QStringLiteral("CaseToLower");
inline const QString TabLeft = QStringLiteral("TabLeft");
inline const QString TabRight = QStringLiteral("TabRight");
inline const QString TruFont = QStringLiteral("TruFont");

// Every CFile-related tool button, standard toolbar first.
QStringList cfileButtons();
// Menu commands that follow a tool button (same enabled and checked state).
QStringList menuTwins(const QString &key);

// Chrono menu (remote operations) and its pop-up twins.
inline const QString mnuRemStart = QStringLiteral("mnuRemStart");
inline const QString mnuRemStop = QStringLiteral("mnuRemStop");
inline const QString mnuRemRemo = QStringLiteral("mnuRemRemo");
inline const QString popRemStart = QStringLiteral("popRemStart");
inline const QString popRemStop = QStringLiteral("popRemStop");
inline const QString popRemRemo = QStringLiteral("popRemRemo");
inline const QString mnuRemTest = QStringLiteral("mnuRemTest");
inline const QString mnuRemCalibrate = QStringLiteral("mnuRemCalibrate");
inline const QString mnuRemPowerOn = QStringLiteral("mnuRemPowerOn");
inline const QString mnuRemPowerOff = QStringLiteral("mnuRemPowerOff");
inline const QString mnuRemRapidFireOn = QStringLiteral("mnuRemRapidFireOn");
inline const QString mnuRemArcheryOn = QStringLiteral("mnuRemArcheryOn");
inline const QString mnuSnsOn = QStringLiteral("mnuSnsOn");
inline const QString mnuSnsLevel = QStringLiteral("mnuSnsLevel");
inline const QString mnuCroPref = QStringLiteral("mnuCroPref");
inline const QString mnuRemStatus = QStringLiteral("mnuRemStatus");
inline const QString mnuRemCmdList = QStringLiteral("mnuRemCmdList");
// Interface menu.
inline const QString mnuProperties = QStringLiteral("mnuProperties");
inline const QString mnuConnect = QStringLiteral("mnuConnect");
inline const QString mnuDetect = QStringLiteral("mnuDetect");
inline const QString mnuTerminal = QStringLiteral("mnuTerminal");
// Extra options (MoreOptions).
inline const QString mnuKeyPad = QStringLiteral("mnuKeyPad");
inline const QString mnuIRemote = QStringLiteral("mnuIRemote");

// Format menu check marks.
inline const QString mnuFmtOffNorm = QStringLiteral("mnuFmtOffNorm");
inline const QString mnuFmtOffUp = QStringLiteral("mnuFmtOffUp");
inline const QString mnuFmtOffDown = QStringLiteral("mnuFmtOffDown");
inline const QString mnuFmtBullet = QStringLiteral("mnuFmtBullet");
inline const QString mnuFmtDefault = QStringLiteral("mnuFmtDefault");
inline const QString mnuMargDefault = QStringLiteral("mnuMargDefault");
inline const QString mnuTabDefault = QStringLiteral("mnuTabDefault");
inline const QString mnuExcConnect = QStringLiteral("mnuExcConnect");
inline const QString mnuExcDisConnect = QStringLiteral("mnuExcDisConnect");

// Debug menu.
inline const QString mnuDbgLevel = QStringLiteral("mnuDbgLev");  // the level sub-menu
inline const QString mnuDbgMinLev = QStringLiteral("mnuDbgMinLev");
inline const QString mnuDbgMaxLev = QStringLiteral("mnuDbgMaxLev");
inline const QString mnuDbgSftTst = QStringLiteral("mnuDbgSftTst");
inline const QString mnuDbgSftShp = QStringLiteral("mnuDbgSftShp");
inline const QString mnuDbgSftDbg = QStringLiteral("mnuDbgSftDbg");
inline const QString mnuDbgGetReg = QStringLiteral("mnuDbgGetReg");
inline const QString mnuDbgSavReg = QStringLiteral("mnuDbgSavReg");
inline const QString mnuDbgZapReg = QStringLiteral("mnuDbgZapReg");

// Commands that need the RV5 (enabled only while it is the selected device).
QStringList rv5Commands();
// Commands shown only above user level 0, and only at level 4 (none today: resetting the
// CFile sequence, mnuCFileReSeq, is every user's command).
QStringList testLevelCommands();
QStringList level4Commands();

} // namespace zx::cmd
