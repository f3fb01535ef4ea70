// The ringtones offered and the checks a chosen sound file passes: which files are listed and in
// what order, what is refused and why, what playing one asks of the device's sound player.
#include "categories/ringtones/SoundFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"
#include "platform/sound/Wave.h"
#include "support/HostFiles.h"
#include "support/ProgramLog.h"
#include "support/TempDevice.h"

namespace {

namespace fs = std::filesystem;

class SoundFilesTest : public ::testing::Test {
protected:
    void Write(std::u16string_view devicePath, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(WriteHostFile(device_.Host(devicePath), bytes));
    }
    static std::vector<uint8_t> Wave(size_t samples = 800) {
        const std::vector<int16_t> silence(samples, 0);
        return plat::BuildMonoWave(silence, 8000);
    }
    TempDevice device_;
};

TEST_F(SoundFilesTest, ListsTheWaveFilesOfTheLastFolderFirstThenTheSoundFolders) {
    Write(u"\\Windows\\Rings\\Bell.WAV", Wave());
    Write(u"\\Windows\\Rings\\alarm.wav", Wave());
    Write(u"\\Windows\\Rings\\notes.txt", {1, 2, 3});
    fs::create_directories(device_.Host(u"\\Windows\\Rings\\folder.wav"));
    Write(u"\\My Documents\\Tunes\\mine.wav", Wave());
    Write(u"\\My Documents\\top.wav", Wave());
    EXPECT_EQ(FindRingtones(RingtoneFolders()),
              (std::vector<Str>{u"\\Windows\\Rings\\alarm.wav", u"\\Windows\\Rings\\Bell.WAV", u"\\My Documents\\top.wav"}));

    // The folder last used comes first; a sound folder named again in other case is listed once.
    ASSERT_TRUE(SettingsStore::WriteString(settings::kSettings, settings::kLastSoundPath, u"\\My Documents\\Tunes"));
    EXPECT_EQ(RingtoneFolders().front(), Str(u"\\My Documents\\Tunes"));
    EXPECT_EQ(FindRingtones(RingtoneFolders()).front(), Str(u"\\My Documents\\Tunes\\mine.wav"));
    ASSERT_TRUE(SettingsStore::WriteString(settings::kSettings, settings::kLastSoundPath, u"\\windows\\RINGS"));
    EXPECT_EQ(RingtoneFolders().size(), std::size(kRingtoneFolders));
    EXPECT_EQ(FindRingtones(RingtoneFolders()).size(), 3u);

    // The platform's own ring sound brings its folder, right after the folder last used.
    Write(u"\\Program Files\\Sounds\\Old.wav", Wave());
    ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, u"ControlPanel\\Sounds\\RingTone0", u"Sound",
                                                plat::RegValue::String(u"\\Program Files\\Sounds\\Old.wav")));
    EXPECT_EQ(RingtoneFolders()[1], Str(u"\\Program Files\\Sounds"));
    EXPECT_EQ(FindRingtones(RingtoneFolders())[2], Str(u"\\Program Files\\Sounds\\Old.wav"));
}

TEST_F(SoundFilesTest, OnlyAReadablePlayableWaveIsTakenAndPlayed) {
    Write(u"\\My Documents\\good.wav", Wave());
    Write(u"\\My Documents\\text.wav", {'R', 'I', 'F', 'F', 0, 0});
    Write(u"\\My Documents\\empty.wav", {});
    fs::create_directories(device_.Host(u"\\My Documents\\folder.wav"));
    ASSERT_EQ(::mkfifo(device_.Host(u"\\My Documents\\pipe.wav").c_str(), 0600), 0);
    const struct {
        const char16_t* path;
        SoundStatus status;
    } cases[] = {
        {u"\\My Documents\\good.wav", SoundStatus::Playable},
        {u"\\my documents\\GOOD.wav", SoundStatus::Playable},  // the device ignores case
        {u"\\My Documents\\gone.wav", SoundStatus::Missing},
        {u"\\Nowhere\\gone.wav", SoundStatus::Missing},
        {u"", SoundStatus::Missing},
        {u"\\..\\..\\etc\\passwd", SoundStatus::Missing},  // leaves the device
        {u"\\My Documents\\text.wav", SoundStatus::NotPlayable},
        {u"\\My Documents\\empty.wav", SoundStatus::NotPlayable},
        {u"\\My Documents\\folder.wav", SoundStatus::Unreadable},
        {u"\\My Documents\\pipe.wav", SoundStatus::Unreadable},  // never waits on a FIFO
    };
    for (const auto& c : cases) {
        const SoundFile file = ReadSoundFile(c.path);
        EXPECT_EQ(file.status, c.status) << Str(c.path).ToUtf8();
        EXPECT_EQ(file.wav.empty(), c.status != SoundStatus::Playable) << Str(c.path).ToUtf8();
        EXPECT_EQ(SoundProblem(c.status, c.path).IsEmpty(), c.status == SoundStatus::Playable);
        EXPECT_EQ(PlayRingtone(c.path), c.status);
    }
    // Only the playable file reached the sound player, each time by the path it was asked for.
    EXPECT_EQ(ProgramLog(device_),
              (std::vector<std::string>{"coredll.dll\tPlaySound\t\\My Documents\\good.wav\t100",
                                        "coredll.dll\tPlaySound\t\\my documents\\GOOD.wav\t100"}));
    EXPECT_NE(SoundProblem(SoundStatus::Missing, u"\\a.wav").View().find(u"\"\\a.wav\" does not exist"),
              std::u16string_view::npos);
}

TEST_F(SoundFilesTest, TheFolderOfAChosenFileIsRemembered) {
    const struct {
        const char16_t* path;
        const char16_t* folder;
    } cases[] = {{u"\\Windows\\Rings\\a.wav", u"\\Windows\\Rings"}, {u"\\a.wav", u"\\"}, {u"a.wav", u"\\"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(RememberSoundFolder(c.path));
        EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kLastSoundPath, u"?"), Str(c.folder));
    }
}

TEST_F(SoundFilesTest, OnlyHostFilesBelowTheDeviceRootHaveADevicePath) {
    Write(u"\\My Documents\\a b.wav", Wave());
    EXPECT_EQ(DevicePathOfHost(device_.Root() / "My Documents" / "a b.wav"), Str(u"\\My Documents\\a b.wav"));
    EXPECT_EQ(DevicePathOfHost(device_.Root() / "My Documents" / "." / ".." / "Windows" / "x.wav"),
              Str(u"\\Windows\\x.wav"));
    EXPECT_FALSE(DevicePathOfHost(device_.Root() / ".." / "elsewhere.wav"));
    EXPECT_FALSE(DevicePathOfHost(device_.Root()));
    EXPECT_FALSE(DevicePathOfHost("/etc/passwd"));
    // A link inside the device that leads out of it is not a device file.
    fs::create_symlink("/etc", device_.Root() / "My Documents" / "out");
    EXPECT_FALSE(DevicePathOfHost(device_.Root() / "My Documents" / "out" / "passwd"));
}

}  // namespace
