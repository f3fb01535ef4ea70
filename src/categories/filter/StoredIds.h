#pragma once
// Reading the numbered values of a list section ("0", "1", ...) into an id list.
#include <cstdint>
#include <string_view>
#include <vector>

// Reads the values "0" up to `count` - 1 of `section` and appends each non-zero id that `ids`
// does not hold yet. A value that is missing or not a REG_DWORD reads as 0 and is skipped.
void AppendStoredIds(std::u16string_view section, int64_t count, std::vector<uint32_t>& ids);
