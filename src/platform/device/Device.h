#pragma once
// One handheld device: a host folder standing for the device's object-store file system, and a
// runtime folder holding everything named on the device (mappings, mutexes, window sockets).
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

class Device {
public:
    // `root` must be an existing folder; it is made absolute and canonical.
    explicit Device(const std::filesystem::path& root);

    const std::filesystem::path& Root() const { return root_; }

    // Maps a device path ("\\My Documents\\a.txt", "\\pim.vol") to the host path below the root.
    // Each component is matched case-insensitively against what exists; components that do not
    // exist are taken as written. Returns nothing for a path that would leave the root ("..").
    std::optional<std::filesystem::path> HostPath(std::u16string_view devicePath) const;

    // The device's namespace folder ${XDG_RUNTIME_DIR:-/tmp}/brevane-<uid>/<id>, created on demand.
    const std::filesystem::path& NamespaceDir() const;

    // A name in the namespace made safe for a file name ("Local\\PimSyncMap" -> a file name).
    std::filesystem::path NamespacePath(std::u16string_view name) const;

    // The device path of the running program's module (its error log is this path + ".log").
    const std::u16string& ModulePath() const { return modulePath_; }
    void SetModulePath(std::u16string path) { modulePath_ = std::move(path); }

private:
    std::filesystem::path root_;
    mutable std::filesystem::path namespaceDir_;
    std::u16string modulePath_ = u"\\Program Files\\Brevane\\Brevane.exe";
};

// The device of this process. Entry points and tests set it before anything else runs.
Device& CurrentDevice();
bool HasCurrentDevice();
void SetCurrentDevice(std::unique_ptr<Device> device);

// The root chosen by --root (when given), else BREVANE_ROOT, else
// $XDG_DATA_HOME/brevane/device (default ~/.local/share/brevane/device).
std::filesystem::path ChooseRoot(const std::optional<std::filesystem::path>& cliRoot);

}  // namespace plat
