#pragma once
// The registry a new device comes with: every default key and value of the platform in one table,
// so later features add theirs here.
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

namespace plat {

struct RegistryDefault {
    Hive hive;
    std::u16string key;
    std::u16string name;
    std::optional<RegValue> value;  // nothing: the key alone
};

// The defaults of a new device whose locale is `localeName` ("de_DE").
std::vector<RegistryDefault> PlatformRegistryDefaults(const std::string& localeName);

// Writes the defaults; false when a write failed.
[[nodiscard]] bool WriteRegistryDefaults(Registry& registry, const std::string& localeName);

}  // namespace plat
