// The core library of the device (coredll.dll), as far as the system uses it.
// Notification LEDs: two, LED 0 the notification light (cycle adjustment 1000) and LED 1 the
// vibrator (cycle adjustment -1); switching one is logged with its number and state.
// Services: a service is the registry key HKLM\Services\<name> with Dll, Prefix and Index;
// ActivateService marks it running (Active = 1), GetServiceHandle finds a running one by its
// device name (prefix, index, colon) and ServiceIoControl hands the request to the service
// library's "<Prefix>_IOControl". Handles are valid in the process that got them. Each call is
// logged.
#include <mutex>
#include <vector>

#include "app/standins/support/Standin.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/ServiceAbi.h"
#include "platform/text/Utf.h"

namespace {

constexpr std::u16string_view kLibrary = u"coredll.dll";
constexpr std::u16string_view kServices = u"Services";
constexpr int32_t kLedCycleAdjust[] = {1000, -1};
constexpr uint32_t kLedCount = 2;

bool Ready() { return standin::HaveLibraryDevice(reinterpret_cast<const void*>(&Ready)); }

std::u16string ServiceKey(std::u16string_view name) { return std::u16string(kServices) + u"\\" + std::u16string(name); }

bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The services handed out in this process; a handle is its place in the list plus one.
class Handles {
public:
    void* For(const std::u16string& name) {
        const std::lock_guard lock(mutex_);
        for (size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return Handle(i);
        }
        names_.push_back(name);
        return Handle(names_.size() - 1);
    }
    std::optional<std::u16string> Name(void* handle) {
        const std::lock_guard lock(mutex_);
        const auto index = reinterpret_cast<uintptr_t>(handle);
        if (index == 0 || index > names_.size()) return std::nullopt;
        return names_[index - 1];
    }

private:
    static void* Handle(size_t index) { return reinterpret_cast<void*>(static_cast<uintptr_t>(index + 1)); }
    std::mutex mutex_;
    std::vector<std::u16string> names_;
};

Handles& ServiceHandles() {
    static Handles handles;
    return handles;
}

bool IsRunning(std::u16string_view name) {
    return standin::RegistryDword(plat::Hive::LocalMachine, ServiceKey(name), u"Active", 0) != 0;
}

std::u16string DeviceName(std::u16string_view name) {
    const std::u16string key = ServiceKey(name);
    const uint32_t index = standin::RegistryDword(plat::Hive::LocalMachine, key, u"Index", 0);
    return standin::RegistryString(plat::Hive::LocalMachine, key, u"Prefix") + standin::Number(index) + u":";
}

std::vector<std::u16string> ServiceNames() {
    try {
        return plat::DeviceRegistry().SubKeys(plat::Hive::LocalMachine, kServices);
    } catch (const plat::RegistryError&) {
        return {};
    }
}

// Copies the service library's name into the caller's buffer when it fits.
void CopyDllName(std::u16string_view name, char16_t* dllName, uint32_t* dllNameBytes) {
    if (dllNameBytes == nullptr) return;
    const std::u16string dll = standin::RegistryString(plat::Hive::LocalMachine, ServiceKey(name), u"Dll");
    const auto needed = static_cast<uint32_t>((dll.size() + 1) * sizeof(char16_t));
    if (dllName != nullptr && *dllNameBytes >= needed) std::copy(dll.c_str(), dll.c_str() + dll.size() + 1, dllName);
    *dllNameBytes = needed;
}

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t NLedGetDeviceInfo(int32_t infoId, void* output) {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, u"NLedGetDeviceInfo", {standin::Number(infoId)});
    if (output == nullptr) return 0;
    if (infoId == plat::kNledCountInfo) {
        static_cast<NledCountInfo*>(output)->cLeds = kLedCount;
        return 1;
    }
    auto* supports = static_cast<NledSupportsInfo*>(output);
    if (infoId != plat::kNledSupportsInfo || supports->LedNum >= kLedCount) return 0;
    *supports = NledSupportsInfo{supports->LedNum, kLedCycleAdjust[supports->LedNum], 0, 0, 0, 0, 0};
    return 1;
}

BREVANE_STANDIN_EXPORT int32_t NLedSetDevice(int32_t infoId, void* input) {
    if (!Ready()) return 0;
    const auto* settings = static_cast<const NledSettingsInfo*>(input);
    if (infoId != plat::kNledSettingsInfo || settings == nullptr || settings->LedNum >= kLedCount) {
        standin::LogCall(kLibrary, u"NLedSetDevice", {standin::Number(infoId), u"(invalid)"});
        return 0;
    }
    standin::LogCall(kLibrary, u"NLedSetDevice",
                     {standin::Number(infoId), standin::Number(settings->LedNum), standin::Number(settings->OffOnBlink)});
    return 1;
}

BREVANE_STANDIN_EXPORT void* ActivateService(const char16_t* serviceKey, uint32_t clientInfo) {
    if (!Ready()) return nullptr;
    standin::LogCall(kLibrary, u"ActivateService", {standin::Text(serviceKey), standin::Number(clientInfo)});
    if (serviceKey == nullptr) return nullptr;
    const std::u16string key = ServiceKey(serviceKey);
    if (standin::RegistryString(plat::Hive::LocalMachine, key, u"Dll").empty() ||
        standin::RegistryString(plat::Hive::LocalMachine, key, u"Prefix").empty() ||
        !standin::SetRegistryDword(plat::Hive::LocalMachine, key, u"Active", 1)) {
        return nullptr;
    }
    return ServiceHandles().For(serviceKey);
}

BREVANE_STANDIN_EXPORT void* GetServiceHandle(const char16_t* deviceName, char16_t* dllName, uint32_t* dllNameBytes) {
    if (!Ready()) return nullptr;
    standin::LogCall(kLibrary, u"GetServiceHandle", {standin::Text(deviceName)});
    if (deviceName == nullptr) return nullptr;
    for (const std::u16string& name : ServiceNames()) {
        if (!IsRunning(name) || !SameIgnoringAsciiCase(DeviceName(name), deviceName)) continue;
        CopyDllName(name, dllName, dllNameBytes);
        return ServiceHandles().For(name);
    }
    return nullptr;
}

BREVANE_STANDIN_EXPORT int32_t ServiceIoControl(void* service, uint32_t code, const void* input, uint32_t inputSize,
                                                void* output, uint32_t outputSize, uint32_t* outputUsed, void*) {
    if (!Ready()) return 0;
    const auto name = ServiceHandles().Name(service);
    standin::LogCall(kLibrary, u"ServiceIoControl", {name.value_or(u"(invalid handle)"), standin::Number(code)});
    if (!name || !IsRunning(*name)) return 0;
    const std::u16string key = ServiceKey(*name);
    const plat::DeviceLibrary library(standin::RegistryString(plat::Hive::LocalMachine, key, u"Dll"));
    const std::string handlerName =
        plat::ToUtf8(standin::RegistryString(plat::Hive::LocalMachine, key, u"Prefix")) + "_IOControl";
    auto* handler = library.Find<ServiceIoControlHandler>(handlerName.c_str());
    return handler != nullptr ? handler(code, input, inputSize, output, outputSize, outputUsed) : 0;
}
