// The template editor's form: a template shown as blocks and read back gives the template the
// file would give; edits made in the blocks (labels, custom labels, messenger types, formats,
// removed blocks) reach the template; labels the file cannot hold are kept out.
#include <gtest/gtest.h>

#include <functional>

#include "edit/mapper/ContactEditInPropMapper.h"
#include "edit/mapper/EditCommit.h"
#include "edit/mapper/TemplateForm.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"
#include "support/TemplateOrder.h"

namespace {

using Names = std::vector<std::u16string>;

BlockDescriptor* Find(Array<BlockDescriptor>& blocks, int group) {
    for (BlockDescriptor& b : blocks) {
        if (b.group == group) return &b;
    }
    return nullptr;
}

class TemplateFormTest : public ::testing::Test {
protected:
    TempDevice device;  // en_US: the default address format is United States, 57
};

TEST_F(TemplateFormTest, ShownAndReadBackATemplateIsWhatItsFileGives) {
    const std::vector<std::pair<const char*, std::function<void(ContactTemplate&)>>> cases = {
        {"defaults", [](ContactTemplate&) {}},
        {"custom entries, repeats, types and formats",
         [](ContactTemplate& t) {
             t.AddEntry(kGroupPhone, u"Boat");
             t.AddEntry(kGroupPhone, u"Work");  // the label of Work phone, listed twice
             t.AddMessagingEntry(u"IM 2", u"ICQ");
             t.AddMessagingEntry(u"IM 3", u"Signal");
             t.AddAddressEntry(u"Home", 16);
             t.SetGroupShown(kGroupOther, true);
             t.AddEntry(kGroupOther, u"Shoe size");
             t.SetNameColl(true);
         }},
        {"office, categories and dates off",
         [](ContactTemplate& t) {
             t.SetGroupShown(kGroupOffice, false);
             t.SetGroupShown(kGroupCategories, false);
             t.SetGroupShown(kGroupDates, false);
             t.SetFieldShown(kNameSuffix, true);
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        ContactTemplate t;
        t.ResetToDefaults();
        change(t);
        ContactTemplate fromFile;
        fromFile.ReadFrom(t.ToBytes());
        ContactTemplate fromForm;
        fromForm.CopyFrom(t);
        ReadTemplateBlocks(TemplateBlocks(t), fromForm);
        EXPECT_EQ(fromForm.ToBytes(), fromFile.ToBytes());
    }
}

TEST_F(TemplateFormTest, BlocksListTheShownGroupsEntriesWithTypesAndFormats) {
    ContactTemplate t;
    t.ResetToDefaults();
    t.AddMessagingEntry(u"IM 2", u"MSN");
    t.SetGroupShown(kGroupLinks, false);
    Array<BlockDescriptor> blocks = TemplateBlocks(t);
    std::vector<int> groups;
    for (const BlockDescriptor& b : blocks) groups.push_back(b.group);
    EXPECT_EQ(groups, (std::vector<int>{kGroupName, kGroupPhone, kGroupEmail, kGroupMessaging, kGroupOffice,
                                        kGroupAddress, kGroupCategories, kGroupDates}))
        << "one block per shown group, no note";
    const BlockDescriptor& phones = *Find(blocks, kGroupPhone);
    Names labels;
    for (const BlockRow& row : phones.rows) labels.emplace_back(phones.labels[row.label].View());
    EXPECT_EQ(labels, (Names{u"Work", u"Home", u"Mobile"}));
    const BlockDescriptor& messaging = *Find(blocks, kGroupMessaging);
    ASSERT_EQ(messaging.rows.GetSize(), 2);
    EXPECT_EQ(messaging.rows[0].msgType, Str(u"AOL"));
    EXPECT_EQ(messaging.rows[1].msgType, Str(u"MSN"));
    EXPECT_EQ(Find(blocks, kGroupAddress)->rows[0].format, 57);
    EXPECT_TRUE(Find(blocks, kGroupName)->hidden[kNameSuffix]);
}

TEST_F(TemplateFormTest, EditsInTheBlocksReachTheTemplate) {
    ContactTemplate t;
    t.ResetToDefaults();
    Array<BlockDescriptor> blocks = TemplateBlocks(t);
    BlockDescriptor& phones = *Find(blocks, kGroupPhone);
    phones.rows[0].label = phones.LabelIndex(u"Pager");
    phones.rows[1].label = phones.LabelIndex(u"Boat");
    phones.rows[2].label = phones.LabelIndex(u"[Phone]");  // would start a section in the file
    BlockDescriptor& messaging = *Find(blocks, kGroupMessaging);
    messaging.rows[0].msgType = u"Signal";
    Find(blocks, kGroupAddress)->rows[0].format = 3;
    Find(blocks, kGroupName)->nameColl = true;
    for (int group : {kGroupOffice, kGroupEmail}) blocks.RemoveAt(static_cast<int>(Find(blocks, group) - blocks.begin()));
    ReadTemplateBlocks(blocks, t);

    EXPECT_EQ(OrderNames(t, kGroupPhone), (Names{u"Pager", u"Boat"}));
    EXPECT_EQ(t.Group(kGroupPhone)->builtinCount + 1, t.Group(kGroupPhone)->names.GetSize()) << "Boat is custom";
    EXPECT_EQ(t.Group(kGroupMessaging)->msgTypeNames[t.MsgTypeOf(0)], Str(u"Signal"));
    EXPECT_EQ(t.AddrFormatOf(0), 3);
    EXPECT_TRUE(t.NameColl());
    EXPECT_FALSE(t.IsGroupShown(kGroupOffice));
    EXPECT_FALSE(t.IsGroupShown(kGroupEmail));
    EXPECT_TRUE(t.IsGroupShown(kGroupCategories));
    ContactTemplate reread;
    reread.ReadFrom(t.ToBytes());
    EXPECT_EQ(OrderNames(reread, kGroupPhone), (Names{u"Pager", u"Boat"}));
    EXPECT_EQ(reread.Group(kGroupMessaging)->msgTypeNames[reread.MsgTypeOf(0)], Str(u"Signal"));
}

TEST_F(TemplateFormTest, OnlyNamesTheFileCanHoldAreTemplateNames) {
    const std::vector<std::pair<std::u16string, bool>> cases = {
        {u"Boat", true}, {u"", false}, {u"[Phone]", false}, {u"[", false}, {u" [x", true}, {u"a[b]", true}};
    for (const auto& [label, ok] : cases) EXPECT_EQ(CanBeTemplateName(Str(label)), ok) << Str(label).ToUtf8();
}

TEST_F(TemplateFormTest, TheFormReadForARebuildLeavesFileAsToOk) {
    ContactTemplate t;
    t.ResetToDefaults();
    Contact c;
    c.SetText(kFieldFirst, u"Anna");
    ContactEditInPropMapper mapper;
    mapper.Load(c, t);
    const Contact read = ReadEditedForm(c, mapper.Descriptors(), mapper, {}, t);
    EXPECT_EQ(read.GetText(kFieldFirst), Str(u"Anna"));
    EXPECT_TRUE(read.GetText(kFieldFileAs).IsEmpty()) << "a File As made now would outlive a later change of name";
    EXPECT_EQ(BuildEditedContact(c, mapper.Descriptors(), mapper, {}, t).GetText(kFieldFileAs), Str(u"Anna"));
}

}  // namespace
