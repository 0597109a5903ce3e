#pragma once
// Settings of the export options window (section frmExpSet): defaults when nothing is stored.
#include "platform/settings_key.h"

namespace zx::keys::frmExpSet {

inline constexpr SettingKey ExpDestin{"frmExpSet", "ExpDestin", "2"};   // 0 text, 1 Word, 2 Excel
inline constexpr SettingKey ExpShowINots{"frmExpSet", "ExpShowINots", "True"};
inline constexpr SettingKey ExpExcXSet{"frmExpSet", "ExpExcXSet", "False"};
inline constexpr SettingKey ExpExcUHed0{"frmExpSet", "ExpExcUHed0", "True"};
inline constexpr SettingKey ExpExcUHed1{"frmExpSet", "ExpExcUHed1", "True"};
inline constexpr SettingKey ExpExcUHed2{"frmExpSet", "ExpExcUHed2", "False"};
inline constexpr SettingKey ExpExcNHed0{"frmExpSet", "ExpExcNHed0", "True"};
inline constexpr SettingKey ExpExcNHed1{"frmExpSet", "ExpExcNHed1", "True"};
inline constexpr SettingKey ExpExcFSts0{"frmExpSet", "ExpExcFSts0", "True"};
inline constexpr SettingKey ExpExcFSts1{"frmExpSet", "ExpExcFSts1", "True"};
inline constexpr SettingKey ExpExcFSts2{"frmExpSet", "ExpExcFSts2", "True"};
inline constexpr SettingKey ExpExcIPos0{"frmExpSet", "ExpExcIPos0", "True"};
inline constexpr SettingKey ExpExcIPos1{"frmExpSet", "ExpExcIPos1", "True"};
inline constexpr SettingKey ExpExcIPos2{"frmExpSet", "ExpExcIPos2", "True"};
inline constexpr SettingKey ExpExcXLog{"frmExpSet", "ExpExcXLog", "True"};

} // namespace zx::keys::frmExpSet

// The workbook window's place on the screen, in pixels ("" = centred at its natural size).
namespace zx::keys::frmWorkbook {

inline constexpr SettingKey PosWinX{"frmWorkbook", "PosWinX", ""};
inline constexpr SettingKey PosWinY{"frmWorkbook", "PosWinY", ""};
inline constexpr SettingKey SizWinX{"frmWorkbook", "SizWinX", ""};
inline constexpr SettingKey SizWinY{"frmWorkbook", "SizWinY", ""};

} // namespace zx::keys::frmWorkbook
