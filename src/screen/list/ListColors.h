#pragma once
// The colours of the contact list's rows. Contact rows alternate light blue and white by their
// contact index (so the stripes stay with the contacts of a company group); the selected row is
// dark blue while the list has the focus and grey when it has not. Numbers are drawn blue except
// on the selected row of the focused list, where every text is white.
#include <cstdint>

struct RowColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    [[nodiscard]] bool operator==(const RowColor&) const = default;
};

inline constexpr RowColor kRowEven{206, 231, 255};
inline constexpr RowColor kRowOdd{255, 255, 255};
inline constexpr RowColor kRowSelectedFocused{0, 70, 155};
inline constexpr RowColor kRowSelectedUnfocused{181, 181, 181};
inline constexpr RowColor kRowHeader{225, 225, 225};
inline constexpr RowColor kTextNormal{0, 0, 0};
inline constexpr RowColor kTextSelected{255, 255, 255};
inline constexpr RowColor kTextNumber{66, 132, 198};

// What one row is drawn with.
struct RowColors {
    RowColor background;
    RowColor text;
    RowColor number;
    [[nodiscard]] bool operator==(const RowColors&) const = default;
};

// `contactIndex` is the row's contact index (-1 for a company header).
constexpr RowColors ColorsOfRow(int contactIndex, bool selected, bool focused) {
    if (selected && focused) return {kRowSelectedFocused, kTextSelected, kTextSelected};
    if (selected) return {kRowSelectedUnfocused, kTextNormal, kTextNumber};
    if (contactIndex < 0) return {kRowHeader, kTextNormal, kTextNumber};
    return {contactIndex % 2 == 0 ? kRowEven : kRowOdd, kTextNormal, kTextNumber};
}
