#include "screen/options/GeneralOptions.h"

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/messaging/DefaultContactsProgram.h"
#include "phone/messaging/HardwareKeys.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/ServiceAbi.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace options {

namespace {

bool CallToday(const char* exportName) {
    const plat::DeviceLibrary library(kTodayLibrary);
    FlagFunction* function = library.Find<FlagFunction>(exportName);
    return function != nullptr && function() != 0;
}

// The PIM service through the core library's service calls.
class PimService {
public:
    PimService() : core_(u"coredll.dll") {}

    // The running service's handle; with `start`, registers and starts it first when needed.
    void* Handle(bool start) {
        auto* getHandle = core_.Find<GetServiceHandleFunction>("GetServiceHandle");
        if (getHandle == nullptr) return nullptr;
        const std::u16string device = std::u16string(kPimServiceKey) + u"0:";
        if (void* handle = getHandle(device.c_str(), nullptr, nullptr); handle != nullptr || !start) return handle;
        const plat::DeviceLibrary serviceLibrary(kPimServiceLibrary);
        if (auto* registerService = serviceLibrary.Find<RegisterServiceFunction>("RegisterService")) registerService();
        if (auto* activate = core_.Find<ActivateServiceFunction>("ActivateService")) {
            activate(std::u16string(kPimServiceKey).c_str(), 0);
        }
        return getHandle(device.c_str(), nullptr, nullptr);
    }

    bool Control(void* service, uint32_t code, const void* input, uint32_t inputSize, void* output, uint32_t outputSize) {
        auto* control = core_.Find<ServiceIoControlFunction>("ServiceIoControl");
        uint32_t used = 0;
        return control != nullptr && control(service, code, input, inputSize, output, outputSize, &used, nullptr) != 0;
    }

private:
    plat::DeviceLibrary core_;
};

bool SetToday(bool on) {
    const bool switched = CallToday(on ? "RegisterTodayItem" : "UnRegisterTodayItem");
    // The desktop redraws its Today items; without one, every window hears of the change.
    if (const plat::HWND desktop = plat::FindWindow(kDesktopWindowClass)) {
        plat::SendMessage(desktop, plat::WM_SETTINGCHANGE, kTodayItemsChanged, 0);
    } else {
        // Windows that do not take it keep their items.
        (void)plat::BroadcastMessage(plat::WM_SETTINGCHANGE, kTodayItemsChanged, 0);
    }
    const bool stored = SettingsStore::WriteDword(settings::kSettings, settings::kTodayPlug, on ? 1 : 0);
    return switched && stored;
}

}  // namespace

bool PhoneButtonDialer() {
    PimService service;
    void* handle = service.Handle(false);
    uint8_t answer = 0;
    return handle != nullptr && service.Control(handle, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1) && answer != 0;
}

bool SetPhoneButtonDialer(bool on) {
    PimService service;
    void* handle = service.Handle(true);
    const uint8_t input = on ? 1 : 0;
    return handle != nullptr && service.Control(handle, plat::kPimServiceSetDialer, &input, 1, nullptr, 0);
}

GeneralOptions ReadGeneralOptions() {
    GeneralOptions options;
    options.today = CallToday("IsTodayRegistered");
    options.defaultContacts = IsDefaultContactsProgram();
    options.hardwareButton = FindHardwareKey(u"Brevane.exe").has_value();
    options.hardwareButtonAvailable = options.hardwareButton || FindHardwareKey(u"contact").has_value() ||
                                      FindHardwareKey(u"\\Speed Dial.lnk").has_value();
    options.phoneButtonDialer = PhoneButtonDialer();
    options.handOff = plat::PlatformSwitch(plat::kUseDesktopValue);
    options.shareContacts = plat::PlatformSwitch(plat::kShareContactsValue);
    return options;
}

bool ApplyGeneralOptions(const GeneralOptions& before, const GeneralOptions& now) {
    bool ok = true;
    if (now.today != before.today) ok = SetToday(now.today) && ok;
    if (now.defaultContacts != before.defaultContacts) ok = SetDefaultContactsProgram(now.defaultContacts) && ok;
    if (now.hardwareButton != before.hardwareButton && now.hardwareButtonAvailable) {
        ok = AssignHardwareKey(now.hardwareButton) && ok;
    }
    if (now.phoneButtonDialer != before.phoneButtonDialer) ok = SetPhoneButtonDialer(now.phoneButtonDialer) && ok;
    if (now.handOff != before.handOff)
        ok = plat::SetPlatformSwitch(plat::kUseDesktopValue, now.handOff) && ok;
    if (now.shareContacts != before.shareContacts) {
        ok = plat::SetPlatformSwitch(plat::kShareContactsValue, now.shareContacts) && ok;
    }
    return ok;
}

}  // namespace options
