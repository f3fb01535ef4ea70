#pragma once
// What the speed dial needs of the contacts: a contact by object identifier, and the first
// contact the list's typed search finds for a text (to find a button's contact again after it
// was deleted and added anew).
#include <cstdint>
#include <optional>

#include "core/str/Str.h"

class Contact;
class ContactManager;

class SpeedContacts {
public:
    virtual ~SpeedContacts() = default;
    [[nodiscard]] virtual bool Read(uint32_t oid, Contact& contact) = 0;
    virtual std::optional<uint32_t> FirstFound(const Str& text) = 0;
};

// Through the contact manager and its index.
class ManagerSpeedContacts : public SpeedContacts {
public:
    explicit ManagerSpeedContacts(ContactManager& manager) : manager_(manager) {}
    [[nodiscard]] bool Read(uint32_t oid, Contact& contact) override;
    std::optional<uint32_t> FirstFound(const Str& text) override;

private:
    ContactManager& manager_;
};
