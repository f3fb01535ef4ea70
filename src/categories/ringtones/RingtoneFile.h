#pragma once
// `Category ringtones.inf`: the older file of category ringtones, read once and then deleted
// (docs/ringtones-file.md gives its bytes). Little-endian:
//   0  4  magic "RGTN"            4  2  version, 1           6  2  record count, not 0
//   8  records: u16 name length (<= 259), length + 1 UTF-16 units (the name and its terminator),
//               u16 path length (<= 259), length + 1 UTF-16 units (the path and its terminator)
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/str/Str.h"

inline constexpr std::u16string_view kRingtoneFileName = u"Category ringtones.inf";
inline constexpr uint32_t kRingtoneFileMagic = 0x4E544752;  // "RGTN"
inline constexpr uint16_t kRingtoneFileVersion = 1;
inline constexpr uint16_t kRingtoneFileMaxLength = 259;     // characters of a name or a path
inline constexpr size_t kRingtoneFileHeaderSize = 8;

struct RingtoneRecord {
    Str name;  // the group's display name
    Str path;  // the ringtone file
};

// The records of the file's bytes, in file order. Nothing when the header is wrong (magic,
// version, a count of 0, fewer than eight bytes). A length over 259 or a record cut short by the
// end of the file ends the reading: the records before it are kept. Records whose name or path is
// empty are left out. A text ends at its first NUL.
std::optional<std::vector<RingtoneRecord>> ParseRingtoneFile(std::span<const uint8_t> bytes);
