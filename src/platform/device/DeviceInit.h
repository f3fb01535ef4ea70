#pragma once
// Making a new device, as a new phone comes from the factory.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace plat {

struct InitOptions {
    bool phone = true;   // a phone device has \Windows\sms.dll, \Windows\phone.dll and the phone programs
    std::string locale;  // "de_DE" or "de_DE.UTF-8"; empty: DefaultLocaleName()
    // The device a person runs: it hands calls, messages and links to the host computer and shares
    // its contacts with the host's phone programs (UseDesktop and ShareContacts on). Demo and test
    // devices keep both off, so they never reach outside their root.
    bool host = false;
};

struct InitResult {
    std::filesystem::path root;  // canonical
    bool created = false;        // false: the device existed and was left as it is
};

// Whether ChooseRoot (Device.h) gives the user's own device: neither --root nor BREVANE_ROOT chose
// one. Such a device is made with InitOptions::host.
[[nodiscard]] bool IsDefaultRoot(const std::optional<std::filesystem::path>& cliRoot);

// A root that cannot be created or used as a device.
class DeviceInitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates the root when missing, then the device in it unless one is there already (a device is
// there once its registry \Windows\registry.db exists) with the stand-in programs and libraries
// when their built files are found (platform/programs/Standins.h; a file that cannot be installed
// raises DeviceInitError). An existing registry is opened, so a damaged one raises RegistryError;
// an existing device is left as it is but for stand-in links that lead nowhere, which are linked
// again.
// The registry is written last and appears at once, completely written, so an interrupted
// initialisation is simply done again. Two processes may initialise one root at
// once; exactly one of them creates the device.
InitResult InitDevice(const std::filesystem::path& root, const InitOptions& options = {});

}  // namespace plat
