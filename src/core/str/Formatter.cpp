#include "core/str/Formatter.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/str/FormatWalker.h"
#include "core/str/Str.h"

namespace {

// --- The bound -----------------------------------------------------------------------------------

// The printf format of one conversion with its flags, width and precision taken from arguments
// ("%-*.*lld"), `length` the length modifier. Built in place: GCC 12 at -O3 misreads "%" + a
// temporary string as an overlapping copy.
std::string NarrowFormat(const FormatConversion& conversion, const char* length) {
    std::string format = "%";
    if (conversion.minus) format += '-';
    if (conversion.plus) format += '+';
    if (conversion.blank) format += ' ';
    if (conversion.hash) format += '#';
    if (conversion.zero) format += '0';
    format.append("*.*").append(length).push_back(static_cast<char>(conversion.type));
    return format;
}

// printf into a std::string of the exact length.
std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string CFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

int64_t FixedLength(const FormatConversion& conversion, double value) {
    const int64_t precision = std::max(conversion.precision, 0);
    const int64_t scratch = std::max<int64_t>(precision + 318, conversion.width);
    const int length = std::snprintf(nullptr, 0, "%*.*f", conversion.width, static_cast<int>(precision + 6), value);
    return std::min<int64_t>(length, scratch - 1);
}

int64_t ItemBound(const FormatConversion& conversion, const FormatArg& arg) {
    using Kind = FormatConversion::Kind;
    const int64_t width = conversion.width;
    const int64_t precision = std::max(conversion.precision, 0);
    switch (conversion.kind) {
        case Kind::Character:
        case Kind::String: {
            int64_t item = 2;
            if (conversion.kind == Kind::String)
                item = arg.IsString() ? std::max<int64_t>(static_cast<int64_t>(arg.StringLength()), 1) : 6;
            if (conversion.precision >= 0) item = std::min<int64_t>(item, conversion.precision);
            return std::max(item, width);
        }
        case Kind::Integer:
        case Kind::Pointer:
            return std::max<int64_t>(32, width + precision);
        case Kind::Floating:
            return std::max<int64_t>(128, width + precision);
        case Kind::Fixed:
            return FixedLength(conversion, arg.AsDouble());
        case Kind::Counter:
            return 0;
        case Kind::Unknown:
            break;
    }
    return 1;
}

// --- Rendering -----------------------------------------------------------------------------------

void AppendAscii(std::u16string& out, std::string_view text) {
    for (char ch : text) out += static_cast<char16_t>(static_cast<unsigned char>(ch));
}

// Pads `text` to the width: on the right with "-", else on the left with blanks, or zeros with "0".
void AppendPadded(std::u16string& out, std::u16string_view text, const FormatConversion& conversion) {
    const size_t pad = conversion.width > static_cast<int>(text.size()) ? conversion.width - text.size() : 0;
    if (!conversion.minus) out.append(pad, conversion.zero ? u'0' : u' ');
    out += text;
    if (conversion.minus) out.append(pad, u' ');
}

// A character conversion is narrow for "C" and "hc", wide otherwise.
bool IsNarrow(const FormatConversion& conversion) {
    const bool upper = conversion.type == u'C' || conversion.type == u'S';
    if (conversion.size == FormatConversion::Size::Short) return true;
    if (conversion.size == FormatConversion::Size::Long) return false;
    return upper;
}

std::u16string StringText(const FormatConversion& conversion, const FormatArg& arg) {
    std::u16string text;
    if (arg.GetKind() == FormatArg::Kind::Wide)
        text = arg.Wide();
    else if (arg.GetKind() == FormatArg::Kind::Narrow)
        AppendAscii(text, arg.Narrow());  // one unit a byte
    else
        text = u"(null)";
    if (conversion.precision >= 0 && text.size() > static_cast<size_t>(conversion.precision))
        text.resize(static_cast<size_t>(conversion.precision));
    return text;
}

char16_t CharOf(const FormatConversion& conversion, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    return IsNarrow(conversion) ? static_cast<char16_t>(bits & 0xFF) : static_cast<char16_t>(bits & 0xFFFF);
}

std::string IntegerText(const FormatConversion& conversion, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    const std::string format = NarrowFormat(conversion, "ll");
    const bool isSigned = conversion.type == u'd' || conversion.type == u'i';
    long long value = 0;
    switch (conversion.size) {
        case FormatConversion::Size::Short:
            value =
                isSigned ? static_cast<int16_t>(bits) : static_cast<long long>(static_cast<uint16_t>(bits));
            break;
        case FormatConversion::Size::Wide64:
            value = static_cast<long long>(bits);
            break;
        default:
            value =
                isSigned ? static_cast<int32_t>(bits) : static_cast<long long>(static_cast<uint32_t>(bits));
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), conversion.width, conversion.precision, value);
#pragma GCC diagnostic pop
}

