#pragma once
// One stored value: its section, key and the default a missing key yields, kept together so a
// reader of a keys header sees every stored value and its default at a glance.

namespace zx {

struct SettingKey {
    const char *section;
    const char *key;
    const char *defaultValue;   // as stored text; "" when the owner computes the default
};

} // namespace zx
