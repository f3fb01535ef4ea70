#include "screen/list/KeypadDigitPress.h"

namespace {

constexpr uint32_t kVkNumpad0 = 0x60, kVkNumpad2 = 0x62, kVkNumpad9 = 0x69;

}  // namespace

bool KeypadDigitPress::IsHeldDigit(uint32_t key) { return key >= kVkNumpad2 && key <= kVkNumpad9; }

KeypadDigitPress::Outcome KeypadDigitPress::Press(uint32_t key, bool autoRepeat, uint64_t nowMs) {
    Outcome outcome;
    if (autoRepeat && IsHeldDigit(key)) {
        outcome.taken = true;
        if (key == pending_ && !called_ && nowMs - since_ >= kHoldMs) {
            called_ = true;
            outcome.speedDial = static_cast<int>(key - kVkNumpad0);
        }
        return outcome;
    }
    // Any other press ends the wait of the digit held back: it was a short press.
    if (pending_ != 0 && !called_) outcome.type = pending_;
    pending_ = 0;
    if (IsHeldDigit(key)) {
        outcome.taken = true;
        pending_ = key;
        since_ = nowMs;
        called_ = false;
    }
    return outcome;
}

KeypadDigitPress::Outcome KeypadDigitPress::Release(uint32_t key, bool autoRepeat, uint64_t nowMs) {
    Outcome outcome;
    if (!IsHeldDigit(key)) return outcome;
    outcome.taken = true;
    if (autoRepeat || key != pending_) return outcome;
    if (!called_) {
        if (nowMs - since_ >= kHoldMs) {
            outcome.speedDial = static_cast<int>(key - kVkNumpad0);
        } else {
            outcome.type = key;
        }
    }
    pending_ = 0;
    called_ = false;
    return outcome;
}
