#pragma once
// The byte layouts of the window system inside a device namespace (documented in docs/windows.md):
// the window entries, the process sockets, the handle counter, the message-name table and the
// frames that carry messages between processes. All integers are little-endian.
#include <cstddef>
#include <cstdint>

namespace plat::winfmt {

// Everything lives in this folder of the device namespace.
inline constexpr const char* kFolder = "windows";

// A window entry, one file "<handle as 8 lower-case hex digits>.w" per window.
inline constexpr const char* kEntrySuffix = ".w";
inline constexpr uint32_t kEntryMagic = 0x314E5742;  // "BWN1"
inline constexpr size_t kEntryMagicAt = 0;
inline constexpr size_t kEntryHandleAt = 4;     // u32, equals the file name
inline constexpr size_t kEntryPidAt = 8;        // u32, the owner process
inline constexpr size_t kEntryFlagsAt = 12;     // u32, kEntryTopLevel
inline constexpr size_t kEntryStartAt = 16;     // u64, the owner's start time (clock ticks after boot)
inline constexpr size_t kEntryClassLengthAt = 24;  // u16, UTF-16 units, 1 to kMaxClassLength
inline constexpr size_t kEntryClassAt = 26;        // the class name, UTF-16LE
inline constexpr uint32_t kEntryTopLevel = 1;      // found by FindWindow
inline constexpr size_t kMaxClassLength = 256;

// A process's listening socket: "<pid>-<start time>.sock".
inline constexpr const char* kSocketSuffix = ".sock";

// The handle counter: file "handles", 4 bytes, the last handle given out; read and written under
// an exclusive flock of the file itself. Handles step by 4 from kFirstHandle, so the lowest bit
// is free for SetForegroundWindow's "with owned windows" mark.
inline constexpr const char* kHandleCounterFile = "handles";
inline constexpr uint32_t kFirstHandle = 0x00010000;
inline constexpr uint32_t kHandleStep = 4;

// The message-name table: file "messages", 8 magic bytes, then one record per registered name in
// registration order: u16 length in UTF-16 units (1 to kMaxMessageName), the name UTF-16LE.
// Record i has the number 0xC000 + i. Changed under an exclusive flock of "messages.lock" and
// replaced whole, so a reader never sees a half-written table.
inline constexpr const char* kMessageTableFile = "messages";
inline constexpr const char* kMessageTableLock = "messages.lock";
inline constexpr uint8_t kMessageTableMagic[8] = {'B', 'W', 'M', 'S', 'G', 'S', '1', 0};
inline constexpr size_t kMaxMessageName = 255;

// A frame on a process socket: a 32-byte header, then `payload length` bytes.
inline constexpr uint32_t kFrameMagic = 0x31465742;  // "BWF1"
inline constexpr size_t kFrameHeaderSize = 32;
inline constexpr size_t kFrameMagicAt = 0;
inline constexpr size_t kFrameKindAt = 4;       // u16, FrameKind
inline constexpr size_t kFrameReservedAt = 6;   // u16, 0
inline constexpr size_t kFrameSequenceAt = 8;   // u32, pairs a reply with its send
inline constexpr size_t kFrameWindowAt = 12;    // u32, the target (Foreground: with its mark bit)
inline constexpr size_t kFrameMessageAt = 16;   // u32, the message; Reply: 1 delivered, 0 no window
inline constexpr size_t kFrameWParamAt = 20;    // u32
inline constexpr size_t kFrameLParamAt = 24;    // u32; WM_COPYDATA: dwData; Reply: the result
inline constexpr size_t kFramePayloadAt = 28;   // u32, payload length (WM_COPYDATA sends only)
inline constexpr uint32_t kMaxPayload = 16u << 20;

enum class FrameKind : uint16_t { Post = 1, Send = 2, Reply = 3, Foreground = 4 };

}  // namespace plat::winfmt
