#pragma once
// Window class names and registered message names compare without regard to case, as on the
// handheld: each UTF-16 unit is case-folded on its own (the device locale plays no part).
#include <string_view>

namespace plat {

[[nodiscard]] bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace plat
