// The context menu of a contact row (its items, entries and what each command asks for) and the
// texts a row draws, on contacts built in memory.
#include <gtest/gtest.h>

#include <vector>

#include "phone/menu/PhoneFields.h"
#include "phone/templates/PhoneTemplates.h"
#include "screen/list/ContactContextMenu.h"
#include "screen/list/RowText.h"
#include "store/contact/Contact.h"
#include "support/ContactOf.h"
#include "support/TempDevice.h"

namespace {

class ContactRows : public ::testing::Test {
protected:
    ContactRows() {
        formats.LoadDefaults();
        formats.SetActive(true);
        contact.phones.Add({u"Boat", u"5552223333"});
        contact.emails.Add({u"Old", u"anna@old.example"});
    }

    Str Shown(const char16_t* raw) const {
        Str number(raw);
        number = formats.Formatted(number);
        return number;
    }

    static std::vector<std::u16string> Texts(const std::vector<MenuItem>& items) {
        std::vector<std::u16string> texts;
        for (const MenuItem& item : items) {
            texts.push_back(item.separator ? u"-" : std::u16string(item.text.View()));
        }
        return texts;
    }

    TempDevice device;
    PhoneTemplates formats;
    Contact contact = ContactOf({{kFieldFirst, u"Anna"},
                                 {kFieldLast, u"Smith"},
                                 {kFieldFileAs, u"Smith, Anna"},
                                 {kFieldCompany, u"Acme"},
                                 {kFieldWorkPhone, u"5551234567"},
                                 {kFieldHomeFax, u"5557654321"},
                                 {kFieldMobile, u"5550001111"},
                                 {kFieldEmail2, u"anna@acme.example"}});
};

TEST_F(ContactRows, TheMenuOfOneContactOffersItsValuesUnderFixedEntryNumbers) {
    ContactContextMenu menu;
    menu.Build(contact, formats);
    const MenuDescription shown = menu.Describe(nullptr, {});
    EXPECT_EQ(Texts(shown.items),
              (std::vector<std::u16string>{u"Anna Smith", u"-", u"Call Phone", u"Edit && Call..", u"Send SMS",
                                           u"Send Email", u"-", u"Duplicate", u"Delete", u"-", u"Beam...",
                                           u"Make Appointment..."}));
    EXPECT_FALSE(shown[0].enabled);
    ASSERT_NE(Shown(u"5551234567"), u"5551234567")
        << "the formats must change the number for this test to mean anything";
    EXPECT_EQ(Texts(shown[2].submenu),
              (std::vector<std::u16string>{u"Work\t" + std::u16string(Shown(u"5551234567").View()),
                                           u"Mobile\t" + std::u16string(Shown(u"5550001111").View()),
                                           u"Home fax\t" + std::u16string(Shown(u"5557654321").View()),
                                           u"Boat\t" + std::u16string(Shown(u"5552223333").View())}));
    EXPECT_EQ(shown[2].submenu[1].id, 1005u) << "Mobile is entry 5 whatever fields are empty";
    EXPECT_EQ(shown[2].submenu[3].id, 1014u) << "the contact's own numbers follow from 14";
    EXPECT_EQ(shown[4].submenu.size(), 3u) << "a fax takes no messages";
    EXPECT_EQ(Texts(shown[5].submenu),
              (std::vector<std::u16string>{u"E-mail 2\tanna@acme.example", u"Old\tanna@old.example"}));
    EXPECT_EQ(shown[5].submenu[0].id, 1202u);

    using Kind = ContextChoice::Kind;
    const struct {
        uint32_t command;
        ContextChoice expected;
    } choices[] = {
        {1001, {Kind::Call, Shown(u"5551234567"), 1001}},
        {1014, {Kind::Call, Shown(u"5552223333"), 1014}},
        {1105, {Kind::Sms, Shown(u"5550001111"), 1105}},
        {1106, {}},  // the fax
        {1002, {}},  // no second work number
        {1204, {Kind::Email, Str(u"anna@old.example"), 1204}},
        {118, {Kind::EditAndCall, {}, 118}},
        {41284, {Kind::Duplicate, {}, 41284}},
        {102, {Kind::Delete, {}, 102}},
        {101, {Kind::Beam, {}, 101}},
        {41211, {Kind::Appointment, {}, 41211}},
        {41222, {Kind::AddIn, {}, 41222}},
        {7, {}},
    };
    for (const auto& c : choices) EXPECT_EQ(menu.Choose(c.command), c.expected) << c.command;
}

TEST_F(ContactRows, SeveralContactsOnlyBeamOrDeleteAndANamelessOneShowsItsCompany) {
    ContactContextMenu menu;
    menu.BuildForSeveral();
    EXPECT_EQ(Texts(menu.Describe(nullptr, {}).items), (std::vector<std::u16string>{u"Beam...", u"Delete"}));
    EXPECT_EQ(menu.Choose(1001), ContextChoice{});
    EXPECT_EQ(menu.Choose(41284), ContextChoice{});

    menu.Build(ContactOf({{kFieldCompany, u" Acme "}}), formats);
    const MenuDescription shown = menu.Describe(nullptr, {});
    EXPECT_EQ(Texts(shown.items), (std::vector<std::u16string>{u"Acme", u"-", u"Duplicate", u"Delete", u"-",
                                                               u"Beam...", u"Make Appointment..."}));
    EXPECT_EQ(menu.Choose(118), ContextChoice{}) << "no number, no Edit && Call";
    EXPECT_EQ(ContactContextMenu::TitleOf(Contact{}), u"Unnamed");
}

TEST_F(ContactRows, RowTextsFollowTheOrderAndTheNameOnlySetting) {
    const ContactRowText byName = MakeRowText(contact, ListOrder::Name, false, formats);
    EXPECT_EQ(byName.name, u"Smith, Anna");
    EXPECT_EQ(byName.NumberText(), Str(u"W ") + Shown(u"5551234567"))
        << "the default: the first phone field in menu order";
    EXPECT_EQ(byName.secondLine, u"Acme");

    contact.SetText(kFieldFileAs, u"Anna at Acme");
    contact.SetText(kFieldJobTitle, u"Buyer");
    contact.SetDefaultTag(kTagMobile);
    const ContactRowText byFileAs = MakeRowText(contact, ListOrder::FileAs, false, formats);
    EXPECT_EQ(byFileAs.name, u"Anna at Acme");
    EXPECT_EQ(byFileAs.NumberText(), Str(u"M ") + Shown(u"5550001111"));
    EXPECT_EQ(byFileAs.secondLine, u"Buyer, Acme");
    EXPECT_EQ(MakeRowText(contact, ListOrder::Company, false, formats).secondLine, u"Buyer")
        << "the company heads the group";

    const ContactRowText nameOnly = MakeRowText(contact, ListOrder::Name, true, formats);
    EXPECT_TRUE(nameOnly.number.IsEmpty() && nameOnly.NumberText().IsEmpty());

    const ContactRowText unnamed =
        MakeRowText(ContactOf({{kFieldEmail1, u"x@example.org"}}), ListOrder::FileAs, false, formats);
    EXPECT_EQ(std::tuple(unnamed.name, unnamed.number, unnamed.secondLine),
              std::tuple(Str(u"Unnamed"), Str(), Str(u"x@example.org")));
}

}  // namespace