std::string FloatingText(const FormatConversion& conversion, const FormatArg& arg) {
    const std::string format = NarrowFormat(conversion, "");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), conversion.width, conversion.precision, arg.AsDouble());
#pragma GCC diagnostic pop
}

// Pointers: all the digits of an address, upper case.
std::string PointerText(const FormatArg& arg) {
    return CFormat("%0*llX", static_cast<int>(sizeof(void*) * 2),
                   static_cast<unsigned long long>(arg.Bits()));
}

void Render(std::u16string& out, const FormatConversion& conversion, const FormatArg& arg) {
    using Kind = FormatConversion::Kind;
    switch (conversion.kind) {
        case Kind::Character: {
            const char16_t ch = CharOf(conversion, arg);
            return AppendPadded(out, std::u16string_view(&ch, 1), conversion);
        }
        case Kind::String:
            return AppendPadded(out, StringText(conversion, arg), conversion);
        case Kind::Integer:
            return AppendAscii(out, IntegerText(conversion, arg));
        case Kind::Floating:
        case Kind::Fixed:
            return AppendAscii(out, FloatingText(conversion, arg));
        case Kind::Pointer: {
            std::u16string digits;
            AppendAscii(digits, PointerText(arg));
            return AppendPadded(out, digits, conversion);
        }
        case Kind::Counter:
            if (int* counter = arg.Counter()) *counter = static_cast<int>(out.size());
            return;
        case Kind::Unknown:
            out += conversion.type;
    }
}

// Feeds the pieces of a format to `onText` and `onConversion`; false when `onConversion` stopped
// the walk.
template <typename OnText, typename OnConversion>
bool Walk(const char16_t* format, FormatArgs args, OnText onText, OnConversion onConversion) {
    FormatWalker walker(format, args);
    std::u16string_view text;
    FormatConversion conversion;
    const FormatArg* arg = nullptr;
    for (;;) {
        switch (walker.Next(text, conversion, arg)) {
            case FormatWalker::Step::End:
                return true;
            case FormatWalker::Step::Text:
                onText(text);
                break;
            case FormatWalker::Step::Conversion:
                if (!onConversion(conversion, *arg)) return false;
        }
    }
}

}  // namespace

int64_t FormatBound(const char16_t* format, FormatArgs args) {
    int64_t total = 0;
    const bool whole = Walk(
        format, args, [&](std::u16string_view text) { total += static_cast<int64_t>(text.size()); },
        [&](const FormatConversion& conversion, const FormatArg& arg) {
            if (conversion.tooLarge) return false;
            total += (conversion.hash ? 2 : 0) + ItemBound(conversion, arg);
            return true;
        });
    return whole ? total : -1;
}

std::u16string FormatRender(const char16_t* format, FormatArgs args) {
    std::u16string out;
    Walk(
        format, args, [&](std::u16string_view text) { out += text; },
        [&](const FormatConversion& conversion, const FormatArg& arg) {
            Render(out, conversion, arg);
            return true;
        });
    return out;
}

bool Str::FormatList(const char16_t* format, FormatArgs args) {
    const int64_t bound = FormatBound(format, args);
    if (bound < 0 || bound > kStrMaxLength) return false;
    const std::u16string text = FormatRender(format, args);
    if (text.size() > static_cast<size_t>(kStrMaxLength)) return false;
    if (text.empty()) {
        Empty();
        return true;
    }
    // Formatted into a string of its own: an argument may be this string's own text. The result
    // is never cut: when the bound falls short (a sign or an exponent beyond the counted width),
    // the block is made for the whole text.
    Str result;
    char16_t* buffer =
        result.GetBuffer(static_cast<int>(std::max<int64_t>(bound, static_cast<int64_t>(text.size()))));
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    result.ReleaseBuffer(-1);
    *this = std::move(result);
    return true;
}
