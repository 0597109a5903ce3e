#pragma once
// Settings of the string statistics panel.
#include "platform/settings_key.h"

namespace zx::keys::frmStats {
inline constexpr SettingKey BulletGrains{"frmStats", "BulletGrains", "0"};   // 0: no energy figures
inline constexpr SettingKey DockState{"frmStats", "DockState", ""};          // main window docks, base64
} // namespace zx::keys::frmStats
