#pragma once
// The cards of one contact compared and merged value by value. Every card is first brought to
// what a contact record holds of it (read into a contact and written back, "the projection"), so
// that the spellings of two writers never count as changes. A value is one property with its
// parameters and its group's label; the group's own name ("item3") does not count.
//
// Three-way merge against the base (the card as both sides last agreed): a list value (numbers,
// e-mail addresses, addresses, web pages, dates, categories, further values) added on either side
// is kept and one removed on either side goes; a single value (name, company, note ...) changed on
// one side takes that side's value, and changed on both to different values takes the server's,
// the local one being reported as a conflict.
#include <optional>
#include <string>
#include <vector>

#include "store/vcard/CardToContact.h"
#include "store/vcard/VCard.h"

namespace carddav {

// The first card of a vCard text, or nothing when it holds none.
std::optional<VCard> ParseCard(std::string_view text);
// The contact a card gives (the vCard reader's mapping).
ImportedContact ContactOf(const VCard& card);
// What a contact record holds of a card, as a card (without REV and PRODID).
VCard Projection(const VCard& card);
VCard ProjectionOf(const Contact& contact, const std::vector<Str>& categories);
// Whether two projections hold the same values.
[[nodiscard]] bool SameValues(const VCard& a, const VCard& b);
// A short text that two projections share exactly when they hold the same values (a 64-bit hash of
// the sorted values, 16 hexadecimal digits).
std::string Fingerprint(const VCard& projection);

struct ValueConflict {
    std::string property;
    std::string localValue;
    std::string serverValue;
};

struct MergeResult {
    VCard card;  // a projection
    std::vector<ValueConflict> conflicts;
};

// `base` null: the two sides never agreed (a first sync matching a contact to a card): every
// list value of both is kept, and a single value that differs takes the server's.
MergeResult Merge(const VCard* base, const VCard& local, const VCard& server);

// The card to upload: `base` (the server's card, or none for a new contact) with every property
// a contact record represents replaced by the local projection's, everything else (unknown X-
// properties with their parameters and groups) kept as the server had it. The UID is the base's.
std::string UploadCard(const VCard* base, const VCard& local);

}  // namespace carddav
