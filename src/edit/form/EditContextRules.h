#pragma once
// The rules of the form's edit control (CApEditContext) that need no display: the tap-and-hold
// gesture that opens its Edit menu, the keys it leaves to the form in block mode, and the Edit
// menu itself.
#include <cstdint>

#include "core/menu/MenuDescription.h"
#include "edit/form/PseudoWnd.h"

// A stylus press held still opens the Edit menu: 400 ms without moving more than 7 pixels in
// either direction. A double tap makes the release select the whole text.
class HoldGesture {
public:
    static constexpr uint32_t kHoldMs = 400;
    static constexpr int kSlop = 7;
    static constexpr uint32_t kTimerId = 123;

    // The stylus went down at `at` (tick in milliseconds); the timer of kHoldMs starts.
    void Press(PseudoPoint at, uint32_t tick, bool doubleTap);
    // The stylus moved; true when the Edit menu opens now.
    [[nodiscard]] bool Move(PseudoPoint at, uint32_t tick);
    // The timer fired; true when the Edit menu opens now.
    [[nodiscard]] bool TimerFired();
    // The stylus lifted; true when the release selects the whole text.
    [[nodiscard]] bool Release();

    [[nodiscard]] bool Pending() const { return pending_; }
    // Where the menu opens.
    PseudoPoint At() const { return at_; }

private:
    bool pending_ = false;
    bool selectAll_ = false;
    uint32_t tick_ = 0;
    PseudoPoint at_;
};

// In block mode Up, Down, Tab and Escape move between the form's elements: the control passes
// them to its parent and drops typed tabs.
[[nodiscard]] bool PassesKeyToParent(uint32_t virtualKey, bool blockMode);
[[nodiscard]] bool DropsChar(char16_t ch, bool blockMode);

// What the edited text allows at the moment the Edit menu opens.
struct EditContextState {
    bool canUndo = false;
    bool hasSelection = false;
    bool hasText = false;
    bool canPaste = false;  // the clipboard holds text
    bool readOnly = false;
};

// Edit menu 164: "Undo", "Cut", "Copy", "Paste", "Clear", "Select All", each greyed while it
// cannot apply (nothing to undo, no selection, nothing to paste, no text; a read-only text
// offers only Copy and Select All).
inline constexpr uint32_t kCmdEditUndo = 41127, kCmdEditCut = 41107, kCmdEditCopy = 41109, kCmdEditPaste = 41115,
                          kCmdEditClear = 41106, kCmdEditSelectAll = 41116;
MenuDescription EditContextMenu(const EditContextState& state);
