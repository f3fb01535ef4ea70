#pragma once
// Calling cards: named dial-string formats (DialString.h), kept in settings section "CallCard",
// one REG_SZ value per card named by the card (names and formats are read up to 512
// characters). The list always begins with the built-in "Void card", with no format, which no
// stored card may be named. Value names are case-insensitive, so two cards whose names differ
// only in case are one card.
#include <cstdint>
#include <vector>

#include "core/result/Status.h"
#include "core/str/Str.h"

struct CallingCard {
    Str name;
    Str format;

    // "name (format)"; the name alone without format; "(format)" without name.
    Str Shown() const;
};

class CallingCards {
public:
    static constexpr uint32_t kStrVoidCard = 41383;
    static constexpr int kMaxStoredChars = 512;
    static constexpr uint32_t kStrNotStored = 44005;
    static constexpr uint32_t kStrNotDeleted = 44006;

    // The built-in card, then the stored ones in the order they were written. Values of another
    // type and a stored card named like the built-in one are left out.
    void Load();

    int Count() const { return static_cast<int>(cards_.size()); }
    const CallingCard& At(int index) const { return cards_[index]; }
    // Index 0 is the built-in card, which cannot be edited or deleted.
    [[nodiscard]] static bool IsStored(int index) { return index > 0; }
    // The card shown as `shown`, else -1.
    int FindShown(const Str& shown) const;
    // The card named `name` (ignoring case), else -1.
    int FindName(const Str& name) const;
    // True when the name is that of the built-in card, ignoring case.
    [[nodiscard]] static bool IsVoidName(const Str& name);

    // A new card with a name and a format: the card with the same name and format when there is
    // one; else the card of the same name (ignoring case) gets the new format; else it is
    // appended. Stored at once. Returns the card's index, or -1 when nothing was added (an empty
    // name or format, the built-in name, or a failed write).
    int Add(const CallingCard& card);
    // Replaces a stored card: its value goes under the old name and is written under the new
    // one; another card already stored under the new name is dropped. Fails with kStrNotStored:
    // StatusCode::Invalid for a card that is not stored or a name that cannot be given, Failed
    // when the section cannot be written.
    Status Replace(int index, const CallingCard& card);
    // Removes a stored card from the list and from the section; fails with kStrNotDeleted.
    Status Remove(int index);

private:
    std::vector<CallingCard> cards_;
};
