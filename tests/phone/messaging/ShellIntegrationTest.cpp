#include <gtest/gtest.h>

#include <map>

#include "core/settings/SettingsStore.h"
#include "phone/messaging/DefaultContactsProgram.h"
#include "phone/messaging/HardwareKeys.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

namespace {

constexpr plat::Hive kHklm = plat::Hive::LocalMachine;
constexpr std::u16string_view kContactsKey = u"Software\\Microsoft\\Shell\\Rai\\:MSCONTACTS";
constexpr std::u16string_view kProgram = u"\\Program Files\\Brevane\\Brevane.exe";
constexpr std::u16string_view kQuoted = u"\"\\Program Files\\Brevane\\Brevane.exe\"";

// A key's values as name -> text ("#" for a value that is not text).
std::map<std::u16string, std::u16string> Values(std::u16string_view key) {
    std::map<std::u16string, std::u16string> values;
    for (const auto& [name, value] : plat::DeviceRegistry().Values(kHklm, key)) values[name] = value.AsString().value_or(u"#");
    return values;
}

std::map<std::u16string, std::u16string> Button(std::u16string_view code) {
    return Values(u"SOFTWARE\\Microsoft\\Shell\\Keys\\" + std::u16string(code));
}

class ShellIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SettingsStore::WriteString(u"Settings", u"ProgramPath", kProgram)); }
    uint32_t DefaultAssign() { return SettingsStore::ReadDword(u"Settings", u"DefaultAssign", 99); }

    TempDevice device_;
};

}  // namespace

TEST_F(ShellIntegrationTest, DefaultProgramKeepsTheFirstBackupAndOffBringsThePlatformsProgramBack) {
    using Map = std::map<std::u16string, std::u16string>;
    EXPECT_FALSE(IsDefaultContactsProgram());
    ASSERT_TRUE(SetDefaultContactsProgram(true) && SetDefaultContactsProgram(true));  // the second keeps the backup
    EXPECT_TRUE(IsDefaultContactsProgram());
    EXPECT_EQ(Values(kContactsKey),
              (Map{{u"0", u"Contacts"}, {u"1", std::u16string(kQuoted)}, {u"1temp", u":MSPOUTLOOK contacts"}}));
    EXPECT_EQ(DefaultAssign(), 1u);

    struct Case {
        std::optional<plat::RegValue> backup;  // nothing: the first backup, as made above
        const char16_t* restored;
    };
    const Case cases[] = {
        {std::nullopt, u":MSPOUTLOOK contacts"},
        {plat::RegValue::String(u"\\Windows\\other.exe"), u"\\Windows\\other.exe"},
        {plat::RegValue::String(kQuoted), u":MSPOUTLOOK contacts"},  // backup overwritten by us
        {plat::RegValue::Dword(5), u":MSPOUTLOOK contacts"},
    };
    for (const Case& c : cases) {
        if (c.backup) {
            EXPECT_TRUE(
                plat::DeviceRegistry().SetValue(kHklm, kContactsKey, u"1", plat::RegValue::String(kQuoted)));
            EXPECT_TRUE(plat::DeviceRegistry().SetValue(kHklm, kContactsKey, u"1temp", *c.backup));
        }
        ASSERT_TRUE(SetDefaultContactsProgram(false));
        EXPECT_FALSE(IsDefaultContactsProgram());
        EXPECT_EQ(Values(kContactsKey), (Map{{u"0", u"Contacts"}, {u"1", c.restored}}));
    }
}

TEST_F(ShellIntegrationTest, HardwareKeyTakenOverOnceAndGivenBackAndNothingWithoutAPath) {
    EXPECT_EQ(FindHardwareKey(u"\\speed dial.LNK"), u"40c3");
    const auto platform = Button(u"40c2");
    const auto speedDial = Button(u"40c3");

    ASSERT_TRUE(AssignHardwareKey(true));
    const auto taken = Button(u"40c2");
    EXPECT_EQ(taken, (std::map<std::u16string, std::u16string>{
                         {u"", std::u16string(kQuoted)},
                         {u"ResetCmd", std::u16string(kQuoted)},
                         {u"Icon", std::u16string(kProgram) + u", 0"},
                         {u"Name", u"Contacts"},
                         {u"PrevResetCmd", platform.at(u"ResetCmd")},
                         {u"PrevDef", platform.at(u"")},
                         {u"PrevIcon", platform.at(u"Icon")},
                         {u"PrevName", u"Contacts"},
                     }));
    // Already taken over: nothing changes, not even the speed-dial button.
    ASSERT_TRUE(AssignHardwareKey(true));
    EXPECT_EQ(Button(u"40c2"), taken);
    EXPECT_EQ(Button(u"40c3"), speedDial);

    ASSERT_TRUE(AssignHardwareKey(false));
    EXPECT_EQ(Button(u"40c2"), platform);
    EXPECT_EQ(FindHardwareKey(u"Brevane.exe"), std::nullopt);

    // A contacts button whose command is no text is not ours to take: the speed-dial button is used.
    const std::u16string key = u"SOFTWARE\\Microsoft\\Shell\\Keys\\40c2";
    ASSERT_TRUE(plat::DeviceRegistry().SetValue(kHklm, key, u"", plat::RegValue::String(u"\\Windows\\notes.exe")));
    ASSERT_TRUE(plat::DeviceRegistry().SetValue(kHklm, key, u"ResetCmd", plat::RegValue::Dword(1)));
    ASSERT_TRUE(AssignHardwareKey(true));
    EXPECT_EQ(std::pair(Button(u"40c3").at(u"ResetCmd"), Button(u"40c3").at(u"PrevDef")),
              std::pair(std::u16string(kQuoted), speedDial.at(u"")));
    ASSERT_TRUE(AssignHardwareKey(false));
    EXPECT_EQ(Button(u"40c3"), speedDial);

    // Without a stored program path nothing is taken over.
    ASSERT_TRUE(SettingsStore::DeleteValue(u"Settings", u"ProgramPath"));
    const auto contacts = Values(kContactsKey);
    EXPECT_FALSE(SetDefaultContactsProgram(true));
    EXPECT_FALSE(AssignHardwareKey(true));
    EXPECT_EQ(Values(kContactsKey), contacts);
    EXPECT_EQ(Button(u"40c3"), speedDial);
    EXPECT_EQ(DefaultAssign(), 99u);
}
