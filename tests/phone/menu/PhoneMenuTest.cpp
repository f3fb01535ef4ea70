#include <gtest/gtest.h>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/menu/ContactListPhoneMenu.h"
#include "phone/menu/CustomTag.h"
#include "phone/menu/DefaultNumber.h"
#include "phone/menu/PhoneChooser.h"
#include "phone/menu/PhoneFields.h"
#include "store/contact/Contact.h"
#include "support/ContactOf.h"

namespace {

using Texts = std::vector<std::u16string>;

Contact With(FieldTexts fields, uint32_t defaultTag = 0) {
    Contact contact = ContactOf(fields);
    contact.SetDefaultTag(defaultTag);
    return contact;
}

TEST(CustomTag, TheEditorsIdentifierOfTheEntry) {
    EXPECT_EQ(CustomTag(u"Sat", u"123"), 0xF1C73264u);
    EXPECT_EQ(CustomTag(u"Sat", u"\u8000"), 0xFFFF8000u);  // a negative hash widens over the name part
    EXPECT_TRUE(IsCustomTag(CustomTag(u"", u"")));
    EXPECT_FALSE(IsCustomTag(kTagMms));
}

TEST(DefaultNumber, TagRuleFallbacksAndCustomPhones) {
    Contact custom = With({{kFieldMobile, u"222"}});
    custom.phones.Add({u"Sat", u"333"});
    const uint32_t satTag = CustomTag(u"Sat", u"333");
    const Contact homeAndMobile = With({{kFieldMobile, u"222"}, {kFieldHomePhone, u"111"}});
    const struct {
        Contact contact;
        uint32_t tag;
        const char16_t* expected;  // null: no number
    } cases[] = {
        {homeAndMobile, 0, u"111"},  // Home before Mobile
        {With({{kFieldMobile, u"222"}, {kFieldEmail1, u"a@b"}}), kTagEmail, u"222"},  // an address is not dialled
        {With({{kFieldMms, u"999"}, {kFieldCompanyPhone, u"888"}}), 0, u"888"},       // Company before MMS
        {custom, satTag, u"333"},
        {custom, satTag + 1, u"222"},
        {With({{kFieldEmail1, u"a@b"}}), 0, nullptr},
    };
    for (auto c : cases) {
        c.contact.SetDefaultTag(c.tag);
        const auto number = DefaultNumber(c.contact);
        EXPECT_EQ(number ? std::u16string(number->number.View()) : u"<none>", c.expected ? c.expected : u"<none>");
    }
}

// Phones, then addresses, each with its formatted and raw value; the default marked; the action
// line calls or writes to the default; a custom default lasts while its value does.
TEST(ContactListPhoneMenu, EntriesDefaultAndActionLine) {
    TempDevice device;
    Contact contact = With({{kFieldMobile, u"5551234567"}, {kFieldWorkPhone, u"12"}, {kFieldEmail2, u"a@b.c"}},
                           kTagMobile);
    contact.phones.Add({u"Sat", u"0011"});
    contact.emails.Add({u"Private", u"p@q.r"});
    ContactListPhoneMenu menu;
    menu.Build(contact, ActiveDefaultFormats());
    Texts labels;
    for (const auto& entry : menu.Entries()) labels.emplace_back(entry.label.View());
    EXPECT_EQ(labels, (Texts{u"Work", u"Mobile", u"Sat", u"E-mail 2", u"Private"}));
    const auto& e = menu.Entries();
    EXPECT_EQ(std::pair(e[1].display, e[1].raw), std::pair(Str(u"555-123-4567"), Str(u"5551234567")));
    EXPECT_EQ(std::pair(e[2].tag, e[2].customTag), std::pair(0u, CustomTag(u"Sat", u"0011")));
    EXPECT_EQ(menu.DefaultIndex(), 1);

    const PhoneMenuChoice call = menu.Choose(ContactListPhoneMenu::kActionCommand);
    EXPECT_EQ(std::pair(call.kind, call.text), std::pair(PhoneMenuChoice::Kind::Call, Str(u"555-123-4567")));
    const PhoneMenuChoice pick = menu.Choose(ContactListPhoneMenu::kFirstEntryCommand + 2);
    EXPECT_EQ(std::pair(pick.kind, pick.newDefaultTag), std::pair(PhoneMenuChoice::Kind::NewDefault, CustomTag(u"Sat", u"0011")));
    EXPECT_EQ(menu.Choose(999).kind, PhoneMenuChoice::Kind::Nothing);

    // The custom default survives a rebuild (a restart) and is lost once its value changes.
    contact.SetDefaultTag(pick.newDefaultTag);
    menu.Build(contact, ActiveDefaultFormats());
    EXPECT_EQ(menu.DefaultIndex(), 2);
    contact.phones[0].value = u"0012";
    menu.Build(contact, ActiveDefaultFormats());
    EXPECT_EQ(menu.DefaultIndex(), 0);

    // Addresses only: the action writes to the default address; no entries: no menu.
    menu.Build(With({{kFieldEmail1, u"x@y.z"}}), ActiveDefaultFormats());
    EXPECT_TRUE(menu.ShouldShow());
    EXPECT_EQ(menu.ActionText().View(), u"E-mail to...");
    const PhoneMenuChoice write = menu.Choose(ContactListPhoneMenu::kActionCommand);
    EXPECT_EQ(std::pair(write.kind, write.text), std::pair(PhoneMenuChoice::Kind::Email, Str(u"x@y.z")));
    const PhoneMenuChoice mark = menu.Choose(ContactListPhoneMenu::kFirstEntryCommand);
    EXPECT_EQ(std::pair(mark.kind, mark.newDefaultTag), std::pair(PhoneMenuChoice::Kind::NewDefault, kTagEmail));

    menu.Build(With({{kFieldFirst, u"Nobody"}}), ActiveDefaultFormats());
    EXPECT_FALSE(menu.ShouldShow());
    EXPECT_TRUE(menu.Describe().empty());
    EXPECT_EQ(menu.Choose(ContactListPhoneMenu::kActionCommand).kind, PhoneMenuChoice::Kind::Nothing);
}

TEST(PhoneChooser, WhenOfferedAndWhatItLists) {
    TempDevice device;
    const Contact none = With({{kFieldFirst, u"A"}});
    const Contact one = With({{kFieldMobile, u"1"}});
    Contact two = With({{kFieldMobile, u"1"}});
    two.phones.Add({u"Sat", u"2"});
    const struct {
        uint32_t dialType;
        const Contact* contact;
        bool offered;
    } cases[] = {{1, &two, false}, {2, &one, false}, {2, &two, true}, {3, &one, true},
                 {3, &none, false}, {4, &two, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(PhoneChooser::ShouldOffer(c.dialType, *c.contact), c.offered) << c.dialType;
    }
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, 9));  // out of range: 3
    EXPECT_EQ(PhoneChooser::StoredDialType(), 3u);
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, 2));
    EXPECT_EQ(PhoneChooser::StoredDialType(), 2u);

    Contact all = With({{kFieldMms, u"31"}, {kFieldCompanyPhone, u"30"}, {kFieldWorkPhone, u"10"}}, kTagCompany);
    all.phones.Add({u"Sat", u"40"});
    all.phones.Add({u"Empty", u""});
    PhoneChooser chooser;
    chooser.Build(all, ActiveDefaultFormats());
    Texts labels;
    for (const ChooserEntry& e : chooser.Entries()) labels.emplace_back(e.label.View());
    EXPECT_EQ(labels, (Texts{u"Work", u"MMS", u"Company", u"Sat"}));
    EXPECT_EQ(std::pair(chooser.Selected(), chooser.SelectedNumber()), std::pair(2, Str(u"30")));
    all.SetDefaultTag(kTagMms);
    chooser.Build(all, ActiveDefaultFormats());
    EXPECT_EQ(chooser.Selected(), 1);

}

}  // namespace
