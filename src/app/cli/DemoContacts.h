#pragma once
// DemoContacts: the sample contacts of a demo device, and their addition to a device's store.
//
// The contacts come from fixed tables and a fixed-seed generator, so every demo device holds the
// same contacts in the same order on every machine: names in Latin script (many with
// diacritics), Cyrillic, Greek, Japanese and Chinese, companies and job titles, numbers of twelve
// countries, e-mail and web addresses, postal addresses, birthdays, notes, categories, further
// values and, for about one in seven, a small generated portrait. Beside them the demo's SIM card
// holds a few entries of its own: a name and one mobile number each, as a SIM card keeps them.
#include <string>
#include <vector>

#include "core/str/Str.h"
#include "store/contact/Contact.h"

class ContactManager;

// One sample contact and the names of its categories (made on the device when missing).
struct DemoContact {
    Contact contact;
    std::vector<Str> categories;
};

class DemoContacts {
public:
    static constexpr int kCount = 300;

    // The first `count` sample contacts; a smaller count gives a prefix of a larger one. No two
    // have the same key.
    static std::vector<DemoContact> Generate(int count = kCount);
    // The entries of the demo's SIM card (marked as from the SIM card, without categories).
    static std::vector<DemoContact> SimEntries();
    // What `init --demo` adds: the sample contacts, then the SIM card's entries.
    static std::vector<DemoContact> Everything();

    // What identifies a sample contact in a store: its display name and its first e-mail address
    // (every sample contact has one, and no two share one; a SIM card entry has none and a name
    // of its own).
    static std::u16string Key(const Contact& contact);
};

// The outcome of adding the sample contacts: how many were written, and whether every write
// and category assignment succeeded (`added` counts the contacts written, the one whose
// categories or named values failed included).
struct DemoAddResult {
    int added = 0;
    bool ok = true;
};

// Adds through the contact manager every sample contact whose key no stored contact has, with
// its categories, so running it again on the same device adds nothing twice and completes an
// interrupted run. The index learns the new contacts from the store's notifications.
DemoAddResult AddDemoContacts(ContactManager& manager, const std::vector<DemoContact>& contacts);
