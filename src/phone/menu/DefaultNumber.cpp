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

std::optional<ContactNumber> DefaultNumber(const Contact& contact) {
    const std::vector<ContactNumber> numbers = PhoneNumbers(contact);
    if (numbers.empty()) return std::nullopt;
    const uint32_t tag = contact.GetDefaultTag();
    const auto named = std::find_if(numbers.begin(), numbers.end(),
                                    [tag](const ContactNumber& n) { return tag != 0 && n.tag == tag; });
    return named != numbers.end() ? *named : numbers.front();
}
