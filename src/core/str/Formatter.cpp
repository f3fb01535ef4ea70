#include "core/str/Formatter.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/str/Str.h"

namespace {

struct Spec {
    bool minus = false, plus = false, zero = false, blank = false, hash = false;
    int width = 0;       // 0: none
    int precision = -1;  // -1: none
    enum class Size { Default, Short, Long, Wide64 } size = Size::Default;
    char16_t type = 0;
    bool tooLarge = false;
};

const FormatArg& NoArg() {
    static const FormatArg none;
    return none;
}

bool IsKnownType(char16_t type) { return std::u16string_view(u"cCsSdiouxXpeEfgGn").find(type) != std::u16string_view::npos; }

// Walks a format: literal text and conversions, each conversion with its argument.
class Walker {
public:
    enum class Step { End, Text, Conversion };

    Walker(const char16_t* format, FormatArgs args) : at_(format ? format : u""), args_(args) {}

    Step Next(std::u16string_view& text, Spec& spec, const FormatArg*& arg) {
        if (*at_ == 0) return Step::End;
        if (*at_ != u'%' || at_[1] == u'%') {
            const char16_t* start = at_;
            if (*at_ == u'%') {
                at_ += 2;
                text = std::u16string_view(start + 1, 1);
                return Step::Text;
            }
            while (*at_ != 0 && *at_ != u'%') ++at_;
            text = std::u16string_view(start, static_cast<size_t>(at_ - start));
            return Step::Text;
        }
        ++at_;
        spec = Spec();
        ReadSpec(spec);
        if (*at_ == 0) return Step::End;
        spec.type = *at_++;
        arg = IsKnownType(spec.type) ? &TakeArg() : nullptr;
        return Step::Conversion;
    }

private:
    const FormatArg& TakeArg() { return next_ < args_.size() ? args_[next_++] : NoArg(); }

    void ReadSpec(Spec& spec) {
        for (;; ++at_) {
            if (*at_ == u'-') spec.minus = true;
            else if (*at_ == u'+') spec.plus = true;
            else if (*at_ == u'0') spec.zero = true;
            else if (*at_ == u' ') spec.blank = true;
            else if (*at_ == u'#') spec.hash = true;
            else break;
        }
        const int64_t width = ReadField(spec);
        if (width < 0) spec.minus = true;
        spec.width = static_cast<int>(std::min<int64_t>(std::llabs(width), kFormatMaxField + 1LL));
        if (*at_ == u'.') {
            ++at_;
            const int64_t precision = ReadField(spec);
            spec.precision = static_cast<int>(std::min<int64_t>(precision < 0 ? -1 : precision, kFormatMaxField + 1LL));
        }
        ReadSize(spec);
        spec.tooLarge = spec.tooLarge || spec.width > kFormatMaxField || spec.precision > kFormatMaxField;
    }

    // A width or precision: "*" takes it from the arguments, otherwise decimal digits (none: 0).
    int64_t ReadField(Spec& spec) {
        if (*at_ == u'*') {
            ++at_;
            return static_cast<int32_t>(static_cast<uint32_t>(TakeArg().Bits()));
        }
        int64_t value = 0;
        for (; *at_ >= u'0' && *at_ <= u'9'; ++at_) {
            value = value * 10 + (*at_ - u'0');
            if (value > kFormatMaxField) {
                spec.tooLarge = true;
                value = kFormatMaxField + 1LL;
            }
        }
        return value;
    }

    void ReadSize(Spec& spec) {
        for (;;) {
            if (*at_ == u'h') spec.size = Spec::Size::Short;
            else if (*at_ == u'l') spec.size = spec.size == Spec::Size::Long ? Spec::Size::Wide64 : Spec::Size::Long;
            else if (*at_ == u'F' || *at_ == u'N' || *at_ == u'L') {
            } else if (at_[0] == u'I' && at_[1] == u'6' && at_[2] == u'4') {
                spec.size = Spec::Size::Wide64;
                at_ += 2;
            } else {
                return;
            }
            ++at_;
        }
    }

