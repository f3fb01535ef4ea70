#include "platform/locale/Locale.h"

#include <unicode/ucal.h>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/udat.h>
#include <unicode/udatpg.h>
#include <unicode/utf16.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/device/Device.h"
#include "platform/locale/LocaleTables.h"
#include "platform/registry/Registry.h"
#include "platform/text/Utf.h"

namespace plat {

namespace {

// The language ("de") and country ("DE") parts of a locale name ("de_DE").
struct LocaleParts {
    std::string language;
    std::string country;
};

LocaleParts SplitLocale(const std::string& name) {
    LocaleParts parts;
    size_t start = 0;
    for (bool first = true; start <= name.size(); first = false) {
        size_t end = name.find_first_of("_-", start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (first) {
            for (char& c : part) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            parts.language = part;
        } else if (part.size() == 2 && parts.country.empty()) {
            for (char& c : part) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            parts.country = part;
        }
        start = end + 1;
    }
    return parts;
}

std::string ReadDeviceLocale() {
    if (!HasCurrentDevice()) return DefaultLocaleName();
    try {
        // Only an initialised device has a registry; DeviceRegistry does not make one.
        const auto value = DeviceRegistry().GetValue(Hive::CurrentUser, kLocaleKey, kLocaleValue);
        const auto text = value ? value->AsString() : std::nullopt;
        if (text && !text->empty()) return NormalizeLocaleName(ToUtf8(*text));
    } catch (const RegistryError&) {
        // The registry's own users report its state; the locale falls back to the host's.
    }
    return DefaultLocaleName();
}

// One locale's ICU services. The collator is only read after it is opened, which ICU allows from
// several threads; a date formatter is not, so it is used under its own lock.
class LocaleData {
public:
    explicit LocaleData(std::string name) : name_(std::move(name)) {
        UErrorCode status = U_ZERO_ERROR;
        collator_ = ucol_open(name_.c_str(), &status);
        if (U_FAILURE(status)) collator_ = nullptr;
        status = U_ZERO_ERROR;
        dateFormat_ = udat_open(UDAT_NONE, UDAT_SHORT, name_.c_str(), u"UTC", -1, nullptr, 0, &status);
        if (U_FAILURE(status)) dateFormat_ = nullptr;
        monthDayFormat_ = OpenMonthDayFormat(name_);
    }
    ~LocaleData() {
        if (collator_ != nullptr) ucol_close(collator_);
        for (UDateFormat* format : {dateFormat_, monthDayFormat_}) {
            if (format != nullptr) udat_close(format);
        }
    }
    LocaleData(const LocaleData&) = delete;
    LocaleData& operator=(const LocaleData&) = delete;

    const std::string& Name() const { return name_; }
    const LocaleParts& Parts() const { return parts_; }

    int Compare(std::u16string_view a, std::u16string_view b) const {
        if (collator_ == nullptr) return a < b ? -1 : (b < a ? 1 : 0);
        return ucol_strcoll(collator_, a.data(), static_cast<int32_t>(a.size()), b.data(),
                            static_cast<int32_t>(b.size()));
    }

    std::string Version() const {
        if (collator_ == nullptr) return "";
        UVersionInfo version;
        ucol_getVersion(collator_, version);
        char text[U_MAX_VERSION_STRING_LENGTH];
        u_versionToString(version, text);
        return text;
    }

    std::u16string FormatDate(UDate date) const { return Format(dateFormat_, date); }
    std::u16string FormatMonthDay(UDate date) const { return Format(monthDayFormat_, date); }

private:
    // The locale's numeric month and day without a year ("2/3", "03.02."), from its own patterns.
    static UDateFormat* OpenMonthDayFormat(const std::string& name) {
        UErrorCode status = U_ZERO_ERROR;
        UDateTimePatternGenerator* generator = udatpg_open(name.c_str(), &status);
        UChar pattern[64];
        const int32_t length =
            U_SUCCESS(status) ? udatpg_getBestPattern(generator, u"Md", -1, pattern, 64, &status) : 0;
        if (generator != nullptr) udatpg_close(generator);
        if (U_FAILURE(status) || length > 64) return nullptr;
        UDateFormat* format =
            udat_open(UDAT_PATTERN, UDAT_PATTERN, name.c_str(), u"UTC", -1, pattern, length, &status);
        return U_SUCCESS(status) ? format : nullptr;
    }

    std::u16string Format(UDateFormat* format, UDate date) const {
        if (format == nullptr) return {};
        std::lock_guard lock(dateMutex_);
        UChar buffer[64];
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = udat_format(format, date, buffer, 64, nullptr, &status);
        if (U_FAILURE(status) || length > 64) return {};
        return std::u16string(buffer, static_cast<size_t>(length));
    }

    std::string name_;
    LocaleParts parts_ = SplitLocale(name_);
    UCollator* collator_ = nullptr;
    UDateFormat* dateFormat_ = nullptr;
    UDateFormat* monthDayFormat_ = nullptr;
    mutable std::mutex dateMutex_;
};

struct LocaleCache {
    std::mutex mutex;
    uint64_t generation = 0;
    std::shared_ptr<const LocaleData> data;
};

LocaleCache& Cache() {
    static LocaleCache cache;
    return cache;
}

std::shared_ptr<const LocaleData> Current() {
    auto& cache = Cache();
    std::lock_guard lock(cache.mutex);
    const uint64_t generation = CurrentDeviceGeneration();
    if (!cache.data || cache.generation != generation) {
        cache.data = std::make_shared<const LocaleData>(ReadDeviceLocale());
        cache.generation = generation;
    }
    return cache.data;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsCalendarDate(int year, int month, int day) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

// A year in which every month and day exists, for the dates shown without their year.
constexpr int kAnyLeapYear = 2000;

// The instant of noon UTC that day; none for a day that does not exist.
std::optional<UDate> NoonOf(int year, int month, int day) {
    if (!IsCalendarDate(year, month, day)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    UCalendar* calendar = ucal_open(u"UTC", -1, "en_US", UCAL_GREGORIAN, &status);
    if (U_FAILURE(status)) return std::nullopt;
    ucal_setDateTime(calendar, year, month - 1, day, 12, 0, 0, &status);
    const UDate date = ucal_getMillis(calendar, &status);
    ucal_close(calendar);
    if (U_FAILURE(status)) return std::nullopt;
    return date;
}

}  // namespace

int CompareText(std::u16string_view a, std::u16string_view b) {
    const int result = Current()->Compare(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

char16_t LowerUnit(char16_t unit) {
    if (U16_IS_SURROGATE(unit)) return unit;
    const UChar32 lower = u_tolower(unit);
    return U_IS_BMP(lower) && !U16_IS_SURROGATE(lower) ? static_cast<char16_t>(lower) : unit;
}

void LowerInPlace(std::u16string& text) {
    for (char16_t& unit : text) unit = LowerUnit(unit);
}

std::u16string FormatShortDate(int year, int month, int day) {
    const std::optional<UDate> date = NoonOf(year, month, day);
    return date ? Current()->FormatDate(*date) : std::u16string();
}

std::u16string FormatMonthDay(int month, int day) {
    const std::optional<UDate> date = NoonOf(kAnyLeapYear, month, day);
    return date ? Current()->FormatMonthDay(*date) : std::u16string();
}

uint16_t UserLanguageId() {
    const auto data = Current();
    return WindowsLanguageId(data->Parts().language, data->Parts().country);
}

uint32_t UserCountryPhoneCode() { return CallingCode(Current()->Parts().country); }

std::string LocaleName() { return Current()->Name(); }

std::string CollationVersion() { return Current()->Version(); }

void ReloadLocale() {
    auto& cache = Cache();
    std::lock_guard lock(cache.mutex);
    cache.data.reset();
}

bool SetDeviceLocale(std::string_view name) {
    const bool written = DeviceRegistry().SetValue(Hive::CurrentUser, kLocaleKey, kLocaleValue,
                                                   RegValue::String(FromUtf8(NormalizeLocaleName(name))));
    ReloadLocale();
    return written;
}

std::string DefaultLocaleName() {
    const char* lang = std::getenv("LANG");
    const std::string name = NormalizeLocaleName(lang == nullptr ? "" : lang);
    return name.empty() || name == "C" || name == "POSIX" ? "en_US" : name;
}

std::string NormalizeLocaleName(std::string_view name) {
    return std::string(name.substr(0, name.find_first_of(".@")));
}

}  // namespace plat
