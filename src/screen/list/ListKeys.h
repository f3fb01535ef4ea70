#pragma once
// What a key pressed in the contact list does, decided from the current row, the row count and
// the page (the number of fully visible rows), so the list window only carries it out: move the
// current row, activate it, start the action key's press, or hand the key to the frame. Holding a
// key must give one move per key the window processes; the window drops queued repeats itself.
#include <cstdint>

#include "view/pane/ViewActivation.h"

inline constexpr uint32_t kVkBack = 0x08;
inline constexpr uint32_t kVkPrior = 0x21;
inline constexpr uint32_t kVkNext = 0x22;
inline constexpr uint32_t kVkEnd = 0x23;
inline constexpr uint32_t kVkHome = 0x24;
inline constexpr uint32_t kVkUp = 0x26;
inline constexpr uint32_t kVkDown = 0x28;
inline constexpr uint32_t kVkNumpad0 = 0x60;
inline constexpr uint32_t kVkNumpad9 = 0x69;
inline constexpr uint32_t kVkAction = 0x86;

struct ListKeyOutcome {
    enum class Kind {
        None,         // nothing to do (an empty list, or already there)
        Move,         // make `row` current, scroll it into view and report the change
        Activate,     // open the current row
        ActionPress,  // the action key went down: draw the row pressed and start its timer
        ToListener,   // the frame's business (Up on the first row, letters, keypad digits...)
    } kind = Kind::None;
    int row = -1;
    [[nodiscard]] bool operator==(const ListKeyOutcome&) const = default;
};

struct ListKeyState {
    int selected = -1;        // the current row, -1 for none
    int count = 0;            // rows in the list
    int page = 1;             // fully visible rows
    bool cyclic = false;      // ListCyclic: Up on the first row goes to the last, Down back
    bool actionDown = false;  // the action key is held: Return does nothing meanwhile
};

ListKeyOutcome OnListKey(uint32_t key, const ListKeyState& state);

// The action key's press: held past kHoldMs it is a long press (the contact's context menu),
// released before that a short one (activation).
class ActionKeyPress {
public:
    static constexpr uint32_t kHoldMs = 400;
    enum class Result { None, Activate, ContextMenu };

    void Press() {
        down_ = true;
        longPress_ = false;
    }
    // The 400 ms timer fired.
    Result TimerFired();
    Result Release();
    [[nodiscard]] bool IsDown() const { return down_; }

private:
    bool down_ = false;
    bool longPress_ = false;
};
