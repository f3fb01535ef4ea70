#pragma once
// The markup of view texts: a few tags that style the characters after them.
//
//   <B> </B> bold, <I> </I> italic, <U> </U> underline, <S> </S> strike-through,
//   <L> a line break, <Pnn> </P> text size nn (two decimal digits), <#rrggbb> </#> colour.
//
// Letters may be of either case. A less-than sign starts a tag only when the whole tag stands
// there; every other less-than sign, and any text that looks like a tag but is not one of these,
// is shown as it is. A "\n" in the text breaks the line too. Values are not escaped: a value
// that holds "<B>" switches to bold there.
#include <cstdint>
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"

struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int size = 0;        // 0: the default size
    uint32_t color = 0;  // 0xRRGGBB; 0: the default colour

    [[nodiscard]] bool operator==(const TextStyle&) const = default;
};

// Characters of one style. Line breaks stay in the text as "\n".
struct StyledRun {
    Str text;
    TextStyle style;
};

// The runs of a marked-up text, each as long as the style stays the same; no empty runs.
Array<StyledRun> ParseMarkup(std::u16string_view text);

// The text without its tags ("<L>" becomes "\n").
Str StripMarkup(std::u16string_view text);
