#include "core/str/FormatWalker.h"

#include <algorithm>
#include <cstdlib>

#include "core/str/Formatter.h"

namespace {

const FormatArg& NoArg() {
    static const FormatArg none;
    return none;
}

FormatSpec::Kind KindOf(char16_t type) {
    using Kind = FormatSpec::Kind;
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

FormatWalker::Step FormatWalker::Next(std::u16string_view& text, FormatSpec& specifier, const FormatArg*& arg) {
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
    specifier = FormatSpec();
    ReadSpec(specifier);
    if (*at_ == 0) return Step::End;
    specifier.type = *at_++;
    specifier.kind = KindOf(specifier.type);
    arg = specifier.kind != FormatSpec::Kind::Unknown ? &TakeArg() : &NoArg();
    return Step::Conversion;
}

const FormatArg& FormatWalker::TakeArg() {
    return next_ < args_.size() ? args_[next_++] : NoArg();
}

void FormatWalker::ReadSpec(FormatSpec& specifier) {
    for (;; ++at_) {
        if (*at_ == u'-')
            specifier.minus = true;
        else if (*at_ == u'+')
            specifier.plus = true;
        else if (*at_ == u'0')
            specifier.zero = true;
        else if (*at_ == u' ')
            specifier.blank = true;
        else if (*at_ == u'#')
            specifier.hash = true;
        else
            break;
    }
    const int64_t width = ReadField(specifier);
    if (width < 0) specifier.minus = true;
    specifier.width = static_cast<int>(std::min<int64_t>(std::llabs(width), kFormatMaxField + 1LL));
    if (*at_ == u'.') {
        ++at_;
        const int64_t precision = ReadField(specifier);
        specifier.precision =
            static_cast<int>(std::min<int64_t>(precision < 0 ? -1 : precision, kFormatMaxField + 1LL));
    }
    ReadSize(specifier);
    specifier.tooLarge = specifier.tooLarge || specifier.width > kFormatMaxField || specifier.precision > kFormatMaxField;
}

// A width or precision: "*" takes it from the arguments, otherwise decimal digits (none: 0).
int64_t FormatWalker::ReadField(FormatSpec& specifier) {
    if (*at_ == u'*') {
        ++at_;
        return static_cast<int32_t>(static_cast<uint32_t>(TakeArg().Bits()));
    }
    int64_t value = 0;
    for (; *at_ >= u'0' && *at_ <= u'9'; ++at_) {
        value = value * 10 + (*at_ - u'0');
        if (value > kFormatMaxField) {
            specifier.tooLarge = true;
            value = kFormatMaxField + 1LL;
        }
    }
    return value;
}

void FormatWalker::ReadSize(FormatSpec& specifier) {
    for (;;) {
        if (*at_ == u'h')
            specifier.size = FormatSpec::Size::Short;
        else if (*at_ == u'l')
            specifier.size =
                specifier.size == FormatSpec::Size::Long ? FormatSpec::Size::Wide64 : FormatSpec::Size::Long;
        else if (*at_ == u'F' || *at_ == u'N' || *at_ == u'L') {
        } else if (at_[0] == u'I' && at_[1] == u'6' && at_[2] == u'4') {
            specifier.size = FormatSpec::Size::Wide64;
            at_ += 2;
        } else {
            return;
        }
        ++at_;
    }
}
