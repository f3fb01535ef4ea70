#pragma once
// The "General" options: the Today-screen item, this program as the system's contacts program
// and on the contacts hardware button, and the dialler on the phone button (a switch of the PIM
// service), and the host computer's switches: handing calls, messages and links to the host's
// programs, and sharing the contacts with them. Read when the page opens; each switch is carried
// out only when it changed.
#include <cstdint>
#include <string_view>

namespace options {

inline constexpr std::u16string_view kTodayLibrary = u"BrevaneToday.dll";
inline constexpr std::u16string_view kPimServiceKey = u"VelmoraPim";
inline constexpr std::u16string_view kPimServiceLibrary = u"VelmoraPimServ.dll";
inline constexpr std::u16string_view kDesktopWindowClass = u"DesktopExplorerWindow";
// WM_SETTINGCHANGE's wParam that tells the Today screen its items changed.
inline constexpr uint32_t kTodayItemsChanged = 242;
// The texts of the host computer's checks.
inline constexpr uint32_t kStrHandOff = 44202;
inline constexpr uint32_t kStrShareContacts = 44203;

struct GeneralOptions {
    bool today = false;
    bool defaultContacts = false;
    bool hardwareButton = false;
    bool hardwareButtonAvailable = false;  // a contacts (or speed-dial) button exists
    bool phoneButtonDialer = false;
    bool handOff = false;        // plat::kUseDesktopValue
    bool shareContacts = false;  // plat::kShareContactsValue
};

GeneralOptions ReadGeneralOptions();
// False when a switch could not be carried out (the others still are).
[[nodiscard]] bool ApplyGeneralOptions(const GeneralOptions& before, const GeneralOptions& now);

// The PIM service's dialler switch: its state (false when the service cannot be reached), and
// setting it (the service is registered and started first when it does not run).
[[nodiscard]] bool PhoneButtonDialer();
[[nodiscard]] bool SetPhoneButtonDialer(bool on);

}  // namespace options
