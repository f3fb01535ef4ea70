#include "phone/messaging/HostHandlers.h"

#include "core/res/ResourceStrings.h"
#include "platform/programs/Desktop.h"
#include "platform/ui/MessageBox.h"

namespace hosthandlers {

bool SayWhenNoHostProgram(std::string_view scheme) {
    if (!plat::UsesDesktop() || plat::DesktopHandles(scheme)) return false;
    const uint32_t text = scheme == "tel" ? kNoCallProgram : kNoSmsProgram;
    plat::MessageBox(RequireStr(text).View(), u"", plat::MB_OK | plat::MB_ICONINFORMATION);
    return true;
}

}  // namespace hosthandlers