    const char16_t* at_;
    FormatArgs args_;
    size_t next_ = 0;
};

// --- The bound -----------------------------------------------------------------------------------

std::string NarrowFlags(const Spec& spec) {
    std::string flags;
    if (spec.minus) flags += '-';
    if (spec.plus) flags += '+';
    if (spec.blank) flags += ' ';
    if (spec.hash) flags += '#';
    if (spec.zero) flags += '0';
    return flags;
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

int64_t FixedLength(const Spec& spec, double value) {
    const int64_t precision = std::max(spec.precision, 0);
    const int64_t scratch = std::max<int64_t>(precision + 318, spec.width);
    const int length = std::snprintf(nullptr, 0, "%*.*f", spec.width, static_cast<int>(precision + 6), value);
    return std::min<int64_t>(length, scratch - 1);
}

int64_t ItemBound(const Spec& spec, const FormatArg& arg) {
    const int64_t width = spec.width;
    const int64_t precision = std::max(spec.precision, 0);
    switch (spec.type) {
        case u'c': case u'C':
        case u's': case u'S': {
            int64_t item = 2;
            if (spec.type == u's' || spec.type == u'S')
                item = arg.IsString() ? std::max<int64_t>(static_cast<int64_t>(arg.StringLength()), 1) : 6;
            if (spec.precision >= 0) item = std::min<int64_t>(item, spec.precision);
            return std::max(item, width);
        }
        case u'd': case u'i': case u'o': case u'u': case u'x': case u'X': case u'p':
            return std::max<int64_t>(32, width + precision);
        case u'e': case u'E': case u'g': case u'G':
            return std::max<int64_t>(128, width + precision);
        case u'f':
            return FixedLength(spec, arg.AsDouble());
        case u'n':
            return 0;
        default:
            return 1;
    }
}

// --- Rendering -----------------------------------------------------------------------------------

void AppendAscii(std::u16string& out, std::string_view text) {
    for (char ch : text) out += static_cast<char16_t>(static_cast<unsigned char>(ch));
}

// Pads `text` to the width: on the right with "-", else on the left with blanks, or zeros with "0".
void AppendPadded(std::u16string& out, std::u16string_view text, const Spec& spec) {
    const size_t pad = spec.width > static_cast<int>(text.size()) ? spec.width - text.size() : 0;
    if (!spec.minus) out.append(pad, spec.zero ? u'0' : u' ');
    out += text;
    if (spec.minus) out.append(pad, u' ');
}

// A character conversion is narrow for "C" and "hc", wide otherwise.
bool IsNarrow(const Spec& spec) {
    const bool upper = spec.type == u'C' || spec.type == u'S';
    if (spec.size == Spec::Size::Short) return true;
    if (spec.size == Spec::Size::Long) return false;
    return upper;
}

std::u16string StringText(const Spec& spec, const FormatArg& arg) {
    std::u16string text;
    if (arg.GetKind() == FormatArg::Kind::Wide) text = arg.Wide();
    else if (arg.GetKind() == FormatArg::Kind::Narrow) AppendAscii(text, arg.Narrow());  // one unit a byte
    else text = u"(null)";
    if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision)) text.resize(static_cast<size_t>(spec.precision));
    return text;
}

char16_t CharOf(const Spec& spec, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    return IsNarrow(spec) ? static_cast<char16_t>(bits & 0xFF) : static_cast<char16_t>(bits & 0xFFFF);
}

std::string IntegerText(const Spec& spec, const FormatArg& arg) {
    const uint64_t bits = arg.Bits();
    const std::string format = "%" + NarrowFlags(spec) + "*.*ll" + static_cast<char>(spec.type);
    const bool isSigned = spec.type == u'd' || spec.type == u'i';
    long long value = 0;
    switch (spec.size) {
        case Spec::Size::Short:
            value = isSigned ? static_cast<int16_t>(bits) : static_cast<long long>(static_cast<uint16_t>(bits));
            break;
        case Spec::Size::Wide64:
            value = static_cast<long long>(bits);
            break;
        default:
            value = isSigned ? static_cast<int32_t>(bits) : static_cast<long long>(static_cast<uint32_t>(bits));
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), spec.width, spec.precision, value);
#pragma GCC diagnostic pop
}

std::string FloatingText(const Spec& spec, const FormatArg& arg) {
    const std::string format = "%" + NarrowFlags(spec) + "*.*" + static_cast<char>(spec.type);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return CFormat(format.c_str(), spec.width, spec.precision, arg.AsDouble());
#pragma GCC diagnostic pop
}

// Pointers: all the digits of an address, upper case.
std::string PointerText(const FormatArg& arg) {
    return CFormat("%0*llX", static_cast<int>(sizeof(void*) * 2), static_cast<unsigned long long>(arg.Bits()));
}

void Render(std::u16string& out, const Spec& spec, const FormatArg* arg) {
    switch (spec.type) {
        case u'c': case u'C': {
            const char16_t ch = CharOf(spec, *arg);
            return AppendPadded(out, std::u16string_view(&ch, 1), spec);
        }
        case u's': case u'S':
            return AppendPadded(out, StringText(spec, *arg), spec);
        case u'd': case u'i': case u'o': case u'u': case u'x': case u'X':
            return AppendAscii(out, IntegerText(spec, *arg));
        case u'e': case u'E': case u'f': case u'g': case u'G':
            return AppendAscii(out, FloatingText(spec, *arg));
        case u'p': {
            std::u16string digits;
            AppendAscii(digits, PointerText(*arg));
            return AppendPadded(out, digits, spec);
        }
        case u'n':
            if (int* counter = arg->Counter()) *counter = static_cast<int>(out.size());
            return;
        default:
            out += spec.type;
    }
}

}  // namespace

int64_t FormatBound(const char16_t* format, FormatArgs args) {
    Walker walker(format, args);
    std::u16string_view text;
    Spec spec;
    const FormatArg* arg = nullptr;
    int64_t total = 0;
    for (;;) {
        const Walker::Step step = walker.Next(text, spec, arg);
        if (step == Walker::Step::End) return total;
        if (step == Walker::Step::Text) {
            total += static_cast<int64_t>(text.size());
            continue;
        }
        if (spec.tooLarge) return -1;
        if (spec.hash) total += 2;
        total += ItemBound(spec, arg ? *arg : NoArg());
    }
}

std::u16string FormatRender(const char16_t* format, FormatArgs args) {
    Walker walker(format, args);
    std::u16string_view text;
    Spec spec;
    const FormatArg* arg = nullptr;
    std::u16string out;
    for (;;) {
        const Walker::Step step = walker.Next(text, spec, arg);
        if (step == Walker::Step::End) return out;
        if (step == Walker::Step::Text) out += text;
        else Render(out, spec, arg);
    }
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
    char16_t* buffer = result.GetBuffer(static_cast<int>(std::max<int64_t>(bound, static_cast<int64_t>(text.size()))));
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    result.ReleaseBuffer(-1);
    *this = std::move(result);
    return true;
}
