#pragma once
// A device whose store holds many synthetic contacts (with their categories and named values),
// written through the contact manager, which keeps their index: for the benchmarks of one change
// end to end. Made on the bench device once; the manager stays open until the object goes.
#include <cstdint>
#include <vector>

#include "BenchContacts.h"
#include "manager/contacts/ContactManager.h"

class ManagerFixture {
public:
    explicit ManagerFixture(uint32_t contacts);
    ~ManagerFixture();

    ContactManager& Manager() { return manager_; }
    // A new contact, with the device's categories, not yet stored.
    Contact NewContact();
    // The identifier of a stored contact.
    uint32_t Stored(size_t i) const { return stored_[i % stored_.size()]; }
    // Waits until every committed change has reached the manager, then lets it handle them.
    bool Settle();

private:
    ContactManager& manager_;
    ContactMaker maker_;
    uint32_t made_ = 0;
    std::vector<uint32_t> categories_;  // the device's category ids, for the bench's 1 to 20
    std::vector<uint32_t> stored_;
};
