#pragma once
// The texts of a contact row as the list draws them: the name (the File As text in File As order,
// the display name in name and company order, "Unnamed" when empty), the default number through
// the phone formats with the first letter of its label (W for Work) unless only names are shown,
// and the second line of the two-line form.
#include "core/str/Str.h"
#include "manager/search/ContactSearch.h"

class Contact;
class PhoneTemplates;

struct ContactRowText {
    Str name;
    Str numberLetter;  // the first letter of the default number's label; empty without a number
    Str number;        // the default number as displayed; empty without one or with names only
    // Two-line rows: "job title, company" (the job title alone in company order, where the
    // company heads the group), or the first e-mail address when those are empty.
    Str secondLine;

    // The number with its letter in front ("W 555 1234"), as drawn at the right of the row.
    Str NumberText() const;
};

ContactRowText MakeRowText(const Contact& contact, ListOrder order, bool nameOnly,
                           const PhoneTemplates& formats);
