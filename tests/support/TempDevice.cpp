#include "support/TempDevice.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>
#include <system_error>

#include "platform/device/DeviceInit.h"
#include "platform/locale/Locale.h"
#include "platform/registry/Registry.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeTempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/brevane-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder: " + pattern);
    return pattern;
}

}  // namespace

TempDevice::TempDevice() : TempDevice(Options()) {}

TempDevice::TempDevice(const Options& options) {
    root_ = MakeTempFolder() / "device";
    plat::InitOptions init;
    init.phone = options.phone;
    init.locale = options.locale;
    root_ = plat::InitDevice(root_, init).root;
    previous_ = plat::ExchangeCurrentDevice(std::make_unique<plat::Device>(root_));
    plat::ReloadLocale();
}

TempDevice::~TempDevice() {
    plat::CloseDeviceRegistry();
    std::error_code ec;
    try {
        if (plat::HasCurrentDevice() && plat::CurrentDevice().Root() == root_) {
            fs::remove_all(plat::CurrentDevice().NamespaceDir(), ec);
        }
    } catch (const std::runtime_error&) {
        // A namespace that cannot be made private was never used: nothing to remove.
    }
    plat::ExchangeCurrentDevice(std::move(previous_));
    plat::ReloadLocale();
    fs::remove_all(root_.parent_path(), ec);
}

plat::Device& TempDevice::Device() const { return plat::CurrentDevice(); }

fs::path TempDevice::Host(std::u16string_view devicePath) const {
    const auto host = plat::CurrentDevice().ProgramHostPath(devicePath);
    EXPECT_TRUE(host.has_value()) << "device path leaves the device";
    return host.value_or(root_);
}
