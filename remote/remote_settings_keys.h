#pragma once
// Settings of the remote control panel (section frmRemCtr). Position in twips; "" where the
// panel chooses its default.
#include "platform/settings_key.h"

namespace zx::keys::frmRemCtr {

inline constexpr SettingKey PosWinX{"frmRemCtr", "PosWinX", ""};
inline constexpr SettingKey PosWinY{"frmRemCtr", "PosWinY", ""};
inline constexpr SettingKey Debug{"frmRemCtr", "Debug", "False"};
inline constexpr SettingKey CLogOn{"frmRemCtr", "CLogOn", "False"};   // panel communication log on

} // namespace zx::keys::frmRemCtr
