#include "view/address/AddressFormatTable.h"

#include <memory>

#include "core/res/StringTable.h"
#include "platform/device/Device.h"
#include "platform/locale/Locale.h"

namespace {

constexpr uint32_t kUnitedStates = 1;

}  // namespace

const AddressFormatTable& AddressFormatTable::Instance() {
    static std::unique_ptr<AddressFormatTable> table;
    static uint64_t generation = 0;
    if (!table || generation != plat::CurrentDeviceGeneration()) {
        table.reset(new AddressFormatTable());
        char16_t buffer[kAddressRowBuffer];
        for (int i = 0; i < kAddressRowCount; ++i) {
            const int length = StringTable::Own().Load(kAddressRowFirst + i, buffer, kAddressRowBuffer);
            table->Add({buffer, static_cast<size_t>(length)});
        }
        table->ChooseDefault(plat::UserCountryPhoneCode());
        generation = plat::CurrentDeviceGeneration();
    }
    return *table;
}

AddressFormatTable::AddressFormatTable(std::span<const std::u16string_view> rows, uint32_t country) {
    for (std::u16string_view row : rows) Add(row);
    ChooseDefault(country);
}

void AddressFormatTable::Add(std::u16string_view row) {
    AddressFormat format;
    if (ParseAddressRow(row, format)) formats_.Add(format);
}

void AddressFormatTable::ChooseDefault(uint32_t country) {
    const uint32_t wanted = country != 0 ? country : kUnitedStates;
    default_ = formats_.GetSize() - 1;
    for (int i = 0; i < formats_.GetSize(); ++i) {
        if (formats_[i].code == wanted) {
            default_ = i;
            return;
        }
    }
}

const AddressFormat* AddressFormatTable::FormatAt(int index) const {
    return index >= 0 && index < formats_.GetSize() ? &formats_[index] : nullptr;
}

const AddressFormat* AddressFormatTable::FormatOrDefault(int index) const {
    const AddressFormat* format = FormatAt(index);
    return format ? format : FormatAt(default_);
}

std::optional<Str> AddressFormatTable::WriteLine(const AddressParts& parts, int index) const {
    const AddressFormat* format = FormatOrDefault(index);
    if (!format) return std::nullopt;
    return WriteAddressLine(parts, *format);
}
