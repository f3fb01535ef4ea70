#include "screen/list/TextFit.h"

namespace {

constexpr std::u16string_view kEllipsis = u"...";

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The longest prefix of `text` whose width is at most `room` (prefix widths grow with length).
size_t LongestPrefix(std::u16string_view text, int room, const MeasureText& measure) {
    size_t lo = 0;
    size_t hi = text.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo + 1) / 2;
        if (measure(text.substr(0, mid)) <= room) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    // Never split a surrogate pair.
    if (lo > 0 && lo < text.size() && IsLowSurrogate(text[lo])) --lo;
    return lo;
}

}  // namespace

FittedText FitText(std::u16string_view text, int width, const MeasureText& measure) {
    if (measure(text) <= width) return {Str(text), static_cast<int>(text.size())};
    size_t keep = LongestPrefix(text, width - measure(kEllipsis), measure);
    while (keep > 0 && kCutTrailers.find(text[keep - 1]) != std::u16string_view::npos) --keep;
    if (keep == 0) return {Str(kEllipsis), 0};
    return {Str(text.substr(0, keep)) + kEllipsis, static_cast<int>(keep)};
}
