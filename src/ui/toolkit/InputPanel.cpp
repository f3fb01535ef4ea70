#include "ui/toolkit/InputPanel.h"

#include "platform/window/Window.h"
#include "ui/toolkit/Dpi.h"

namespace {

struct PanelState {
    bool up = false;
    plat::HWND listener = 0;
};

PanelState& State() {
    static PanelState state;
    return state;
}

}  // namespace

bool InputPanel::IsUp() { return State().up; }

void InputPanel::Show(bool up) {
    PanelState& state = State();
    if (state.up == up) return;
    state.up = up;
    // A listener gone has nothing to update.
    if (state.listener != 0)
        (void)plat::PostMessage(state.listener, plat::WM_SETTINGCHANGE, kInputPanelChange, 0);
}

int InputPanel::VisibleBottom(int clientHeight) {
    return State().up ? clientHeight - ScaleY(kInputPanelDesignHeight) : clientHeight;
}

void InputPanel::SetListener(plat::HWND window) { State().listener = window; }
