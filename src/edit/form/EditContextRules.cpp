#include "edit/form/EditContextRules.h"

#include <cstdlib>

void HoldGesture::Press(PseudoPoint at, uint32_t tick, bool doubleTap) {
    pending_ = true;
    selectAll_ = doubleTap;
    tick_ = tick;
    at_ = at;
}

bool HoldGesture::Move(PseudoPoint at, uint32_t tick) {
    if (!pending_) return false;
    if (std::abs(at.x - at_.x) > kSlop || std::abs(at.y - at_.y) > kSlop) {
        pending_ = false;
        return false;
    }
    if (tick - tick_ <= kHoldMs) return false;
    pending_ = false;
    return true;
}

bool HoldGesture::TimerFired() {
    const bool open = pending_;
    pending_ = false;
    return open;
}

bool HoldGesture::Release() {
    pending_ = false;
    const bool selectAll = selectAll_;
    selectAll_ = false;
    return selectAll;
}

bool PassesKeyToParent(uint32_t virtualKey, bool blockMode) {
    constexpr uint32_t kTab = 0x09, kEscape = 0x1B, kUp = 0x26, kDown = 0x28;
    return blockMode && (virtualKey == kUp || virtualKey == kDown || virtualKey == kTab || virtualKey == kEscape);
}

bool DropsChar(char16_t ch, bool blockMode) { return blockMode && ch == u'\t'; }

MenuDescription EditContextMenu(const EditContextState& state) {
    const bool writable = !state.readOnly;
    MenuDescription menu;
    menu.Add(kCmdEditUndo, u"Undo").enabled = writable && state.canUndo;
    menu.Add(kCmdEditCut, u"Cut").enabled = writable && state.hasSelection;
    menu.Add(kCmdEditCopy, u"Copy").enabled = state.hasSelection;
    menu.Add(kCmdEditPaste, u"Paste").enabled = writable && state.canPaste;
    menu.Add(kCmdEditClear, u"Clear").enabled = writable && state.hasSelection;
    menu.Add(kCmdEditSelectAll, u"Select All").enabled = state.hasText;
    return menu;
}
