#include <gtest/gtest.h>

#include <vector>

#include "edit/mapper/ContactEditInPropMapper.h"
#include "edit/mapper/EditCommit.h"
#include "store/contact/Contact.h"
#include "support/ContactOf.h"
#include "support/TempDevice.h"
#include "view/template/ContactTemplate.h"

namespace {

class MapperTest : public ::testing::Test {
protected:
    MapperTest() { tpl.ResetToDefaults(); }

    Array<BlockDescriptor> Load(const Contact& c) {
        mapper.Load(c, tpl);
        return mapper.Descriptors();
    }
    static BlockDescriptor* Find(Array<BlockDescriptor>& blocks, int group) {
        for (BlockDescriptor& b : blocks) {
            if (b.group == group) return &b;
        }
        return nullptr;
    }
    // The rows of a block as "label=text".
    static std::vector<std::string> Rows(const BlockDescriptor& b) {
        std::vector<std::string> out;
        for (const BlockRow& r : b.rows) out.push_back(b.labels[r.label].ToUtf8() + "=" + r.text.ToUtf8());
        return out;
    }

    TempDevice device;
    ContactTemplate tpl;
    ContactEditInPropMapper mapper;
};

using V = std::vector<std::string>;

TEST_F(MapperTest, LoadBuildsOneBlockPerGroupWithTheTemplatesSlots) {
    tpl.AddEntry(kGroupPhone, u"Pager");
    // The fields menu offers the built-in blocks, whatever the user's template lists.
    EXPECT_EQ(Rows(ContactEditInPropMapper::DefaultBlock(kGroupPhone)), (V{"Work=", "Home=", "Mobile="}));
    // Other is switched off in the template.
    Contact c = ContactOf(
        {{kFieldFirst, u"Anna"}, {kFieldMobile, u"555"}, {kFieldPager, u"777"}, {kFieldNickname, u"Annie"}});
    c.phones.Add({u"Boat", u"888"});
    Array<BlockDescriptor> blocks = Load(c);
    std::vector<int> groups;
    for (const BlockDescriptor& b : blocks) groups.push_back(b.group);
    // No e-mail value and e-mail listed: a block with an empty slot; web and people are off
    // and empty: no block; other is off but has a value: a block with that value only.
    EXPECT_EQ(groups, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 9, 10, 11, 12}));

    const BlockDescriptor& name = *Find(blocks, kGroupName);
    EXPECT_EQ(std::pair(name.hidden[kNameSuffix], name.hidden[kNameTitle]), std::pair(true, false));

    EXPECT_EQ(Rows(*Find(blocks, kGroupPhone)), (V{"Work=", "Home=", "Mobile=555", "Pager=777", "Boat=888"}));
    EXPECT_EQ(Rows(*Find(blocks, kGroupOther)), (V{"Nickname=Annie"}));

    // Messaging rows offer the template's messenger types, its own ones after the built-in ones.
    tpl.AddMessagingEntry(u"Chat", u"Jabber");
    std::vector<std::string> types;
    for (const Str& type : Find(blocks = Load(c), kGroupMessaging)->msgTypes) types.push_back(type.ToUtf8());
    EXPECT_EQ(types, (V{"AOL", "ICQ", "MSN", "Jabber"}));
}

TEST_F(MapperTest, StoreFillsStandardFieldsThenFurtherValuesAndClearsWhatWasEmptied) {
    Contact c = ContactOf({{kFieldFirst, u"Anna"}, {kFieldFileAs, u"Anna"}, {kFieldOffice, u"B-12"}});
    c.SetBirthday(125911584000000000ull);
    c.SetNote(ByteBlock(std::vector<uint8_t>{' ', 0, 0, 0}));
    Array<BlockDescriptor> blocks = Load(c);
    BlockDescriptor& phones = *Find(blocks, kGroupPhone);
    phones.rows.RemoveAll();
    for (const auto& [label, text] : std::initializer_list<std::pair<Str, Str>>{
             {u"Work", u" 111 "}, {u"Work", u"222"}, {u"Work", u"333"}, {u"Dacha", u"444"}, {u"Home", u"   "}, {u"Mobile", u"555"}}) {
        phones.rows.Add({.label = phones.LabelIndex(label), .text = text});
    }
    Find(blocks, kGroupOffice)->rows[0].text = u"  ";
    Find(blocks, kGroupDates)->rows[0].date = 0;
    Find(blocks, kGroupName)->nameValues[kNameFileAs] = u"";
    Find(blocks, kGroupName)->nameValues[kNameLast] = u"Smith";
    Contact edited = c;
    ASSERT_TRUE(CommitEdit(edited, blocks, mapper, {}, tpl));
    // The note held blanks only, so it is empty now; the file-as name is made again.
    Contact expected = ContactOf({{kFieldFirst, u"Anna"},
                                  {kFieldLast, u"Smith"},
                                  {kFieldFileAs, u"Smith, Anna"},
                                  {kFieldWorkPhone, u"111"},
                                  {kFieldWorkPhone2, u"222"},
                                  {kFieldMobile, u"555"}});
    expected.phones.Add({u"Work", u"333"});
    expected.phones.Add({u"Dacha", u"444"});
    EXPECT_TRUE(edited.Equals(expected));
}

TEST_F(MapperTest, EveryKindOfBlockRoundTripsAndThePictureGoesOnlyWhenChanged) {
    Contact c = ContactOf({{kFieldTitle, u"Dr."},
                           {kFieldLast, u"Smith"},
                           {kFieldFileAs, u"Smith"},
                           {kFieldEmail1, u"a@x"},
                           {kFieldIm2, u"Jabber: j@x"},
                           {kFieldWeb, u"x.org"},
                           {kFieldHomeCity, u"Oslo"},
                           {kFieldAssistant, u"Eve"},
                           {kFieldRingtone, u"\\a.wav"},
                           {kFieldAccount, u"42"},
                           {kFieldText101, u"platform"}});
    c.emails.Add({u"Old", u"b@x"});
    c.ims.Add({u"Chat", u"c1", u"Matrix"});
    c.homeAddressFormat = 36;
    c.addresses.Add({16, u"Cabin", u"Fjord 1"});
    c.categories.Add(7);
    c.people.Add({u"Coach", u"Tom"});
    c.SetBirthday(125911584000000000ull);
    c.dates.Add({u"Met", 125911584000000001ull});
    c.ringtones.Add({u"Tune", u"\\b.wav"});
    c.others.Add({u"Pet", u"Rex"});
    c.SetNote(ByteBlock(std::vector<uint8_t>{'n', 0}));
    c.fourthFormat = 9;
    c.categoriesLoaded = true;
    c.SetPicture(ContactPicture::FromBitmap(plat::RgbBitmap{2, 2, std::vector<uint8_t>(12, 200)}, plat::ImageFormat::Png));
    Array<BlockDescriptor> blocks = Load(c);
    const Contact edited = BuildEditedContact(c, blocks, mapper, {}, tpl);
    EXPECT_TRUE(edited.Equals(c));
    Contact same = c;
    EXPECT_FALSE(CommitEdit(same, blocks, mapper, {}, tpl));
    // The picture goes only when the editor says it changed.
    Find(blocks, kGroupName)->pictureChanged = true;
    Find(blocks, kGroupName)->picture = ContactPicture();
    ASSERT_TRUE(CommitEdit(same, blocks, mapper, {}, tpl));
    EXPECT_TRUE(same.GetPicture().IsEmpty());
}

}  // namespace
