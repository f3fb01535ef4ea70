#include <gtest/gtest.h>

#include <vector>

#include "edit/mapper/ContactEditInPropMapper.h"
#include "edit/mapper/EditCommit.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFieldAccess.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/CeDBRecord.h"
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

namespace {

// A value for field `info` unlike the empty one, of the shape the editor shows it in.
void SetSample(Contact& c, const FieldInfo& info) {
    const Str text = Str(u"V\u00e4lue ") + Str(std::u16string(1, static_cast<char16_t>(u'A' + info.id % 26)));
    if (info.kind == FieldKind::Text)
        return c.SetText(info.id, info.group == FieldGroup::Messaging ? Str(u"ICQ: 123") : text);
    if (info.kind == FieldKind::Date) return SetDateField(c, info.id, 125911584000000000ull + info.id);
    if (auto list = CustomTextListOf(info.id)) return (c.*list).Add({u"Own label", text}), void();
    if (auto word = FormatWordOf(info.id)) return void(c.*word = 36);
    switch (info.id) {
        case kFieldPicture:
            return c.SetPicture(ContactPicture::FromBitmap(plat::RgbBitmap{2, 2, std::vector<uint8_t>(12, 9)},
                                                           plat::ImageFormat::Png));
        case kFieldNote: return c.SetNote(ByteBlock(std::vector<uint8_t>{'n', 0, 'o', 0}));
        case kFieldDefaultTag: return c.SetDefaultTag(0x97);
        case kFieldFlag102: return c.SetFlag102(true);
        case kFieldSimEntry: return c.SetFromSim(true);
        case kFieldRecordId: return c.SetRecordId(77);
        case kFieldOid: return c.SetOid(0x1234);
        case kFieldUid: return c.SetUid(u"6f1c2b0e-8a4d-4e37-9b21-3c7d5a90e4f8");
        case kFieldRevision: return c.SetRevision(0x01D2000000000000ull);
        case kFieldCustomIms: return c.ims.Add({u"Chat", u"c1", u"Matrix"}), void();
        case kFieldCustomAddresses: return c.addresses.Add({16, u"Cabin", u"Fjord 1"}), void();
        case kFieldCustomDates: return c.dates.Add({u"Met", 125911584000000001ull}), void();
        case kFieldCategories:
            c.categories.Add(7);
            c.categoriesLoaded = true;
            return;
        default: FAIL() << "no sample for field " << info.id;
    }
}

// Every field of the table survives an edit of another one: set it, open the editor, change the
// last name, commit, and the field is still there byte for byte; saved to a record and read back it
// is there again (where the record carries it). This guards the commit, which starts from a copy
// emptied of every edited field: a field no block writes back would be lost on every edit.
TEST_F(MapperTest, EveryFieldOfTheTableSurvivesAnEditOfAnother) {
    for (const FieldInfo& info : ContactFieldTable()) {
        SCOPED_TRACE(info.id);
        Contact original = ContactOf({{kFieldFirst, u"Anna"}, {kFieldFileAs, u"Anna"}});
        SetSample(original, info);
        Contact cleared = original;
        ClearField(cleared, info.id);
        ASSERT_FALSE(SameField(cleared, original, info.id)) << "the sample is the empty value";

        Array<BlockDescriptor> blocks = Load(original);
        const int changed = info.id == kFieldLast ? kNameMiddle : kNameLast;
        Find(blocks, kGroupName)->nameValues[changed] = u"Changed";
        Contact edited = original;
        ASSERT_TRUE(CommitEdit(edited, blocks, mapper, {}, tpl));
        EXPECT_TRUE(SameField(edited, original, info.id));

        // The record carries every field but the identity the store gives (object identifier,
        // record number), the platform flag a new record does not get, and the categories, which
        // live in the category databases.
        if (info.kind == FieldKind::Oid || info.kind == FieldKind::RecordId ||
            info.kind == FieldKind::Categories || info.id == kFieldFlag102) {
            continue;
        }
        CCeDBDatabase unopened;
        CCeDBRecord record;
        edited.SaveToRecord(unopened, record, true);
        Contact back;
        back.LoadFromRecord(record);
        EXPECT_TRUE(SameField(back, original, info.id));
    }
}

}  // namespace
