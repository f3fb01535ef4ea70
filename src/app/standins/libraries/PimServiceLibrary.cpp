// The family's PIM service library (VelmoraPimServ.dll). RegisterService registers it as the
// service HKLM\Services\VelmoraPim (Dll, Prefix "VelmoraPim", Index 0); its request handler
// VelmoraPim_IOControl keeps the "dialler on the phone button" switch in that key (AssignDialer,
// REG_DWORD): request 1 sets it from one input byte, request 2 answers it in one output byte.
// Each call is logged.
#include "app/standins/support/Standin.h"
#include "platform/programs/ServiceAbi.h"

namespace {

constexpr std::u16string_view kLibrary = u"VelmoraPimServ.dll";
constexpr std::u16string_view kKey = u"Services\\VelmoraPim";
constexpr std::u16string_view kDialerValue = u"AssignDialer";

bool Ready() { return standin::HaveLibraryDevice(reinterpret_cast<const void*>(&Ready)); }

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t RegisterService() {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, u"RegisterService", {});
    try {
        plat::Registry& registry = plat::DeviceRegistry();
        const auto lm = plat::Hive::LocalMachine;
        const bool written = registry.SetValue(lm, kKey, u"Dll", plat::RegValue::String(kLibrary)) &&
                             registry.SetValue(lm, kKey, u"Prefix", plat::RegValue::String(u"VelmoraPim")) &&
                             registry.SetValue(lm, kKey, u"Index", plat::RegValue::Dword(0));
        return written ? 1 : 0;
    } catch (const plat::RegistryError&) {
        return 0;
    }
}

BREVANE_STANDIN_EXPORT int32_t VelmoraPim_IOControl(uint32_t code, const void* input, uint32_t inputSize,
                                                    void* output, uint32_t outputSize, uint32_t* outputUsed) {
    if (!Ready()) return 0;
    const auto* in = static_cast<const uint8_t*>(input);
    auto* out = static_cast<uint8_t*>(output);
    standin::LogCall(kLibrary, u"IOControl",
                     {standin::Number(code), standin::Number(inputSize), standin::Number(outputSize)});
    if (code == plat::kPimServiceSetDialer && in != nullptr && inputSize >= 1) {
        return standin::SetRegistryDword(plat::Hive::LocalMachine, kKey, kDialerValue, in[0] != 0 ? 1 : 0) ? 1 : 0;
    }
    if (code == plat::kPimServiceGetDialer && out != nullptr && outputSize >= 1) {
        out[0] = standin::RegistryDword(plat::Hive::LocalMachine, kKey, kDialerValue, 0) != 0 ? 1 : 0;
        if (outputUsed != nullptr) *outputUsed = 1;
        return 1;
    }
    return 0;
}
