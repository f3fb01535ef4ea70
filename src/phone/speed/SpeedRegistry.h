#pragma once
// The speed-dial records in the device registry: HKCU "Software\Velmora\PIM\SpeedCall", one set
// of values per record, %d being the record's position in the list (0, 1, ...):
//
//   Oid%d REG_DWORD, First%d REG_SZ, Last%d REG_SZ, Middle%d REG_SZ, Btn%d REG_DWORD,
//   Company%d REG_SZ, Display%d REG_SZ, Link%d REG_DWORD, Index%d REG_DWORD, Phone%d REG_SZ,
//   Type%d REG_SZ
//
// Records are read for %d = 0, 1, ... as long as "Oid%d" exists. A missing or wrong-typed "Btn%d"
// reads as -1, any other missing or wrong-typed value as empty or 0.
#include <optional>
#include <string_view>

#include "phone/speed/SpeedRecord.h"

inline constexpr std::u16string_view kSpeedCallSection = u"SpeedCall";

// The record at position `position`; nothing when "Oid<position>" does not exist.
std::optional<SpeedRecord> ReadSpeedRecord(int position);
// Writes every value of the record at `position` (creating the key). False when a write failed.
[[nodiscard]] bool WriteSpeedRecord(int position, const SpeedRecord& record);
// Deletes the whole key.
[[nodiscard]] bool DeleteSpeedRecords();
