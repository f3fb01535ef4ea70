#include "screen/list/RowText.h"

#include "phone/menu/DefaultNumber.h"
#include "phone/menu/PhoneChooser.h"
#include "phone/templates/PhoneTemplates.h"
#include "store/contact/Contact.h"
#include "store/contact/Trim.h"

namespace {

Str SecondLine(const Contact& contact, ListOrder order) {
    Str line = TrimBoth(contact.GetText(kFieldJobTitle));
    const Str company = TrimBoth(contact.GetText(kFieldCompany));
    if (order != ListOrder::Company && !company.IsEmpty()) {
        line = line.IsEmpty() ? company : line + u", " + company;
    }
    if (!line.IsEmpty()) return line;
    for (const int field : kEmailFields) {
        if (!contact.GetText(field).IsEmpty()) return TrimBoth(contact.GetText(field));
    }
    for (const CustText& email : contact.emails) {
        if (!email.value.IsEmpty()) return TrimBoth(email.value);
    }
    return {};
}

}  // namespace

Str ContactRowText::NumberText() const {
    if (number.IsEmpty() || numberLetter.IsEmpty()) return number;
    return numberLetter + u' ' + number;
}

ContactRowText MakeRowText(const Contact& contact, ListOrder order, bool nameOnly,
                           const PhoneTemplates& formats) {
    ContactRowText row;
    row.name = PhoneChooser::Title(contact, static_cast<uint32_t>(order));
    row.secondLine = SecondLine(contact, order);
    if (nameOnly) return row;
    if (const std::optional<ContactNumber> number = DefaultNumber(contact)) {
        row.number = number->number;
        row.number = formats.Formatted(row.number);
        const Str label = TrimBoth(number->label);
        if (!label.IsEmpty()) row.numberLetter = label.Left(1);
    }
    return row;
}
