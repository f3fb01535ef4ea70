#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include <unistd.h>

#include "platform/device/DeviceInit.h"
#include "platform/locale/Locale.h"
#include "platform/programs/Standins.h"
#include "platform/registry/Registry.h"
#include "platform/text/Utf.h"
#include "support/ChildProcesses.h"
#include "support/ScopedEnv.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;
using plat::Hive;

namespace {

std::optional<std::u16string> RegString(const fs::path& root, Hive hive, std::u16string_view key,
                                        std::u16string_view name) {
    plat::Registry registry(root / "Windows" / "registry.db");
    const auto value = registry.GetValue(hive, key, name);
    return value ? value->AsString() : std::nullopt;
}

// A scratch folder beside a device, removed with it.
class DeviceInit : public testing::Test {
protected:
    TempDevice scratch;
    fs::path base = scratch.Root().parent_path();
};

}  // namespace

// A new device's folders, volume and locale are what every test's temporary device and the
// end-to-end script start from.
TEST_F(DeviceInit, ExistingDeviceIsLeftAsItIs) {
    const fs::path root = base / "dev";
    plat::InitDevice(root, {true, "ru_RU"});
    {
        plat::Registry registry(root / "Windows" / "registry.db");
        EXPECT_TRUE(registry.SetValue(Hive::CurrentUser, plat::kLocaleKey, plat::kLocaleValue,
                                      plat::RegValue::String(u"pl_PL")));
    }
    fs::remove(root / "Windows" / "sms.dll");
    fs::remove(root / "My Documents");
    const auto again = plat::InitDevice(root, {true, "en_US"});
    EXPECT_FALSE(again.created);
    EXPECT_EQ(RegString(root, Hive::CurrentUser, plat::kLocaleKey, plat::kLocaleValue), u"pl_PL");
    EXPECT_FALSE(fs::exists(root / "Windows" / "sms.dll"));
    EXPECT_FALSE(fs::exists(root / "My Documents"));
}

TEST_F(DeviceInit, UnusableRootsAndDamagedRegistriesAreReported) {
    std::ofstream(base / "file") << "x";
    EXPECT_THROW(plat::InitDevice(base / "file" / "below"), plat::DeviceInitError);
    EXPECT_EQ(ReadHostFile(base / "file"), "x");

    fs::create_directories(base / "broken" / "Windows");
    const std::string garbage(4096, '\x5a');
    std::ofstream(base / "broken" / "Windows" / "registry.db", std::ios::binary) << garbage;
    EXPECT_THROW(plat::InitDevice(base / "broken"), plat::RegistryError);
    EXPECT_EQ(ReadHostFile(base / "broken" / "Windows" / "registry.db"), garbage);
}

TEST_F(DeviceInit, TwoProcessesInitialisingOneRootCreateItOnce) {
    const fs::path root = base / "race";
    const auto codes = RunInChildren(4, [&](int index) {
        const auto result = plat::InitDevice(root, {true, index % 2 ? "de_DE" : "ru_RU"});
        return result.created ? 10 : 11;
    });
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 10), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 11), 3);
    const auto locale = RegString(root, Hive::CurrentUser, plat::kLocaleKey, plat::kLocaleValue);
    EXPECT_TRUE(locale == u"de_DE" || locale == u"ru_RU");
}

