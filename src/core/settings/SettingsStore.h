#pragma once
// SettingsStore: every persistent preference, in the device registry under HKEY_CURRENT_USER
// "Software\Velmora\PIM\<section>". Nothing is cached: each call opens the section, reads or
// writes, and is done. Section and value names come from SettingsKeys.h.
//
// No operation says why it failed: a read that finds nothing usable (no value, a value of
// another type, no registry) gives its default, a write that fails returns false, and nothing is
// shown or logged. An empty section or value name makes every operation return its default or
// false without touching the registry.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/str/Str.h"

class SettingsStore {
public:
    // The stored number when the value exists and is a REG_DWORD; otherwise `def`.
    static uint32_t ReadDword(std::u16string_view section, std::u16string_view name, uint32_t def);
    // ReadDword; when the value is missing (or of another type) `def` is also written.
    static uint32_t ReadDwordOrCreate(std::u16string_view section, std::u16string_view name,
                                      uint32_t def);
    // The stored text when the value exists and is a REG_SZ; otherwise `def`.
    static Str ReadString(std::u16string_view section, std::u16string_view name, std::u16string_view def);
    // The bytes of a REG_BINARY value; empty when there is none (or it has another type).
    static std::vector<uint8_t> ReadBinary(std::u16string_view section, std::u16string_view name);
    // ReadString into `buffer` of `capacity` characters: the stored text when it is shorter than
    // the capacity, else the default; a default that does not fit either is cut to fit. The
    // buffer is always NUL-terminated (when capacity > 0).
    static void ReadStringInto(std::u16string_view section, std::u16string_view name, char16_t* buffer,
                               int capacity, std::u16string_view def);

    // Writes create the section when needed. `flush` is kept for callers that batch writes; every
    // write of the device registry is committed at once.
    [[nodiscard]] static bool WriteDword(std::u16string_view section, std::u16string_view name,
                                         uint32_t value, bool flush = true);
    [[nodiscard]] static bool WriteString(std::u16string_view section, std::u16string_view name,
                                          std::u16string_view text, bool flush = true);
    [[nodiscard]] static bool WriteBinary(std::u16string_view section, std::u16string_view name,
                                          std::span<const uint8_t> bytes);
    [[nodiscard]] static bool DeleteValue(std::u16string_view section, std::u16string_view name);
    // Deletes the section with all its subsections.
    [[nodiscard]] static bool DeleteSection(std::u16string_view section);
    // True when the section exists.
    [[nodiscard]] static bool FlushSection(std::u16string_view section);

    // List sections: "Count" and the values "0" to Count-1, deleted and written again whole.
    // Reading skips numbered values that are missing or of another type, and never reads more
    // entries than the section holds values, whatever "Count" says.
    static std::vector<uint32_t> ReadDwordList(std::u16string_view section);
    static std::vector<Str> ReadStringList(std::u16string_view section);
    [[nodiscard]] static bool WriteDwordList(std::u16string_view section, std::span<const uint32_t> values);
    [[nodiscard]] static bool WriteStringList(std::u16string_view section, std::span<const Str> values);

    // File flags: a REG_DWORD in section "Settings" named by the file name part of `path` (after
    // its last backslash). Set writes 1, Clear writes 0, Test is true when it is not 0.
    [[nodiscard]] static bool SetFileFlag(std::u16string_view path);
    [[nodiscard]] static bool ClearFileFlag(std::u16string_view path);
    [[nodiscard]] static bool TestFileFlag(std::u16string_view path);
};
