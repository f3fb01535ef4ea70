#pragma once
// AbcGroupTable: the letter groups of the alphabet in force, as the word index and the alphabet
// search use them. Each group is lower-cased and holds each character once, at its first place.
//
// A word's group key replaces each of its characters by the first character of the first group
// that holds it, so every word whose letters fall in the same groups gets the same key; the key
// ends at the first character that no group holds. A character that no group names is held by the
// group of the letter it folds to (plat::FoldText: ü by the group of u, ß by that of s); the
// letters a group names keep their group. Keys made with one table mean nothing under
// another: a change of alphabet requires the group tree to be rebuilt.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/array/Array.h"
#include "core/str/Str.h"

struct AbcDefinition;

class AbcGroupTable {
public:
    // The process-wide table.
    static AbcGroupTable& Instance();

    // Takes the groups of `definition` (lower-cased, each character once); an empty definition
    // empties the table.
    void Load(const AbcDefinition& definition);

    int GroupCount() const { return groups_.GetSize(); }
    // The lower-cased members of group `index`; empty for an index out of range.
    Str Group(int index) const;
    // The first group holding the lower-cased character `ch` (naming it, or through its fold), or -1.
    int GroupOf(char16_t ch) const;
    // Whether group `index` holds the lower-cased character `ch` (naming it, or through its fold).
    [[nodiscard]] bool IsMember(int index, char16_t ch) const;
    // The group key of a lower-cased token; empty when its first character is in no group.
    Str GroupKey(std::u16string_view token) const;
    // The groups joined by blanks ("abc def ... wxyz"), empty when there are none. Members hold no
    // blanks, so tables with equal signatures hold the same groups and make the same keys.
    Str Signature() const;

    // Groups past this many are ignored (their numbers would not fit the lookup table).
    static constexpr int kMaxGroups = 0xFFFE;

private:
    Array<Str> groups_;
    std::vector<uint16_t> groupOf_;  // by character: 1 + the first group naming it, 0 when none does
};
