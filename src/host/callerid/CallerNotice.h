#pragma once
// What the caller-ID program shows and does for an incoming call: the caller found by the trailing
// digits of the number, the ringtone of the caller's group and whether the call filter keeps the
// group out. The groups are those of the ringtone settings: the contact's categories, "#NOCAT#"
// for a contact without one, "#NOCONTACT#" for a number that matches nobody, "#NOPHONE#" for a
// call without a number; a group without a ringtone rings with "#DEFAULT#"'s.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ContactManager;
class ContactSearch;

inline constexpr uint32_t kStrPrivateNumber = 44204;
// How many trailing digits of the caller's number are looked up: enough to tell numbers apart,
// few enough that a stored national number matches an international one.
inline constexpr size_t kCallerDigits = 8;

struct CallerNotice {
    uint32_t oid = 0;              // the contact; 0 when nobody matches
    std::u16string summary;        // the contact's name, else the number, else "Private number"
    std::u16string body;           // the contact's categories, ", " between them
    std::vector<uint8_t> picture;  // the contact's picture as an image file; empty when none
    std::u16string ringtone;       // the sound file of the caller's group; empty when none is set
    bool hangUp = false;           // the call filter keeps every group of the caller out
};

// The notice for a call from `number` (as the modem gives it; empty for a hidden caller), from
// the current device's contacts, ringtone settings and call filter.
CallerNotice IdentifyCaller(ContactManager& manager, ContactSearch& search, std::u16string_view number);
