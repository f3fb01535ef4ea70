#pragma once
// The handheld's keys on a desktop keyboard, as virtual-key codes: F1 and F2 the soft keys, F3
// Talk, F4 End, Enter the action key, the numeric keypad the phone keypad (digits, * and #).
#include <cstdint>

class QKeyEvent;

inline constexpr uint32_t VK_BACK = 0x08, VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                          VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_DELETE = 0x2E;
inline constexpr uint32_t VK_SOFTKEY_LEFT = 0x70;   // F1
inline constexpr uint32_t VK_SOFTKEY_RIGHT = 0x71;  // F2
inline constexpr uint32_t VK_TTALK = 0x72;          // F3, the Talk key
inline constexpr uint32_t VK_TEND = 0x73;           // F4, the End key
inline constexpr uint32_t VK_STAR = 0x77;           // the keypad's * (F8 on the handheld)
inline constexpr uint32_t VK_POUND = 0x78;          // the keypad's # (F9 on the handheld)
inline constexpr uint32_t VK_TACTION = VK_RETURN;   // the action key
inline constexpr uint32_t VK_APPS = 0x5D;           // the Menu key (or Shift+F10): the context menu
// The command Ctrl+? gives the window that takes accelerators: the list of keys.
inline constexpr uint32_t VK_CMD_SHOW_KEYS = 41990;

// Digits and letters are their ASCII codes ('0'..'9', 'A'..'Z').
// The virtual key of a key event; 0 for a key the handheld has no counterpart of.
uint32_t VirtualKeyOf(const QKeyEvent& event);

// True for the keys that ask for the context menu of what has the keyboard: the Menu key and
// Shift+F10.
[[nodiscard]] bool IsContextMenuKey(const QKeyEvent& event);

// True for Ctrl+? (Ctrl+Shift+/ on most layouts).
[[nodiscard]] bool IsShowKeysKey(const QKeyEvent& event);

// True for a key event from the numeric keypad (the phone keypad).
[[nodiscard]] bool IsPhoneKeypad(const QKeyEvent& event);

// lParam of WM_HOTKEY: the virtual key in the high word.
inline constexpr intptr_t HotKeyParam(uint32_t virtualKey) { return static_cast<intptr_t>(virtualKey) << 16; }
