#include "index/alphabet/AbcDefinition.h"

#include "index/alphabet/IndexSeparators.h"

namespace {

Str WithoutBlanks(std::u16string_view text) {
    Str out;
    for (char16_t ch : text) {
        if (ch != u' ') out += ch;
    }
    return out;
}

Str WithoutSeparators(std::u16string_view text) {
    Str out;
    for (char16_t ch : text) {
        if (ch != 0 && !IsIndexSeparator(ch)) out += ch;
    }
    return out;
}

// Adds one entry ("label/members") to the definition unless its label or members are empty.
void AddEntry(std::u16string_view entry, AbcDefinition& out) {
    const size_t slash = entry.find_first_of(u"/\\");
    if (slash == std::u16string_view::npos) return;
    const Str members = WithoutSeparators(entry.substr(slash + 1));
    std::u16string_view label = entry.substr(0, slash);
    std::u16string_view second;
    if (const size_t caret = label.find(u'^'); caret != std::u16string_view::npos) {
        second = label.substr(caret + 1);
        label = label.substr(0, caret);
    }
    const Str first = WithoutBlanks(label);
    if (first.IsEmpty() || members.IsEmpty()) return;
    out.labels.Add(first);
    out.secondLines.Add(Str(second));
    out.groups.Add(members);
    if (!second.empty()) out.hasSecondLines = true;
}

}  // namespace

bool ParseAbcDefinition(std::u16string_view text, AbcDefinition& out) {
    out = AbcDefinition();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u' ', start);
        if (end == std::u16string_view::npos) end = text.size();
        if (end > start) AddEntry(text.substr(start, end - start), out);
        start = end + 1;
    }
    if (out.GroupCount() == 0) {
        out = AbcDefinition();
        return false;
    }
    out.source = Str(text);
    return true;
}
