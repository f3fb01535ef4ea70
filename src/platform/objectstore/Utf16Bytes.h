#pragma once
// Texts are kept in the volume as their UTF-16LE bytes, so every unit (a lone surrogate too)
// comes back exactly as written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat::objstore {

std::vector<uint8_t> Utf16Bytes(std::u16string_view text);

// The text of stored bytes; throws StoreFailure (ERROR_FILE_CORRUPT) for an odd byte count.
std::u16string Utf16Text(const std::vector<uint8_t>& bytes);

// The text folded for comparisons that ignore case (database names).
std::u16string FoldCase(std::u16string_view text);

}  // namespace plat::objstore
