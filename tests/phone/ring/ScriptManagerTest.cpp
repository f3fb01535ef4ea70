#include "phone/ring/ScriptManager.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "support/TempDevice.h"

namespace {

constexpr std::u16string_view kSettings = u"Settings";
constexpr int kNone = 99;  // not stored

void Store(std::u16string_view name, int value) {
    if (value != kNone) {
        ASSERT_TRUE(SettingsStore::WriteDword(kSettings, name, static_cast<uint32_t>(value)));
    }
}

int Stored(std::u16string_view name) { return static_cast<int32_t>(SettingsStore::ReadDword(kSettings, name, kNone)); }

}  // namespace

TEST(ScriptManager, LoadRenumbersOldTypesAndFixesValuesOutOfRange) {
    TempDevice device;
    struct Case {
        int script, version, volume, delay;  // as stored
        int type, expectedVolume, expectedDelay;
    };
    const Case cases[] = {
        {kNone, kNone, kNone, kNone, -1, -1, 3},
        {0, 0, 5, 0, 7, 5, 0},  // the old "0" is "Silent"
        {3, 0, -1, 11, 1, -1, 3},
        {0, 1, 0, 10, 0, 0, 10},  // the new numbering is taken as it is
        {8, 1, -7, 3, -1, -1, 3},
    };
    for (const Case& c : cases) {
        (void)SettingsStore::DeleteSection(kSettings);  // there may be none yet
        Store(u"CID_Script", c.script), Store(u"CID_ScriptVer", c.version);
        Store(u"CID_Vol", c.volume), Store(u"CID_Delay", c.delay);
        ScriptManager script;
        script.Load();
        EXPECT_EQ(std::tuple(script.RingType(), script.RingVolume(), script.RingDelay()),
                  std::tuple(c.type, c.expectedVolume, c.expectedDelay))
            << c.script << "/" << c.version << " " << c.volume << " " << c.delay;
    }
}

TEST(ScriptManager, MenusCheckTheChoiceAndUseSystemIsStoredAsMinusOne) {
    TempDevice device;
    ScriptManager script;
    script.Load();
    ASSERT_TRUE(script.SetRingType(4));
    EXPECT_EQ(std::pair(Stored(u"CID_Script"), Stored(u"CID_ScriptVer")), std::pair(4, 1));
    ASSERT_TRUE(script.SetRingType(8));
    EXPECT_EQ(Stored(u"CID_Script"), -1);
    const MenuDescription menu = script.RingTypeMenu(kCmdRingTypeFirst);
    for (uint32_t command = 25000; command <= 25008; ++command) EXPECT_EQ(menu.Find(command)->IsChecked(), command == 25008);
    ASSERT_TRUE(SettingsStore::DeleteValue(kSettings, u"CID_Script"));
    ASSERT_TRUE(script.SetRingType(8));  // the current choice: nothing is written
    EXPECT_EQ(Stored(u"CID_Script"), kNone);

    ASSERT_TRUE(script.SetRingVolume(0));
    EXPECT_TRUE(script.RingVolumeMenu(kCmdRingVolumeFirst).Find(25100)->IsChecked());
    ASSERT_TRUE(script.SetRingVolume(6));
    EXPECT_EQ(Stored(u"CID_Vol"), -1);
}
