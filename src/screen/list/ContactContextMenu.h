#pragma once
// The context menu of a contact row (tap-and-hold or a long press of the action key), and what a
// command chosen from it asks the frame to do. For one contact: its name (disabled), "Call Phone"
// with its numbers, "Edit && Call..", "Send SMS" with the numbers that take messages, "Send Email"
// with its addresses, "Duplicate", "Delete", "Beam...", "Make Appointment..." and the add-ins'
// "Outlook Plugin" submenu; with several contacts selected only "Beam..." and "Delete".
//
// Submenu entries are "Label\tvalue" (the list draws the label and the value apart). Numbers keep
// fixed entry numbers: the phone fields 1 to 13 in the order Work, Work 2, Home, Home 2, Mobile,
// Home fax, Work fax, Pager, Car, Radio, Assistant, Company, MMS, then the contact's own numbers
// from 14; addresses E-mail 1 to 3, then the contact's own from 4. A command is the submenu's base
// plus the entry number, so a command names the same value however many fields are empty.
#include <cstdint>
#include <span>
#include <vector>

#include "core/menu/MenuDescription.h"
#include "core/str/Str.h"

class AddinManager;
class Contact;
class PhoneTemplates;

struct ContextEntry {
    uint32_t number = 0;  // the entry number
    Str label;
    Str value;  // numbers as displayed (through the phone formats), addresses as stored
    bool takesMessages = false;
};

// What a command of the menu asks for.
struct ContextChoice {
    enum class Kind {
        None,
        Call,
        EditAndCall,
        Sms,
        Email,
        Duplicate,
        Delete,
        Beam,
        Appointment,
        AddIn
    } kind = Kind::None;
    Str value;  // Call and Sms: the number; Email: the address
    uint32_t command = 0;
    [[nodiscard]] bool operator==(const ContextChoice&) const = default;
};

class ContactContextMenu {
public:
    static constexpr uint32_t kCallBase = 1000;
    static constexpr uint32_t kSmsBase = 1100;
    static constexpr uint32_t kEmailBase = 1200;
    static constexpr uint32_t kEditAndCall = 118;
    static constexpr uint32_t kDuplicate = 41284;
    static constexpr uint32_t kDelete = 102;
    static constexpr uint32_t kBeam = 101;
    static constexpr uint32_t kAppointment = 41211;
    // Entry numbers stay below this so the three submenus' commands never meet.
    static constexpr uint32_t kMaxEntry = 99;

    // The menu of one contact.
    void Build(const Contact& contact, const PhoneTemplates& formats);
    // The menu of several selected contacts.
    void BuildForSeveral();

    // The items; the add-ins' submenu is appended for one contact when `addins` offers one.
    MenuDescription Describe(AddinManager* addins, std::span<const uint32_t> selected) const;
    ContextChoice Choose(uint32_t command) const;

    const Str& Title() const { return title_; }
    const std::vector<ContextEntry>& Numbers() const { return numbers_; }
    const std::vector<ContextEntry>& Addresses() const { return addresses_; }

    // The disabled first item: first and last name joined by a space, else the company, else
    // "Unnamed".
    static Str TitleOf(const Contact& contact);

private:
    void AddEntries(MenuDescription& menu, uint32_t textId, uint32_t base,
                    const std::vector<ContextEntry>& entries, bool messagesOnly) const;
    static const ContextEntry* Find(const std::vector<ContextEntry>& entries, uint32_t number);

    bool several_ = false;
    Str title_;
    std::vector<ContextEntry> numbers_;
    std::vector<ContextEntry> addresses_;
};
