#pragma once
// The main window's soft-key menu bar (menu resource 102): the left key "New" gives "New
// Contact", the right key "Menu" opens the main popup (41120) with the contacts commands, the
// program's own commands, and at its end the two placeholders of the caller-ID menus followed by
// two separators.
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/SoftKeyBar.h"

inline constexpr uint32_t kMenuBarResource = 102;
inline constexpr uint32_t kCmdOptions = 41207;
inline constexpr uint32_t kCmdAbout = 41229;
inline constexpr uint32_t kCmdEditTemplate = 41147;
inline constexpr uint32_t kCmdExit = 40004;
// The list of keys (Ctrl+?).
inline constexpr uint32_t kCmdKeys = VK_CMD_SHOW_KEYS;

SoftKeyMenu MainMenuBar();
