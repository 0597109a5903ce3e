#pragma once
// Settings owned by the chronograph link: the link port's settings and the terminal buffer
// window's place. CommPort is also set from the command line ("P=") at start.
#include "platform/settings_key.h"

namespace zx::keys {

namespace frmComSet {
inline constexpr SettingKey CommPort{"frmComSet", "CommPort", "1"};
inline constexpr SettingKey Settings{"frmComSet", "Settings", "4800,n,8,1"};
inline constexpr SettingKey Handshaking{"frmComSet", "Handshaking", "0"};
// Reopen the link port when its device comes back after it was lost (a pulled cable).
inline constexpr SettingKey AutoReconnect{"frmComSet", "AutoReconnect", "True"};
} // namespace frmComSet

namespace frmBuffer {   // twips; defaults chosen by the window (kept within the screen)
inline constexpr SettingKey PosWinX{"frmBuffer", "PosWinX", ""};
inline constexpr SettingKey PosWinY{"frmBuffer", "PosWinY", ""};
inline constexpr SettingKey SizWinX{"frmBuffer", "SizWinX", ""};
inline constexpr SettingKey SizWinY{"frmBuffer", "SizWinY", ""};
} // namespace frmBuffer

} // namespace zx::keys
