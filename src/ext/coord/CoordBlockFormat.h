#pragma once
// The coordination block that the family's programs share (documented in docs/coordination.md):
// a named shared mapping of 104 bytes of little-endian 32-bit words, guarded by a named mutex.
#include <array>
#include <cstddef>
#include <cstdint>

namespace coordfmt {

inline constexpr char16_t kMutexName[] = u"9694E7F0-1902-4855-AA4D-F879CF68BE6A";
inline constexpr char16_t kMappingName[] = u"450DC470-F520-401d-8A4B-F51506298DBE";

inline constexpr size_t kBlockSize = 104;

// The main windows of the registered instances in order of registration, slot 0 the master; the
// used slots are contiguous from slot 0, the others are zero.
inline constexpr size_t kWindowTableAt = 0;
inline constexpr size_t kSlotCount = 10;

// The change flags, by the code a writer passes; the offsets are not in code order.
inline constexpr std::array<size_t, 10> kChangeFlagAt = {40, 44, 48, 52, 60, 64, 68, 72, 56, 100};
// Bytes 76 to 99 are not used by the coordination.

}  // namespace coordfmt

// What each change flag says changed.
enum ChangeFlag : uint32_t {
    kIndexRebuilt = 0,
    kAbcSettingsChanged = 1,
    kPhoneFormatsChanged = 2,  // the phone-format templates or the ringtone settings
    kListFontChanged = 3,
    kSortOrderChanged = 4,    // SortType
    kNameOnlyChanged = 5,     // NameOnly
    kDoubleSizedChanged = 6,  // IsDoubleSized
    kRowHeightChanged = 7,    // IncrH
    kViewFontChanged = 8,
    kHideSimChanged = 9,  // HideSim
};
