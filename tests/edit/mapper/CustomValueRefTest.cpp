#include <gtest/gtest.h>

#include "edit/mapper/CustomValueRef.h"

#include <string>
#include <vector>
#include "store/contact/Contact.h"

namespace {

TEST(CustomValueRef, HashAndIdentifier) {
    const struct { std::u16string text; int16_t hash; } hashes[] = {
        {u"", 0},
        {u"AB", 0x4241},
        {u"ABC", 0x4284},
        {u"a\u0416", 0x1662},                         // a unit of 256 or more at an odd place
        {u"\u0080\u0080", static_cast<int16_t>(0x8080)},  // wraps negative
    };
    for (const auto& c : hashes) EXPECT_EQ(CustomValueHash(c.text), c.hash) << c.text.size();

    EXPECT_EQ(CustomValueId(u"Work", u"123"), 0xFAC93264u);
    EXPECT_EQ(CustomValueId(u"Work", u"\u0080\u0080"), 0xFFFF8080u);  // negative value hash fills the top
    EXPECT_TRUE(IsCustomValueId(CustomValueId(u"", u"")));
    EXPECT_FALSE(IsCustomValueId(0xE0000000u));
}

TEST(CustomValueRef, DecodeLooksAtPhonesThenEmails) {
    Contact c;
    c.emails.Add({u"Work", u"123"});
    c.SetDefaultTag(CustomValueId(u"Work", u"123"));
    CustomValueRef ref = DecodeCustomValueRef(c);
    EXPECT_EQ(ref.kind, CustomValueRef::Email);
    c.phones.Add({u"Work", u"123"});
    ref = DecodeCustomValueRef(c);
    EXPECT_EQ(ref.kind, CustomValueRef::Phone);
    EXPECT_EQ(ref.label, u"Work");
    EXPECT_EQ(ref.value, u"123");
    c.SetDefaultTag(0x00000013);  // a plain dial tag
    EXPECT_EQ(DecodeCustomValueRef(c).kind, CustomValueRef::None);
    c.SetDefaultTag(CustomValueId(u"Home", u"9"));
    EXPECT_EQ(DecodeCustomValueRef(c).kind, CustomValueRef::None);
}

TEST(CustomValueRef, RetargetAfterAnEdit) {
    const CustomValueRef ref{CustomValueRef::Phone, u"Work", u"123"};
    const uint32_t original = CustomValueId(u"Work", u"123");
    const struct { std::vector<CustText> phones; CustomValueRef ref; uint32_t tag; } cases[] = {
        {{{u"Home", u"1"}, {u"Work", u"123"}}, ref, original},
        {{{u"Work", u"999"}, {u"Work", u"555"}}, ref, CustomValueId(u"Work", u"999")},
        {{{u"Home", u"123"}}, ref, 0},
        {{}, CustomValueRef{}, original},
        {{}, CustomValueRef{CustomValueRef::Phone, u"", u""}, original},
    };
    for (const auto& c : cases) {
        Contact edited;
        edited.SetDefaultTag(original);
        for (const CustText& p : c.phones) edited.phones.Add(p);
        RetargetCustomValueRef(c.ref, edited);
        EXPECT_EQ(edited.GetDefaultTag(), c.tag) << c.phones.size();
    }
}

}  // namespace
