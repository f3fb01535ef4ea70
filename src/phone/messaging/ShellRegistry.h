#pragma once
// The platform's own registry keys that messaging and shell integration read and change (outside
// the settings root). A registry that cannot be opened counts as a failed step: reads give
// nothing, writes false, nothing throws.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/Registry.h"

namespace shellreg {

std::optional<plat::RegValue> Get(plat::Hive hive, std::u16string_view key, std::u16string_view name);
// The text of a REG_SZ value; nothing for a missing value or one of another type.
std::optional<std::u16string> GetString(plat::Hive hive, std::u16string_view key, std::u16string_view name);
// The number of a REG_DWORD value; nothing for a missing value or one of another type.
std::optional<uint32_t> GetDword(plat::Hive hive, std::u16string_view key, std::u16string_view name);

[[nodiscard]] bool Set(plat::Hive hive, std::u16string_view key, std::u16string_view name,
                       const plat::RegValue& value);
[[nodiscard]] bool SetString(plat::Hive hive, std::u16string_view key, std::u16string_view name,
                             std::u16string_view text);
[[nodiscard]] bool Delete(plat::Hive hive, std::u16string_view key, std::u16string_view name);
[[nodiscard]] bool CreateKey(plat::Hive hive, std::u16string_view key);

// This program's file as the settings give it ("ProgramPath" of section "Settings"); empty when
// it was never written.
std::u16string ProgramPath();
// The program path in double quotes, as the shell's keys hold commands.
std::u16string QuotedProgramPath();

// Lower-cased one UTF-16 unit at a time with the platform's lower-casing.
std::u16string Lower(std::u16string_view text);
// Whether `text` contains `part`, ignoring case.
[[nodiscard]] bool ContainsNoCase(std::u16string_view text, std::u16string_view part);

}  // namespace shellreg
