#pragma once
// The call-information block PhoneMakeCall takes. On the handheld (32-bit) it is 24 bytes: the
// size, the flags and four text pointers of 4 bytes each. Here the pointers are the host's, so
// the block is 40 bytes on a 64-bit host; cbSize carries the host size, which the library checks.
#include <cstdint>

struct PHONEMAKECALLINFO {
    uint32_t cbSize;
    uint32_t dwFlags;
    const char16_t* pszDestAddress;
    const char16_t* pszAppName;
    const char16_t* pszCalledParty;
    const char16_t* pszComment;
};
