#pragma once
// StringTable: the string resources of one module, by number. The program's own table is built
// from res/strings.tsv at build time; other modules (and tests) make their own.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

class StringTable {
public:
    struct Entry {
        uint32_t id;
        std::u16string_view text;
    };

    // `entries` must outlive the table; `handle` names the module in the error log.
    StringTable(std::vector<Entry> entries, uint32_t handle);

    // The program's own strings (module handle kOwnModuleHandle).
    static const StringTable& Own();

    uint32_t Handle() const { return handle_; }
    // The text of string `id`, or nothing when the table has no such string.
    const std::u16string_view* Find(uint32_t id) const;
    // Copies string `id` into `buffer` of `capacity` characters as the platform's string loader
    // does: at most capacity - 1 characters and a NUL. Returns the characters copied (0 when the
    // string is missing or the buffer has no room).
    int Load(uint32_t id, char16_t* buffer, int capacity) const;

private:
    std::vector<Entry> entries_;  // sorted by id
    uint32_t handle_;
};

inline constexpr uint32_t kOwnModuleHandle = 0x00010000;
