#pragma once
// The copy-data message that hands a service code (a number ending in "#") to the call-policy
// window of class "CallPol" instead of dialling it. Message identifier (dwData) 1150; the block:
//
//   0  u32 1
//   4  u32 20
//   8  12 zero bytes
//  20  the number, UTF-16LE, with its terminating NUL
//      zero bytes up to the block size, (2 × length + 25) rounded down to a multiple of 4
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/programs/PhoneAbi.h"

inline constexpr uint32_t kCallPolMessage = plat::kCallPolicyCopyData;
inline constexpr std::u16string_view kCallPolClass = plat::kCallPolicyClass;

std::vector<uint8_t> BuildCallPolBlock(std::u16string_view number);

// A service code is a number ending in "#".
[[nodiscard]] inline bool IsServiceCode(std::u16string_view number) {
    return !number.empty() && number.back() == u'#';
}
