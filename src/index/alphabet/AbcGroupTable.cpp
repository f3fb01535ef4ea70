#include "index/alphabet/AbcGroupTable.h"

#include "index/alphabet/AbcDefinition.h"

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

int AbcGroupTable::GroupOf(char16_t ch) const {
    return groupOf_.empty() ? -1 : groupOf_[ch] - 1;
}

bool AbcGroupTable::IsMember(int index, char16_t ch) const {
    return index >= 0 && index < groups_.GetSize() && groups_[index].Find(ch) >= 0;
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
