#pragma once
// A contact's named values: one record per non-empty phone number and e-mail address in the
// store's named-property table "PIMNamedPropValsIndexed", keyed by the contact's record identifier
// value with its highest bit set, so that other programs find a contact by a number or address.
// Phone numbers are stored with their characters reversed (last digit first).
#include <cstdint>
#include <vector>

#include "core/str/Str.h"
#include "store/contact/StdContact.h"

class CCeDBDatabase;

inline constexpr uint32_t kNamedKeyBit = 0x80000000;
inline constexpr uint32_t kNamedPhone = 0x302A001F;
inline constexpr uint32_t kNamedEmail = 0x302B001F;
// Property 3 of a named-value record: the text as UTF-16 units with the terminating NUL.
inline constexpr uint32_t kNamedTextProp = 0x00030041;

struct NamedValue {
    uint32_t kind;  // kNamedPhone or kNamedEmail
    Str text;       // as stored: phone numbers reversed
};

// The named values of a contact: the non-empty phone fields in the order of
// kPhoneFieldsNamedOrder, then the non-empty e-mail fields.
std::vector<NamedValue> NamedValuesOf(const StdContact& contact);

// The key of a contact's records: its record identifier value with the highest bit set.
inline uint32_t NamedKey(const StdContact& contact) { return contact.GetRecordId() | kNamedKeyBit; }

// Writes one new record per named value; nothing when there are none. False at the first failed
// write (records already written stay) and, when there is something to write, for a contact
// without a record identifier value (it could not be keyed).
[[nodiscard]] bool SaveNamedValues(CCeDBDatabase& named, const StdContact& contact);
// Deletes the contact's phone and e-mail records; false at the first failed deletion.
[[nodiscard]] bool DeleteNamedValues(CCeDBDatabase& named, const StdContact& contact);
// Nothing when the table is not open; otherwise deletes and writes them all again.
[[nodiscard]] bool UpdateNamedValues(CCeDBDatabase& named, const StdContact& contact);
