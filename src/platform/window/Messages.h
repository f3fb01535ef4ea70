#pragma once
// The message numbers of the handheld's window system that the system uses, and the errors that
// the window functions leave as the thread's last error (plat::GetLastError).
#include <cstdint>

#include "platform/objectstore/StoreErrors.h"

namespace plat {

inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_SETTINGCHANGE = 0x001A;
inline constexpr uint32_t WM_DRAWITEM = 0x002B;
inline constexpr uint32_t WM_MEASUREITEM = 0x002C;
inline constexpr uint32_t WM_SETFONT = 0x0030;
inline constexpr uint32_t WM_COPYDATA = 0x004A;
inline constexpr uint32_t WM_NOTIFY = 0x004E;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_KEYFIRST = 0x0100;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_KEYLAST = 0x0108;
inline constexpr uint32_t WM_INITDIALOG = 0x0110;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_INITMENUPOPUP = 0x0117;
inline constexpr uint32_t WM_MOUSEFIRST = 0x0200;
inline constexpr uint32_t WM_MOUSELAST = 0x020D;
inline constexpr uint32_t WM_CUT = 0x0300;
inline constexpr uint32_t WM_COPY = 0x0301;
inline constexpr uint32_t WM_PASTE = 0x0302;
inline constexpr uint32_t WM_CLEAR = 0x0303;
inline constexpr uint32_t WM_UNDO = 0x0304;
inline constexpr uint32_t WM_HOTKEY = 0x0312;
inline constexpr uint32_t WM_DBNOTIFICATION = 0x03FD;  // 1021: a change of the object store
inline constexpr uint32_t WM_USER = 0x0400;

// RegisterWindowMessage hands out numbers from this range.
inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;
inline constexpr uint32_t kLastRegisteredMessage = 0xFFFF;

// Last errors of the window functions, beside those of platform/objectstore/StoreErrors.h
// (ERROR_INVALID_PARAMETER for a value that cannot travel, ERROR_GEN_FAILURE when the device
// namespace fails us, ERROR_FILE_CORRUPT for a damaged message-name table).
inline constexpr uint32_t ERROR_ACCESS_DENIED = 5;              // another process's window
inline constexpr uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;          // no registered number left
inline constexpr uint32_t ERROR_MESSAGE_SYNC_ONLY = 1159;       // WM_COPYDATA cannot be posted
inline constexpr uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;   // no such window (any more)
inline constexpr uint32_t ERROR_TIMEOUT = 1460;                 // the receiver did not answer in time

}  // namespace plat
