#pragma once
// AddressFormat: which of the five parts of a postal address a country uses, in which order they
// are written and under which labels they are asked for.
#include <array>
#include <cstdint>
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"

// The parts of an address, numbered by slot.
enum AddressSlot : int { kSlotStreet = 0, kSlotCity, kSlotState, kSlotPostalCode, kSlotCountry };
inline constexpr int kAddressSlots = 5;

// The five part texts of one address.
using AddressParts = std::array<Str, kAddressSlots>;

struct AddressFormat {
    uint32_t code = 0;  // the country's telephone country code
    Str name;           // the country's name
    std::array<Str, kAddressSlots> labels;  // empty for a slot the format does not use
    std::array<int, kAddressSlots> positions{-1, -1, -1, -1, -1};  // written position, -1 unused

    // The used slots, in written order.
    Array<int> WrittenSlots() const;
};

// Reads one row of the format table: "001 United States,0 Street,1 City,2 State,3 ZIP,4 Country".
// Three characters of country code and a blank, the name up to the first comma, then up to five
// slot fields ("<position digit> <label>", or nothing for an unused slot). False when the row is
// shorter than 5 characters, has no name, a slot field without a position digit, or positions
// that are not exactly 0 to n-1 for its n slot fields.
[[nodiscard]] bool ParseAddressRow(std::u16string_view row, AddressFormat& out);

// The address on one line: the used parts in written order, each after a blank once the line is
// not empty (so an empty part in the middle leaves a double blank).
Str WriteAddressLine(const AddressParts& parts, const AddressFormat& format);
