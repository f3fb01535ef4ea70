#include "core/res/StringTable.h"

#include <algorithm>

StringTable::StringTable(std::vector<Entry> entries, uint32_t handle)
    : entries_(std::move(entries)), handle_(handle) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.id < b.id; });
}

const std::u16string_view* StringTable::Find(uint32_t id) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                     [](const Entry& e, uint32_t key) { return e.id < key; });
    return it != entries_.end() && it->id == id ? &it->text : nullptr;
}

int StringTable::Load(uint32_t id, char16_t* buffer, int capacity) const {
    const std::u16string_view* text = Find(id);
    if (!text || capacity <= 0) return 0;
    const size_t count = std::min(text->size(), static_cast<size_t>(capacity - 1));
    std::copy_n(text->data(), count, buffer);
    buffer[count] = 0;
    return static_cast<int>(count);
}
