#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "store/contact/Contact.h"
#include "support/ContactOf.h"
#include "support/TempDevice.h"
#include "view/address/AddressFormatTable.h"
#include "view/pane/ContactViewModel.h"
#include "view/pane/FileTimeDate.h"
#include "view/template/ContactTemplate.h"

namespace {

// 2001-02-03 as a file time.
constexpr uint64_t kFeb3rd2001 = 146130ull * 864000000000ull;

class ContactViewModelTest : public ::testing::Test {
protected:
    ContactViewModelTest() { tpl.ResetToDefaults(); }

    // The lines as "label|text|group".
    std::vector<std::string> Lines(const Contact& c, const Array<Str>& categories = {}) {
        model.Build(c, tpl, AddressFormatTable::Instance(), categories);
        std::vector<std::string> out;
        for (const ViewLine& l : model.Lines()) {
            out.push_back(l.label.ToUtf8() + "|" + l.text.ToUtf8() + "|" + std::to_string(l.group));
        }
        return out;
    }

    TempDevice device;
    ContactTemplate tpl;
    ContactViewModel model;
};

using V = std::vector<std::string>;

TEST_F(ContactViewModelTest, HeadingComposition) {
    const struct {
        std::vector<std::pair<int, const char16_t*>> fields;
        const char16_t* heading;
        HeadingPicture picture;
    } cases[] = {
        {{{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldJobTitle, u"CEO"}, {kFieldCompany, u"Acme"},
          {kFieldDepartment, u"Sales"}, {kFieldTitle, u"Dr."}, {kFieldFileAs, u"Smith, Anna"}},
         u"<B>Dr. Anna Smith</B> CEO\nAcme Sales", HeadingPicture::Person},
        {{{kFieldCompany, u"Acme"}}, u"<B>Acme</B>", HeadingPicture::Company},
        {{{kFieldCompany, u"Acme"}, {kFieldJobTitle, u"CEO"}}, u"CEO\n<B>Acme</B>", HeadingPicture::Company},
        {{{kFieldSuffix, u"Jr."}, {kFieldMiddle, u"Q"}}, u"<B>Q Jr.</B>", HeadingPicture::Person},
        {{}, u"", HeadingPicture::Person},
    };
    for (const auto& c : cases) {
        Contact contact;
        for (const auto& [field, text] : c.fields) contact.SetText(field, text);
        EXPECT_TRUE(Lines(contact).empty());
        EXPECT_EQ(std::pair(model.Heading(), model.Picture()), std::pair(Str(c.heading), c.picture));
    }
    Contact flagged;
    flagged.SetFlag102(true);
    Lines(flagged);
    EXPECT_EQ(model.Picture(), HeadingPicture::OtherPerson);
}

TEST_F(ContactViewModelTest, TemplateOrdersAndLabelsButEveryValueIsShownOnceAsItIs) {
    tpl.AddEntry(kGroupPhone, u"Mobile");  // listed twice
    // Markup in a value is not escaped.
    Contact c = ContactOf({{kFieldMobile, u"+1 555 0100"},
                           {kFieldWorkPhone, u"111"},
                           {kFieldWorkPhone2, u"222"},
                           {kFieldPager, u"333"},
                           {kFieldEmail2, u"b@x.org"},
                           {kFieldEmail1, u"a@x.org"},
                           {kFieldIm1, u"ICQ: 12345"},
                           {kFieldWeb, u"x.org"},
                           {kFieldNickname, u"<B>Annie</B> a<b"},
                           {kFieldRingtone, u"\\Windows\\Rings\\bell.wav"}});
    c.phones.Add({u"Dacha", u"444"});
    c.ringtones.Add({u"Song", u"plain.mp3"});
    EXPECT_EQ(Lines(c, Array<Str>()),
              (V{"Work|111|1", "Work|222|1", "Mobile|+1 555 0100|1", "Pager|333|1", "Dacha|444|1",
                 "E-mail|<#004080><I>a@x.org</I></#>|2", "E-mail 2|<#004080><I>b@x.org</I></#>|2",
                 "IM|12345 <B>ICQ</B>|3", "Web|<I>x.org</I>|4",
                 "Ringtone|bell.wav|10", "Song|plain.mp3|10", "Nickname|<B>Annie</B> a<b|11"}));
    // A link's target is the full path it shows the name of; another line's is its text.
    EXPECT_EQ(std::pair(TargetOf(model.Lines()[9]), TargetOf(model.Lines()[5])), std::pair(Str(u"\\Windows\\Rings\\bell.wav"), Str(u"a@x.org")));
    // A gap follows the last line of each group.
    EXPECT_EQ(std::tuple(model.GapAfter(3), model.GapAfter(4), model.GapAfter(11), model.GapAfter(12)),
              std::tuple(false, true, true, false));
}

TEST_F(ContactViewModelTest, AddressesDatesCategoriesAndNote) {
    Contact c = ContactOf({{kFieldWorkStreet, u"1 Main St"},
                           {kFieldWorkCity, u"Springfield"},
                           {kFieldWorkPostalCode, u"62701"},
                           {kFieldHomeState, u"IL"}});
    c.workAddressFormat = 16;   // Germany: street, postal code, city, country
    c.homeAddressFormat = 999;  // outside the table: the default format (United States)
    c.otherAddressFormat = 35;  // a format without parts: no line
    c.addresses.Add({57, u"Cabin", u"Lake Rd", u"", u"", u"", u"USA"});
    c.SetBirthday(kFeb3rd2001);
    c.SetAnniversary(1ull << 63);  // cannot be converted: left out
    c.dates.Add({u"Met", kFeb3rd2001});
    c.SetNote(ByteBlock(std::vector<uint8_t>{'h', 0, 'i', 0}));
    Array<Str> categories;
    categories.Add(u"Friends");
    categories.Add(u"Work");
    EXPECT_EQ(Lines(c, categories),
              (V{"Work|1 Main St 62701 Springfield |6", "Home|IL  |6", "Cabin|Lake Rd    USA|6",
                 "Categories|Friends, Work|7", "Birthday|" + ShortDateOfFileTime(kFeb3rd2001).ToUtf8() + "|9",
                 "Met|" + ShortDateOfFileTime(kFeb3rd2001).ToUtf8() + "|9"}));
    EXPECT_EQ(model.Note().Size(), 4u);
}

}  // namespace
