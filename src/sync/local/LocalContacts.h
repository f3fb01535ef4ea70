#pragma once
// The device's side of a sync: the contacts as the contact manager holds them, their categories
// by name, and what the store's change journal says changed. Every call to the category manager
// the sync makes is here.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "manager/contacts/ContactManager.h"
#include "store/vcard/CardToContact.h"

namespace carddav {

// A change of the device's contacts could not be made; nothing of it was stored.
class LocalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LocalContacts {
public:
    explicit LocalContacts(ContactManager& manager) : manager_(manager) {}

    // The last row of the change journal now (-1 when it cannot be read).
    int64_t JournalHead();
    // The contacts created, changed or deleted after journal row `after`; nothing when the
    // journal no longer reaches back that far (the caller then looks at every contact).
    std::optional<std::vector<uint32_t>> ChangedSince(int64_t after);
    std::vector<uint32_t> All();
    // False when the contact is not there.
    [[nodiscard]] bool Read(uint32_t oid, Contact& contact, std::vector<Str>& categories);
    // Stores the card's contact as contact `oid` (0: a new one) and returns its identifier. The
    // stored contact keeps its SIM mark and identity; its values become the card's.
    uint32_t Write(ImportedContact& card, uint32_t oid);
    void Remove(uint32_t oid);
    // Runs `writes` with the writes they make gathered into few commits of the store; throws
    // LocalError when a commit fails (the writes since the commit before are then lost).
    void Together(const std::function<void()>& writes);
    // Gives the contact a UID when it has none stored and returns it.
    std::string EnsureUid(Contact& contact);
    // The values cut to fit the store's limits by the writes so far, one sentence each.
    const std::vector<std::string>& Cut() const { return cut_; }
    size_t Writes() const { return writes_; }

private:
    ContactManager& manager_;
    std::vector<std::string> cut_;
    size_t writes_ = 0;
};

}  // namespace carddav
