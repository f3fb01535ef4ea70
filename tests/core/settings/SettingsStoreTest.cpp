#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "core/settings/FontSettings.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

namespace {

using Bytes = std::vector<uint8_t>;
using plat::Hive;

constexpr std::u16string_view kSection = u"Test\\Sub";
constexpr std::u16string_view kKey = u"Software\\Velmora\\PIM\\Test\\Sub";

std::optional<plat::RegValue> Raw(std::u16string_view key, std::u16string_view name) {
    return plat::DeviceRegistry().GetValue(Hive::CurrentUser, key, name);
}

std::vector<std::u16string> ValueNames(std::u16string_view key) {
    std::vector<std::u16string> names;
    for (const auto& [name, value] : plat::DeviceRegistry().Values(Hive::CurrentUser, key))
        names.push_back(name);
    return names;
}

class Settings : public testing::Test {
protected:
    TempDevice device;
};

TEST_F(Settings, ValuesRoundTripWithTheirExactBytes) {
    EXPECT_TRUE(SettingsStore::WriteDword(kSection, u"Number", 0xFFFFFFFE));
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"Text", u"Ab"));
    const Bytes block{1, 2, 0, 255};
    EXPECT_TRUE(SettingsStore::WriteBinary(kSection, u"Block", block));

    EXPECT_EQ(std::pair(Raw(kKey, u"Number")->type, Raw(kKey, u"Number")->data), std::pair(plat::REG_DWORD, Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::pair(Raw(kKey, u"Text")->type, Raw(kKey, u"Text")->data), std::pair(plat::REG_SZ, Bytes{'A', 0, 'b', 0, 0, 0}));
    EXPECT_EQ(Raw(kKey, u"Block")->data, block);

    EXPECT_EQ(SettingsStore::ReadDword(kSection, u"number", 0), 0xFFFFFFFEu);  // names ignore case
    EXPECT_EQ(SettingsStore::ReadString(kSection, u"Text", u"def"), u"Ab");
    EXPECT_EQ(SettingsStore::ReadBinary(kSection, u"Block"), block);
    EXPECT_TRUE(SettingsStore::DeleteValue(kSection, u"Number"));
    EXPECT_EQ(SettingsStore::ReadDword(kSection, u"Number", 5), 5u);
}

TEST_F(Settings, ValueOfAnotherTypeReadsAsTheDefault) {
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"WasText", u"7"));
    EXPECT_TRUE(SettingsStore::WriteDword(kSection, u"WasNumber", 7));
    EXPECT_TRUE(plat::DeviceRegistry().SetValue(Hive::CurrentUser, kKey, u"Short",
                                                plat::RegValue{plat::REG_DWORD, {1, 2}}));
    EXPECT_EQ(SettingsStore::ReadDword(kSection, u"WasText", 3), 3u);
    EXPECT_EQ(SettingsStore::ReadDword(kSection, u"Short", 3), 3u);
    EXPECT_EQ(SettingsStore::ReadString(kSection, u"WasNumber", u"def"), u"def");
    EXPECT_TRUE(SettingsStore::ReadBinary(kSection, u"WasText").empty());
    EXPECT_EQ(SettingsStore::ReadDword(u"No Such Section", u"X", 9), 9u);
    EXPECT_FALSE(
        plat::DeviceRegistry().KeyExists(Hive::CurrentUser, u"Software\\Velmora\\PIM\\No Such Section"));
    // KeyPressFeedback is created with its default the first time it is read this way.
    EXPECT_EQ(SettingsStore::ReadDwordOrCreate(settings::kSettings, settings::kKeyPressFeedback, 0), 0u);
    EXPECT_EQ(Raw(u"Software\\Velmora\\PIM\\Settings", settings::kKeyPressFeedback)->AsDword(), 0u);
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"Typed", u"4"));
    EXPECT_EQ(SettingsStore::ReadDwordOrCreate(kSection, u"Typed", 2), 2u);  // the wrong type is replaced
    EXPECT_EQ(Raw(kKey, u"Typed")->AsDword(), 2u);
}

TEST_F(Settings, MissingSectionOrNameTouchesNothing) {
    EXPECT_FALSE(SettingsStore::WriteDword(u"", u"X", 1));
    EXPECT_FALSE(SettingsStore::WriteString(kSection, u"", u"x"));
    EXPECT_FALSE(SettingsStore::WriteDwordList(u"", {}));
    EXPECT_FALSE(SettingsStore::DeleteSection(u""));
    EXPECT_EQ(SettingsStore::ReadDwordOrCreate(kSection, u"", 4), 4u);
    EXPECT_FALSE(plat::DeviceRegistry().KeyExists(Hive::CurrentUser, kKey));
    EXPECT_TRUE(plat::DeviceRegistry().Values(Hive::CurrentUser, u"Software\\Velmora\\PIM").empty());
}

