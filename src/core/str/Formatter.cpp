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
std::string NarrowFormat(const FormatSpec& specifier, const char* length) {
    std::string format = "%";
    if (specifier.minus) format += '-';
    if (specifier.plus) format += '+';
    if (specifier.blank) format += ' ';
    if (specifier.hash) format += '#';
    if (specifier.zero) format += '0';
    format.append("*.*").append(length).push_back(static_cast<char>(specifier.type));
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

int64_t FixedLength(const FormatSpec& specifier, double value) {
    const int64_t precision = std::max(specifier.precision, 0);
    const int64_t scratch = std::max<int64_t>(precision + 318, specifier.width);
    const int length = std::snprintf(nullptr, 0, "%*.*f", specifier.width, static_cast<int>(precision + 6), value);
    return std::min<int64_t>(length, scratch - 1);
}

int64_t ItemBound(const FormatSpec& specifier, const FormatArg& arg) {
    using Kind = FormatSpec::Kind;
    const int64_t width = specifier.width;
    const int64_t precision = std::max(specifier.precision, 0);
    switch (specifier.kind) {
        case Kind::Character:
        case Kind::String: {
            int64_t item = 2;
            if (specifier.kind == Kind::String)
                item = arg.IsString() ? std::max<int64_t>(static_cast<int64_t>(arg.StringLength()), 1) : 6;
            if (specifier.precision >= 0) item = std::min<int64_t>(item, specifier.precision);
            return std::max(item, width);
        }
        case Kind::Integer:
        case Kind::Pointer:
            return std::max<int64_t>(32, width + precision);
        case Kind::Floating:
            return std::max<int64_t>(128, width + precision);
        case Kind::Fixed:
            return FixedLength(specifier, arg.AsDouble());
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
void AppendPadded(std::u16string& out, std::u16string_view text, const FormatSpec& specifier) {
    const size_t pad = specifier.width > static_cast<int>(text.size()) ? specifier.width - text.size() : 0;
    if (!specifier.minus) out.append(pad, specifier.zero ? u'0' : u' ');
    out += text;
    if (specifier.minus) out.append(pad, u' ');
}

// A character conversion is narrow for "C" and "hc", wide otherwise.
bool IsNarrow(const FormatSpec& specifier) {
    const bool upper = specifier.type == u'C' || specifier.type == u'S';
    if (specifier.size == FormatSpec::Size::Short) return true;
    if (specifier.size == FormatSpec::Size::Long) return false;
    return upper;
}

std::u16string StringText(const FormatSpec& specifier, const FormatArg& arg) {
    std::u16string text;
    if (arg.GetKind() == FormatArg::Kind::Wide)
        text = arg.Wide();
    else if (arg.GetKind() == FormatArg::Kind::Narrow)
        AppendAscii(text, arg.Narrow());  // one unit a byte
    else
        text = u"(null)";
    if (specifier.precision >= 0 && text.size() > static_cast<size_t>(specifier.precision))
        text.resize(static_cast<size_t>(specifier.precision));
    return text;
}

char16_t CharOf(const FormatSpec& specifier, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    return IsNarrow(specifier) ? static_cast<char16_t>(bits & 0xFF) : static_cast<char16_t>(bits & 0xFFFF);
}

std::string IntegerText(const FormatSpec& specifier, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    const std::string format = NarrowFormat(specifier, "ll");
    const bool isSigned = specifier.type == u'd' || specifier.type == u'i';
    long long value = 0;
    switch (specifier.size) {
        case FormatSpec::Size::Short:
            value =
                isSigned ? static_cast<int16_t>(bits) : static_cast<long long>(static_cast<uint16_t>(bits));
            break;
        case FormatSpec::Size::Wide64:
            value = static_cast<long long>(bits);
            break;
        default:
            value =
                isSigned ? static_cast<int32_t>(bits) : static_cast<long long>(static_cast<uint32_t>(bits));
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), specifier.width, specifier.precision, value);
#pragma GCC diagnostic pop
}

std::string FloatingText(const FormatSpec& specifier, const FormatArg& arg) {
    const std::string format = NarrowFormat(specifier, "");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), specifier.width, specifier.precision, arg.AsDouble());
#pragma GCC diagnostic pop
}

// Pointers: all the digits of an address, upper case.
std::string PointerText(const FormatArg& arg) {
    return CFormat("%0*llX", static_cast<int>(sizeof(void*) * 2),
                   static_cast<unsigned long long>(arg.Bits()));
}

void Render(std::u16string& out, const FormatSpec& specifier, const FormatArg& arg) {
    using Kind = FormatSpec::Kind;
    switch (specifier.kind) {
        case Kind::Character: {
            const char16_t ch = CharOf(specifier, arg);
            return AppendPadded(out, std::u16string_view(&ch, 1), specifier);
        }
        case Kind::String:
            return AppendPadded(out, StringText(specifier, arg), specifier);
        case Kind::Integer:
            return AppendAscii(out, IntegerText(specifier, arg));
        case Kind::Floating:
        case Kind::Fixed:
            return AppendAscii(out, FloatingText(specifier, arg));
        case Kind::Pointer: {
            std::u16string digits;
            AppendAscii(digits, PointerText(arg));
            return AppendPadded(out, digits, specifier);
        }
        case Kind::Counter:
            if (int* counter = arg.Counter()) *counter = static_cast<int>(out.size());
            return;
        case Kind::Unknown:
            out += specifier.type;
    }
}

// Feeds the pieces of a format to `onText` and `onConversion`; false when `onConversion` stopped
// the walk.
template <typename OnText, typename OnConversion>
bool Walk(const char16_t* format, FormatArgs args, OnText onText, OnConversion onConversion) {
    FormatWalker walker(format, args);
    std::u16string_view text;
    FormatSpec specifier;
    const FormatArg* arg = nullptr;
    for (;;) {
        switch (walker.Next(text, specifier, arg)) {
            case FormatWalker::Step::End:
                return true;
            case FormatWalker::Step::Text:
                onText(text);
                break;
            case FormatWalker::Step::Conversion:
                if (!onConversion(specifier, *arg)) return false;
        }
    }
}

}  // namespace

int64_t FormatBound(const char16_t* format, FormatArgs args) {
    int64_t total = 0;
    const bool whole = Walk(
        format, args, [&](std::u16string_view text) { total += static_cast<int64_t>(text.size()); },
        [&](const FormatSpec& specifier, const FormatArg& arg) {
            if (specifier.tooLarge) return false;
            total += (specifier.hash ? 2 : 0) + ItemBound(specifier, arg);
            return true;
        });
    return whole ? total : -1;
}

std::u16string FormatRender(const char16_t* format, FormatArgs args) {
    std::u16string out;
    Walk(
        format, args, [&](std::u16string_view text) { out += text; },
        [&](const FormatSpec& specifier, const FormatArg& arg) {
            Render(out, specifier, arg);
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
