#pragma once
// One item of the object model: a stored or new contact, or an appointment.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/objectstore/PropVal.h"
#include "platform/pom/PomDefs.h"

namespace plat::pom {

class Application;

class Item {
public:
    // `itemNumber`: a stored contact's item number (property 0x1000 of its record).
    Item(Application& app, ItemType type, CeOid oid, uint32_t itemNumber = 0)
        : app_(app), type_(type), oid_(oid), itemNumber_(itemNumber) {}

    ItemType Type() const { return type_; }
    // The item's record, 0 while it was never saved.
    CeOid Oid() const { return oid_; }

    // A stored contact: its record is written again, so every program of the device is told it
    // changed; a contact without a File As (0x80) is given one: "Last, First", else the first of
    // First, Company, Middle, Title and Suffix, as the platform's store does with every save. An
    // appointment: written to "Appointments Database" and as an .ics file into the calendar folder.
    // A new contact cannot be saved through this model (ERROR_NOT_SUPPORTED).
    [[nodiscard]] bool Save();
    // Removes the item's record (and an appointment's .ics file).
    [[nodiscard]] bool Delete();
    // Shows the item for editing: the request is written to the program log.
    [[nodiscard]] bool Display();

    // Appointment settings (ignored for contacts).
    void SetSubject(std::u16string subject) { subject_ = std::move(subject); }
    void SetBody(std::u16string body) { body_ = std::move(body); }
    void SetReminderMinutesBeforeStart(int32_t minutes) { reminderMinutes_ = minutes; }
    const std::u16string& Subject() const { return subject_; }

    // Item properties by identifier: kPropItemCategories (the contact's category names joined by
    // ", "; asking for it makes sure the category databases exist) and, for a stored contact, any
    // property of its record. Properties the item lacks come back flagged CEDB_PROPNOTFOUND.
    [[nodiscard]] bool GetProps(std::span<const uint32_t> propIds, std::vector<PropVal>& props);

private:
    [[nodiscard]] bool SaveAppointment();
    [[nodiscard]] bool TouchContact();
    std::u16string IcsPath() const;

    Application& app_;
    ItemType type_;
    CeOid oid_;
    uint32_t itemNumber_ = 0;
    std::u16string subject_;
    std::u16string body_;
    int32_t reminderMinutes_ = 0;
    uint64_t start_ = 0;
    uint64_t end_ = 0;
};

}  // namespace plat::pom
