// Merging one contact into another: every distinct value kept (in a free field of its kind, else
// among the further values under its label), values already held not repeated, single values of
// the target kept and the other's named, categories united, notes joined.
#include "store/contact/ContactMerge.h"

#include <gtest/gtest.h>

#include "store/vcard/NoteText.h"

namespace {

ContactPicture TinyPicture(uint8_t shade) {
    plat::RgbBitmap bitmap{2, 1, {shade, 0, 0, 0, shade, 0}};
    return ContactPicture::FromBitmap(bitmap, plat::ImageFormat::Png);
}

TEST(ContactMerge, KeepsEveryDistinctValue) {
    Contact target, other;
    target.SetText(kFieldFirst, u"Anna");
    target.SetText(kFieldCompany, u"Acme");
    target.SetText(kFieldWorkPhone, u"+1 555 123 4567");
    target.SetText(kFieldMobile, u"555 000 1111");
    target.SetText(kFieldEmail1, u"anna@acme.com");
    target.SetText(kFieldHomeCity, u"Riverton");
    target.SetBirthday(100);
    target.categories.Add(1);
    target.SetNote(NoteFromText(u"first note"));

    other.SetText(kFieldFirst, u"Anna");
    other.SetText(kFieldLast, u"Smith");                 // fills an empty single value
    other.SetText(kFieldCompany, u"Globex");             // differs: named, not kept
    other.SetText(kFieldWorkPhone, u"(555) 123-4567 ");  // the same number: not repeated
    other.SetText(kFieldMobile, u"555 999 2222");        // taken: no twin, to the further phones
    other.SetText(kFieldHomePhone, u"555 333 4444");     // free field of its own
    other.SetText(kFieldEmail1, u"ANNA@acme.com");       // the same address without case
    other.SetText(kFieldEmail2, u"anna@home.net");       // to the next free e-mail field
    other.SetText(kFieldHomeCity, u"Lakeside");          // another home address: further address
    other.SetText(kFieldWorkCity, u"Springfield");       // into the empty work address
    other.SetText(kFieldWeb, u"https://anna.example");
    other.SetBirthday(200);  // taken: a further date
    other.SetAnniversary(300);
    other.phones.Add({u"Boat", u"555 777 8888"});
    other.others.Add({u"Shoe", u"38"});
    other.categories.Add(1);
    other.categories.Add(2);
    other.SetNote(NoteFromText(u"second note"));
    other.SetPicture(TinyPicture(3));  // the target has none: taken

    const MergeOutcome outcome = MergeContact(target, other);

    EXPECT_EQ(outcome.notKept, std::vector<std::string>{"Company \"Globex\""});
    EXPECT_EQ(target.GetText(kFieldLast), u"Smith");
    EXPECT_EQ(target.GetText(kFieldCompany), u"Acme");
    EXPECT_EQ(target.GetText(kFieldWorkPhone2), u"");
    EXPECT_EQ(target.GetText(kFieldHomePhone), u"555 333 4444");
    EXPECT_EQ(target.GetText(kFieldEmail2), u"anna@home.net");
    EXPECT_EQ(target.GetText(kFieldEmail3), u"");
    EXPECT_EQ(target.GetText(kFieldHomeCity), u"Riverton");
    EXPECT_EQ(target.GetText(kFieldWorkCity), u"Springfield");
    EXPECT_EQ(target.GetText(kFieldWeb), u"https://anna.example");
    ASSERT_EQ(target.phones.GetSize(), 2);
    EXPECT_EQ(target.phones[0], (CustText{u"Mobile", u"555 999 2222"}));
    EXPECT_EQ(target.phones[1], (CustText{u"Boat", u"555 777 8888"}));
    ASSERT_EQ(target.addresses.GetSize(), 1);
    EXPECT_EQ(target.addresses[0].city, u"Lakeside");
    EXPECT_EQ(target.GetBirthday(), 100u);
    EXPECT_EQ(target.GetAnniversary(), 300u);
    ASSERT_EQ(target.dates.GetSize(), 1);
    EXPECT_EQ(target.dates[0], (CustDate{u"Birthday", 200}));
    EXPECT_EQ(target.others.GetSize(), 1);
    EXPECT_EQ(target.categories.GetSize(), 2);
    EXPECT_EQ(target.GetNoteText(), u"first note\r\nsecond note");
    EXPECT_FALSE(target.GetPicture().IsEmpty());
}

TEST(ContactMerge, TwiceChangesNothingMore) {
    Contact target, other;
    target.SetText(kFieldFirst, u"Anna");
    other.SetText(kFieldMobile, u"555 999 2222");
    other.SetText(kFieldEmail1, u"a@b.c");
    other.SetNote(NoteFromText(u"note"));
    other.SetPicture(TinyPicture(1));
    (void)MergeContact(target, other);
    Contact again = target;
    const MergeOutcome outcome = MergeContact(again, other);
    EXPECT_TRUE(outcome.notKept.empty());
    EXPECT_TRUE(again.Equals(target));
}

TEST(ContactMerge, NamesAPictureItCannotTake) {
    Contact target, other;
    target.SetPicture(TinyPicture(1));
    other.SetPicture(TinyPicture(2));
    EXPECT_EQ(MergeContact(target, other).notKept, std::vector<std::string>{"its picture"});
    EXPECT_EQ(target.GetPicture(), TinyPicture(1));
}

TEST(ContactMerge, SameNumber) {
    EXPECT_TRUE(SameNumber(u"+1 (555) 123", u"1555123"));
    EXPECT_TRUE(SameNumber(u"+1 555 123 4567", u"555-1234567"));
    EXPECT_FALSE(SameNumber(u"+1 555 123", u"555123"));
    EXPECT_FALSE(SameNumber(u"555 123", u"555 124"));
    EXPECT_TRUE(SameNumber(u"ext", u"ext"));
    EXPECT_FALSE(SameNumber(u"ext", u"EXT"));
}

}  // namespace
