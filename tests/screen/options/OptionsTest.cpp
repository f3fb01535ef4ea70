// The options pages without a display: the remembered page, what the phone page writes and tells
// the caller-ID program (also when nothing changed), starting and shutting the caller-ID program
// down with its start-up shortcut, and the skin list.
#include <gtest/gtest.h>

#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/DialMethod.h"
#include "platform/programs/Process.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "screen/options/GeneralOptions.h"
#include "screen/options/OptionPages.h"
#include "screen/options/PhoneOptions.h"
#include "support/MessageBoxRecorder.h"
#include "support/ProgramLog.h"

namespace {

uint32_t Setting(std::u16string_view name) { return SettingsStore::ReadDword(settings::kSettings, name, 99); }

TEST(OptionPage, OnlyAPageThatExistsIsRemembered) {
    TempDevice device;
    const struct {
        int64_t stored;  // -1: missing
        int read;
    } cases[] = {{-1, 0}, {2, 2}, {3, 3}, {4, 0}, {7, 0}, {0xFFFFFFFF, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        if (c.stored >= 0) {
            ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kOptionPage, static_cast<uint32_t>(c.stored)));
        }
        EXPECT_EQ(options::ReadOptionPage(), c.read);
    }
    EXPECT_TRUE(options::WriteOptionPage(9));
    EXPECT_EQ(Setting(settings::kOptionPage), 3u);
    EXPECT_EQ(options::ScrollStep(96), 5);
    EXPECT_EQ(options::ScrollStep(192), 10);
}

TEST(PhoneOptions, StoredValuesOutsideTheChoicesReadAsTheDefault) {
    TempDevice device;
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, 9));
    EXPECT_EQ(options::ReadPhoneOptions(false).dialType, 3u);
    ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, 2));
    EXPECT_EQ(options::ReadPhoneOptions(false).dialType, 2u);
    EXPECT_TRUE(options::ReadPhoneOptions(false).trayVisible) << "the tray icon shows unless switched off";
    EXPECT_EQ(options::ReadPhoneOptions(false).dialupMode, kDialJustCall) << "unset: what a phone device dials with";
}

TEST(PhoneOptions, ApplyWritesTheSwitchesAndTellsTheCallerIdProgram) {
    TempDevice device;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(plat::StartProgram(options::kCallerIdProgram, u""));
    ASSERT_NE(AwaitWindow(options::kCallerIdWindowClass), 0u);
    const options::PhoneOptions before = options::ReadPhoneOptions(false);
    ASSERT_TRUE(before.callerId);

    // Nothing changed: the call-log and speed-dial switches are still written and posted, the
    // caller-ID program keeps running and gets its start-up shortcut.
    EXPECT_TRUE(options::ApplyPhoneOptions(before, before));
    EXPECT_EQ(Setting(settings::kCLog), 0u);
    EXPECT_EQ(Setting(settings::kSCut), 0u);
    EXPECT_EQ(Setting(settings::kIsTrayVisible), 99u) << "an unchanged tray switch is not written";
    EXPECT_EQ(Setting(settings::kDialType), 99u);
    EXPECT_NE(AwaitProgramLog(device, "message\t1333\t0\t0").find("message\t1333\t0\t0"), std::string::npos);
    EXPECT_EQ(ReadHostFile(device.Host(options::kCallerIdShortcut)), "31#\"\\Windows\\Velmora CallerID.exe\"");

    // Changes: the tray icon goes and the program is told; the chooser setting is written.
    options::PhoneOptions now = before;
    now.trayVisible = false;
    now.speedDial = true;
    now.dialType = 2;
    EXPECT_TRUE(options::ApplyPhoneOptions(before, now));
    EXPECT_EQ(Setting(settings::kIsTrayVisible), 0u);
    EXPECT_EQ(Setting(settings::kSCut), 1u);
    EXPECT_EQ(Setting(settings::kDialType), 2u);
    const std::string log = AwaitProgramLog(device, "message\t1333\t1\t0");
    EXPECT_NE(log.find("message\t1324\t0\t0"), std::string::npos) << log;
    EXPECT_NE(log.find("message\t1333\t1\t0"), std::string::npos) << log;

    // Switched off: the program is asked to shut down, its shortcut goes, the user is told.
    now.callerId = false;
    EXPECT_TRUE(options::ApplyPhoneOptions(now, now));
    EXPECT_EQ(AwaitWindow(options::kCallerIdWindowClass, true), 0u);
    EXPECT_FALSE(std::filesystem::exists(device.Host(options::kCallerIdShortcut)));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, options::kCallerIdCaption);
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_OK | plat::MB_ICONINFORMATION);
    // Off while it does not run: nothing to do and nothing to say.
    EXPECT_TRUE(options::SwitchCallerId(false));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(PhoneOptions, ACallerIdProgramThatCannotStartIsReportedAsAFailure) {
    TempDevice device;
    MessageBoxRecorder boxes;
    std::filesystem::remove(device.Host(options::kCallerIdProgram));
    EXPECT_FALSE(options::SwitchCallerId(true));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"Error while loading CallerID");
    EXPECT_FALSE(std::filesystem::exists(device.Host(options::kCallerIdShortcut)));
}

