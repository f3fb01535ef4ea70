#pragma once
// CategoryMenuList: the categories the filter menu offers directly, most recently chosen last,
// with room for `Capacity()` ids. Kept in the settings section "CatMenu" as a list ("Count" and
// values named "0", "1", ...).
#include <cstdint>
#include <vector>

class CategoryMenuList {
public:
    // A capacity of 0 or less leaves no room: the list then stays empty.
    void SetCapacity(int maxEntries);
    int Capacity() const { return capacity_; }
    const std::vector<uint32_t>& Ids() const { return ids_; }

    // An id already present is taken out and appended; a new one is appended, the oldest being
    // dropped first when the list is full.
    void MoveToRecent(uint32_t id);
    void Remove(uint32_t id);

    // Appends the stored ids (at most Capacity() values are read); zero and repeated ids are
    // skipped, as are values of another type.
    void Load();
    // Deletes the section and writes it again whole.
    [[nodiscard]] bool Save() const;

private:
    std::vector<uint32_t> ids_;
    int capacity_ = 0;
};
