#include "edit/mapper/CustomValueRef.h"

#include "store/contact/Contact.h"

namespace {

constexpr uint32_t kTopFourBits = 0xF0000000;

const Array<CustText>* ListOf(CustomValueRef::Kind kind, const Contact& contact) {
    switch (kind) {
    case CustomValueRef::Phone: return &contact.phones;
    case CustomValueRef::Email: return &contact.emails;
    default: return nullptr;
    }
}

}  // namespace

int16_t CustomValueHash(std::u16string_view text) {
    uint16_t sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint16_t unit = text[i];
        const uint16_t added = i % 2 == 0 ? unit : static_cast<uint16_t>((unit << 8) | (unit >= 256 ? 1 : 0));
        sum = static_cast<uint16_t>(sum + added);
    }
    return static_cast<int16_t>(sum);
}

uint32_t CustomValueId(std::u16string_view label, std::u16string_view value) {
    const uint32_t labelPart = static_cast<uint32_t>(static_cast<int32_t>(CustomValueHash(label))) | 0xFFFFF000u;
    const uint32_t valuePart = static_cast<uint32_t>(static_cast<int32_t>(CustomValueHash(value)));
    return valuePart | (labelPart << 16);
}

bool IsCustomValueId(uint32_t id) { return (id & kTopFourBits) == kTopFourBits; }

CustomValueRef DecodeCustomValueRef(const Contact& contact) {
    const uint32_t id = contact.GetDefaultTag();
    if (!IsCustomValueId(id)) return {};
    for (CustomValueRef::Kind kind : {CustomValueRef::Phone, CustomValueRef::Email}) {
        for (const CustText& pair : *ListOf(kind, contact)) {
            if (CustomValueId(pair.label.View(), pair.value.View()) == id) return {kind, pair.label, pair.value};
        }
    }
    return {};
}

void RetargetCustomValueRef(const CustomValueRef& ref, Contact& edited) {
    const Array<CustText>* list = ListOf(ref.kind, edited);
    if (!list || (ref.label.IsEmpty() && ref.value.IsEmpty())) return;
    const CustText* sameLabel = nullptr;
    for (const CustText& pair : *list) {
        if (pair.label != ref.label) continue;
        if (pair.value == ref.value) return;
        if (!sameLabel) sameLabel = &pair;
    }
    edited.SetDefaultTag(sameLabel ? CustomValueId(sameLabel->label.View(), sameLabel->value.View()) : 0);
}
