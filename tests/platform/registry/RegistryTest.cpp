#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/registry/Registry.h"
#include "support/ChildProcesses.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;
using plat::Hive;
using plat::RegValue;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr Hive HKCU = Hive::CurrentUser;
constexpr Hive HKLM = Hive::LocalMachine;

class RegistryFile : public testing::Test {
protected:
    TempDevice device;
    fs::path file = device.Root().parent_path() / "test-registry.db";
    plat::Registry registry{file};

    std::vector<std::u16string> ValueNames(Hive hive, std::u16string_view key) {
        std::vector<std::u16string> names;
        for (const auto& [name, value] : registry.Values(hive, key)) names.push_back(name);
        return names;
    }
};

void RunSql(const fs::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

}  // namespace

// Numbers and the reading of wrong types are checked through the settings store, which every
// option goes through.
TEST(RegValue, TextKeepsItsUtf16BytesAndReadsUpToItsFirstNul) {
    EXPECT_EQ(RegValue::String(u"A\u0416").data, (Bytes{'A', 0, 0x16, 0x04, 0, 0}));
    EXPECT_EQ(RegValue::String(u"").data, (Bytes{0, 0}));
    EXPECT_EQ((RegValue{plat::REG_SZ, {'a', 0, 0, 0, 'b', 0}}.AsString()), u"a");
    EXPECT_EQ((RegValue{plat::REG_SZ, {'a', 0, 'b'}}.AsString()), u"a");  // an odd last byte
    EXPECT_FALSE(RegValue::Binary({4, 0, 0, 0}).AsDword());            // not typed as a dword
}

TEST_F(RegistryFile, NamesAreCaseInsensitiveKeepTheirFirstSpellingAndTheirOrder) {
    ASSERT_TRUE(registry.SetValue(HKCU, u"Software\\Velmora\\PIM\\Settings", u"SortType", RegValue::Dword(1)));
    ASSERT_TRUE(registry.SetValue(HKCU, u"SOFTWARE\\velmora\\pim\\SETTINGS", u"sorttype", RegValue::Dword(2)));
    ASSERT_TRUE(registry.SetValue(HKCU, u"Software\\\u041a\u043b\u044e\u0447", u"\u00c4", RegValue::Dword(3)));

    EXPECT_EQ(registry.GetValue(HKCU, u"software\\VELMORA\\Pim\\settings", u"SORTTYPE")->AsDword(), 2u);
    EXPECT_EQ(registry.GetValue(HKCU, u"SOFTWARE\\\u041a\u041b\u042e\u0427", u"\u00e4")->AsDword(), 3u);
    EXPECT_EQ(ValueNames(HKCU, u"software\\velmora\\pim\\settings"), std::vector<std::u16string>{u"SortType"});
    EXPECT_EQ(registry.SubKeys(HKCU, u"software"),
              (std::vector<std::u16string>{u"Velmora", u"\u041a\u043b\u044e\u0447"}));
    EXPECT_TRUE(registry.KeyExists(HKCU, u"\\Software\\VELMORA\\"));  // outer backslashes ignored
    EXPECT_FALSE(registry.KeyExists(HKLM, u"Software"));  // the hives are apart

    // Values list in creation order, sub-keys by name.
    for (const char16_t* name : {u"Count", u"1", u"0", u"Beta", u"alpha"}) {
        EXPECT_TRUE(registry.SetValue(HKCU, u"List", name, RegValue::Dword(1)));
    }
    EXPECT_TRUE(registry.SetValue(HKCU, u"List", u"COUNT", RegValue::Dword(2)));  // keeps its place
    EXPECT_EQ(ValueNames(HKCU, u"list"), (std::vector<std::u16string>{u"Count", u"1", u"0", u"Beta", u"alpha"}));
    for (const char16_t* key : {u"List\\b", u"List\\C", u"List\\a"})
        EXPECT_TRUE(registry.CreateKey(HKCU, key));
    EXPECT_EQ(registry.SubKeys(HKCU, u"List"), (std::vector<std::u16string>{u"a", u"b", u"C"}));
}

TEST_F(RegistryFile, DeletingAKeyRemovesItsWholeSubtreeOnly) {
    EXPECT_TRUE(registry.SetValue(HKCU, u"Root\\A", u"v", RegValue::Dword(1)));
    EXPECT_TRUE(registry.SetValue(HKCU, u"Root\\A\\B\\C", u"v", RegValue::Dword(2)));
    EXPECT_TRUE(registry.SetValue(HKCU, u"Root\\AB", u"v", RegValue::Dword(3)));
    EXPECT_TRUE(registry.SetValue(HKLM, u"Root\\A", u"v", RegValue::Dword(4)));

    EXPECT_TRUE(registry.DeleteKey(HKCU, u"root\\a"));
    EXPECT_FALSE(registry.KeyExists(HKCU, u"Root\\A"));
    EXPECT_EQ(registry.GetValue(HKCU, u"Root\\AB", u"v")->AsDword(), 3u);
    EXPECT_EQ(registry.GetValue(HKLM, u"Root\\A", u"v")->AsDword(), 4u);
    EXPECT_TRUE(
        registry.CreateKey(HKCU, u"Root\\A\\B\\C"));  // made again: nothing of the old subtree is back
    EXPECT_TRUE(registry.Values(HKCU, u"Root\\A\\B\\C").empty());

    EXPECT_FALSE(registry.DeleteKey(HKCU, u""));  // a hive stays
}

