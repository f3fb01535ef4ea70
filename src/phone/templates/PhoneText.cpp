#include "phone/templates/PhoneText.h"

namespace phonetext {

namespace {

Str Filtered(std::u16string_view text, std::u16string_view set, bool keepMembers) {
    Str out;
    for (char16_t ch : text) {
        if (IsIn(ch, set) == keepMembers) out += ch;
    }
    return out;
}

}  // namespace

int CountOf(std::u16string_view text, std::u16string_view set) {
    int count = 0;
    for (char16_t ch : text) count += IsIn(ch, set) ? 1 : 0;
    return count;
}

Str Only(std::u16string_view text, std::u16string_view set) { return Filtered(text, set, true); }

Str Without(std::u16string_view text, std::u16string_view set) { return Filtered(text, set, false); }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    Str lowerA(a), lowerB(b);
    lowerA.MakeLower();
    lowerB.MakeLower();
    return lowerA == lowerB;
}

Around SplitAround(std::u16string_view text, std::u16string_view set) {
    const size_t first = text.find_first_of(set);
    if (first == std::u16string_view::npos) return {text, {}, {}};
    const size_t last = text.find_last_of(set);
    return {text.substr(0, first), text.substr(first, last + 1 - first), text.substr(last + 1)};
}

Opening SplitOpening(std::u16string_view part) {
    if (part.empty() || !IsIn(part.back(), kOpeningMarks)) return {part, {}};
    size_t start = part.size() - 1;
    while (start > 0 && IsIn(part[start - 1], kOpeningRun)) --start;
    return {part.substr(0, start), part.substr(start)};
}

Closing SplitClosing(std::u16string_view part) {
    size_t end = 0;
    while (end < part.size() && IsIn(part[end], kClosingRun)) ++end;
    return {part.substr(0, end), part.substr(end)};
}

}  // namespace phonetext
