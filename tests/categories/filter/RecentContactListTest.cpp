// The filter's recent-contacts list and its settings section.
#include <gtest/gtest.h>

#include "categories/filter/RecentContactList.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

namespace {

std::vector<uint32_t> Range(uint32_t from, uint32_t to) {
    std::vector<uint32_t> ids;
    for (uint32_t id = from; id <= to; ++id) ids.push_back(id);
    return ids;
}

}  // namespace

TEST(RecentContactList, SavingMergesTheStoredListBehindTheTouchedOnes) {
    TempDevice device;
    ASSERT_TRUE(SettingsStore::WriteDwordList(u"CatRecent", Range(100, 119)));
    {
        RecentContactList run;  // a run that never shows the recent list
        run.Touch(105);
        run.Touch(7);
        ASSERT_TRUE(run.Save());
    }
    // Two entries present: 20 - 2 stored values are read ("0" to "17"); 105 is there already.
    std::vector<uint32_t> expected{7, 105};
    for (uint32_t id = 100; id <= 117; ++id) {
        if (id != 105) expected.push_back(id);
    }
    EXPECT_EQ(SettingsStore::ReadDwordList(u"CatRecent"), expected);

    // A huge "Count", wrong-typed numbered values: only what is usable, never past twenty.
    auto& registry = plat::DeviceRegistry();
    const std::u16string key = u"Software\\Velmora\\PIM\\CatRecent";
    ASSERT_TRUE(registry.SetValue(plat::Hive::CurrentUser, key, u"Count", plat::RegValue::Dword(0xFFFFFFFF)));
    ASSERT_TRUE(registry.SetValue(plat::Hive::CurrentUser, key, u"0", plat::RegValue::String(u"7")));
    RecentContactList loaded;
    loaded.Load();
    loaded.Load();  // once a run
    EXPECT_EQ(loaded.Oids(), std::vector<uint32_t>(expected.begin() + 1, expected.end()));
}
