#pragma once
// Settings of the iNotes window (section frmVipNotes; ShowVipNotes is in app/settings_keys.h).
#include "platform/settings_key.h"

namespace zx::keys::frmVipNotes {

inline constexpr SettingKey RefNumSee{"frmVipNotes", "RefNumSee", "False"};     // ID numbers with the reference
inline constexpr SettingKey BackupNotes{"frmVipNotes", "BackupNotes", "False"}; // back up before saving
inline constexpr SettingKey ABGoTo{"frmVipNotes", "ABGoTo", ""};

} // namespace zx::keys::frmVipNotes
