#include "phone/menu/DefaultNumber.h"

#include <algorithm>

#include "phone/menu/CustomTag.h"
#include "phone/menu/PhoneFields.h"
#include "store/contact/Contact.h"

std::vector<ContactNumber> PhoneNumbers(const Contact& contact) {
    std::vector<ContactNumber> numbers;
    for (const NumberField& field : kMenuPhoneFields) {
        const Str& text = FieldText(contact, field.tag);
        if (!text.IsEmpty()) numbers.push_back({text, FieldLabel(field.tag), field.tag});
    }
    for (const CustText& phone : contact.phones) {
        if (!phone.value.IsEmpty()) {
            numbers.push_back({phone.value, phone.label, CustomTag(phone.label.View(), phone.value.View())});
        }
    }
    return numbers;
}

std::optional<ContactNumber> NumberByTag(const Contact& contact, uint32_t tag) {
    if (tag == 0) return std::nullopt;
    const std::vector<ContactNumber> numbers = PhoneNumbers(contact);
    const auto named = std::find_if(numbers.begin(), numbers.end(), [tag](const ContactNumber& n) { return n.tag == tag; });
    if (named == numbers.end()) return std::nullopt;
    return *named;
}

std::optional<ContactNumber> DefaultNumber(const Contact& contact) {
    if (std::optional<ContactNumber> named = NumberByTag(contact, contact.GetDefaultTag())) return named;
    const std::vector<ContactNumber> numbers = PhoneNumbers(contact);
    if (numbers.empty()) return std::nullopt;
    return numbers.front();
}
