#pragma once
// Groups of contacts that are likely one person: the same name (its words folded and in any
// order), a shared phone number (the same trailing digits, at least kNumberDigits of them) or a
// shared e-mail address (without case). Each contact's keys are hashed once, so the work grows
// with the number of contacts, not with the number of pairs. A group is every contact linked to
// another by one of these, with the links that made it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/contact/ContactMerge.h"

// The keys of one contact that a duplicate can share.
struct DuplicateKeys {
    uint32_t oid = 0;
    std::u16string name;                 // the folded words of the name, sorted, one blank apart
    std::vector<std::string> numbers;    // the digits of each number (kNumberDigits or more)
    std::vector<std::u16string> emails;  // each address lower-cased
};

enum class DuplicateReason : uint8_t { Name, Number, Email };

struct DuplicateLink {
    DuplicateReason reason;
    std::u16string value;  // the shared name, the shared trailing digits, or the shared address
    [[nodiscard]] bool operator==(const DuplicateLink&) const = default;
};

struct DuplicateGroup {
    std::vector<uint32_t> oids;  // in the order the contacts were given
    std::vector<DuplicateLink> links;
};

inline constexpr size_t kNumberDigits = kSameNumberDigits;

// The groups of two or more contacts among `contacts`, ordered by their first contact.
std::vector<DuplicateGroup> FindDuplicates(std::span<const DuplicateKeys> contacts);

// "same name: anna smith; same number: 5551234567"
std::u16string DescribeLinks(const std::vector<DuplicateLink>& links);
