#pragma once
// One handheld device: a host folder standing for the device's object-store file system, and a
// runtime folder holding everything named on the device (mappings, mutexes, window sockets).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

class Device {
public:
    // `root` must be an existing folder; it is made absolute and canonical. Throws
    // std::runtime_error otherwise.
    explicit Device(const std::filesystem::path& root);

    const std::filesystem::path& Root() const { return root_; }

    // Maps a device path ("\\My Documents\\a.txt", "\\pim.vol") to the host path below the root.
    // Each component is matched case-insensitively against what exists; components that do not
    // exist are taken as written. Returns nothing for a path that would leave the root ("..", or
    // an existing symbolic link that points outside it) and for a path holding a NUL. Both "\\"
    // and "/" separate components; "." and empty components are skipped.
    std::optional<std::filesystem::path> HostPath(std::u16string_view devicePath) const;

    // The host file of a program or library the device starts or loads. As HostPath, except that
    // the last component may also be a symbolic link to a file outside the device: that is how a
    // device holds the stand-in programs and libraries without copies of them. Starting or loading
    // a link gives nothing a file planted in the device could not, and the folders on the way are
    // held to HostPath's rule. Nothing for a loop of links.
    std::optional<std::filesystem::path> ProgramHostPath(std::u16string_view devicePath) const;

    // The device's namespace folder ${XDG_RUNTIME_DIR:-/tmp}/brevane-<uid>/<id>, created on demand
    // with mode 0700 (<id>: a hash of the root's real path). Throws std::runtime_error when the
    // folder cannot be made private to this user (for instance one owned by another user).
    const std::filesystem::path& NamespaceDir() const;

    // A name in the namespace made safe for a file name ("Local\\PimSyncMap" -> a file name).
    // Different names give different files; the folder is created on demand.
    std::filesystem::path NamespacePath(std::u16string_view name) const;

    // The file name NamespacePath uses for a name: letters, digits, '_', '-' and (not first) '.'
    // stay; every other byte of its UTF-8 is written %XX; an empty name is "%". Names whose
    // encoding is longer than 200 bytes are cut and end in '~' and a hash of the whole name.
    static std::string SafeName(std::u16string_view name);

    // The device path of the running program's module (its error log is this path + ".log").
    const std::u16string& ModulePath() const { return modulePath_; }
    void SetModulePath(std::u16string path) { modulePath_ = std::move(path); }

private:
    std::filesystem::path root_;
    std::filesystem::path namespaceDir_;
    std::u16string modulePath_ = u"\\Program Files\\Brevane\\Brevane.exe";
};

// The device of this process. Entry points and tests set it before anything else runs.
// CurrentDevice throws std::logic_error when none is set.
Device& CurrentDevice();
[[nodiscard]] bool HasCurrentDevice();
void SetCurrentDevice(std::unique_ptr<Device> device);
// Sets the current device (or none) and hands back the one it replaces.
std::unique_ptr<Device> ExchangeCurrentDevice(std::unique_ptr<Device> device);
// Counts the changes of the current device; caches of per-device state compare it.
uint64_t CurrentDeviceGeneration();

// The root chosen by --root (when given), else BREVANE_ROOT, else
// $XDG_DATA_HOME/brevane/device (default ~/.local/share/brevane/device).
std::filesystem::path ChooseRoot(const std::optional<std::filesystem::path>& cliRoot);

}  // namespace plat
