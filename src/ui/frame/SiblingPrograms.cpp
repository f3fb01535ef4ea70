#include "ui/frame/SiblingPrograms.h"

#include <string>

#include "core/diag/ErrorLog.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/PhoneService.h"
#include "platform/programs/Process.h"

namespace {

bool Start(std::u16string_view program) {
    if (plat::StartProgram(program, u"")) return true;
    ErrorLog(u"Cannot start " + std::u16string(program), "SiblingPrograms", __LINE__);
    return false;
}

bool StartFromProgramFolder(std::u16string_view fileName) {
    return Start(std::u16string(ProgramFolder().View()) + std::u16string(fileName));
}

}  // namespace

DiallerStart StartDialler() {
    DiallerStart result;
    result.systemDialler = SettingsStore::ReadDword(settings::kSettings, settings::kSysDialer, 0) == 1;
    result.started = result.systemDialler ? Start(kPhoneProgram) : StartFromProgramFolder(kFamilyDialler);
    return result;
}

bool StartHistory() { return StartFromProgramFolder(kFamilyHistory); }
