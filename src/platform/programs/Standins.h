#pragma once
// The stand-in programs and libraries of this project that a new device gets in place of the
// handheld's own (docs/standins.md): where the built files are found on the host and under which
// device names they are installed.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace plat {

class Device;

struct StandinFile {
    std::u16string_view devicePath;  // "\\Windows\\tmail.exe"
    const char* hostName;            // the built file: "standin-tmail"
    bool phoneOnly;                  // only a device with phone gets it
};

// Every stand-in, in installation order.
std::span<const StandinFile> StandinFiles();

// The folder holding the built stand-ins: BREVANE_STANDIN_DIR when set (an absolute folder), else
// the first of <dir>/standins, <dir>/src/app/standins and <dir>/lib/brevane/standins that holds
// them, for the running executable's folder and each folder above it. Nothing when none does.
std::optional<std::filesystem::path> FindStandinFolder();

// Installs the stand-ins found in `folder` into the device: symbolic links to them (copies where
// the device's folder cannot hold links), so a device weighs no more than its data. A file already
// on the device is kept unless it is empty (an empty phone.dll is only the phone marker and makes
// way for the library) or a link leading nowhere; a stand-in missing from the folder is skipped.
// Returns how many were installed; throws std::filesystem::filesystem_error when a file cannot be
// written.
std::size_t InstallStandins(const Device& device, const std::filesystem::path& folder, bool phone);

// Links again, to the stand-ins found in `folder`, the device's stand-in links that lead nowhere
// (the build or installation they pointed to is gone); every other file is left as it is. Returns
// how many were linked; throws std::filesystem::filesystem_error when a link cannot be written.
std::size_t RelinkStandins(const Device& device, const std::filesystem::path& folder);

// The project's own add-in library `fileName` as built: the first of <dir>/addins,
// <dir>/src/app/addins and <dir>/lib/brevane/addins holding it, for the running executable's
// folder and each folder above it. Nothing when none does.
std::optional<std::filesystem::path> FindBuiltAddin(std::string_view fileName);

// Installs the host file `from` into the device as `devicePath`, the way stand-ins are installed
// (a link to it; folders made as needed). A non-empty file already there is kept. True when the
// device holds the file afterwards.
[[nodiscard]] bool InstallDeviceFile(const Device& device, const std::filesystem::path& from,
                                     std::u16string_view devicePath);

}  // namespace plat
