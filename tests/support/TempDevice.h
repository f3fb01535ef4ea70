#pragma once
// A fresh device for one test: a temporary root, initialised, made the current device while the
// object lives; afterwards the previous device is current again and the root and the device's
// namespace folder are removed.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/device/Device.h"

class TempDevice {
public:
    struct Options {
        bool phone = true;
        std::string locale = "en_US";  // fixed, so tests do not depend on the host's LANG
    };

    TempDevice();
    explicit TempDevice(const Options& options);
    ~TempDevice();
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    plat::Device& Device() const;
    // The host path of a device path, a stand-in's link to its built file included (fails the test
    // when the path leaves the device otherwise).
    std::filesystem::path Host(std::u16string_view devicePath) const;

private:
    std::filesystem::path root_;
    std::unique_ptr<plat::Device> previous_;
};
