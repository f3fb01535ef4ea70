#include "edit/form/EditContextRules.h"
#include "core/res/ResourceStrings.h"

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
    menu.Add(kCmdEditUndo, RequireStr(43820)).enabled = writable && state.canUndo;
    menu.Add(kCmdEditCut, RequireStr(43821)).enabled = writable && state.hasSelection;
    menu.Add(kCmdEditCopy, RequireStr(43822)).enabled = state.hasSelection;
    menu.Add(kCmdEditPaste, RequireStr(43823)).enabled = writable && state.canPaste;
    menu.Add(kCmdEditClear, RequireStr(43824)).enabled = writable && state.hasSelection;
    menu.Add(kCmdEditSelectAll, RequireStr(43825)).enabled = state.hasText;
    return menu;
}
