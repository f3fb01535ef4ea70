#pragma once
// ContactFieldBag: a contact's values sorted by field group, each group a list of (name, value)
// pairs in a fixed order: the standard fields that are not empty, under the template's built-in
// names, then the contact's further values under their own labels. The view and the editor take
// the values out by name as the template lists them; what is left over is shown after them.
#include <cstdint>
#include <optional>

#include "core/array/Array.h"
#include "core/str/Str.h"
#include "view/address/AddressFormat.h"

class Contact;

// One value of the bag.
struct BagValue {
    Str name;
    Str text;           // the value; for messaging the number, for addresses unused
    Str msgType;        // messaging: the messenger type name
    uint64_t date = 0;  // dates: a file time
    AddressParts parts;  // addresses: street, city, state, postal code, country
    int format = 0;      // addresses: the address format index
    int field = -1;      // the standard field it came from (addresses: the street), -1 for a further value
};

enum BagList : int {
    kBagNameParts = 0,
    kBagPhones,
    kBagEmails,
    kBagWeb,
    kBagPeople,
    kBagLinks,
    kBagDates,
    kBagMessaging,
    kBagAddresses,
    kBagOther,
};
inline constexpr int kBagListCount = 10;

class ContactFieldBag {
public:
    // Empties the bag and fills it from `contact`.
    void Fill(const Contact& contact);
    void Clear();

    Array<BagValue>& List(int list) { return lists_[list]; }
    const Array<BagValue>& List(int list) const { return lists_[list]; }
    // Removes the first value named exactly `name` from `list` and yields it.
    std::optional<BagValue> Take(int list, const Str& name);

    // The list of template group `group`; -1 for the groups without one (office, categories).
    static int ListOfGroup(int group);

private:
    Array<BagValue> lists_[kBagListCount];
};
