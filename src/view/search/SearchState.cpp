#include "view/search/SearchState.h"

#include <utility>

#include "index/alphabet/AbcDefinition.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/alphabet/IndexSeparators.h"
#include "platform/text/TextFold.h"

namespace {

// The caret position just after the first `groups` groups of the alphabet-mode box text.
int CaretAfterGroups(int groups) { return groups == 0 ? 0 : 2 * groups - 1; }

// The number of groups whose letter lies before `position` of the box text.
int GroupsBefore(int position) { return position <= 0 ? 0 : (position + 1) / 2; }

Str Lowered(std::u16string_view text) {
    Str lower(text);
    lower.MakeLower();
    return lower;
}

}  // namespace

bool SearchState::OnTextChanged(std::u16string_view text) {
    const bool hadGroups = !pressed_.IsEmpty();
    pressed_.RemoveAll();
    boxText_ = Str(text);
    Str trimmed(text);
    trimmed.TrimLeft();
    trimmed.TrimRight();
    if (trimmed == searchText_ && !hadGroups) return false;
    searchText_ = trimmed;
    return true;
}

bool SearchState::PressGroup(int index, const AbcDefinition& definition) {
    if (index < 0 || index >= definition.GroupCount()) return false;
    if (pressed_.IsEmpty()) searchText_.Empty();
    pressed_.Add(index);
    RebuildBox(definition);
    return true;
}

std::optional<SearchState::BackspaceResult> SearchState::Backspace(int caret, int selStart, int selEnd,
                                                                   const AbcDefinition& definition) {
    if (pressed_.IsEmpty()) return std::nullopt;
    if (selStart > selEnd) std::swap(selStart, selEnd);
    const bool selection = selStart != selEnd;
    int end = GroupsBefore(selection ? selEnd : caret);
    if (end > pressed_.GetSize()) end = pressed_.GetSize();
    const int first = selection ? GroupsBefore(selStart) : end - 1;
    if (first < 0 || first >= end) return BackspaceResult{false, selection ? selStart : caret};
    RemoveGroups(first, end, definition);
    return BackspaceResult{true, CaretAfterGroups(first)};
}

bool SearchState::RemoveLastGroup(const AbcDefinition& definition) {
    if (pressed_.IsEmpty()) return false;
    RemoveGroups(pressed_.GetSize() - 1, pressed_.GetSize(), definition);
    return true;
}

void SearchState::ClearGroups() {
    pressed_.RemoveAll();
    boxText_.Empty();
}

void SearchState::RemoveGroups(int first, int end, const AbcDefinition& definition) {
    pressed_.RemoveAt(first, end - first);
    RebuildBox(definition);
}

void SearchState::RebuildBox(const AbcDefinition& definition) {
    boxText_.Empty();
    for (int i = 0; i < pressed_.GetSize(); ++i) {
        if (i > 0) boxText_ += u'-';
        boxText_ += definition.groups.GetAt(pressed_[i])[0];
    }
}

Str SearchState::GroupQuery(const AbcGroupTable& table) const {
    Str query;
    for (int group : pressed_) query += table.Group(group)[0];
    return query;
}

std::optional<Highlight> SearchState::HighlightIn(std::u16string_view row,
                                                  const AbcGroupTable& table) const {
    if (row.empty()) return std::nullopt;
    if (GetMode() == Mode::Alphabet) return AlphabetHighlight(row, table);
    return TextHighlight(row);
}

std::optional<Highlight> SearchState::AlphabetHighlight(std::u16string_view row,
                                                        const AbcGroupTable& table) const {
    const int k = pressed_.GetSize();
    const Str lower = Lowered(row);
    for (int p = 0; p + k <= lower.GetLength(); ++p) {
        if (p > 0 && !IsIndexSeparator(lower[p - 1])) continue;
        int j = 0;
        while (j < k && table.IsMember(pressed_[j], lower[p + j])) ++j;
        if (j == k) return Highlight{p, k};
    }
    return std::nullopt;
}

// The search text is looked for as the index looks up its words: as typed when it carries a mark
// or a letter that folding replaces, otherwise folded in the folded row, whose match is then lit
// on the row's own letters ("muller" lights "Müller", "weis" the whole "Weiß").
std::optional<Highlight> SearchState::TextHighlight(std::u16string_view row) const {
    if (searchText_.IsEmpty()) return std::nullopt;
    const Str lower = Lowered(row);
    const Str search = Lowered(searchText_.View());
    std::u16string folded;
    if (plat::AppendFolded(search.View(), folded)) {
        const int at = lower.Find(search.View());
        if (at < 0) return std::nullopt;
        return Highlight{at, search.GetLength()};
    }
    const plat::FoldedText foldedRow(lower.View());
    const size_t at = foldedRow.Text().find(folded);
    if (folded.empty() || at == std::u16string::npos) return std::nullopt;
    const auto [begin, end] = foldedRow.SourceRange(at, at + folded.size());
    return Highlight{static_cast<int>(begin), static_cast<int>(end - begin)};
}

AbcBarAction SmallBarAction(int button, int groupCount) {
    if (button >= 0 && button < groupCount) return {AbcBarAction::PressGroup, button};
    if (button == groupCount) return {AbcBarAction::RemoveLast, 0};
    return {};
}

AbcBarAction BigBarAction(int button, int groupCount) {
    if (button == 0) return {AbcBarAction::RemoveLast, 0};
    if (button >= 1 && button <= 8) {
        return button - 1 < groupCount ? AbcBarAction{AbcBarAction::PressGroup, button - 1} : AbcBarAction{};
    }
    if (button == 9) return {AbcBarAction::ClearAll, 0};
    if (button >= 10) return {AbcBarAction::SpeedDial, button - 8};
    return {};
}
