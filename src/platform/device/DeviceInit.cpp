#include "platform/device/DeviceInit.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/locale/Locale.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/Standins.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryDefaults.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

constexpr std::u16string_view kFolders[] = {u"\\My Documents", u"\\Program Files\\Brevane", u"\\Windows",
                                            u"\\Windows\\StartUp"};
constexpr std::u16string_view kPhoneMarkers[] = {u"\\Windows\\sms.dll", u"\\Windows\\phone.dll"};

[[noreturn]] void Fail(const fs::path& root, const std::string& why) {
    throw DeviceInitError("cannot initialise the device " + root.string() + ": " + why);
}

fs::path Host(const Device& device, std::u16string_view devicePath) {
    const auto host = device.HostPath(devicePath);
    if (!host) Fail(device.Root(), "a link leads out of the device");
    return *host;
}

void MakeRoot(const fs::path& root) {
    std::error_code ec;
    if (fs::exists(root, ec) && !fs::is_directory(root, ec)) Fail(root, "it is not a folder");
    fs::create_directories(root, ec);
    if (ec || !fs::is_directory(root, ec)) Fail(root, ec ? ec.message() : "it is not a folder");
}

void MakeFolders(const Device& device) {
    for (const std::u16string_view folder : kFolders) {
        std::error_code ec;
        const fs::path host = Host(device, folder);
        fs::create_directories(host, ec);
        if (!fs::is_directory(host)) Fail(device.Root(), host.string() + " cannot be made a folder");
    }
}

// An empty file under each marker's name; a library another process linked there (two processes
// initialising one root at once) is kept, also when it was linked between the look and the write.
void MakePhoneMarkers(const Device& device) {
    for (const std::u16string_view marker : kPhoneMarkers) {
        const auto host = device.ProgramHostPath(marker);
        if (!host) Fail(device.Root(), "a link leads out of the device");
        const auto linked = [&] {
            std::error_code ec;
            return fs::is_symlink(fs::symlink_status(*host, ec));
        };
        if (linked() || AppendToRegularFile(*host, "") || linked()) continue;
        Fail(device.Root(), "cannot create " + host->string());
    }
}

// The stand-in programs and libraries, when the built ones are found (docs/standins.md): all of
// them on a new device, on an existing one only those whose links lead nowhere.
void MakeStandins(const Device& device, bool phone, bool existing) {
    const auto folder = FindStandinFolder();
    if (!folder) return;
    try {
        existing ? RelinkStandins(device, *folder) : InstallStandins(device, *folder, phone);
    } catch (const fs::filesystem_error& error) {
        Fail(device.Root(), std::string("cannot install the stand-ins: ") + error.what());
    }
}

// The object store with the platform's own databases; one left by an interrupted initialisation
// is kept as it is.
void MakeVolume(const Device& device) {
    const fs::path host = Host(device, u"\\pim.vol");
    if (!InitVolume(host) && GetLastError() != ERROR_ALREADY_EXISTS) {
        Fail(device.Root(), "cannot create the object store: " + LastErrorMessage());
    }
}

void RemoveDatabase(const fs::path& file) {
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(file.string() + suffix, ec);
}

bool WriteHostSwitches(Registry& registry) {
    for (const std::u16string_view name : {kUseDesktopValue, kShareContactsValue}) {
        if (!registry.SetValue(Hive::CurrentUser, kPlatformKey, name, RegValue::Dword(1))) return false;
    }
    return true;
}

// Writes the registry under a name of this process's own, then links it into place: link never
// replaces a registry another process put there meanwhile.
bool MakeRegistry(const fs::path& file, const std::string& locale, bool host) {
    const fs::path draft = file.string() + ".new-" + std::to_string(getpid());
    RemoveDatabase(draft);
    try {
        Registry registry(draft);
        if (!WriteRegistryDefaults(registry, locale) || (host && !WriteHostSwitches(registry))) {
            Fail(file, "cannot write the registry defaults");
        }
    } catch (...) {
        RemoveDatabase(draft);
        throw;
    }
    const bool linked = link(draft.c_str(), file.c_str()) == 0;
    const int linkError = errno;
    RemoveDatabase(draft);
    if (!linked && linkError != EEXIST) Fail(file, std::string("cannot create the registry: ") + std::strerror(linkError));
    return linked;
}

}  // namespace

bool IsDefaultRoot(const std::optional<fs::path>& cliRoot) {
    const char* env = std::getenv("BREVANE_ROOT");
    return (!cliRoot || cliRoot->empty()) && (env == nullptr || env[0] == '\0');
}

InitResult InitDevice(const fs::path& root, const InitOptions& options) {
    MakeRoot(root);
    const Device device(root);
    const fs::path registryFile = DeviceRegistryFile(device);
    std::error_code ec;
    if (fs::exists(registryFile, ec)) {
        Registry existing(registryFile);  // reports a damaged registry
        MakeStandins(device, options.phone, true);
        return {device.Root(), false};
    }
    MakeFolders(device);
    if (options.phone) MakePhoneMarkers(device);
    MakeStandins(device, options.phone, false);
    MakeVolume(device);
    const std::string locale = options.locale.empty() ? DefaultLocaleName() : NormalizeLocaleName(options.locale);
    const bool created = MakeRegistry(Host(device, u"\\Windows\\registry.db"), locale, options.host);
    return {device.Root(), created};
}

}  // namespace plat
