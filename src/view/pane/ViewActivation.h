#pragma once
// What activating a line of the view pane does: the rich list reports the line's group (none when
// a tap hit no line) and the key that activated it (none for a tap).
#include <cstdint>

inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkLeft = 0x25;
inline constexpr uint32_t kVkRight = 0x27;
inline constexpr uint32_t kVkTalk = 0x72;
inline constexpr uint32_t kNoKey = 0;
inline constexpr int kNoLine = -1;

enum class ViewAction {
    Nothing,
    Dial,         // dial the number for the contact, then report the dialling
    Sms,          // compose an SMS to the number, addressed with the contact's name
    Email,        // compose an e-mail to the address
    Browse,       // open the address in the browser
    OpenFile,     // open the file with its program
    OpenContact,  // the embedded pane asks for the full-screen view
    Previous,     // the modal view shows the previous contact
    Next,         // the modal view shows the next contact
    DialAndClose,  // the modal view ends asking for the contact to be dialled
    Close,        // the modal view ends
};

struct ViewActivation {
    ViewAction action = ViewAction::Nothing;
    bool contactUsed = false;  // the contact is recorded as recently used
    bool endsView = false;     // the modal view ends (after a dial as well)
};

// `group` is the line's template group or kNoLine; `key` a virtual key or kNoKey for a tap.
ViewActivation ActivateLine(int group, uint32_t key, bool modal, bool devicePhone);
