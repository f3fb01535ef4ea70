#pragma once
// Phone numbers handed to the host's programs: the host's dialers and messengers match and dial
// numbers in E.164 form ("+4930123456"), whatever the user typed.
#include <string>
#include <string_view>

namespace plat {

// The number in E.164 form, read as dialled in `region` (ISO 3166 letters, "US", "DE"). A number
// that cannot be read as a possible number of that region (a service code, letters, too short) is
// given back as dialled, never dropped.
std::string E164Number(std::string_view dialled, std::string_view region);

// The country of the device's locale ("de_DE" gives "DE"); "US" when the locale names none.
std::string DeviceRegion();

}  // namespace plat
