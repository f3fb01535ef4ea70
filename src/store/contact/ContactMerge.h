#pragma once
// Merging one contact into another, as two records of one person become one. Every distinct
// number, e-mail address, messaging address, web page, postal address, date and further value of
// the other contact is kept: in the same field when the target's is empty, else in a free field of
// the same kind (the second work or home phone, the next e-mail field), else in the target's list
// of further values of that group under the field's label. Categories are united and notes
// joined. The target's single values (names, company, the picture...) stay; where the other's
// differs it is named in the result, never dropped unsaid.
#include <string>
#include <vector>

#include "store/contact/Contact.h"

struct MergeOutcome {
    // The values of the other contact that the target could not take, one sentence each
    // ("Company \"Acme\"").
    std::vector<std::string> notKept;
};

// Merges `other` into `target`; both with their categories loaded. The target keeps its identity
// (object identifier, record identifier value, UID) and its default number.
MergeOutcome MergeContact(Contact& target, const Contact& other);

// Whether two numbers are the same number: the same digits, or the digits of one ending the
// other's when they are kSameNumberDigits or more ("+1 555 123 4567" and "(555) 123-4567");
// written alike when neither has any digit.
inline constexpr size_t kSameNumberDigits = 7;
[[nodiscard]] bool SameNumber(const Str& a, const Str& b);