TEST_F(RegistryFile, InvalidPathsAndNamesChangeNothing) {
    const std::u16string lone(1, char16_t(0xD800));
    EXPECT_FALSE(registry.SetValue(HKCU, u"A\\\\B", u"v", RegValue::Dword(1)));
    EXPECT_FALSE(registry.CreateKey(HKCU, u"A\\" + lone));
    EXPECT_FALSE(registry.SetValue(HKCU, u"A", lone, RegValue::Dword(1)));
    EXPECT_FALSE(registry.GetValue(HKCU, u"A\\\\B", u"v"));
    EXPECT_FALSE(registry.KeyExists(HKCU, u"A"));
}

TEST_F(RegistryFile, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kProcesses = 3, kWrites = 60;
    const fs::path shared = device.Root().parent_path() / "shared.db";  // created by the children
    const auto codes = RunInChildren(kProcesses, [&](int index) {
        plat::Registry mine(shared);
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = std::to_string(index) + "-" + std::to_string(i);
            const std::u16string key = u"Shared\\P" + std::u16string(1, char16_t(u'0' + index));
            if (!mine.SetValue(HKCU, u"Shared", std::u16string(name.begin(), name.end()), RegValue::Dword(i)) ||
                !mine.CreateKey(HKCU, key)) {
                return 1;
            }
        }
        return 0;
    });
    EXPECT_EQ(codes, std::vector<int>(kProcesses, 0));
    plat::Registry check(shared);
    EXPECT_EQ(check.Values(HKCU, u"Shared").size(), size_t{kProcesses * kWrites});
    EXPECT_EQ(check.SubKeys(HKCU, u"Shared").size(), size_t{kProcesses});
}

TEST_F(RegistryFile, DamagedOrForeignFilesAreReportedAndLeftAsTheyAre) {
    EXPECT_TRUE(registry.SetValue(HKCU, u"Software", u"v", RegValue::String(std::u16string(3000, u'x'))));
    const fs::path good = device.Root().parent_path() / "good.db";
    {
        plat::Registry copySource(file);
        RunSql(file, "PRAGMA wal_checkpoint(TRUNCATE)");
    }
    fs::copy_file(file, good);
    const std::string bytes = ReadHostFile(good);
    const fs::path bad = device.Root().parent_path() / "bad.db";

    const struct {
        const char* what;
        std::string content;
        const char* sql;
    } cases[] = {
        {"truncated", bytes.substr(0, bytes.size() / 2), nullptr},
        {"foreign database", "", "CREATE TABLE contacts(id INTEGER)"},
        {"newer format", bytes, "PRAGMA user_version = 9"},
        {"hive missing", bytes, "DELETE FROM keys WHERE id = 2"},
    };
    for (const auto& c : cases) {
        fs::remove(bad);
        WriteHostText(bad, c.content);
        if (c.sql != nullptr) RunSql(bad, c.sql);
        const std::string before = ReadHostFile(bad);
        EXPECT_THROW(plat::Registry{bad}, plat::RegistryError) << c.what;
        EXPECT_EQ(ReadHostFile(bad), before) << c.what;
    }
    EXPECT_THROW(plat::Registry{device.Root()}, plat::RegistryError);  // a folder
    EXPECT_THROW(plat::Registry{device.Root() / "no" / "registry.db"}, plat::RegistryError);
    WriteHostText(bad, "");
    EXPECT_TRUE(plat::Registry{bad}.SetValue(HKCU, u"k", u"v", RegValue::Dword(1)));  // empty: a new registry
}

TEST(DeviceRegistry, IsOnlyOpenedOnAnInitialisedDevice) {
    TempDevice device;
    EXPECT_TRUE(plat::DeviceRegistry().KeyExists(HKLM, u"Software\\Microsoft\\Shell\\Keys"));
    const fs::path bare = device.Root().parent_path() / "bare";
    fs::create_directories(bare / "Windows");
    auto saved = plat::ExchangeCurrentDevice(std::make_unique<plat::Device>(bare));
    EXPECT_THROW(plat::DeviceRegistry(), plat::RegistryError);
    EXPECT_FALSE(fs::exists(bare / "Windows" / "registry.db"));
    plat::ExchangeCurrentDevice(std::move(saved));
    EXPECT_TRUE(plat::DeviceRegistry().KeyExists(HKLM, u"Software\\Microsoft\\Shell\\Keys"));
}
