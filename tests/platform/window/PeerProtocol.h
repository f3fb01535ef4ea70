#pragma once
// The messages the window peer answers (window_peer.cpp) and the name it registers.
#include <cstdint>

#include "platform/window/Messages.h"

namespace peer {

inline constexpr uint32_t kDouble = plat::WM_USER + 1;      // returns lParam * 2
inline constexpr uint32_t kCallBack = plat::WM_USER + 2;    // sends kAddHundred (lParam) to window wParam, returns its answer + 1
inline constexpr uint32_t kAddHundred = plat::WM_USER + 3;  // what the test's own window answers: lParam + 100
inline constexpr uint32_t kStall = plat::WM_USER + 4;       // answers 7 after 1.5 s
inline constexpr char16_t kSharedName[] = u"BrevaneTestSharedMessage";

}  // namespace peer
