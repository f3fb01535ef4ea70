#include "view/address/AddressFormat.h"

namespace {

constexpr size_t kNameStart = 4;
constexpr size_t kMinRow = 5;
constexpr size_t kMinSlotField = 3;

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

uint32_t LeadingNumber(std::u16string_view text) {
    uint32_t value = 0;
    for (char16_t ch : text) {
        if (!IsDigit(ch)) break;
        const uint32_t digit = ch - u'0';
        value = value > (UINT32_MAX - digit) / 10 ? UINT32_MAX : value * 10 + digit;
    }
    return value;
}

// Reads the slot fields after the name; the number of fields read, or -1 for a malformed one.
int ReadSlotFields(std::u16string_view fields, AddressFormat& out) {
    int count = 0;
    size_t at = 0;
    for (int slot = 0; slot < kAddressSlots && fields.size() - at >= kMinSlotField; ++slot) {
        if (fields[at] == u',') {
            ++at;
            continue;
        }
        if (!IsDigit(fields[at])) return -1;
        out.positions[slot] = fields[at] - u'0';
        const size_t comma = fields.find(u',', at + 2);
        const size_t end = comma == std::u16string_view::npos ? fields.size() : comma;
        out.labels[slot] = Str(fields.substr(at + 2, end - (at + 2)));
        at = comma == std::u16string_view::npos ? fields.size() : comma + 1;
        ++count;
    }
    return count;
}

// Every position is below `count` and each of 0 to count-1 occurs.
bool PositionsValid(const AddressFormat& format, int count) {
    std::array<bool, kAddressSlots> seen{};
    for (int position : format.positions) {
        if (position >= count) return false;
        if (position >= 0) seen[position] = true;
    }
    for (int p = 0; p < count; ++p) {
        if (!seen[p]) return false;
    }
    return true;
}

}  // namespace

Array<int> AddressFormat::WrittenSlots() const {
    Array<int> slots;
    for (int position = 0; position < kAddressSlots; ++position) {
        for (int slot = 0; slot < kAddressSlots; ++slot) {
            if (positions[slot] == position) slots.Add(slot);
        }
    }
    return slots;
}

bool ParseAddressRow(std::u16string_view row, AddressFormat& out) {
    out = AddressFormat();
    if (row.size() < kMinRow) return false;
    out.code = LeadingNumber(row);
    const size_t comma = row.find(u',', kNameStart);
    const size_t nameEnd = comma == std::u16string_view::npos ? row.size() : comma;
    out.name = Str(row.substr(kNameStart, nameEnd - kNameStart));
    if (out.name.IsEmpty()) return false;
    const std::u16string_view fields =
        comma == std::u16string_view::npos ? std::u16string_view() : row.substr(comma + 1);
    const int count = ReadSlotFields(fields, out);
    return count >= 0 && PositionsValid(out, count);
}

Str WriteAddressLine(const AddressParts& parts, const AddressFormat& format) {
    Str line;
    for (int slot : format.WrittenSlots()) {
        if (!line.IsEmpty()) line += u' ';
        line += parts[slot];
    }
    return line;
}
