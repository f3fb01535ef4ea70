#include "screen/list/ListKeys.h"

#include <algorithm>

namespace {

ListKeyOutcome MoveTo(int row, const ListKeyState& state) {
    const int clamped = std::clamp(row, 0, state.count - 1);
    if (clamped == state.selected) return {};
    return {ListKeyOutcome::Kind::Move, clamped};
}

ListKeyOutcome Up(const ListKeyState& state) {
    if (state.selected > 0) return MoveTo(state.selected - 1, state);
    if (state.cyclic) return MoveTo(state.count - 1, state);
    return {ListKeyOutcome::Kind::ToListener, state.selected};
}

ListKeyOutcome Down(const ListKeyState& state) {
    if (state.selected < state.count - 1) return MoveTo(state.selected + 1, state);
    return state.cyclic ? MoveTo(0, state) : ListKeyOutcome{};
}

}  // namespace

ListKeyOutcome OnListKey(uint32_t key, const ListKeyState& state) {
    const bool empty = state.count <= 0;
    const int page = std::max(state.page, 1);
    switch (key) {
        case kVkHome: return empty ? ListKeyOutcome{} : MoveTo(0, state);
        case kVkEnd: return empty ? ListKeyOutcome{} : MoveTo(state.count - 1, state);
        case kVkPrior: return empty ? ListKeyOutcome{} : MoveTo(std::max(state.selected, 0) - page, state);
        case kVkNext: return empty ? ListKeyOutcome{} : MoveTo(state.selected + page, state);
        case kVkUp: return empty ? ListKeyOutcome{ListKeyOutcome::Kind::ToListener, -1} : Up(state);
        case kVkDown: return empty ? ListKeyOutcome{} : Down(state);
        case kVkReturn:
            if (state.actionDown || state.selected < 0) return {};
            return {ListKeyOutcome::Kind::Activate, state.selected};
        case kVkAction:
            if (state.actionDown || state.selected < 0) return {};
            return {ListKeyOutcome::Kind::ActionPress, state.selected};
        default: return {ListKeyOutcome::Kind::ToListener, state.selected};
    }
}

ActionKeyPress::Result ActionKeyPress::TimerFired() {
    if (!down_ || longPress_) return Result::None;
    longPress_ = true;
    return Result::ContextMenu;
}

ActionKeyPress::Result ActionKeyPress::Release() {
    if (!down_) return Result::None;
    down_ = false;
    return longPress_ ? Result::None : Result::Activate;
}
