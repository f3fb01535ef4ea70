#include "core/settings/Folders.h"

#include <filesystem>
#include <system_error>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/device/Device.h"

namespace {

Str WithoutTrailingBackslash(Str path) {
    if (!path.IsEmpty() && path[path.GetLength() - 1] == u'\\') return path.Left(path.GetLength() - 1);
    return path;
}

Str FolderOr(int id, std::u16string_view fallback) {
    const Str folder = SpecialFolder(id);
    return folder.IsEmpty() ? Str(fallback) : folder;
}

// Creates the folder and its missing parents on the current device; failures are left to the
// callers that use the folder.
void EnsureFolder(const Str& devicePath) {
    if (!plat::HasCurrentDevice()) return;
    const auto host = plat::CurrentDevice().HostPath(devicePath.View());
    std::error_code error;
    if (host) std::filesystem::create_directories(*host, error);
}

}  // namespace

Str SpecialFolder(int id) {
    switch (id) {
        case kFolderPersonal:
            return Str(u"\\My Documents");
        case kFolderPrograms:
            return Str(u"\\Program Files");
        default:
            return Str();
    }
}

Str DataFolder() {
    Str folder =
        WithoutTrailingBackslash(SettingsStore::ReadString(settings::kSettings, settings::kFolderPath, u""));
    if (folder.IsEmpty()) folder = FolderOr(kFolderPersonal, u"\\My Documents") + u"\\Brevane Files";
    EnsureFolder(folder);
    return folder;
}

Str SkinFolder() {
    Str folder = SettingsStore::ReadString(settings::kSettings, settings::kSkinPath, u"");
    if (folder.IsEmpty()) {
        return WithoutTrailingBackslash(FolderOr(kFolderPrograms, u"\\Program Files")) +
               u"\\Velmora Brevane\\CIDSkin\\";
    }
    if (folder[folder.GetLength() - 1] != u'\\') folder += u'\\';
    return folder;
}

Str ProgramFolder() {
    const Str path = SettingsStore::ReadString(settings::kSettings, settings::kProgramPath, u"");
    return path.Left(path.ReverseFind(u'\\') + 1);
}
