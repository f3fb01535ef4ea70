#include "ext/addins/AddinTable.h"

#include <filesystem>
#include <optional>
#include <string>

#include "ext/addins/AddinAbi.h"
#include "platform/device/Device.h"
#include "platform/registry/Registry.h"

namespace {

// The registry values are read into buffers of this many characters, NUL included.
constexpr size_t kValueBuffer = 260;

std::optional<std::u16string> ReadText(plat::Registry& registry, std::u16string_view key, std::u16string_view name) {
    const std::optional<plat::RegValue> value = registry.GetValue(plat::Hive::LocalMachine, key, name);
    std::optional<std::u16string> text = value ? value->AsString() : std::nullopt;
    if (text && text->size() >= kValueBuffer) text.reset();
    return text;
}

bool FileExists(std::u16string_view devicePath) {
    const auto host = plat::CurrentDevice().ProgramHostPath(devicePath);
    std::error_code ec;
    return !devicePath.empty() && host && std::filesystem::is_regular_file(*host, ec);
}

// The library's path as it exists on the device: as written, else in \Windows\.
std::optional<std::u16string> LocateLibrary(const std::u16string& written) {
    if (FileExists(written)) return written;
    std::u16string inWindows = u"\\Windows\\" + written;
    if (FileExists(inWindows)) return inWindows;
    return std::nullopt;
}

}  // namespace

std::vector<AddinEntry> ReadAddinTable() {
    std::vector<AddinEntry> table;
    try {
        plat::Registry& registry = plat::DeviceRegistry();
        if (!registry.KeyExists(plat::Hive::LocalMachine, kAddinsKey)) return table;
        for (const std::u16string& subkey : registry.SubKeys(plat::Hive::LocalMachine, kAddinsKey)) {
            if (static_cast<int>(table.size()) == addin::kMaxAddins) break;
            const std::u16string key = std::u16string(kAddinsKey) + u"\\" + subkey;
            const auto dll = ReadText(registry, key, u"DLL");
            const auto menu = ReadText(registry, key, u"Menu");
            const auto path = dll && menu ? LocateLibrary(*dll) : std::nullopt;
            if (path) table.push_back({Str(std::u16string_view(*menu)), Str(std::u16string_view(*path))});
        }
    } catch (const plat::RegistryError&) {
        table.clear();
    }
    return table;
}
