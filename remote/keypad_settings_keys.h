#pragma once
// Settings of the keypad window (section frmKeyPad): position in twips ("" until it was first
// closed) and the pad's size step (0 is the normal size).
#include "platform/settings_key.h"

namespace zx::keys::frmKeyPad {

inline constexpr SettingKey PosWinX{"frmKeyPad", "PosWinX", ""};
inline constexpr SettingKey PosWinY{"frmKeyPad", "PosWinY", ""};
inline constexpr SettingKey PadSize{"frmKeyPad", "PadSize", "0"};

} // namespace zx::keys::frmKeyPad
