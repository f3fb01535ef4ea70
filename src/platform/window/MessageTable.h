#pragma once
// The device's table of registered message names (layout in WindowFormat.h): the same name gets
// the same number in every process of the device, numbers from 0xC000 up in registration order.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The names of a table file's bytes, in number order; nothing when the bytes are damaged (wrong
// magic, a cut record, an empty or over-long name, more names than numbers).
std::optional<std::vector<std::u16string>> DecodeMessageTable(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeMessageTable(const std::vector<std::u16string>& names);

// The number of `name` in the table of the window folder `folder`, registering it when new.
// 0 with the last error set when the name is empty or longer than 255 units
// (ERROR_INVALID_PARAMETER), the table is damaged (ERROR_FILE_CORRUPT: it is left as it is), all
// numbers are taken (ERROR_NOT_ENOUGH_MEMORY) or the files cannot be used (ERROR_GEN_FAILURE).
uint32_t RegisterMessageName(const std::filesystem::path& folder, std::u16string_view name);

}  // namespace plat
