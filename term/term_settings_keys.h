#pragma once
// Settings of the terminal window (section frmBuffer): size and place in twips ("" where the
// window chooses), and whether log lines carry a time stamp.
#include "platform/settings_key.h"

namespace zx::keys::frmBuffer {

inline constexpr SettingKey SizWinX{"frmBuffer", "SizWinX", ""};
inline constexpr SettingKey SizWinY{"frmBuffer", "SizWinY", ""};
inline constexpr SettingKey PosWinX{"frmBuffer", "PosWinX", ""};
inline constexpr SettingKey PosWinY{"frmBuffer", "PosWinY", ""};
inline constexpr SettingKey LogStamps{"frmBuffer", "LogStamps", "False"};

} // namespace zx::keys::frmBuffer
