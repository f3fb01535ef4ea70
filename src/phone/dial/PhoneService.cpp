#include "phone/dial/PhoneService.h"

#include <memory>
#include <string>

#include "platform/device/Device.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/programs/Process.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/window/Window.h"

namespace {

// phone.dll of the current device, loaded once and kept while the device stays current.
plat::DeviceLibrary* PhoneLibrary() {
    static std::unique_ptr<plat::DeviceLibrary> library;
    static uint64_t generation = 0;
    const uint64_t current = plat::CurrentDeviceGeneration();
    if (!library || generation != current || !library->IsLoaded()) {
        library = std::make_unique<plat::DeviceLibrary>(kPhoneLibrary);
        generation = current;
    }
    return library->IsLoaded() ? library.get() : nullptr;
}

PhoneMakeCallFunction* MakeCallExport() {
    plat::DeviceLibrary* library = PhoneLibrary();
    return library ? library->Find<PhoneMakeCallFunction>(plat::kPhoneMakeCallExport) : nullptr;
}

}  // namespace

bool PhoneCallAvailable() { return MakeCallExport() != nullptr; }

std::optional<int32_t> PhoneMakeCall(std::u16string_view number, std::u16string_view calledParty) {
    PhoneMakeCallFunction* makeCall = MakeCallExport();
    if (!makeCall) return std::nullopt;
    const std::u16string destination(number);
    const std::u16string party(calledParty);
    PhoneMakeCallInfo info{};
    info.cbSize = sizeof(PhoneMakeCallInfo);
    info.dwFlags = 0;
    info.pszDestAddress = destination.c_str();
    info.pszAppName = nullptr;
    info.pszCalledParty = party.empty() ? nullptr : party.c_str();
    info.pszComment = nullptr;
    return makeCall(&info);
}

bool EnsurePhoneProgram(uint32_t waitMs, plat::Sleeper& sleeper) {
    bool running = plat::FindWindow(u"MSCprog") != 0;
    if (!running) running = plat::StartProgram(kPhoneProgram, u"");
    if (waitMs == 0) return running;
    for (uint32_t waited = 0;; waited += kPhoneProgramPollMs) {
        if (plat::FindWindow(u"MSCProg") != 0) return true;
        if (waited >= waitMs) return false;
        sleeper.Sleep(kPhoneProgramPollMs);
    }
}
