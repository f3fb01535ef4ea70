#pragma once
// The input panel (the handheld's on-screen keyboard), as a stand-in: the desktop keyboard types
// directly, so the panel draws nothing, but it keeps the state the screens ask for (up or down,
// the part of the screen it would cover) and tells the window that listens for it when it moves,
// as WM_SETTINGCHANGE with wParam kInputPanelChange.
#include <cstdint>

#include "platform/window/WindowTypes.h"

inline constexpr plat::WPARAM kInputPanelChange = 224;
// The panel's design height at 96 dpi.
inline constexpr int kInputPanelDesignHeight = 80;

class InputPanel {
public:
    [[nodiscard]] static bool IsUp();
    // Raises or lowers the panel; the listener hears of a change.
    static void Show(bool up);
    // The lowest client y still visible over a panel that is up, for a window `clientHeight` high.
    static int VisibleBottom(int clientHeight);
    // The window told of changes (0: none).
    static void SetListener(plat::HWND window);
};
