#include "edit/address/AddressElement.h"

#include "view/address/AddressFormatTable.h"

namespace {

bool IsSlot(int slot) { return slot >= 0 && slot < kAddressSlots; }

}  // namespace

bool AddressElement::SetFormat(int index, const AddressFormatTable& table) {
    if (hasFormat_ && index == index_) return true;
    const AddressFormat* format = table.FormatOrDefault(index);
    if (!format) return hasFormat_;
    index_ = index;
    hasFormat_ = true;
    format_ = *format;
    lines_ = format_.WrittenSlots();
    return true;
}

Str AddressElement::Placeholder(int slot) const { return IsSlot(slot) ? format_.labels[slot] : Str(); }

void AddressElement::LeaveLine(int slot, std::u16string_view typed) {
    if (!IsSlot(slot)) return;
    parts_[slot] = typed == format_.labels[slot].View() ? Str() : Str(typed);
}
