#include "phone/messaging/SmsHook.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "support/TempDevice.h"

TEST(SmsHook, TheOptionIsStoredAndTheHookFollows) {
    TempDevice device;
    ASSERT_TRUE(std::filesystem::exists(device.Host(u"\\Windows\\VelmoraPimUtil.dll")))
        << "the stand-in libraries are not built (target brevane-standins)";
    EXPECT_FALSE(IsSmsHookInstalled());
    ASSERT_TRUE(ApplySmsFix(true));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 1u);
    EXPECT_TRUE(IsSmsHookInstalled());
    ASSERT_TRUE(ApplySmsFix(false));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 0u);
    EXPECT_FALSE(IsSmsHookInstalled());

    // Without the library the choice is still stored, and the result says the hook did not follow.
    std::filesystem::remove(device.Host(u"\\Windows\\VelmoraPimUtil.dll"));
    EXPECT_FALSE(ApplySmsFix(true));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 1u);
    EXPECT_FALSE(IsSmsHookInstalled());
}
