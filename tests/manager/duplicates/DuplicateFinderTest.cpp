// Which contacts the duplicate search groups, and why: names folded and in any word order,
// numbers by their trailing digits (seven at least), e-mail addresses without case; chains of
// links make one group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/duplicates/DuplicateFinder.h"
#include "manager/duplicates/DuplicateScan.h"
#include "store/contact/ContactFields.h"

namespace {

struct Person {
    const char* first;
    const char* last;
    const char* fileAs;
    const char* mobile;
    const char* email;
};

Contact Make(uint32_t oid, const Person& person) {
    Contact contact;
    contact.SetOid(oid);
    contact.SetText(kFieldFirst, Str::FromUtf8(person.first));
    contact.SetText(kFieldLast, Str::FromUtf8(person.last));
    contact.SetText(kFieldFileAs, Str::FromUtf8(person.fileAs));
    contact.SetText(kFieldMobile, Str::FromUtf8(person.mobile));
    contact.SetText(kFieldEmail1, Str::FromUtf8(person.email));
    return contact;
}

std::vector<std::vector<uint32_t>> Groups(const std::vector<Person>& people) {
    std::vector<DuplicateKeys> keys;
    for (size_t i = 0; i < people.size(); ++i)
        keys.push_back(KeysOf(Make(static_cast<uint32_t>(i + 1), people[i])));
    std::vector<std::vector<uint32_t>> groups;
    for (const DuplicateGroup& group : FindDuplicates(keys)) groups.push_back(group.oids);
    return groups;
}

using Oids = std::vector<std::vector<uint32_t>>;

struct Case {
    const char* what;
    std::vector<Person> people;
    Oids groups;
};

TEST(DuplicateFinder, GroupsLikelyTheSamePerson) {
    const Case cases[] = {
        {"word order and a comma",
         {{"Anna", "Smith", "", "", ""}, {"", "", "Smith, Anna", "", ""}},
         {{1, 2}}},
        {"diacritics and case fold",
         {{"Anna", "Müller", "", "", ""}, {"ANNA", "Muller", "", "", ""}},
         {{1, 2}}},
        {"a different name", {{"Anna", "Smith", "", "", ""}, {"Anna", "Smyth", "", "", ""}}, {}},
        {"trailing digits of another form",
         {{"A", "", "", "+1 (555) 123-4567", ""}, {"B", "", "", "555 1234567", ""}},
         {{1, 2}}},
        {"six shared digits are too few",
         {{"A", "", "", "111 234567", ""}, {"B", "", "", "999 234567", ""}},
         {}},
        {"same last seven, other area code",
         {{"A", "", "", "202 555 1234", ""}, {"B", "", "", "303 555 1234", ""}},
         {}},
        {"e-mail without case",
         {{"A", "", "", "", "Anna@Example.com"}, {"B", "", "", "", "anna@example.COM"}},
         {{1, 2}}},
        {"a chain of links is one group",
         {{"Anna", "Smith", "", "", ""},
          {"Anna", "Smith", "", "", "a@x.org"},
          {"Ann", "S", "", "", "A@X.org"},
          {"Zed", "", "", "", ""}},
         {{1, 2, 3}}},
        {"no name is no link", {{"", "", "", "", ""}, {"", "", "", "", ""}}, {}},
        {"two groups in order",
         {{"B", "", "", "", "b@x"}, {"A", "", "", "", ""}, {"A", "", "", "", ""}, {"C", "", "", "", "b@x"}},
         {{1, 4}, {2, 3}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Groups(c.people), c.groups) << c.what;
}

TEST(DuplicateFinder, NamesTheLinks) {
    std::vector<DuplicateKeys> keys = {KeysOf(Make(1, {"Anna", "Smith", "", "+15551234567", "a@x.org"})),
                                       KeysOf(Make(2, {"Smith", "Anna", "", "5551234567", "A@x.org"}))};
    const std::vector<DuplicateGroup> groups = FindDuplicates(keys);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(DescribeLinks(groups[0].links),
              u"same name: anna smith; same e-mail address: a@x.org; same number: 5551234567");
}

}  // namespace
