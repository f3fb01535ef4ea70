#include "core/str/Compare.h"

#include <exception>

#include "platform/locale/Locale.h"

int CompareLocale(std::u16string_view a, std::u16string_view b) {
    try {
        const int order = plat::CompareText(a, b);
        return (order > 0) - (order < 0);
    } catch (const std::exception&) {
        return 0;
    }
}
