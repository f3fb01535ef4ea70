#pragma once
// The value types of windows and messages. Handles are 32-bit and unique on the device; message
// parameters are pointer-sized inside a process and travel between processes as 32-bit values
// (the handheld is a 32-bit platform), see docs/windows.md.
#include <cstdint>
#include <functional>
#include <string_view>

namespace plat {

using HWND = uint32_t;      // 0 is "no window"; real handles have their two lowest bits clear
using WPARAM = uintptr_t;   // zero-extended from 32 bits when it arrives from another process
using LPARAM = intptr_t;    // sign-extended from 32 bits when it arrives from another process
using LRESULT = intptr_t;   // sign-extended from 32 bits when it comes back from another process

// A window procedure. It runs on the user-interface thread of the window's process.
using WndProc = std::function<LRESULT(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam)>;

// lParam of WM_COPYDATA: the bytes travel with the message and are valid during the call only.
struct COPYDATASTRUCT {
    uintptr_t dwData = 0;  // 32 bits between processes
    uint32_t cbData = 0;
    const void* lpData = nullptr;
};

// lParam of WM_CREATE, valid during the call.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = 0;
    std::u16string_view className;
    std::u16string_view title;
};

}  // namespace plat
