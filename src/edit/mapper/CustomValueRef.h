#pragma once
// The custom-value reference: a contact's one 32-bit reference identifier (its default dial tag)
// may name one of its further phones or e-mail addresses by a hash of that value's label and
// value. Such an identifier has its top four bits set.
#include <cstdint>
#include <string_view>

#include "core/str/Str.h"

class Contact;

struct CustomValueRef {
    enum Kind { None = 0, Phone = 1, Email = 2 };
    Kind kind = None;
    Str label;
    Str value;
};

// The 16-bit hash: code units summed in signed 16-bit arithmetic, a unit as it is at even
// positions, shifted left by 8 (OR 1 when it is 256 or more) at odd ones.
int16_t CustomValueHash(std::u16string_view text);
// The identifier of a (label, value) pair.
uint32_t CustomValueId(std::u16string_view label, std::u16string_view value);
// Whether an identifier is of this kind (top four bits set).
[[nodiscard]] bool IsCustomValueId(uint32_t id);

// The pair that the contact's identifier names: its further phones first, then its further
// e-mail addresses; None when it names none.
CustomValueRef DecodeCustomValueRef(const Contact& contact);
// After an edit: keeps the identifier when the pair still exists, else moves it to the first
// pair with the same label, else clears it. Nothing when `ref` named nothing or was empty.
void RetargetCustomValueRef(const CustomValueRef& ref, Contact& edited);
