#include <gtest/gtest.h>

#include <tuple>

#include "support/HostFiles.h"
#include "support/TemplateOrder.h"
#include "support/TempDevice.h"
#include "view/template/ContactTemplate.h"
#include "view/template/FieldsMenu.h"

namespace {

class ContactTemplateTest : public ::testing::Test {
protected:
    ContactTemplate Read(std::u16string_view text) {
        ContactTemplate t;
        t.ReadFrom(Utf16Bytes(text));
        return t;
    }
    TempDevice device;  // en_US: the default address format is United States, 57
};

constexpr std::u16string_view kDefaultFile =
    u"[NameColl]\r\nfalse\r\n[Field1]\r\ntrue\r\n[Field5]\r\nfalse\r\n[Field6]\r\ntrue\r\n"
    u"[Field8]\r\ntrue\r\n[Field9]\r\nfalse\r\n[Phone]\r\nWork phone\r\nHome phone\r\nMobile\r\n"
    u"[EMail]\r\nE-mail\r\n[Msg]\r\nIM\r\n[MsgType]\r\nAOL\r\n[Office]\r\ntrue\r\n"
    u"[Addr]\r\nWork address\r\n[AddrFormat]\r\n57\r\n[Category]\r\ntrue\r\n"
    u"[Date]\r\nBirthday\r\n[Link]\r\nRingtone\r\n";

TEST_F(ContactTemplateTest, DefaultTemplateIsWrittenByteForByte) {
    ContactTemplate t;
    t.ResetToDefaults();
    EXPECT_EQ(t.ToBytes(), Utf16Bytes(kDefaultFile));
    // Read back, the groups the file leaves out are switched on with nothing listed, so they are
    // not shown but write their bare headers.
    ContactTemplate back = Read(kDefaultFile);
    std::u16string expected(kDefaultFile);
    expected.insert(expected.find(u"[Office]"), u"[Web]\r\n");
    expected.insert(expected.find(u"[Date]"), u"[People]\r\n");
    expected += u"[Other]\r\n";
    EXPECT_EQ(back.ToBytes(), Utf16Bytes(expected));
    EXPECT_FALSE(back.IsGroupShown(kGroupWeb));
}

TEST_F(ContactTemplateTest, ListsReadShortNamesCustomNamesAndRepeatsAndEveryMessengerEntryGetsAType) {
    const ContactTemplate t = Read(
        u"[Phone]\r\nWork\r\nHome\r\nWork\r\nAssistant\r\nDacha\r\nMobile\r\nMobile\r\n"
        u"[Addr]\r\nOther\r\nHome\r\nWork\r\n[AddrFormat]\r\n16\r\n[Msg]\r\nIM\r\nIM 2\r\n[MsgType]\r\nICQ\r\n");
    EXPECT_EQ(OrderNames(t, kGroupPhone), (std::vector<std::u16string>{u"Work phone", u"Home phone", u"Work",
                                                                       u"Assistant phone", u"Dacha", u"Mobile",
                                                                       u"Mobile"}));
    EXPECT_EQ(OrderNames(t, kGroupAddress),
              (std::vector<std::u16string>{u"Other address", u"Home address", u"Work address"}));
    EXPECT_EQ(std::pair(t.AddrFormatOf(0), t.AddrFormatOf(1)), std::pair(16, 57));  // none given: the default format
    // Two entries but one type: the second is written with the first built-in type.
    EXPECT_EQ(t.MsgTypeOf(1), 0);
    const std::vector<uint8_t> bytes = t.ToBytes(), msg = Utf16Bytes(u"[Msg]\r\nIM\r\nIM 2\r\n[MsgType]\r\nICQ\r\nAOL\r\n");
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), msg.begin(), msg.end()), bytes.end());
}

TEST_F(ContactTemplateTest, BooleansFieldsAndFormatsReadForgivingly) {
    const ContactTemplate t = Read(
        u"\n\r\n[NameColl]\rTRUE\n\n[Field0]\r\nfalse\r\n[Field4]\r\nfalse\r\n[Field5]\r\n"
        u"[Field1]\r\nmaybe\r\n[Field6]xyz\r\nFalse\r\n[Office]\r\nfalse\r\n[Category]\r\n"
        u"[AddrFormat]\r\n  -3\r\nabc\r\n12abc\r\n99999999999\r\n[MsgType]\r\nICQ\r\nJabber\r\n");
    for (int always : {0, 2, 3, 4, 7}) EXPECT_TRUE(t.IsFieldShown(always)) << always;
    // Field1's unreadable value and Field5's missing one leave them unchanged; a longer header
    // line still matches.
    EXPECT_EQ(std::tuple(t.NameColl(), t.IsFieldShown(1), t.IsFieldShown(5), t.IsFieldShown(6), t.IsGroupShown(kGroupOffice)),
              std::tuple(true, true, false, false, false));
    const Array<int>& formats = t.Group(kGroupAddress)->addrFormats;
    EXPECT_EQ(std::vector<int>(formats.begin(), formats.end()), (std::vector<int>{-3, 0, 12, INT32_MAX}));
    const TemplateGroup* msg = t.Group(kGroupMessaging);
    EXPECT_EQ(std::tuple(msg->msgTypeNames.GetSize(), msg->msgTypes[0], msg->msgTypes[1]), std::tuple(4, 1, 3));
}

