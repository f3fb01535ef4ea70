#pragma once
// The tag of a custom phone or e-mail entry, computed from its name and value so that a custom
// default survives a restart without being stored anywhere else. A custom tag always has 0xF in
// its top four bits; no standard property tag has.
#include <cstdint>
#include <string_view>

// The 16-bit text hash, read as a signed number and widened with its sign: characters at even
// positions are added as they are, characters at odd positions shifted left by 8 (or-ed with 1
// when above 0xFF); the sums wrap at 16 bits.
int32_t TextHash16(std::u16string_view text);

// h(value) or-ed with (0xF000 | the low 12 bits of h(name)) << 16.
uint32_t CustomTag(std::u16string_view name, std::u16string_view value);

inline bool IsCustomTag(uint32_t tag) { return (tag >> 28) == 0xF; }
