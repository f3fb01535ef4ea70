#include "phone/messaging/Vibrator.h"

#include <gtest/gtest.h>

#include "phone/PhoneTestSupport.h"

// The vibrator LED is switched on for the time and off again; without the library nothing vibrates.
TEST(Vibrator, SwitchesTheVibratorLedForTheTimeAndStaysOffWithoutTheLibrary) {
    TempDevice device;
    const auto library = device.Host(u"\\Windows\\coredll.dll");
    ASSERT_TRUE(std::filesystem::exists(library)) << "the stand-in libraries are not built (target brevane-standins)";
    std::vector<long> sleeps;
    const auto record = [&sleeps](std::chrono::milliseconds time) { sleeps.push_back(static_cast<long>(time.count())); };
    Vibrator vibrator(record);
    ASSERT_TRUE(vibrator.Vibrate(40));
    EXPECT_EQ(vibrator.Led(), 1u);  // the stand-in's LED 1 reports the cycle adjustment -1
    EXPECT_EQ(sleeps, std::vector<long>{40});
    std::vector<std::string> calls;
    for (const std::string& line : ProgramLog(device)) {
        if (line.starts_with("coredll.dll\tNLedSetDevice")) calls.push_back(line);
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"coredll.dll\tNLedSetDevice\t2\t1\t1",
                                               "coredll.dll\tNLedSetDevice\t2\t1\t0"}));

    std::filesystem::remove(library);
    EXPECT_FALSE(Vibrator(record).Vibrate(40));
    EXPECT_EQ(sleeps.size(), 1u);
}
