#pragma once
// Dial: the one operation through which every call is placed. It resolves the dial method and
// places the call through the phone's call service, as touch tones, or through the dialler
// add-in. What belongs to the screens (the countdown dialog, lowering the input panel and
// minimising the main window) comes in as hooks, so the command-line tool and the tests dial
// through the same code.
#include <cstdint>
#include <functional>

#include "core/str/Str.h"
#include "platform/window/WindowTypes.h"

class Contact;
class DialCountdown;
class DialerAddIn;

namespace plat {
class Sleeper;
}

// Results of Dial besides the call service's own.
inline constexpr int kDialMissing = -1;        // the method's facility is missing
inline constexpr int kDialUnknownMethod = -2;  // a method Dial does not know
inline constexpr int kDialFailed = -3;         // the dialler add-in could not dial

struct DialHooks {
    DialerAddIn* addIn = nullptr;          // the registered dialler add-in, if any
    plat::Sleeper* sleeper = nullptr;      // waits (null: really wait)
    // Runs the countdown in front of tone dialling to its end or its cancel (null: waits it out
    // step by step with the sleeper).
    std::function<void(DialCountdown&)> countdown;
    // Lowers the input panel and minimises the main window before a call.
    std::function<void()> beforeCall;
};

class Dialer {
public:
    explicit Dialer(DialHooks hooks = {}) : hooks_(std::move(hooks)) {}

    DialHooks& Hooks() { return hooks_; }
    // The method used for `method` (0: the stored DialupMode) on this device.
    uint32_t ResolveMethod(uint32_t method) const;

    // Places the call of `number`. `calledParty` names the called party; when it is empty,
    // `contact` (may be null) does (its File As text, else its display name). `contact` is what
    // the add-in dials. Returns the call service's result, 0 for the other methods and for a service code
    // handed to the call-policy window, kDialMissing when the facility is missing, 0 without
    // doing anything for an empty number or the method None.
    int Dial(plat::HWND owner, const Str& number, const Contact* contact, uint32_t method,
             const Str& calledParty);

private:
    int CallService(const Str& number, const Contact* contact, const Str& calledParty);
    int ToneDial(const Str& number);
    int AddInDial(plat::HWND owner, const Contact* contact);
    plat::Sleeper& Sleeper() const;

    DialHooks hooks_;
};

// The process's dialler (its hooks are set by the program's screens and add-in manager).
Dialer& TheDialer();

// The called party for a contact: its File As text, or its display name when that is empty.
Str CalledPartyOf(const Contact& contact);

// Sends a service code to the call-policy window. False when there is no such window.
[[nodiscard]] bool SendServiceCode(const Str& number);
