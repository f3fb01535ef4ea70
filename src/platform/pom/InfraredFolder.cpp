#include "platform/pom/InfraredFolder.h"

#include <optional>

#include "platform/objectstore/StoreErrors.h"
#include "platform/pom/DeviceFiles.h"
#include "platform/pom/ProgramLog.h"

namespace plat::pom {
namespace {

constexpr size_t kMaxNameUnits = 64;
constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";

// A device path in the beam folder that names no existing file.
std::optional<std::u16string> FreePath(const std::u16string& base) {
    for (int n = 1; n < 10000; ++n) {
        std::u16string path = std::u16string(kBeamFolder) + u"\\" + base;
        if (n > 1) {
            const std::string digits = std::to_string(n);
            path += u" (" + std::u16string(digits.begin(), digits.end()) + u")";
        }
        path += u".vcf";
        if (!DeviceFileExists(path)) return path;
    }
    return std::nullopt;
}

}  // namespace

std::u16string SafeFileName(std::u16string_view name) {
    std::u16string safe;
    for (char16_t c : name) safe += (c < 0x20 || kForbidden.find(c) != std::u16string_view::npos) ? u'_' : c;
    const auto trim = [](char16_t c) { return c == u' ' || c == u'.'; };
    while (!safe.empty() && trim(safe.back())) safe.pop_back();
    size_t first = 0;
    while (first < safe.size() && trim(safe[first])) ++first;
    safe = safe.substr(first, kMaxNameUnits);
    return safe.empty() ? u"Contact" : safe;
}

bool InfraredFolder::AddItemToInfraredFolder(ItemType type, std::string card, std::u16string name) {
    if (type != ItemType::Contact) {
        SetLastError(ERROR_INVALID_PARAMETER, "only contacts can be beamed");
        return false;
    }
    items_.push_back({std::move(card), SafeFileName(name)});
    return true;
}

bool InfraredFolder::SendToInfrared() {
    if (!EnsureDeviceFolder(kBeamFolder)) return false;
    std::vector<std::u16string> written;
    for (const Pending& item : items_) {
        const auto path = FreePath(item.name);
        if (!path || !WriteDeviceFile(*path, item.card)) {
            SetLastError(ERROR_GEN_FAILURE, "a beamed card could not be written");
            return false;
        }
        written.push_back(*path);
    }
    items_.clear();
    return LogLibraryCall(kLibraryName, u"SendToInfrared", written);
}

}  // namespace plat::pom
