// The phone library of the device (phone.dll): PhoneMakeCall logs the call (flags, destination,
// application, called party, comment) and, on a device set to use the desktop, hands "tel:" and
// the destination in E.164 form to the desktop. A null block, one whose size word is not the host's
// sizeof(PhoneMakeCallInfo) or one without destination is logged as "(invalid block)" and refused.
#include "app/standins/support/Standin.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/DesktopAddress.h"
#include "platform/programs/PhoneAbi.h"

namespace {

constexpr std::u16string_view kLibrary = u"phone.dll";

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t PhoneMakeCall(PhoneMakeCallInfo* info) {
    if (!standin::HaveLibraryDevice(reinterpret_cast<const void*>(&PhoneMakeCall))) return plat::kPhoneCallBadBlock;
    if (info == nullptr || info->cbSize != sizeof(PhoneMakeCallInfo) || info->pszDestAddress == nullptr) {
        standin::LogCall(kLibrary, u"PhoneMakeCall", {u"(invalid block)"});
        return plat::kPhoneCallBadBlock;
    }
    standin::LogCall(kLibrary, u"PhoneMakeCall",
                     {standin::Number(info->dwFlags), standin::Text(info->pszDestAddress),
                      standin::Text(info->pszAppName), standin::Text(info->pszCalledParty),
                      standin::Text(info->pszComment)});
    // The call is logged; the host's desktop is a courtesy.
    (void)plat::OpenOnDesktop(plat::TelAddress(info->pszDestAddress));
    return 0;
}