TEST_F(ContactTemplateTest, DamagedBytesNeverBreakTheReader) {
    const std::vector<std::vector<uint8_t>> inputs = {
        {}, {0x5B, 0x00, 0x50}, Utf16Bytes(u"[Phone"), Utf16Bytes(u"[Phone]\r\n\xD800\r\n"), std::vector<uint8_t>(4096, 0xFF),
    };
    for (const auto& bytes : inputs) {
        ContactTemplate t;
        t.ReadFrom(bytes);
        EXPECT_FALSE(t.ToBytes().empty());
    }
    // A section longer than any real one is read only up to the limit.
    std::u16string many = u"[Other]\r\n";
    for (int i = 0; i < 3000; ++i) {
        many.append(u"n").append(1, static_cast<char16_t>(u'a' + i % 26)).append(u"\r\n");
    }
    EXPECT_EQ(Read(many).Group(kGroupOther)->order.GetSize(), 1024);
}

TEST_F(ContactTemplateTest, SeedingAndSwitching) {
    ContactTemplate t = Read(u"[Other]\r\nPet\r\n");
    t.Group(kGroupOther)->order.RemoveAll();
    t.SetGroupShown(kGroupOther, true);
    EXPECT_EQ(OrderNames(t, kGroupOther),
              (std::vector<std::u16string>{u"Nickname", u"Account", u"Cust.ID", u"Govt.ID", u"Pet"}));
    t.SetGroupShown(kGroupPeople, true);
    EXPECT_EQ(OrderNames(t, kGroupPeople), (std::vector<std::u16string>{u"Spouse"}));
    t.SetGroupShown(kGroupPeople, false);
    t.SetGroupShown(kGroupPeople, true);
    EXPECT_EQ(t.Group(kGroupPeople)->order.GetSize(), 1);  // not seeded again
    for (int id : {-1, 0, 12, 99}) t.SetGroupShown(id, false);
    EXPECT_EQ(std::tuple(t.IsGroupShown(0), t.IsGroupShown(12), t.Group(12)), std::tuple(true, false, nullptr));
}

TEST_F(ContactTemplateTest, CopyFromAndClear) {
    const ContactTemplate source = Read(u"[NameColl]\r\ntrue\r\n[Field9]\r\ntrue\r\n[Phone]\r\nWork\r\nBoat\r\n[Msg]\r\nIM\r\nSkype\r\n"
                                        u"[MsgType]\r\nJabber\r\nAOL\r\n[Web]\r\n[Office]\r\nfalse\r\n[Addr]\r\nHome\r\n[AddrFormat]\r\n16\r\n");
    ContactTemplate copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.ToBytes(), source.ToBytes());

    copy.Clear();
    EXPECT_TRUE(copy.NameColl());   // kept
    for (int id = 1; id < kTemplateGroupCount; ++id) {
        const TemplateGroup& g = *copy.Group(id);
        EXPECT_EQ(std::tuple(g.order.IsEmpty(), g.shown, g.names.GetSize()), std::tuple(true, true, g.builtinCount)) << id;
    }
    EXPECT_EQ(copy.Group(kGroupMessaging)->msgTypeNames.GetSize(), 3);
}

TEST_F(ContactTemplateTest, FileOnTheDevice) {
    const Str path = u"\\My Documents\\Contact template.tpl";
    ContactTemplate t;
    EXPECT_FALSE(t.Load(path));  // missing
    t.ResetToDefaults();
    t.AddEntry(kGroupPhone, u"Line\r\nbreak");
    ASSERT_TRUE(t.Save(path));
    ContactTemplate back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(OrderNames(back, kGroupPhone).back(), u"Line  break");

    // An empty file is deleted; a huge one is refused and kept.
    const auto host = device.Host(path.View());
    { std::ofstream(host, std::ios::trunc); }
    EXPECT_FALSE(back.Load(path));
    EXPECT_FALSE(std::filesystem::exists(host));
    std::ofstream(host, std::ios::binary) << std::string(70 * 1024, 'x');
    EXPECT_FALSE(back.Load(path));
    EXPECT_TRUE(std::filesystem::exists(host));
    EXPECT_FALSE(t.Save(u"\\No such folder\\x.tpl"));
}

TEST_F(ContactTemplateTest, FieldsMenuChecksAndFlipsTheTemplate) {
    ContactTemplate t = Read(u"[Phone]\r\n[Field1]\r\nfalse\r\n[Office]\r\ntrue\r\n");
    const struct { uint32_t command; bool checkedBefore; bool checkedAfter; } cases[] = {
        {113, false, true},    // Title: shown after the flip
        {41167, false, true},  // Phone: switched on with an empty order, so unchecked; seeded on
        {41171, true, false},  // Office: its flag alone
        {41267, false, true},  // Other: seeded with all its entries
    };
    for (const auto& c : cases) {
        const FieldsMenuItem* item = FieldsMenuItemOf(c.command);
        ASSERT_NE(item, nullptr) << c.command;
        EXPECT_EQ(IsCheckedInTemplate(*item, t), c.checkedBefore) << c.command;
        ToggleInTemplate(*item, t);
        EXPECT_EQ(IsCheckedInTemplate(*item, t), c.checkedAfter) << c.command;
    }
    EXPECT_EQ(FieldsMenuItemOf(1), nullptr);
}

}  // namespace
