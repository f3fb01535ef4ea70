#include <gtest/gtest.h>

#include "RunTool.h"
#include "platform/locale/Locale.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;
using plat::Hive;
using plat::RegValue;

namespace {

// A device for the tool; the tool finds it through --root.
class Tool : public testing::Test {
protected:
    TempDevice device;
    std::string root = device.Root().string();

    ToolResult Reg(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root, "reg"});
        return RunTool(args);
    }
};

}  // namespace

TEST_F(Tool, InitCreatesTheDeviceOnceAndPrintsItsRoot) {
    const fs::path fresh = device.Root().parent_path() / "fresh";
    const auto first = RunTool({"--root", fresh.string(), "init", "--no-phone", "--locale", "de_DE"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, fresh.string() + "\n");
    EXPECT_FALSE(fs::exists(fresh / "Windows" / "sms.dll"));
    {
        plat::Registry registry(fresh / "Windows" / "registry.db");
        EXPECT_EQ(registry.GetValue(Hive::CurrentUser, plat::kLocaleKey, plat::kLocaleValue)->AsString(), u"de_DE");
    }
    const auto optionFirst = RunTool({"--root=" + fresh.string(), "init"}, {{"BREVANE_ROOT", root}});
    EXPECT_EQ(optionFirst.out, fresh.string() + "\n");
    EXPECT_FALSE(fs::exists(fresh / "Windows" / "sms.dll"));  // left as it was
}

TEST_F(Tool, InitRefusesWhatItCannotDoAndChangesNothing) {
    const fs::path other = device.Root().parent_path() / "other";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* errStart;
    } cases[] = {
        {{"--root", other.string(), "init", "--locale", "German"}, 2, "usage: brevane-cli init [--demo]"},
        {{"--root", other.string(), "init", "--phone"}, 2, "usage: brevane-cli init"},
        {{"--root", root + "/Windows/sms.dll", "init"}, 1, "brevane-cli: cannot initialise the device"},
    };
    for (const auto& c : cases) {
        const auto result = RunTool(c.args);
        EXPECT_EQ(result.status, c.status) << c.args.back();
        EXPECT_EQ(result.err.rfind(c.errStart, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(fs::exists(other));
    }
}

TEST_F(Tool, RegSetAndGetEachType) {
    const struct {
        std::string name, type, value, printed;
        RegValue stored;
    } cases[] = {
        {"SortType", "dword", "2", "2", RegValue::Dword(2)},
        {"CID_Vol", "dword", "-1", "4294967295", RegValue::Dword(0xFFFFFFFF)},
        {"Name", "sz", "\xc3\x84rger Smith", "\xc3\x84rger Smith", RegValue::String(u"\u00c4rger Smith")},
        {"CatFltData", "binary", "0100000aFF", "0100000aff", RegValue::Binary({1, 0, 0, 0x0a, 0xff})},
        {"Empty", "binary", "", "", RegValue::Binary({})},
    };
    for (const auto& c : cases) {
        const auto set = Reg({"set", "HKCU\\Software\\Velmora\\PIM\\Settings", c.name, c.type, c.value});
        EXPECT_EQ(set.status, 0) << set.err;
        const auto get = Reg({"get", "hkcu\\SOFTWARE\\velmora\\pim\\settings", c.name});
        EXPECT_EQ(get.status, 0) << get.err;
        EXPECT_EQ(get.out, c.printed + "\n");
        const auto stored = plat::Registry(device.Host(u"\\Windows\\registry.db"))
                                .GetValue(Hive::CurrentUser, u"Software\\Velmora\\PIM\\Settings",
                                          std::u16string(c.name.begin(), c.name.end()));
        ASSERT_TRUE(stored) << c.name;
        EXPECT_EQ(std::pair(stored->type, stored->data), std::pair(c.stored.type, c.stored.data));
    }
}

TEST_F(Tool, RegDeleteAndDump) {
    Reg({"set", "HKLM\\Test\\A", "n", "dword", "1"});
    Reg({"set", "HKLM\\Test\\A\\Sub", "text", "sz", "two\tparts"});
    Reg({"set", "HKLM\\Test\\B", "", "binary", "beef"});
    EXPECT_EQ(Reg({"dump", "HKLM\\Test"}).out,
              "HKLM\\Test\\A\tn\tdword\t1\n"
              "HKLM\\Test\\A\\Sub\ttext\tsz\ttwo\\tparts\n"
              "HKLM\\Test\\B\t\tbinary\tbeef\n");
    EXPECT_EQ(Reg({"delete", "HKLM\\Test\\B", ""}).status, 0);
    EXPECT_EQ(Reg({"delete", "HKLM\\test\\a"}).status, 0);
    EXPECT_EQ(Reg({"dump", "HKLM\\Test"}).out, "");

    const auto all = Reg({"dump"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out.rfind("HKCU\\ControlPanel\\International\tLocaleName\tsz\ten_US\n", 0), 0u) << all.out;
    EXPECT_NE(all.out.find("HKLM\\Software\\Microsoft\\Shell\\Keys\\40c2\tResetCmd\tsz\t"), std::string::npos);
}

TEST_F(Tool, WrongUsageAndFailedRequestsAreTold) {
    const fs::path uninitialised = device.Root().parent_path() / "empty";
    fs::create_directories(uninitialised);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* errStart;
    } cases[] = {
        {{}, 2, "usage: brevane-cli [--root DIR] COMMAND"},
        {{"--root", root, "frobnicate"}, 2, "usage: brevane-cli [--root DIR] COMMAND"},
        {{"--root", root, "--bogus", "reg", "dump"}, 2, "usage: brevane-cli [--root DIR] COMMAND"},
        {{"--root", root, "reg"}, 2, "usage: brevane-cli reg get KEY NAME"},
        {{"--root", root, "reg", "get", "HKXX\\Software", "v"}, 2, "usage: brevane-cli reg get"},
        {{"--root", root, "reg", "set", "HKCU\\K", "v", "dword", "4294967296"}, 2, "usage: brevane-cli reg"},
        {{"--root", root, "reg", "set", "HKCU\\K", "v", "qword", "1"}, 2, "usage: brevane-cli reg"},
        {{"--root", root, "reg", "get", "HKCU\\Software", "missing"}, 1, "brevane-cli: no value \"missing\""},
        {{"--root", uninitialised.string(), "reg", "dump"}, 1, "brevane-cli: no device at"},
    };
    for (const auto& c : cases) {
        const auto result = RunTool(c.args);
        std::string line;
        for (const auto& arg : c.args) line += arg + " ";
        EXPECT_EQ(result.status, c.status) << line;
        EXPECT_EQ(result.err.rfind(c.errStart, 0), 0u) << line << "-> " << result.err;
        EXPECT_EQ(result.out, "") << line;
    }
    EXPECT_FALSE(plat::DeviceRegistry().KeyExists(Hive::CurrentUser, u"K"));
    EXPECT_FALSE(fs::exists(uninitialised / "Windows"));
}
