#include "platform/pom/DeviceFiles.h"

#include <filesystem>
#include "platform/device/Device.h"
#include "platform/shm/ImageFile.h"

namespace plat::pom {
namespace {

std::optional<std::filesystem::path> Host(std::u16string_view devicePath) {
    if (!HasCurrentDevice()) return std::nullopt;
    return CurrentDevice().HostPath(devicePath);
}

std::u16string_view ParentOf(std::u16string_view devicePath) {
    const size_t slash = devicePath.find_last_of(u"\\/");
    return slash == std::u16string_view::npos ? std::u16string_view() : devicePath.substr(0, slash);
}

}  // namespace

bool EnsureDeviceFolder(std::u16string_view devicePath) {
    const auto host = Host(devicePath);
    if (!host) return false;
    std::error_code error;
    std::filesystem::create_directories(*host, error);
    return !error && std::filesystem::is_directory(*host);
}

bool WriteDeviceFile(std::u16string_view devicePath, std::string_view bytes) {
    if (!EnsureDeviceFolder(ParentOf(devicePath))) return false;
    const auto host = Host(devicePath);
    if (!host) return false;
    FileReplacement file(*host);
    return file.Begin() && file.Write({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}) &&
           file.Commit();
}

bool RemoveDeviceFile(std::u16string_view devicePath) {
    const auto host = Host(devicePath);
    std::error_code error;
    return host && std::filesystem::remove(*host, error);
}

bool DeviceFileExists(std::u16string_view devicePath) {
    const auto host = Host(devicePath);
    std::error_code error;
    return host && std::filesystem::exists(*host, error);
}

}  // namespace plat::pom
