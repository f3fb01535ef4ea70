#include "store/vcard/CardDate.h"

#include <limits>

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kSecondsPerDay = 86'400;
constexpr int64_t kDays1601To1970 = 134'774;
constexpr int kMinYear = 1601;
constexpr uint64_t kMaxSeconds = std::numeric_limits<uint64_t>::max() / kTicksPerSecond;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = yoe + era * 400 + (m <= 2);
}

bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int64_t DaysInMonth(int64_t y, int64_t m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// A cursor over the text being parsed.
class Scanner {
public:
    explicit Scanner(std::u16string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }
    bool Take(char16_t c) {
        if (Peek() != c || AtEnd()) return false;
        ++pos_;
        return true;
    }
    static bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    // Exactly `count` digits.
    bool Digits(int count, int64_t& value) {
        value = 0;
        for (int i = 0; i < count; ++i) {
            if (!IsDigit(Peek())) return false;
            value = value * 10 + (text_[pos_++] - u'0');
        }
        return true;
    }
    // The digits that follow, all taken; the first `most` of them make the value. Returns how
    // many were taken.
    int DigitRun(int most, int64_t& value) {
        int count = 0;
        value = 0;
        while (IsDigit(Peek())) {
            if (count < most) value = value * 10 + (text_[pos_] - u'0');
            ++pos_;
            ++count;
        }
        return count;
    }

private:
    std::u16string_view text_;
    size_t pos_ = 0;
};

struct Instant {
    int64_t year = 0, month = 0, day = 0;
    int64_t seconds = 0;    // of the day, the zone offset taken off
    uint64_t fraction = 0;  // ticks below a second
};

bool ParseDate(Scanner& s, Instant& t) {
    if (s.Take(u'-')) {
        t.year = kYearlessYear;
        if (!s.Take(u'-') || !s.Digits(2, t.month)) return false;
        s.Take(u'-');
        return s.Digits(2, t.day);
    }
    int64_t digits = 0;
    const int count = s.DigitRun(8, digits);
    if (count == 8 && s.Peek() != u'-') {
        t.year = digits / 10000;
        t.month = digits / 100 % 100;
        t.day = digits % 100;
        return true;
    }
    t.year = digits;
    return (count == 4 || count == 5) && s.Take(u'-') && s.Digits(2, t.month) && s.Take(u'-') &&
           s.Digits(2, t.day);
}

// Two digits, optionally after a colon; absent parts stay 0.
bool OptionalPair(Scanner& s, int64_t& value) {
    const bool colon = s.Take(u':');
    if (!Scanner::IsDigit(s.Peek())) return !colon;
    return s.Digits(2, value);
}

bool ParseZone(Scanner& s, int64_t& offsetSeconds) {
    if (s.AtEnd()) return true;
    if (s.Take(u'Z') || s.Take(u'z')) return s.AtEnd();
    const int sign = s.Take(u'+') ? 1 : s.Take(u'-') ? -1 : 0;
    int64_t hours = 0, minutes = 0;
    if (sign == 0 || !s.Digits(2, hours) || !OptionalPair(s, minutes) || !s.AtEnd()) return false;
    if (hours > 23 || minutes > 59) return false;
    offsetSeconds = sign * (hours * 3600 + minutes * 60);
    return true;
}

bool ParseTime(Scanner& s, Instant& t) {
    int64_t hours = 0, minutes = 0, seconds = 0, offset = 0;
    if (!s.Digits(2, hours) || !OptionalPair(s, minutes) || !OptionalPair(s, seconds)) return false;
    if (s.Take(u'.') || s.Take(u',')) {
        int64_t digits = 0;
        const int count = s.DigitRun(7, digits);
        if (count == 0) return false;
        for (int i = count; i < 7; ++i) digits *= 10;
        t.fraction = static_cast<uint64_t>(digits);
    }
    if (hours > 23 || minutes > 59 || seconds > 59 || !ParseZone(s, offset)) return false;
    t.seconds = hours * 3600 + minutes * 60 + seconds - offset;
    return true;
}

bool ToFileTime(const Instant& t, uint64_t& fileTime) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) {
        return false;
    }
    if (t.year < kMinYear) return false;
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDays1601To1970;
    const int64_t seconds = days * kSecondsPerDay + t.seconds;
    const uint64_t lastFraction = std::numeric_limits<uint64_t>::max() % kTicksPerSecond;
    if (seconds < 0 || static_cast<uint64_t>(seconds) > kMaxSeconds ||
        (static_cast<uint64_t>(seconds) == kMaxSeconds && t.fraction > lastFraction)) {
        return false;
    }
    fileTime = static_cast<uint64_t>(seconds) * kTicksPerSecond + t.fraction;
    return true;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

