#pragma once
// A library of the device (\Windows\phone.dll, an add-in DLL ...), loaded as a host shared object.
#include <string_view>

namespace plat {

inline constexpr const char* kAttachDeviceExport = "BrevaneAttachDevice";
using AttachDeviceFunction = void(const char* root);

// A device library loaded with dlopen (RTLD_NOW | RTLD_LOCAL, so its symbols never mix with
// another library's); a bare name means \Windows\<name>. Unloaded by the destructor. A missing
// file, a file that is no shared object or one with unresolved symbols leaves it not loaded (the
// last error says why). A library that exports kAttachDeviceExport (void(const char* root)) is
// told the root of the current device right after loading, so that it works on the device that
// loaded it (the stand-in libraries log there).
class DeviceLibrary {
public:
    explicit DeviceLibrary(std::u16string_view devicePath);
    ~DeviceLibrary();
    DeviceLibrary(DeviceLibrary&& other) noexcept;
    DeviceLibrary& operator=(DeviceLibrary&& other) noexcept;
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;

    [[nodiscard]] bool IsLoaded() const;
    // The address of an exported function or variable; nullptr when missing or not loaded.
    void* Find(const char* exportName) const;

    // Find cast to the export's function type: Find<int(int)>("f").
    template <typename Function>
    Function* Find(const char* exportName) const {
        return reinterpret_cast<Function*>(Find(exportName));
    }

private:
    void* handle_ = nullptr;
};

}  // namespace plat
