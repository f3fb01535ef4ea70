#include "platform/device/PathMapping.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <system_error>

#include "platform/text/Utf.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

// Links followed before a path counts as a loop (the host's own limit).
constexpr int kMaxLinkHops = 40;

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    const int result = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                        static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
    return U_SUCCESS(status) && result == 0;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::optional<std::vector<std::u16string>> SplitDevicePath(std::u16string_view devicePath) {
    if (devicePath.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    std::vector<std::u16string> parts;
    size_t start = 0;
    while (start <= devicePath.size()) {
        size_t end = devicePath.find_first_of(u"\\/", start);
        if (end == std::u16string_view::npos) end = devicePath.size();
        const std::u16string_view part = devicePath.substr(start, end - start);
        if (part == u"..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

std::optional<std::string> FindEntry(const fs::path& folder, std::u16string_view component) {
    const std::string exact = ToUtf8(component);
    if (Exists(folder / exact)) return exact;
    std::error_code ec;
    std::optional<std::string> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (SameIgnoringCase(FromUtf8(name), component) && (!found || name < *found)) {
            found = std::move(name);
        }
    }
    return found;
}

std::optional<fs::path> ResolveLinks(const fs::path& path) {
    std::error_code ec;
    fs::path current = fs::weakly_canonical(path, ec);
    if (ec) return std::nullopt;
    for (int hops = 0; hops < kMaxLinkHops; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        // A link that points at nothing is not resolved by weakly_canonical: follow it here.
        const fs::path target = fs::read_symlink(current, ec);
        if (ec) return std::nullopt;
        current = fs::weakly_canonical(current.parent_path() / target, ec);
        if (ec) return std::nullopt;
    }
    return std::nullopt;
}

bool IsWithin(const fs::path& path, const fs::path& root) {
    return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

}  // namespace plat
