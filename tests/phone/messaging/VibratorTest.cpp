#include "phone/messaging/Vibrator.h"

#include <gtest/gtest.h>

#include "phone/PhoneTestSupport.h"

namespace {

struct Sleeps {
    std::vector<long> ms;
    Vibrator::Sleep Recorder() {
        return [this](std::chrono::milliseconds time) { ms.push_back(static_cast<long>(time.count())); };
    }
};

}  // namespace

TEST(Vibrator, SwitchesTheVibratorLedOnForTheTime) {
    TempDevice device;
    ASSERT_TRUE(std::filesystem::exists(device.Host(u"\\Windows\\coredll.dll")))
        << "the stand-in libraries are not built (target brevane-standins)";
    Sleeps sleeps;
    Vibrator vibrator(sleeps.Recorder());
    ASSERT_TRUE(vibrator.Vibrate(40));
    EXPECT_EQ(vibrator.Led(), 1u);  // the stand-in's LED 1 reports the cycle adjustment -1
    EXPECT_EQ(sleeps.ms, std::vector<long>{40});
    std::vector<std::string> calls;
    for (const std::string& line : ProgramLog(device)) {
        if (line.starts_with("coredll.dll\tNLedSetDevice")) calls.push_back(line);
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"coredll.dll\tNLedSetDevice\t2\t1\t1",
                                               "coredll.dll\tNLedSetDevice\t2\t1\t0"}));
}

TEST(Vibrator, StaysOffWithoutTheLibrary) {
    TempDevice device;
    const auto library = device.Host(u"\\Windows\\coredll.dll");
    const auto kept = device.Root() / "coredll.kept";
    std::filesystem::rename(library, kept);
    Sleeps sleeps;
    Vibrator vibrator(sleeps.Recorder());
    EXPECT_FALSE(vibrator.Vibrate(40));
    std::filesystem::rename(kept, library);
    EXPECT_FALSE(vibrator.Vibrate(40));  // for the rest of the run
    EXPECT_TRUE(sleeps.ms.empty());
}
