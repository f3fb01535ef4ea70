#include "platform/device/Device.h"

#include <sys/stat.h>
#include <unistd.h>
#include <pwd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "platform/device/PathMapping.h"
#include "platform/text/Utf.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

constexpr size_t kMaxSafeNameBytes = 200;

uint64_t Fnv1a64(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex64(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// An environment variable's value when it is set to an absolute path.
std::optional<fs::path> AbsoluteFromEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return std::nullopt;
    return fs::path(value);
}

fs::path HomeDir() {
    if (auto home = AbsoluteFromEnv("HOME")) return *home;
    const passwd* entry = getpwuid(getuid());
    if (entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    throw std::runtime_error("cannot find the home folder (HOME is not set)");
}

fs::path CanonicalRoot(const fs::path& root) {
    std::error_code ec;
    fs::path canonical = fs::canonical(fs::absolute(root), ec);
    if (ec || !fs::is_directory(canonical)) {
        throw std::runtime_error("device root " + root.string() + " is not an existing folder");
    }
    return canonical;
}

fs::path NamespaceFor(const fs::path& root) {
    const fs::path base = AbsoluteFromEnv("XDG_RUNTIME_DIR").value_or("/tmp");
    return base / ("brevane-" + std::to_string(getuid())) / Hex64(Fnv1a64(root.string())).substr(0, 12);
}

// Creates `folder` (its parent must exist) private to this user, or makes sure an existing one is:
// a real folder, not a link, owned by this user, mode 0700.
void EnsurePrivateFolder(const fs::path& folder) {
    const auto fail = [&](const std::string& why) {
        throw std::runtime_error("device namespace folder " + folder.string() + " " + why);
    };
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) fail(std::strerror(errno));
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) fail(std::strerror(errno));
    if (!S_ISDIR(info.st_mode)) fail("is not a folder");
    if (info.st_uid != geteuid()) fail("belongs to another user");
    if ((info.st_mode & 07777) != 0700 && chmod(folder.c_str(), 0700) != 0) fail(std::strerror(errno));
}

bool KeepsByte(char c, bool first) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return alnum || c == '_' || c == '-' || (c == '.' && !first);
}

std::unique_ptr<Device>& CurrentSlot() {
    static std::unique_ptr<Device> current;
    return current;
}

std::atomic<uint64_t> generation{0};

}  // namespace

Device::Device(const fs::path& root) : root_(CanonicalRoot(root)), namespaceDir_(NamespaceFor(root_)) {}

std::optional<fs::path> Device::HostPath(std::u16string_view devicePath) const {
    const auto parts = SplitDevicePath(devicePath);
    if (!parts) return std::nullopt;
    fs::path host = root_;
    bool existing = true;
    for (const std::u16string& part : *parts) {
        std::optional<std::string> entry = existing ? FindEntry(host, part) : std::nullopt;
        existing = entry.has_value();
        host /= existing ? *entry : ToUtf8(part);
        if (existing) {
            const auto resolved = ResolveLinks(host);
            if (!resolved || !IsWithin(*resolved, root_)) return std::nullopt;
        }
    }
    return host;
}

std::optional<fs::path> Device::ProgramHostPath(std::u16string_view devicePath) const {
    if (auto host = HostPath(devicePath)) return host;
    const auto parts = SplitDevicePath(devicePath);
    if (!parts || parts->empty()) return std::nullopt;
    std::u16string folderPath;
    for (size_t i = 0; i + 1 < parts->size(); ++i) folderPath += u"\\" + (*parts)[i];
    const auto folder = HostPath(folderPath);
    const auto entry = folder ? FindEntry(*folder, parts->back()) : std::nullopt;
    if (!entry) return std::nullopt;
    const fs::path host = *folder / *entry;
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(host, ec)) || !ResolveLinks(host)) return std::nullopt;
    return host;
}

const fs::path& Device::NamespaceDir() const {
    EnsurePrivateFolder(namespaceDir_.parent_path());
    EnsurePrivateFolder(namespaceDir_);
    return namespaceDir_;
}

fs::path Device::NamespacePath(std::u16string_view name) const { return NamespaceDir() / SafeName(name); }

std::string Device::SafeName(std::u16string_view name) {
    const std::string utf8 = ToUtf8(name);
    if (utf8.empty()) return "%";
    std::string safe;
    for (const char c : utf8) {
        if (KeepsByte(c, safe.empty())) {
            safe += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<uint8_t>(c));
            safe += escaped;
        }
    }
    if (safe.size() <= kMaxSafeNameBytes) return safe;
    // Cut before the '~' and 16 hash digits, never inside a %XX escape.
    size_t cut = kMaxSafeNameBytes - 17;
    if (safe[cut - 1] == '%') cut -= 1;
    else if (safe[cut - 2] == '%') cut -= 2;
    return safe.substr(0, cut) + "~" + Hex64(Fnv1a64(utf8));
}

Device& CurrentDevice() {
    auto& current = CurrentSlot();
    if (!current) throw std::logic_error("no current device: set one before using the platform");
    return *current;
}

bool HasCurrentDevice() { return CurrentSlot() != nullptr; }

void SetCurrentDevice(std::unique_ptr<Device> device) { ExchangeCurrentDevice(std::move(device)); }

std::unique_ptr<Device> ExchangeCurrentDevice(std::unique_ptr<Device> device) {
    std::swap(CurrentSlot(), device);
    ++generation;
    return device;
}

uint64_t CurrentDeviceGeneration() { return generation.load(); }

fs::path ChooseRoot(const std::optional<fs::path>& cliRoot) {
    if (cliRoot && !cliRoot->empty()) return *cliRoot;
    const char* env = std::getenv("BREVANE_ROOT");
    if (env != nullptr && env[0] != '\0') return env;
    const fs::path data = AbsoluteFromEnv("XDG_DATA_HOME").value_or(HomeDir() / ".local" / "share");
    return data / "brevane" / "device";
}

}  // namespace plat
