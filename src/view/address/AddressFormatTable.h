#pragma once
// AddressFormatTable: the country address formats, from the string resources 41000 to 41058, in
// their order. Only rows that parse become entries, so an entry's index is its place among the
// accepted rows. The default format is the first entry whose country code is the user's country
// (code 1 when the country is not known), else the last entry.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/array/Array.h"
#include "view/address/AddressFormat.h"

inline constexpr uint32_t kAddressRowFirst = 41000;
inline constexpr int kAddressRowCount = 59;
// A row is read into a buffer of this many characters, its terminator included.
inline constexpr int kAddressRowBuffer = 500;

class AddressFormatTable {
public:
    // The table of the current device, built on first use from the program's strings and the
    // device's country; built again when another device becomes current.
    static const AddressFormatTable& Instance();

    // A table of the given rows; `country` is the user's telephone country code, 0 when unknown.
    AddressFormatTable(std::span<const std::u16string_view> rows, uint32_t country);

    int GetSize() const { return formats_.GetSize(); }
    // The entry at `index`; none when the index is outside the table.
    const AddressFormat* FormatAt(int index) const;
    // The index of the default format; -1 when the table is empty.
    int DefaultFormat() const { return default_; }
    // The entry at `index`, or the default one when the index is outside the table; none when
    // the table is empty.
    const AddressFormat* FormatOrDefault(int index) const;

    // The address on one line in the format at `index` (or the default one); none when the table
    // is empty.
    std::optional<Str> WriteLine(const AddressParts& parts, int index) const;

private:
    AddressFormatTable() = default;
    void Add(std::u16string_view row);
    void ChooseDefault(uint32_t country);

    Array<AddressFormat> formats_;
    int default_ = -1;
};
