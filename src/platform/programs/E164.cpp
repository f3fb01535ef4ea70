#include "platform/programs/E164.h"

#include <phonenumbers/phonenumberutil.h>

#include "platform/locale/Locale.h"

namespace plat {

std::string E164Number(std::string_view dialled, std::string_view region) {
    using i18n::phonenumbers::PhoneNumber;
    using i18n::phonenumbers::PhoneNumberUtil;
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber number;
    const std::string text(dialled);
    if (util.Parse(text, std::string(region), &number) != PhoneNumberUtil::NO_PARSING_ERROR ||
        !util.IsPossibleNumber(number)) {
        return text;
    }
    std::string formatted;
    util.Format(number, PhoneNumberUtil::E164, &formatted);
    return formatted;
}

std::string DeviceRegion() {
    const std::string locale = LocaleName();
    const size_t separator = locale.find('_');
    if (separator == std::string::npos || locale.size() < separator + 3) return "US";
    return locale.substr(separator + 1, 2);
}

}  // namespace plat
