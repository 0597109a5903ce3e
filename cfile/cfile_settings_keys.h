#pragma once
// Settings owned by the CFile documents.
#include "platform/settings_key.h"

namespace zx::keys {

namespace CFile {
// Window state a new CFile window takes: 0 normal, 1 minimised, 2 maximised.
inline constexpr SettingKey CFileState{"CFile", "CFileState", "0"};
} // namespace CFile

} // namespace zx::keys