TEST(SkinChoices, TheSkinFolderSortedAfterTheDefaultAndTheStoredOneSelected) {
    TempDevice device;
    const std::filesystem::path folder = device.Host(SkinFolder().View());
    std::filesystem::create_directories(folder);
    for (const char* name : {"b.cid", "A.CID", "standard.cid", "notes.txt"}) std::ofstream(folder / name) << "skin";
    ASSERT_TRUE(SettingsStore::WriteString(settings::kSettings, settings::kCIDSkin, u"B.cid"));
    const options::SkinChoices skins = options::ReadSkins();
    ASSERT_EQ(skins.texts.size(), 3u);
    EXPECT_EQ(skins.texts[1].View(), u"A.CID");
    EXPECT_EQ(skins.texts[2].View(), u"b.cid");
    EXPECT_EQ(skins.files[0].View(), settings::kDefaultCidSkin);
    EXPECT_EQ(skins.selected, 2);
    EXPECT_TRUE(options::ApplySkin(skins, 1));
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kCIDSkin, u"").View(), u"A.CID");
    EXPECT_FALSE(options::ApplySkin(skins, 3));
}

// The Today item is switched through its library and the setting written; the desktop hears of
// it, and without a desktop window every window of the device does.
TEST(GeneralOptions, TheTodaySwitchReachesTheDesktopOrEveryWindow) {
    TempDevice device;
    ASSERT_TRUE(plat::StartProgram(options::kCallerIdProgram, u""));
    ASSERT_NE(AwaitWindow(options::kCallerIdWindowClass), 0u);
    options::GeneralOptions off = options::ReadGeneralOptions();
    ASSERT_FALSE(off.today);
    options::GeneralOptions on = off;
    on.today = true;
    EXPECT_TRUE(options::ApplyGeneralOptions(off, on));
    EXPECT_TRUE(options::ReadGeneralOptions().today);
    EXPECT_EQ(Setting(settings::kTodayPlug), 1u);
    const std::string broadcast = "message\t26\t242\t0";
    EXPECT_NE(AwaitProgramLog(device, broadcast).find(broadcast), std::string::npos);

    std::vector<plat::WPARAM> desktopGot;
    const plat::HWND desktop = plat::CreateWindow(options::kDesktopWindowClass, u"", [&](plat::HWND, uint32_t message,
                                                                                        plat::WPARAM wParam, plat::LPARAM) {
        if (message == plat::WM_SETTINGCHANGE) desktopGot.push_back(wParam);
        return plat::LRESULT{0};
    });
    ASSERT_NE(desktop, 0u);
    EXPECT_TRUE(options::ApplyGeneralOptions(on, off));
    EXPECT_EQ(desktopGot, std::vector<plat::WPARAM>{options::kTodayItemsChanged});
    EXPECT_FALSE(options::ReadGeneralOptions().today);
    EXPECT_EQ(Setting(settings::kTodayPlug), 0u);
    EXPECT_TRUE(plat::PostMessage(plat::FindWindow(options::kCallerIdWindowClass), plat::WM_CLOSE, 0, 0));
    const std::string log = AwaitProgramLog(device, "message\t16\t0\t0");
    EXPECT_EQ(log.find(broadcast), log.rfind(broadcast)) << "the desktop alone was told the second time";
    (void)plat::DestroyWindow(desktop);  // clean-up
}

}  // namespace
