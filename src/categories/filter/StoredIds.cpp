#include "categories/filter/StoredIds.h"

#include <algorithm>
#include <string>

#include "core/settings/SettingsStore.h"

void AppendStoredIds(std::u16string_view section, int64_t count, std::vector<uint32_t>& ids) {
    for (int64_t i = 0; i < count; ++i) {
        const std::string digits = std::to_string(i);
        const std::u16string name(digits.begin(), digits.end());
        const uint32_t id = SettingsStore::ReadDword(section, name, 0);
        if (id != 0 && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
}
