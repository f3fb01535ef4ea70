#pragma once
// One typed argument of Str::Format. Arguments are captured with their type, so a conversion
// never reads an argument as something it is not: a string conversion given a number formats as
// an absent string, a number conversion given a string formats as 0.
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

class FormatArg {
public:
    enum class Kind { None, Signed, Unsigned, Floating, Wide, Narrow, Pointer, Counter };

    FormatArg() = default;

    template <typename T>
    requires(std::is_arithmetic_v<T> || std::is_enum_v<T>) FormatArg(T value) {  // NOLINT: implicit by design
        if constexpr (std::is_floating_point_v<T>) {
            kind_ = Kind::Floating;
            floating_ = static_cast<double>(value);
        } else if constexpr (std::is_enum_v<T>) {
            SetInteger(static_cast<std::underlying_type_t<T>>(value));
        } else {
            SetInteger(value);
        }
    }
    FormatArg(const char16_t* text) : kind_(text ? Kind::Wide : Kind::None) {  // NOLINT
        if (text) wide_ = std::u16string_view(text);
    }
    FormatArg(std::u16string_view text) : kind_(Kind::Wide), wide_(text) {}    // NOLINT
    FormatArg(const std::u16string& text) : kind_(Kind::Wide), wide_(text) {}  // NOLINT
    FormatArg(const char* text) : kind_(text ? Kind::Narrow : Kind::None) {    // NOLINT
        if (text) narrow_ = std::string_view(text);
    }
    FormatArg(std::string_view text) : kind_(Kind::Narrow), narrow_(text) {}    // NOLINT
    FormatArg(const std::string& text) : kind_(Kind::Narrow), narrow_(text) {}  // NOLINT
    // Any string class with View() (Str).
    template <typename T>
    requires requires(const T& t) {
        { t.View() } -> std::convertible_to<std::u16string_view>;
    }
    FormatArg(const T& text) : kind_(Kind::Wide), wide_(text.View()) {}          // NOLINT
    FormatArg(int* counter) : kind_(Kind::Counter), pointer_(counter) {}         // NOLINT: for %n
    FormatArg(const void* pointer) : kind_(Kind::Pointer), pointer_(pointer) {}  // NOLINT
    FormatArg(std::nullptr_t) : kind_(Kind::None) {}                             // NOLINT

    Kind GetKind() const { return kind_; }
    [[nodiscard]] bool IsString() const { return kind_ == Kind::Wide || kind_ == Kind::Narrow; }
    std::u16string_view Wide() const { return wide_; }
    std::string_view Narrow() const { return narrow_; }
    // Length in characters of a string argument (narrow strings: one character per byte).
    size_t StringLength() const { return kind_ == Kind::Wide ? wide_.size() : narrow_.size(); }
    // The argument as an integer: numbers converted, pointers by address, anything else 0.
    uint64_t Bits() const;
    [[nodiscard]] bool IsNegative() const { return kind_ == Kind::Signed && signed_ < 0; }
    // The argument as a floating-point number: numbers converted, anything else 0.
    double AsDouble() const;
    int* Counter() const {
        return kind_ == Kind::Counter ? static_cast<int*>(const_cast<void*>(pointer_)) : nullptr;
    }

private:
    template <typename T>
    void SetInteger(T value) {
        if constexpr (std::is_signed_v<T> && !std::is_same_v<T, bool>) {
            kind_ = Kind::Signed;
            signed_ = static_cast<int64_t>(value);
        } else {
            kind_ = Kind::Unsigned;
            unsigned_ = static_cast<uint64_t>(value);
        }
    }

    Kind kind_ = Kind::None;
    int64_t signed_ = 0;
    uint64_t unsigned_ = 0;
    double floating_ = 0;
    std::u16string_view wide_;
    std::string_view narrow_;
    const void* pointer_ = nullptr;
};

using FormatArgs = std::span<const FormatArg>;
