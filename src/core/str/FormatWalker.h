#pragma once
// FormatWalker: reads a printf-style format piece by piece, literal text and conversions, and
// hands each conversion its argument (and takes the arguments of "*" widths and precisions).
#include <cstdint>
#include <string_view>

#include "core/str/FormatArg.h"

// One conversion as read from the format.
struct FormatConversion {
    bool minus = false, plus = false, zero = false, blank = false, hash = false;
    int width = 0;       // 0: none; a negative width from the arguments sets `minus`
    int precision = -1;  // -1: none (also for a negative precision from the arguments)
    enum class Size { Default, Short, Long, Wide64 } size = Size::Default;
    char16_t type = 0;
    // What the type converts; Unknown types are written as themselves and take no argument.
    enum class Kind {
        Unknown,
        Character,
        String,
        Integer,
        Floating,
        Fixed,
        Pointer,
        Counter
    } kind = Kind::Unknown;
    bool tooLarge = false;  // a width or precision above kFormatMaxField
};

class FormatWalker {
public:
    enum class Step { End, Text, Conversion };

    FormatWalker(const char16_t* format, FormatArgs args) : at_(format ? format : u""), args_(args) {}

    // The next piece: Text with `text` set ("%%" gives "%"), Conversion with `conversion` and `arg` set
    // (an unknown type takes no argument and gets an absent one), or End. A conversion left
    // unfinished at the end of the format ends the walk.
    Step Next(std::u16string_view& text, FormatConversion& conversion, const FormatArg*& arg);

private:
    const FormatArg& TakeArg();
    void ReadConversion(FormatConversion& conversion);
    int64_t ReadField(FormatConversion& conversion);
    void ReadSize(FormatConversion& conversion);

    const char16_t* at_;
    FormatArgs args_;
    size_t next_ = 0;
};