TEST_F(DeviceInit, StandinsAreInstalledUnderTheirDeviceNamesAndOnlyPhonesGetThePhoneOnes) {
    const auto folder = plat::FindStandinFolder();
    ASSERT_TRUE(folder.has_value()) << "build the target brevane-standins";
    plat::InitDevice(base / "phone", {true, "en_US"});
    {
        ScopedEnv lang("LANG", "de_AT.UTF-8");  // a device made without a locale takes the host's
        plat::InitDevice(base / "pda", {false, ""});
    }
    EXPECT_EQ(RegString(base / "pda", Hive::CurrentUser, plat::kLocaleKey, plat::kLocaleValue), u"de_AT");
    EXPECT_FALSE(fs::exists(base / "pda" / "Windows" / "sms.dll"));
    for (const plat::StandinFile& standin : plat::StandinFiles()) {
        const fs::path relative = plat::ToUtf8(standin.devicePath.substr(1));
        const std::string name = std::regex_replace(relative.string(), std::regex("\\\\"), "/");
        const fs::path onPhone = base / "phone" / name;
        ASSERT_TRUE(fs::is_symlink(onPhone)) << name << " is not a link to the built file";
        EXPECT_TRUE(fs::equivalent(onPhone, *folder / standin.hostName))
            << name << " is not " << standin.hostName;
        EXPECT_EQ(access(onPhone.c_str(), X_OK), 0) << name;
        EXPECT_EQ(fs::exists(base / "pda" / name), !standin.phoneOnly) << name;
    }
    EXPECT_EQ(fs::file_size(base / "phone" / "Windows" / "sms.dll"), 0u);
    for (const auto& entry : fs::directory_iterator(base / "phone" / "Windows")) {
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos) << entry.path();
    }
    // The device weighs what its data does: the volume, the registry and the links.
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(base / "phone")) {
        if (entry.is_regular_file() && !entry.is_symlink()) bytes += entry.file_size();
    }
    EXPECT_LT(bytes, 256u * 1024u);
}

// Links into a build or installation that is gone are linked again, on a new device and on an
// existing one; on an existing one nothing else changes.
TEST_F(DeviceInit, StandinLinksLeadingNowhereAreLinkedAgain) {
    const auto folder = plat::FindStandinFolder();
    ASSERT_TRUE(folder.has_value()) << "build the target brevane-standins";
    const fs::path fresh = base / "fresh", made = base / "made";
    fs::create_directories(fresh / "Windows");
    fs::create_symlink(base / "gone" / "standin-tmail", fresh / "Windows" / "tmail.exe");
    plat::InitDevice(fresh, {true, "en_US"});
    plat::InitDevice(made, {false, "en_US"});
    fs::remove(made / "Windows" / "pmail.exe");
    fs::remove(made / "Windows" / "coredll.dll");  // a link: writing through it would change the built file
    std::ofstream(made / "Windows" / "coredll.dll") << "the user's own";
    for (const char* name : {"tmail.exe", "iexplore.exe"}) {
        fs::remove(made / "Windows" / name);
        fs::create_symlink(base / "gone" / name, made / "Windows" / name);
    }
    EXPECT_FALSE(plat::InitDevice(made, {true, "en_US"}).created);
    EXPECT_TRUE(fs::equivalent(fresh / "Windows" / "tmail.exe", *folder / "standin-tmail"));
    EXPECT_TRUE(fs::equivalent(made / "Windows" / "tmail.exe", *folder / "standin-tmail"));
    EXPECT_TRUE(fs::equivalent(made / "Windows" / "iexplore.exe", *folder / "standin-iexplore"));
    EXPECT_FALSE(fs::exists(made / "Windows" / "pmail.exe"));
    EXPECT_FALSE(fs::exists(made / "Windows" / "phone.dll")) << "a device without phone stays so";
    EXPECT_EQ(ReadHostFile(made / "Windows" / "coredll.dll"), "the user's own");
}

TEST_F(DeviceInit, StandinsAlreadyOnTheDeviceAreKept) {
    const fs::path root = base / "kept";
    fs::create_directories(root / "Windows");
    std::ofstream(root / "Windows" / "TMAIL.EXE") << "the user's own";
    plat::InitDevice(root, {true, "en_US"});
    EXPECT_EQ(ReadHostFile(root / "Windows" / "TMAIL.EXE"), "the user's own");
    EXPECT_FALSE(fs::exists(root / "Windows" / "tmail.exe"));
    EXPECT_GT(fs::file_size(root / "Windows" / "coredll.dll"), 0u);
}