TEST_F(Settings, DamagedRegistryGivesDefaultsAndFailedWrites) {
    // A device whose registry file is not a registry: nothing is read or written, nothing throws.
    TempDevice fresh;  // a new device generation, so the registry is opened again
    std::ofstream(fresh.Host(u"\\Windows\\registry.db"), std::ios::binary | std::ios::trunc) << "garbage";
    EXPECT_EQ(SettingsStore::ReadDword(settings::kSettings, settings::kSortType, 0), 0u);
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kCIDSkin, settings::kDefaultCidSkin),
              u"standard.cid");
    EXPECT_FALSE(SettingsStore::WriteDword(settings::kSettings, settings::kSortType, 1));
    EXPECT_TRUE(SettingsStore::ReadStringList(settings::kTemplates).empty());
}

TEST_F(Settings, ReadStringIntoNeverOverrunsTheBuffer) {
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"Long", u"0123456789"));
    struct Case { std::u16string_view name, def; int capacity; std::u16string_view want; } cases[] = {
        {u"Long", u"d", 11, u"0123456789"},
        {u"Long", u"d", 10, u"d"},
        {u"Missing", u"default", 20, u"default"},
        {u"Long", u"too long a default", 5, u"too "},
        {u"Long", u"x", 1, u""},
    };
    for (const Case& c : cases) {
        char16_t buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        SettingsStore::ReadStringInto(kSection, c.name, buffer, c.capacity, c.def);
        EXPECT_EQ(std::u16string_view(buffer), c.want);
        EXPECT_EQ(buffer[c.capacity], u'#');  // nothing written past the capacity
    }
}

TEST_F(Settings, ListsAreRewrittenWhole) {
    const uint32_t ids[] = {7, 0xFFFFFFFF, 3};
    EXPECT_TRUE(SettingsStore::WriteDwordList(kSection, ids));
    EXPECT_EQ(SettingsStore::ReadDwordList(kSection), (std::vector<uint32_t>{7, 0xFFFFFFFF, 3}));
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::u16string>{u"Count", u"0", u"1", u"2"}));

    EXPECT_TRUE(SettingsStore::WriteDword(kSection, u"Stale", 1));
    EXPECT_TRUE(SettingsStore::WriteDwordList(kSection, {}));
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::u16string>{u"Count"}));
    EXPECT_EQ(SettingsStore::ReadDword(kSection, u"Count", 99), 0u);

    const Str names[] = {Str(u"##-##"), Str(u""), Str(u"+# (###)")};
    EXPECT_TRUE(SettingsStore::WriteStringList(kSection, names));
    EXPECT_EQ(SettingsStore::ReadStringList(kSection), (std::vector<Str>{names[0], names[1], names[2]}));
}

TEST_F(Settings, DamagedListsReadWhatIsThere) {
    EXPECT_TRUE(
        SettingsStore::WriteDword(kSection, u"Count", 0xFFFFFFFF));  // far more than the section holds
    EXPECT_TRUE(SettingsStore::WriteDword(kSection, u"0", 10));
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"1", u"not a number"));
    EXPECT_TRUE(SettingsStore::WriteDword(kSection, u"3", 30));  // "2" is missing
    EXPECT_EQ(SettingsStore::ReadDwordList(kSection), (std::vector<uint32_t>{10, 30}));
    EXPECT_TRUE(SettingsStore::WriteString(kSection, u"Count", u"3"));
    EXPECT_TRUE(SettingsStore::ReadDwordList(kSection).empty());
}

TEST_F(Settings, TheDataFolderIsMadeWhereTheSettingPoints) {
    using namespace settings;
    EXPECT_EQ(DataFolder(), u"\\My Documents\\Brevane Files");
    EXPECT_TRUE(std::filesystem::is_directory(device.Host(u"\\My Documents\\Brevane Files")));
    EXPECT_TRUE(SettingsStore::WriteString(kSettings, kFolderPath, u"\\Storage Card\\Contacts\\"));
    EXPECT_EQ(DataFolder(), u"\\Storage Card\\Contacts");
    EXPECT_TRUE(std::filesystem::is_directory(device.Host(u"\\Storage Card\\Contacts")));
}

TEST_F(Settings, Fonts) {
    struct Case { int dpi; int32_t height; } heights[] = {{96, -11}, {192, -21}};  // rounded to the nearest
    for (const Case& c : heights) EXPECT_EQ(ReadFont(settings::kListFont, c.dpi).height, c.height) << c.dpi;

    const FontStyle font{Str(u"Courier"), -13, FontStyle::kBold | FontStyle::kStrikeOut};
    EXPECT_TRUE(WriteFont(settings::kViewFont, font));
    EXPECT_EQ(Raw(u"Software\\Velmora\\PIM\\ViewFont", u"Height")->data, (Bytes{0xF3, 0xFF, 0xFF, 0xFF}));
    const FontStyle read = ReadFont(settings::kViewFont, 192);
    EXPECT_EQ(std::tie(read.face, read.height, read.flags), std::tie(font.face, font.height, font.flags));
}

}  // namespace
