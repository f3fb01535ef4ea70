#include "platform/programs/DeviceLibrary.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/device/Device.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/programs/Process.h"
#include "platform/text/Utf.h"

namespace fs = std::filesystem;

namespace plat {

DeviceLibrary::DeviceLibrary(std::u16string_view devicePath) {
    const std::u16string path = ProgramDevicePath(devicePath);
    const auto host = HasCurrentDevice() ? CurrentDevice().ProgramHostPath(path) : std::nullopt;
    std::error_code ec;
    if (devicePath.empty() || !host || !fs::is_regular_file(*host, ec)) {
        SetLastError(ERROR_FILE_NOT_FOUND, ToUtf8(path) + " does not exist on the device");
        return;
    }
    handle_ = dlopen(host->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        SetLastError(ERROR_BAD_FORMAT, ToUtf8(path) + " cannot be loaded: " + (why != nullptr ? why : "unknown"));
        return;
    }
    if (auto* attach = Find<AttachDeviceFunction>(kAttachDeviceExport)) attach(CurrentDevice().Root().c_str());
    SetLastError(ERROR_SUCCESS);
}

DeviceLibrary::~DeviceLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

DeviceLibrary::DeviceLibrary(DeviceLibrary&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

DeviceLibrary& DeviceLibrary::operator=(DeviceLibrary&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) dlclose(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool DeviceLibrary::IsLoaded() const { return handle_ != nullptr; }

void* DeviceLibrary::Find(const char* exportName) const {
    if (handle_ == nullptr || exportName == nullptr) return nullptr;
    return dlsym(handle_, exportName);
}

}  // namespace plat
