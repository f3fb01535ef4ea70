#pragma once
// The list and view fonts as stored in sections "ListFont" and "ViewFont": "Name" (REG_SZ, the
// face), "Height" (REG_DWORD, logical units; negative for a character height) and "Flags"
// (REG_DWORD: 1 bold, 2 italic, 4 underline, 8 strike-out).
#include <cstdint>
#include <string_view>

#include "core/str/Str.h"

struct FontStyle {
    enum Flag : uint32_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

    Str face;
    int32_t height = 0;
    uint32_t flags = 0;

    int Weight() const { return (flags & kBold) ? 700 : 400; }
    [[nodiscard]] bool Italic() const { return (flags & kItalic) != 0; }
    [[nodiscard]] bool Underline() const { return (flags & kUnderline) != 0; }
    [[nodiscard]] bool StrikeOut() const { return (flags & kStrikeOut) != 0; }
};

inline constexpr std::u16string_view kDefaultFontFace = u"Tahoma";

// The height of an 8-point font at `dpi` pixels per inch: -trunc(dpi * 8 / 72 + 0.5).
int32_t DefaultFontHeight(int dpi);

// The font of `section` (settings::kListFont or settings::kViewFont); missing values take the
// defaults: face "Tahoma", the 8-point height at `dpi`, no flags.
FontStyle ReadFont(std::u16string_view section, int dpi);
[[nodiscard]] bool WriteFont(std::u16string_view section, const FontStyle& font);
