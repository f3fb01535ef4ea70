#pragma once
// Property values of the object store. A property identifier holds the property number in its
// high 16 bits and the value type in its low 16 bits.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

using CeOid = uint32_t;  // object identifier: unique in its volume, never 0

// The volume identifier handed out by a mount; all zero means "no volume".
struct CeGuid {
    std::array<uint8_t, 16> bytes{};
    [[nodiscard]] bool IsZero() const;
    [[nodiscard]] bool operator==(const CeGuid&) const = default;
};

inline constexpr uint16_t CEVT_I4 = 3;         // signed 32-bit
inline constexpr uint16_t CEVT_UI4 = 19;       // unsigned 32-bit
inline constexpr uint16_t CEVT_LPWSTR = 31;    // UTF-16 text
inline constexpr uint16_t CEVT_FILETIME = 64;  // 100 ns units since 1601 (low, high words)
inline constexpr uint16_t CEVT_BLOB = 65;      // byte block
inline constexpr uint16_t CEVT_STREAM = 100;   // byte block written as a stream; reads as CEVT_BLOB
inline constexpr uint16_t CEVT_AUTO_I4 = 0x66; // 32-bit number the store assigns on creation

// Property flags: set by a read for an asked property the record lacks; set by a writer to remove
// the property.
inline constexpr uint16_t CEDB_PROPNOTFOUND = 0x0100;
inline constexpr uint16_t CEDB_PROPDELETE = 0x0200;

constexpr uint32_t MakePropId(uint16_t number, uint16_t type) { return (uint32_t{number} << 16) | type; }
constexpr uint16_t PropNumber(uint32_t propId) { return static_cast<uint16_t>(propId >> 16); }
constexpr uint16_t PropType(uint32_t propId) { return static_cast<uint16_t>(propId & 0xFFFF); }

// True for the types the store knows.
[[nodiscard]] bool IsKnownPropType(uint16_t type);

// One property. Which member holds the value follows the type: `u32` for CEVT_I4 (two's
// complement), CEVT_UI4 and CEVT_AUTO_I4; `filetime` for CEVT_FILETIME; `text` for CEVT_LPWSTR
// (stored up to its first NUL); `blob` for CEVT_BLOB and CEVT_STREAM.
struct PropVal {
    uint32_t propId = MakePropId(0, CEVT_UI4);
    uint16_t flags = 0;
    uint32_t u32 = 0;
    uint64_t filetime = 0;
    std::u16string text;
    std::vector<uint8_t> blob;

    static PropVal Number(uint32_t propId, uint32_t value);
    static PropVal FileTime(uint32_t propId, uint64_t value);
    static PropVal Text(uint32_t propId, std::u16string value);
    static PropVal Blob(uint32_t propId, std::vector<uint8_t> value);
    static PropVal Delete(uint32_t propId);

    [[nodiscard]] bool operator==(const PropVal&) const = default;
};

// The current time, and a time since the Unix epoch, as file times.
uint64_t FileTimeNow();
uint64_t FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

}  // namespace plat
