#include "phone/ring/ScriptManager.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "support/TempDevice.h"

namespace {

constexpr std::u16string_view kSettings = u"Settings";

void StoreInt(std::u16string_view name, int value) {
    ASSERT_TRUE(SettingsStore::WriteDword(kSettings, name, static_cast<uint32_t>(value)));
}

int StoredInt(std::u16string_view name) {
    return static_cast<int32_t>(SettingsStore::ReadDword(kSettings, name, 12345));
}

std::vector<std::tuple<uint32_t, std::u16string, bool>> Items(const MenuDescription& menu) {
    std::vector<std::tuple<uint32_t, std::u16string, bool>> items;
    for (const MenuItem& item : menu) items.emplace_back(item.id, item.text.View(), item.IsChecked());
    return items;
}

}  // namespace

TEST(ScriptManager, LoadRenumbersOldTypesAndFixesValuesOutOfRange) {
    TempDevice device;
    struct Case {
        int script, version, volume, delay;  // stored; 99 stands for "not stored"
        int type, expectedVolume, expectedDelay;
    };
    const Case cases[] = {
        {99, 99, 99, 99, -1, -1, 3},  // nothing stored: the defaults
        {0, 0, 5, 0, 7, 5, 0},        // old "0" is "Silent"
        {1, 0, 0, 10, 0, 0, 10},
        {3, 0, -1, 11, 1, -1, 3},     // a delay of 11 is 3
        {6, 0, 6, -1, 4, -1, 3},
        {7, 0, -7, 3, 6, -1, 3},
        {-1, 0, 2, 3, -1, 2, 3},
        {0, 1, 2, 3, 0, 2, 3},        // new numbering is taken as it is
        {8, 1, 2, 3, -1, 2, 3},
        {-5, 1, 2, 3, -1, 2, 3},
    };
    for (const Case& c : cases) {
        SettingsStore::DeleteSection(kSettings);
        if (c.script != 99) StoreInt(u"CID_Script", c.script);
        if (c.version != 99) StoreInt(u"CID_ScriptVer", c.version);
        if (c.volume != 99) StoreInt(u"CID_Vol", c.volume);
        if (c.delay != 99) StoreInt(u"CID_Delay", c.delay);
        ScriptManager script;
        script.Load();
        EXPECT_EQ(script.RingType(), c.type) << c.script << "/" << c.version;
        EXPECT_EQ(script.RingVolume(), c.expectedVolume) << c.volume;
        EXPECT_EQ(script.RingDelay(), c.expectedDelay) << c.delay;
    }
    // A value of another type counts as missing.
    SettingsStore::DeleteSection(kSettings);
    ASSERT_TRUE(SettingsStore::WriteString(kSettings, u"CID_Delay", u"5"));
    ScriptManager script;
    script.Load();
    EXPECT_EQ(script.RingDelay(), 3);
}

TEST(ScriptManager, RingTypeMenuAndUseSystem) {
    TempDevice device;
    ScriptManager script;
    script.Load();
    ASSERT_TRUE(script.SetRingType(4));
    EXPECT_EQ(StoredInt(u"CID_Script"), 4);
    EXPECT_EQ(StoredInt(u"CID_ScriptVer"), 1);
    const auto items = Items(script.RingTypeMenu(kCmdRingTypeFirst));
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], std::make_tuple(25000u, std::u16string(u"Ring"), false));
    EXPECT_EQ(items[4], std::make_tuple(25004u, std::u16string(u"Vibrate And Ring"), true));
    EXPECT_EQ(items[7], std::make_tuple(25007u, std::u16string(u"Silent"), false));
    EXPECT_EQ(items[9], std::make_tuple(25008u, std::u16string(u"Use System"), false));

    // "Use System" is the item after the types.
    ASSERT_TRUE(script.SetRingType(8));
    EXPECT_EQ(StoredInt(u"CID_Script"), -1);
    const MenuDescription menu = script.RingTypeMenu(kCmdRingTypeFirst);
    EXPECT_TRUE(menu[8].separator);
    EXPECT_TRUE(menu.Find(25008)->IsChecked());
    for (uint32_t command = 25000; command < 25008; ++command) EXPECT_FALSE(menu.Find(command)->IsChecked());

    // Choosing the current type writes nothing.
    ASSERT_TRUE(SettingsStore::DeleteValue(kSettings, u"CID_Script"));
    ASSERT_TRUE(script.SetRingType(8));
    EXPECT_EQ(StoredInt(u"CID_Script"), 12345);
}

TEST(ScriptManager, RingVolumeMenuCountsDown) {
    TempDevice device;
    ScriptManager script;
    script.Load();
    EXPECT_EQ(Items(script.RingVolumeMenu(kCmdRingVolumeFirst)),
              (std::vector<std::tuple<uint32_t, std::u16string, bool>>{
                  {25105, u"5", false}, {25104, u"4", false}, {25103, u"3", false}, {25102, u"2", false},
                  {25101, u"1", false}, {25100, u"0", false}, {0, u"", false}, {25106, u"Use System", true}}));
    ASSERT_TRUE(script.SetRingVolume(0));
    EXPECT_EQ(StoredInt(u"CID_Vol"), 0);
    EXPECT_TRUE(script.RingVolumeMenu(kCmdRingVolumeFirst).Find(25100)->IsChecked());
    ASSERT_TRUE(script.SetRingVolume(6));
    EXPECT_EQ(StoredInt(u"CID_Vol"), -1);
}
