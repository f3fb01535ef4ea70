#include "index/alphabet/AbcGroupTable.h"

#include "index/alphabet/AbcDefinition.h"
#include "platform/text/TextFold.h"

namespace {

// The lower-cased members with each character kept once, at its first place.
Str DistinctLower(const Str& members) {
    Str lower = members;
    lower.MakeLower();
    Str out;
    for (char16_t ch : lower.View()) {
        if (out.Find(ch) < 0) out += ch;
    }
    return out;
}

}  // namespace

AbcGroupTable& AbcGroupTable::Instance() {
    static AbcGroupTable table;
    return table;
}

void AbcGroupTable::Load(const AbcDefinition& definition) {
    groups_.RemoveAll();
    groupOf_.assign(0x10000, 0);
    const int count = definition.GroupCount() < kMaxGroups ? definition.GroupCount() : kMaxGroups;
    for (int g = 0; g < count; ++g) {
        const Str members = DistinctLower(definition.groups[g]);
        groups_.Add(members);
        for (char16_t ch : members.View()) {
            if (groupOf_[ch] == 0) groupOf_[ch] = static_cast<uint16_t>(g + 1);
        }
    }
}

Str AbcGroupTable::Group(int index) const {
    return index >= 0 && index < groups_.GetSize() ? groups_[index] : Str();
}

// A character that no group names counts in the group of the letter it folds to (ü with u, ß with
// s, ø with o, é with e), so that the keys of the keypad find names written with letters the
// alphabet does not list.
int AbcGroupTable::GroupOf(char16_t ch) const {
    if (groupOf_.empty()) return -1;
    if (groupOf_[ch] != 0) return groupOf_[ch] - 1;
    const std::u16string_view folded = plat::FoldUnit(ch);
    return folded.empty() || folded[0] == ch ? -1 : groupOf_[folded[0]] - 1;
}

bool AbcGroupTable::IsMember(int index, char16_t ch) const {
    return index >= 0 && index < groups_.GetSize() && (groups_[index].Find(ch) >= 0 || GroupOf(ch) == index);
}

Str AbcGroupTable::GroupKey(std::u16string_view token) const {
    Str key;
    for (char16_t ch : token) {
        const int group = GroupOf(ch);
        if (group < 0) break;
        key += groups_[group][0];
    }
    return key;
}

Str AbcGroupTable::Signature() const {
    Str signature;
    for (int g = 0; g < groups_.GetSize(); ++g) {
        if (g > 0) signature += u' ';
        signature += groups_[g];
    }
    return signature;
}
