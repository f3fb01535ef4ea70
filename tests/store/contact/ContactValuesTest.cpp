// Contact values without a store: emptiness, equality, copies and the display name.
#include "store/contact/Contact.h"

#include <gtest/gtest.h>

#include "store/contact/Samples.h"

namespace {

ContactPicture TinyPicture(uint8_t shade) {
    plat::RgbBitmap bitmap{2, 1, {shade, 0, 0, 0, shade, 0}};
    return ContactPicture::FromBitmap(bitmap, plat::ImageFormat::Png);
}

}  // namespace

// Each value makes a contact differ from one without it; each stored value also makes an empty
// contact non-empty.
TEST(ContactValues, EmptinessAndEqualityCoverEveryValueButTheIdentity) {
    Contact base;
    base.SetText(kFieldLast, u"Smith");
    base.SetPicture(TinyPicture(1));
    static_cast<ContactCustProps&>(base) = SampleCustProps();
    using Change = void (*)(Contact&);
    const struct {
        const char* name;
        Change change;
        bool fills;
    } cases[] = {
        {"text", [](Contact& c) { c.SetText(kFieldMms, u"1"); }, true},
        {"birthday", [](Contact& c) { c.SetBirthday(7); }, true},
        {"default tag", [](Contact& c) { c.SetDefaultTag(0xF0000001); }, true},
        {"picture pixels", [](Contact& c) { c.SetPicture(TinyPicture(2)); }, true},
        {"note", [](Contact& c) { c.SetNote(ByteBlock(std::vector<uint8_t>{'x', 0})); }, true},
        {"further value", [](Contact& c) { c.dates.Add({u"Day", 5}); }, true},
        {"format word", [](Contact& c) { c.fourthFormat = 1; }, false},
        {"categories", [](Contact& c) { c.categories.Add(4); }, false},
    };
    for (const auto& c : cases) {
        Contact other = base;
        c.change(other);
        EXPECT_TRUE(other.NotEquals(base)) << c.name;
        if (!c.fills) continue;
        Contact filled;
        c.change(filled);
        EXPECT_FALSE(filled.IsEmpty()) << c.name;
        filled.Clear();
        EXPECT_TRUE(filled.IsEmpty()) << c.name;
    }
    Contact renumbered = base;
    renumbered.SetOid(99);
    renumbered.SetRecordId(98);
    renumbered.SetFlag102(true);
    EXPECT_TRUE(renumbered.Equals(base));
    EXPECT_TRUE(static_cast<const ContactBase&>(renumbered).NotEquals(base));
}

TEST(ContactValues, DisplayAndFormattedNames) {
    struct Case {
        const char16_t *first, *last, *company, *middle, *title, *suffix, *display, *formatted;
    };
    const Case cases[] = {
        {u"  ", u" Smith ", u"", u"", u"", u"", u"Smith", u"Smith"},
        {u"", u"", u"Acme", u"M", u"", u"", u"Acme", u"M"},
        {u" Anna ", u"", u"Acme", u"", u"", u"", u"Anna", u"Anna"},
        {u"", u"", u" Acme ", u"", u"", u"", u"Acme", u"Acme"},
        {u"", u"", u"", u"", u"Dr.", u"Jr.", u"Dr.", u"Dr. Jr."},
        {u"Anna", u"Smith", u"Acme", u"Maria", u"Dr.", u"PhD", u"Smith, Anna", u"Dr. Anna Maria Smith PhD"},
        {u"", u"", u"", u"", u"", u"", u"", u""},
    };
    for (const Case& c : cases) {
        Contact contact;
        contact.SetText(kFieldFirst, c.first);
        contact.SetText(kFieldLast, c.last);
        contact.SetText(kFieldCompany, c.company);
        contact.SetText(kFieldMiddle, c.middle);
        contact.SetText(kFieldTitle, c.title);
        contact.SetText(kFieldSuffix, c.suffix);
        EXPECT_EQ(contact.GetDisplayName(), c.display);
        EXPECT_EQ(contact.GetFormattedName(), c.formatted);
    }
}
