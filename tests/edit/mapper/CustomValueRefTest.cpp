#include <gtest/gtest.h>

#include "edit/mapper/CustomValueRef.h"

#include <tuple>
#include <vector>
#include "store/contact/Contact.h"

namespace {

TEST(CustomValueRef, Identifier) {
    // Units summed at even places, shifted at odd ones (a unit of 256 or more also sets the low bit).
    EXPECT_EQ(CustomValueId(u"Work", u"123"), 0xFAC93264u);
    EXPECT_EQ(CustomValueId(u"Work", u"a\u0416"), 0xFAC91662u);
    EXPECT_EQ(CustomValueId(u"Work", u"\u0080\u0080"), 0xFFFF8080u);  // negative value hash fills the top
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
    EXPECT_EQ(std::tie(ref.kind, ref.label, ref.value), std::tuple(CustomValueRef::Phone, Str(u"Work"), Str(u"123")));
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