// "a/b/c" or "a.b.c" (one kind of separator) as a civil date; see ParseTableDate.
bool ParseNumericDate(std::u16string_view text, Instant& t, bool& allZero) {
    Scanner s(text);
    int64_t a = 0, b = 0, c = 0;
    const int aDigits = s.DigitRun(4, a);
    const char16_t separator = s.Peek();
    if (aDigits == 0 || (separator != u'/' && separator != u'.') || !s.Take(separator))
        return false;
    const int bDigits = s.DigitRun(2, b);
    if (bDigits == 0 || bDigits > 2 || !s.Take(separator)) return false;
    const int cDigits = s.DigitRun(4, c);
    if (cDigits == 0 || cDigits > 4 || !s.AtEnd()) return false;
    allZero = a == 0 && b == 0 && c == 0;
    if (aDigits == 4) {
        t = {a, b, c};
        return cDigits <= 2;
    }
    if (aDigits > 2) return false;
    const bool dayFirst = separator == u'.' || a > 12;
    t = dayFirst ? Instant{c, b, a} : Instant{c, a, b};
    if (cDigits <= 2) t.year += t.year < 50 ? 2000 : 1900;
    return true;
}

void AppendNumber(std::u16string& out, uint64_t value, int width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
    out += digits;
}

}  // namespace

bool ParseCardDate(std::u16string_view text, uint64_t& fileTime) {
    Scanner s(Trimmed(text));
    Instant t;
    if (!ParseDate(s, t)) return false;
    if (!s.AtEnd()) {
        if (!(s.Take(u'T') || s.Take(u't')) || !ParseTime(s, t)) return false;
    }
    return ToFileTime(t, fileTime);
}

std::u16string FormatCardDate(uint64_t fileTime) {
    const uint64_t seconds = fileTime / kTicksPerSecond;
    const uint64_t fraction = fileTime % kTicksPerSecond;
    const auto days = static_cast<int64_t>(seconds / kSecondsPerDay);
    const uint64_t secondOfDay = seconds % kSecondsPerDay;
    int64_t y = 0, m = 0, d = 0;
    CivilFromDays(days - kDays1601To1970, y, m, d);
    std::u16string out;
    if (y == kYearlessYear && secondOfDay == 0 && fraction == 0) {
        out = u"--";
    } else {
        AppendNumber(out, static_cast<uint64_t>(y), 4);
        out += u'-';
    }
    AppendNumber(out, static_cast<uint64_t>(m), 2);
    out += u'-';
    AppendNumber(out, static_cast<uint64_t>(d), 2);
    if (secondOfDay == 0 && fraction == 0) return out;
    out += u'T';
    AppendNumber(out, secondOfDay / 3600, 2);
    out += u':';
    AppendNumber(out, secondOfDay / 60 % 60, 2);
    out += u':';
    AppendNumber(out, secondOfDay % 60, 2);
    if (fraction != 0) {
        out += u'.';
        AppendNumber(out, fraction, 7);
    }
    out += u'Z';
    return out;
}

TableDate ParseTableDate(std::u16string_view text, uint64_t& fileTime) {
    text = Trimmed(text);
    if (text.empty()) return TableDate::kNone;
    if (ParseCardDate(text, fileTime)) return TableDate::kDate;
    Instant t;
    bool allZero = false;
    if (!ParseNumericDate(text, t, allZero)) return TableDate::kUnreadable;
    if (allZero) return TableDate::kNone;
    return ToFileTime(t, fileTime) ? TableDate::kDate : TableDate::kUnreadable;
}
