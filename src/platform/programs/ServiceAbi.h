#pragma once
// The C interface of the device's core library (\Windows\coredll.dll) as far as the system uses
// it: the notification LEDs (the vibrator is one of them) and the services, and the registration
// export of a service library. Texts are UTF-16 (char16_t), NUL-terminated; truth values are
// 32-bit integers (non-zero = true), as on the handheld.
#include <cstdint>

extern "C" {

// NLedGetDeviceInfo(kNledCountInfo, NledCountInfo*) and (kNledSupportsInfo, NledSupportsInfo*
// with LedNum set); NLedSetDevice(kNledSettingsInfo, NledSettingsInfo*).
struct NledCountInfo {
    uint32_t cLeds;
};
struct NledSupportsInfo {
    uint32_t LedNum;
    int32_t lCycleAdjust;  // -1 marks the vibrator
    int32_t fAdjustTotalCycleTime;
    int32_t fAdjustOnTime;
    int32_t fAdjustOffTime;
    int32_t fMetaCycleOn;
    int32_t fMetaCycleOff;
};
struct NledSettingsInfo {
    uint32_t LedNum;
    int32_t OffOnBlink;  // 0 off, 1 on, 2 blink
    int32_t TotalCycleTime;
    int32_t OnTime;
    int32_t OffTime;
    int32_t MetaCycleOn;
    int32_t MetaCycleOff;
};

using NLedGetDeviceInfoFunction = int32_t(int32_t infoId, void* output);
using NLedSetDeviceFunction = int32_t(int32_t infoId, void* input);

// A service is named by its registry key below HKLM\Services (ActivateService) or by its device
// name, the prefix, the index and a colon ("VelmoraPim0:", GetServiceHandle). dllName (may be
// null) receives the service library's name when *dllNameBytes says it fits; *dllNameBytes gets
// the size it needs. Both give a null handle when the service is not registered or not running.
using GetServiceHandleFunction = void*(const char16_t* deviceName, char16_t* dllName, uint32_t* dllNameBytes);
using ActivateServiceFunction = void*(const char16_t* serviceKey, uint32_t clientInfo);
using ServiceIoControlFunction = int32_t(void* service, uint32_t code, const void* input, uint32_t inputSize,
                                         void* output, uint32_t outputSize, uint32_t* outputUsed,
                                         void* overlapped);

// A service library's own request handler, exported as "<Prefix>_IOControl"; coredll.dll passes
// ServiceIoControl's request to it.
using ServiceIoControlHandler = int32_t(uint32_t code, const void* input, uint32_t inputSize, void* output,
                                        uint32_t outputSize, uint32_t* outputUsed);

// The registration export of a service library (VelmoraPimServ.dll "RegisterService").
using RegisterServiceFunction = int32_t();

// Exports without arguments that answer a truth value: the Today item (IsTodayRegistered,
// RegisterTodayItem, UnRegisterTodayItem) and the SMS hook (Util_SetSMSHook, Util_RemoveSMSHook,
// Util_IsSMSHook).
using FlagFunction = int32_t();

}  // extern "C"

namespace plat {

inline constexpr int32_t kNledCountInfo = 0;
inline constexpr int32_t kNledSupportsInfo = 1;
inline constexpr int32_t kNledSettingsInfo = 2;

// The PIM service: its registry key, prefix and the two requests the options use.
inline constexpr uint32_t kPimServiceSetDialer = 1;  // one input byte: 1 assign, 0 release
inline constexpr uint32_t kPimServiceGetDialer = 2;  // one output byte: non-zero = assigned

}  // namespace plat
