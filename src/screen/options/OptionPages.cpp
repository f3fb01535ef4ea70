#include "screen/options/OptionPages.h"

#include <algorithm>
#include <filesystem>

#include "core/res/ResourceStrings.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/device/Device.h"
#include "platform/window/Window.h"
#include "screen/options/PhoneOptions.h"

namespace options {

namespace {

Str Lowered(Str text) {
    text.MakeLower();
    return text;
}

}  // namespace

int ReadOptionPage() {
    const uint32_t page = SettingsStore::ReadDword(settings::kSettings, settings::kOptionPage, 0);
    return page < kPageCount ? static_cast<int>(page) : 0;
}

bool WriteOptionPage(int page) {
    return SettingsStore::WriteDword(settings::kSettings, settings::kOptionPage, static_cast<uint32_t>(std::clamp(page, 0, kPageCount - 1)));
}

int ScrollStep(int dpiX) { return (5 * dpiX + 48) / 96; }

SkinChoices ReadSkins() {
    SkinChoices skins;
    skins.files.emplace_back(settings::kDefaultCidSkin);
    skins.texts.push_back(RequireStr(kStrDefaultSkin));
    std::vector<Str> found;
    if (const auto folder = plat::CurrentDevice().HostPath(SkinFolder().View())) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(*folder, error)) {
            const std::u16string name = entry.path().filename().u16string();
            const Str lowered = Lowered(Str(name));
            if (entry.is_regular_file(error) && lowered.View().ends_with(u".cid") && lowered.View() != settings::kDefaultCidSkin) {
                found.emplace_back(name);
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const Str& a, const Str& b) { return Lowered(a).View() < Lowered(b).View(); });
    for (const Str& file : found) {
        skins.files.push_back(file);
        skins.texts.push_back(file);
    }
    const Str stored = SettingsStore::ReadString(settings::kSettings, settings::kCIDSkin, settings::kDefaultCidSkin);
    for (size_t line = 0; line < skins.files.size(); ++line) {
        if (Lowered(skins.files[line]) == Lowered(stored)) skins.selected = static_cast<int>(line);
    }
    return skins;
}

bool ApplySkin(const SkinChoices& skins, int line) {
    if (line < 0 || line >= static_cast<int>(skins.files.size())) return false;
    if (!SettingsStore::WriteString(settings::kSettings, settings::kCIDSkin, skins.files[static_cast<size_t>(line)].View())) {
        return false;
    }
    // The caller-ID window reads the skin when it next starts.
    if (const plat::HWND window = plat::FindWindow(kCallerIdWindowClass))
        (void)plat::PostMessage(window, kCallerIdSkinChanged, 0, 0);
    return true;
}

}  // namespace options
