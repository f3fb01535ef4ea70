#pragma once
// Files the object model writes on the device.
#include <string>
#include <string_view>

namespace plat::pom {

// Creates the device folder and its parents when missing.
[[nodiscard]] bool EnsureDeviceFolder(std::u16string_view devicePath);
// Writes the file whole (replacing it through a new file of its own, so a link planted under the
// name is replaced, never written through), creating its folder first.
[[nodiscard]] bool WriteDeviceFile(std::u16string_view devicePath, std::string_view bytes);
[[nodiscard]] bool RemoveDeviceFile(std::u16string_view devicePath);
[[nodiscard]] bool DeviceFileExists(std::u16string_view devicePath);

}  // namespace plat::pom
