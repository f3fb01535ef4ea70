#pragma once
// The C interface of the device's phone library (\Windows\phone.dll) and the block the
// service-code window "CallPol" takes. Texts are UTF-16 (char16_t), NUL-terminated.
//
// The call-information block is 24 bytes on the 32-bit handheld (two 32-bit words and four 32-bit
// pointers). On a 64-bit host the four pointers are 64 bits wide, so the block is 40 bytes there;
// its first word always holds sizeof(PhoneMakeCallInfo) of the host, and the library refuses a
// block whose size word is anything else.
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" {

struct PhoneMakeCallInfo {
    uint32_t cbSize;                  // sizeof(PhoneMakeCallInfo)
    uint32_t dwFlags;                 // 0: call at once
    const char16_t* pszDestAddress;   // the number to dial
    const char16_t* pszAppName;       // null: the phone program
    const char16_t* pszCalledParty;   // the name shown for the call, or null
    const char16_t* pszComment;       // null
};

// 0 when the call was placed, else an error code (87: a null or wrongly sized block, or no number).
using PhoneMakeCallFunction = int32_t(PhoneMakeCallInfo* info);

}  // extern "C"

static_assert(sizeof(PhoneMakeCallInfo) == 8 + 4 * sizeof(void*), "two words and four pointers");

namespace plat {

inline constexpr const char* kPhoneMakeCallExport = "PhoneMakeCall";
inline constexpr int32_t kPhoneCallBadBlock = 87;

// The service-code window and its copy-data message: a block of the 32-bit value 1, the 32-bit
// value 20, 12 zero bytes, then the code as UTF-16 with its terminator; (2 x length + 25) bytes
// rounded down to a multiple of 4, the rest zero.
inline constexpr std::u16string_view kCallPolicyClass = u"CallPol";
inline constexpr uint32_t kCallPolicyCopyData = 1150;
inline constexpr size_t kCallPolicyHeaderSize = 20;

}  // namespace plat
