#include "core/str/FormatWalker.h"

#include <algorithm>
#include <cstdlib>

#include "core/str/Formatter.h"

namespace {

const FormatArg& NoArg() {
    static const FormatArg none;
    return none;
}

FormatConversion::Kind KindOf(char16_t type) {
    using Kind = FormatConversion::Kind;
    if (type == u'c' || type == u'C') return Kind::Character;
    if (type == u's' || type == u'S') return Kind::String;
    if (std::u16string_view(u"diouxX").find(type) != std::u16string_view::npos) return Kind::Integer;
    if (std::u16string_view(u"eEgG").find(type) != std::u16string_view::npos) return Kind::Floating;
    if (type == u'f') return Kind::Fixed;
    if (type == u'p') return Kind::Pointer;
    if (type == u'n') return Kind::Counter;
    return Kind::Unknown;
}

}  // namespace

FormatWalker::Step FormatWalker::Next(std::u16string_view& text, FormatConversion& conversion, const FormatArg*& arg) {
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
    conversion = FormatConversion();
    ReadConversion(conversion);
    if (*at_ == 0) return Step::End;
    conversion.type = *at_++;
    conversion.kind = KindOf(conversion.type);
    arg = conversion.kind != FormatConversion::Kind::Unknown ? &TakeArg() : &NoArg();
    return Step::Conversion;
}

const FormatArg& FormatWalker::TakeArg() {
    return next_ < args_.size() ? args_[next_++] : NoArg();
}

void FormatWalker::ReadConversion(FormatConversion& conversion) {
    for (;; ++at_) {
        if (*at_ == u'-')
            conversion.minus = true;
        else if (*at_ == u'+')
            conversion.plus = true;
        else if (*at_ == u'0')
            conversion.zero = true;
        else if (*at_ == u' ')
            conversion.blank = true;
        else if (*at_ == u'#')
            conversion.hash = true;
        else
            break;
    }
    const int64_t width = ReadField(conversion);
    if (width < 0) conversion.minus = true;
    conversion.width = static_cast<int>(std::min<int64_t>(std::llabs(width), kFormatMaxField + 1LL));
    if (*at_ == u'.') {
        ++at_;
        const int64_t precision = ReadField(conversion);
        conversion.precision =
            static_cast<int>(std::min<int64_t>(precision < 0 ? -1 : precision, kFormatMaxField + 1LL));
    }
    ReadSize(conversion);
    conversion.tooLarge = conversion.tooLarge || conversion.width > kFormatMaxField || conversion.precision > kFormatMaxField;
}

// A width or precision: "*" takes it from the arguments, otherwise decimal digits (none: 0).
int64_t FormatWalker::ReadField(FormatConversion& conversion) {
    if (*at_ == u'*') {
        ++at_;
        return static_cast<int32_t>(static_cast<uint32_t>(TakeArg().Bits()));
    }
    int64_t value = 0;
    for (; *at_ >= u'0' && *at_ <= u'9'; ++at_) {
        value = value * 10 + (*at_ - u'0');
        if (value > kFormatMaxField) {
            conversion.tooLarge = true;
            value = kFormatMaxField + 1LL;
        }
    }
    return value;
}

void FormatWalker::ReadSize(FormatConversion& conversion) {
    for (;;) {
        if (*at_ == u'h')
            conversion.size = FormatConversion::Size::Short;
        else if (*at_ == u'l')
            conversion.size =
                conversion.size == FormatConversion::Size::Long ? FormatConversion::Size::Wide64 : FormatConversion::Size::Long;
        else if (*at_ == u'F' || *at_ == u'N' || *at_ == u'L') {
        } else if (at_[0] == u'I' && at_[1] == u'6' && at_[2] == u'4') {
            conversion.size = FormatConversion::Size::Wide64;
            at_ += 2;
        } else {
            return;
        }
        ++at_;
    }
}
