#include "core/result/StatusBox.h"

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr uint32_t kStrProgramName = 101;

}  // namespace

void TellUser(const Status& status) {
    if (status.IsOk()) return;
    plat::MessageBox(status.Message(), RequireStr(kStrProgramName).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
}
