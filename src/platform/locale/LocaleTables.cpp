#include "platform/locale/LocaleTables.h"

namespace plat {

namespace {

struct LanguageEntry {
    std::string_view language;
    std::string_view country;  // empty: the language's main identifier
    uint16_t id;
};

constexpr uint16_t kEnglishUs = 0x0409;

constexpr LanguageEntry kLanguages[] = {
    {"ar", "", 0x0401}, {"bg", "", 0x0402}, {"ca", "", 0x0403},
    {"cs", "", 0x0405}, {"da", "", 0x0406}, {"de", "", 0x0407},
    {"de", "CH", 0x0807}, {"de", "AT", 0x0C07}, {"de", "LU", 0x1007},
    {"el", "", 0x0408}, {"en", "", 0x0409}, {"en", "GB", 0x0809},
    {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "NZ", 0x1409},
    {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09}, {"en", "IN", 0x4009},
    {"es", "", 0x0C0A}, {"es", "MX", 0x080A}, {"es", "AR", 0x2C0A},
    {"et", "", 0x0425}, {"fi", "", 0x040B}, {"fr", "", 0x040C},
    {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"he", "", 0x040D}, {"hr", "", 0x041A}, {"hu", "", 0x040E},
    {"it", "", 0x0410}, {"it", "CH", 0x0810}, {"ja", "", 0x0411},
    {"ko", "", 0x0412}, {"lt", "", 0x0427}, {"lv", "", 0x0426},
    {"nb", "", 0x0414}, {"nl", "", 0x0413}, {"nl", "BE", 0x0813},
    {"no", "", 0x0414}, {"pl", "", 0x0415}, {"pt", "", 0x0816},
    {"pt", "BR", 0x0416}, {"ro", "", 0x0418}, {"ru", "", 0x0419},
    {"sk", "", 0x041B}, {"sl", "", 0x0424}, {"sv", "", 0x041D},
    {"sv", "FI", 0x081D}, {"tr", "", 0x041F}, {"uk", "", 0x0422},
    {"zh", "", 0x0804}, {"zh", "TW", 0x0404}, {"zh", "HK", 0x0C04},
    {"zh", "SG", 0x1004},
};

struct CountryEntry {
    std::string_view country;
    uint32_t code;
};

constexpr CountryEntry kCallingCodes[] = {
    {"AE", 971}, {"AR", 54},  {"AT", 43},  {"AU", 61},  {"BE", 32},  {"BG", 359}, {"BR", 55},
    {"BY", 375}, {"CA", 1},   {"CH", 41},  {"CL", 56},  {"CN", 86},  {"CO", 57},  {"CY", 357},
    {"CZ", 420}, {"DE", 49},  {"DK", 45},  {"EE", 372}, {"EG", 20},  {"ES", 34},  {"FI", 358},
    {"FR", 33},  {"GB", 44},  {"GR", 30},  {"HK", 852}, {"HR", 385}, {"HU", 36},  {"ID", 62},
    {"IE", 353}, {"IL", 972}, {"IN", 91},  {"IS", 354}, {"IT", 39},  {"JP", 81},  {"KR", 82},
    {"KZ", 7},   {"LT", 370}, {"LU", 352}, {"LV", 371}, {"MA", 212}, {"MX", 52},  {"MY", 60},
    {"NG", 234}, {"NL", 31},  {"NO", 47},  {"NZ", 64},  {"PE", 51},  {"PH", 63},  {"PK", 92},
    {"PL", 48},  {"PT", 351}, {"RO", 40},  {"RS", 381}, {"RU", 7},   {"SA", 966}, {"SE", 46},
    {"SG", 65},  {"SI", 386}, {"SK", 421}, {"TH", 66},  {"TR", 90},  {"TW", 886}, {"UA", 380},
    {"US", 1},   {"VE", 58},  {"VN", 84},  {"YE", 967}, {"ZA", 27},
};

}  // namespace

uint16_t WindowsLanguageId(std::string_view language, std::string_view country) {
    uint16_t main = 0;
    for (const LanguageEntry& entry : kLanguages) {
        if (entry.language != language) continue;
        if (entry.country == country && !country.empty()) return entry.id;
        if (entry.country.empty()) main = entry.id;
    }
    return main != 0 ? main : kEnglishUs;
}

uint32_t CallingCode(std::string_view country) {
    for (const CountryEntry& entry : kCallingCodes) {
        if (entry.country == country) return entry.code;
    }
    return 0;
}

}  // namespace plat
