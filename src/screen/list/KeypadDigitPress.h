#pragma once
// A phone keypad digit 2 to 9 pressed in the contact list: released within kHoldMs it is typed (it
// presses its alphabet group); held longer it calls the speed-dial entry of its digit instead, as
// holding the on-screen keypad's button does, and is not typed. A held key is known by its
// auto-repeated presses or by the time between its press and its release, whichever comes first;
// auto-repeats never type. A digit is held back from its press until it is known to be short or
// long, so a second key pressed meanwhile (fast typing) first types the digit held back.
#include <cstdint>

class KeypadDigitPress {
public:
    static constexpr uint32_t kHoldMs = 400;

    struct Outcome {
        bool taken = false;  // the key is this rule's: nothing else handles it
        uint32_t type = 0;   // a digit key to type now (its virtual key), 0 for none
        int speedDial = -1;  // the speed-dial entry to call now, -1 for none
        [[nodiscard]] bool operator==(const Outcome&) const = default;
    };

    // True for the keys this rule holds back: VK_NUMPAD2 to VK_NUMPAD9.
    [[nodiscard]] static bool IsHeldDigit(uint32_t key);

    // A key went down at `nowMs`; `autoRepeat`: the key was already down.
    Outcome Press(uint32_t key, bool autoRepeat, uint64_t nowMs);
    // A key came up at `nowMs`; the releases of auto-repeat are taken and ignored.
    Outcome Release(uint32_t key, bool autoRepeat, uint64_t nowMs);

private:
    // The digit held back now and the time it went down.
    uint32_t pending_ = 0;
    uint64_t since_ = 0;
    bool called_ = false;  // the held digit has called its entry already
};
