#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <thread>

#include "core/diag/Checks.h"
#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "support/HostFiles.h"
#include "support/ScopedEnv.h"
#include "support/TempDevice.h"

namespace {

TEST(ErrorLog, LineBytes) {
    ScopedEnv utc("TZ", "UTC");  // a fixed instant has a fixed local time
    tzset();
    const std::time_t when = 1709622489;  // 2024-03-05 07:08:09 UTC
    struct Case { std::u16string_view message; std::string_view module; int line; std::string want; } cases[] = {
        {u"Memory allocation failed", "Str", 23,
         "2024.03.05 07:08:09 - Memory allocation failed\t\tStr:  (23)\r\n"},
        {u"no module", "", 0, "2024.03.05 07:08:09 - no module\r\n"},
        {u"Grüße €", "Mod", -1, "2024.03.05 07:08:09 - Gr??e ?\t\tMod:  (-1)\r\n"},
        {std::u16string_view(u"cut\0here", 8), "", 0, "2024.03.05 07:08:09 - cut\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorLogLine(c.message, c.module, c.line, when), c.want);
}

TEST(ErrorLog, FileFollowsTheModulePath) {
    TempDevice device;
    ErrorLog(u"first", "A", 1);
    ErrorLog(u"second");
    const std::string text = ReadHostFile(device.Host(u"\\Program Files\\Brevane\\Brevane.exe.log"));
    EXPECT_NE(text.find(" - first\t\tA:  (1)\r\n"), std::string::npos);
    EXPECT_EQ(text.find("second"), text.size() - 8);

    device.Device().SetModulePath(u"");
    ErrorLog(u"rooted");
    EXPECT_NE(ReadHostFile(device.Host(u"\\error.log")).find("rooted"), std::string::npos);

    device.Device().SetModulePath(u"\\No Such Folder\\x.exe");
    ErrorLog(u"lost");  // a log that cannot be opened loses the line without a word
    EXPECT_FALSE(std::filesystem::exists(device.Host(u"\\No Such Folder")));
}

TEST(ErrorLog, ConcurrentWritersNeverSplitALine) {
    TempDevice device;
    constexpr int kThreads = 4, kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            const std::u16string message(100, static_cast<char16_t>(u'a' + t));
            for (int i = 0; i < kLines; ++i) ErrorLog(message, "Thread", t);
        });
    }
    for (auto& thread : threads) thread.join();
    std::istringstream lines(ReadHostFile(device.Host(u"\\Program Files\\Brevane\\Brevane.exe.log")));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_GE(line.size(), 22u + 100u);
        const char letter = line[22];
        EXPECT_EQ(line.substr(22, 100), std::string(100, letter));
        EXPECT_EQ(line.substr(122), "\t\tThread:  (" + std::to_string(letter - 'a') + ")\r");
    }
    EXPECT_EQ(count, kThreads * kLines);
}

// The code of the fatal error `check` raises, 0 when it raises none.
template <typename Check>
uint32_t FatalCode(Check check) {
    try {
        check();
    } catch (const FatalError& error) {
        return error.Code();
    }
    return 0;
}

TEST(Checks, FailuresAreLoggedAndStop) {
    TempDevice device;
    static int block = 0;
    EXPECT_EQ(FatalCode([] { RequireMemory(&block); }), 0u);
    EXPECT_EQ(FatalCode([] { RequireMemory(nullptr); }), 0xEFFFFFFFu);
    const std::string log = ReadHostFile(device.Host(u"\\Program Files\\Brevane\\Brevane.exe.log"));
    EXPECT_NE(log.find(" - Memory not allocated!!!\t\tDebugUtils:  (172)\r\n"), std::string::npos) << log;
}

}  // namespace
