#pragma once
// Settings owned by the application shell: instance records, debug and test flags, the main
// window's keys, the start-up keys of the port setup and the error count.
// Each key: section, key, default as stored text ("" where the default is computed).
#include "platform/settings_key.h"

namespace zx::keys {

namespace Morvane {
inline constexpr SettingKey AppNum{"Morvane", "AppNum", ""};          // written only
inline constexpr SettingKey AppRun{"Morvane", "AppRun", ""};          // instance name while running
inline constexpr SettingKey AppEnd{"Morvane", "AppEnd", ""};          // instance name after an orderly exit
inline constexpr SettingKey AppPrt{"Morvane", "AppPrt", "0"};         // COM port held by the copy
inline constexpr SettingKey SoftDebugSee{"Morvane", "SoftDebugSee", "False"};
inline constexpr SettingKey SoftDebug{"Morvane", "SoftDebug", "False"};
inline constexpr SettingKey SoftTest{"Morvane", "SoftTest", "False"};
inline constexpr SettingKey GetRegistry{"Morvane", "GetRegistry", "True"};
inline constexpr SettingKey SaveRegistry{"Morvane", "SaveRegistry", "True"};
inline constexpr SettingKey ClearRegistry{"Morvane", "ClearRegistry", "False"};
inline constexpr SettingKey SoftMore{"Morvane", "SoftMore", "False"};
inline constexpr SettingKey SoftEdit{"Morvane", "SoftEdit", "False"};
inline constexpr SettingKey UserLevel{"Morvane", "UserLevel", "4"};   // used with shipMode off
} // namespace Morvane

namespace frmVipNotes {
inline constexpr SettingKey UserLevel{"frmVipNotes", "UserLevel", "0"};   // used with shipMode on
inline constexpr SettingKey SoftTest{"frmVipNotes", "SoftTest", "False"}; // used with shipMode on
inline constexpr SettingKey ShowWarn{"frmVipNotes", "ShowWarn", "True"};
inline constexpr SettingKey ShowWarnRV{"frmVipNotes", "ShowWarnRV", "True"};
inline constexpr SettingKey ShowVipNotes{"frmVipNotes", "ShowVipNotes", "1"};
} // namespace frmVipNotes

namespace frmMDI {
inline constexpr SettingKey PosWinX{"frmMDI", "PosWinX", ""};         // twips; default: centred
inline constexpr SettingKey PosWinY{"frmMDI", "PosWinY", ""};         // twips; default: centred
inline constexpr SettingKey SizWinX{"frmMDI", "SizWinX", "8025"};     // twips
inline constexpr SettingKey SizWinY{"frmMDI", "SizWinY", ""};         // twips; default: 2/3 of the screen
inline constexpr SettingKey MoreOptions{"frmMDI", "MoreOptions", "False"};
inline constexpr SettingKey StandardToolbar{"frmMDI", "StandardToolbar", "True"};
inline constexpr SettingKey FormatToolbar{"frmMDI", "FormatToolbar", "True"};
inline constexpr SettingKey Ruler{"frmMDI", "Ruler", "False"};
inline constexpr SettingKey StatusBar{"frmMDI", "StatusBar", "True"};
inline constexpr SettingKey ViewMode{"frmMDI", "ViewMode", "0"};      // 0 to 2, anything else reads 0
} // namespace frmMDI

namespace frmComSet {
inline constexpr SettingKey AutoDetect{"frmComSet", "AutoDetect", "True"};
inline constexpr SettingKey AutoConnect{"frmComSet", "AutoConnect", "True"};
inline constexpr SettingKey ChronSelect{"frmComSet", "ChronSelect", "1"}; // 0 own, 1 first free, 2 last used
inline constexpr SettingKey Device{"frmComSet", "Device", "0"};           // 0 is the RV5
inline constexpr SettingKey Echo{"frmComSet", "Echo", "False"};
} // namespace frmComSet

namespace frmErrox {
inline constexpr SettingKey gxMoxErc{"frmErrox", "gxMoxErc", "0"};       // errorCount
} // namespace frmErrox

// Reserved for the recent-files list; removed by the clearing functions.
inline constexpr const char *kSectionMRU = "modMRU";

// Sections removed by the immediate clear, in this order (frmVipNotes twice, as the program does).
inline constexpr const char *kClearOrder[] = {"frmMDI",      "CFile",    "Morvane", "frmVipNotes",
                                              "frmComSet",   "frmVipNotes", "frmErrox", "modMRU",
                                              "frmExpSet",   "frmRemCtr", "frmBuffer"};

} // namespace zx::keys
