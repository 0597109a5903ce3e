#pragma once
// Settings of the string statistics panel.
#include "platform/settings_key.h"

namespace zx::keys::frmStats {
inline constexpr SettingKey BulletGrains{"frmStats", "BulletGrains", "0"};   // 0: no energy figures
} // namespace zx::keys::frmStats
