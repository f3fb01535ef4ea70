// Moving the data folder: the same folder is no move, the user's No is kept, the files move and
// FolderPath follows, and a move that would overwrite or cannot make its folder moves nothing.
#include "screen/list/DataFolderMove.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/settings/Folders.h"
#include "core/settings/SettingsStore.h"
#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"

namespace {

namespace fs = std::filesystem;

class DataFolderMove : public ::testing::Test {
protected:
    void Write(std::u16string_view devicePath, const std::string& text) {
        fs::create_directories(device.Host(devicePath).parent_path());
        std::ofstream(device.Host(devicePath)) << text;
    }
    bool Exists(std::u16string_view devicePath) const { return fs::exists(device.Host(devicePath)); }
    static Str FolderPath() { return SettingsStore::ReadString(u"Settings", u"FolderPath", u""); }

    TempDevice device;
    MessageBoxRecorder boxes;
};

TEST_F(DataFolderMove, TheSameFolderInOtherCaseOrWithBackslashesIsNoMove) {
    const Str current = DataFolder();
    for (const Str& same : {current, current + u"\\\\", Str(u"\\MY DOCUMENTS\\brevane files\\")}) {
        EXPECT_EQ(MoveDataFolder(same.View()), FolderMoveResult::Unchanged) << same.ToUtf8();
    }
    EXPECT_TRUE(boxes.Boxes().empty()) << "not even the question";
}

TEST_F(DataFolderMove, TheFilesMoveAfterYesAndFolderPathFollows) {
    Write(u"\\My Documents\\Brevane Files\\Contact template.tpl", "template");
    Write(u"\\My Documents\\Brevane Files\\Skins\\a.cid", "skin");
    boxes.Answer(plat::IDNO);
    EXPECT_EQ(MoveDataFolder(u"\\Storage Card\\Data"), FolderMoveResult::Unchanged);
    EXPECT_TRUE(Exists(u"\\My Documents\\Brevane Files\\Contact template.tpl"));

    boxes.Answer(plat::IDYES);
    EXPECT_EQ(MoveDataFolder(u"\\Storage Card\\Data\\"), FolderMoveResult::Moved);
    EXPECT_EQ(FolderPath(), u"\\Storage Card\\Data");
    EXPECT_TRUE(Exists(u"\\Storage Card\\Data\\Contact template.tpl") &&
                Exists(u"\\Storage Card\\Data\\Skins\\a.cid"));
    EXPECT_FALSE(Exists(u"\\My Documents\\Brevane Files"));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, u"Are you sure you want to change folder for Brevane data files ?");
    EXPECT_EQ(boxes.Boxes()[1].flags, plat::MB_YESNO | plat::MB_ICONQUESTION);
}

TEST_F(DataFolderMove, AMoveThatWouldOverwriteOrCannotMakeItsFolderMovesNothing) {
    Write(u"\\My Documents\\Brevane Files\\Contact template.tpl", "mine");
    Write(u"\\My Documents\\Brevane Files\\Category ringtones.inf", "rings");
    Write(u"\\Other\\CONTACT TEMPLATE.TPL", "theirs");
    boxes.Answer(plat::IDYES);
    EXPECT_EQ(MoveDataFolder(u"\\Other"), FolderMoveResult::Failed);
    EXPECT_TRUE(Exists(u"\\My Documents\\Brevane Files\\Category ringtones.inf")) << "nothing moved";
    EXPECT_FALSE(Exists(u"\\Other\\Category ringtones.inf"));
    EXPECT_EQ(FolderPath(), u"");

    Write(u"\\Blocked", "a file where the folder should go");
    boxes.Answer(plat::IDYES);
    EXPECT_EQ(MoveDataFolder(u"\\Blocked\\Data"), FolderMoveResult::CannotCreate);
    boxes.Answer(plat::IDYES);
    EXPECT_EQ(MoveDataFolder(u"\\My Documents\\Brevane Files\\Inner"), FolderMoveResult::Failed)
        << "into itself";
    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[1].text, u"There was errors while moving files. Operation cannot be done !");
    EXPECT_EQ(shown[3].text, u"Cannot create destination folder !");
    EXPECT_EQ(shown[5].text, u"There was errors while moving files. Operation cannot be done !");
    EXPECT_TRUE(Exists(u"\\My Documents\\Brevane Files\\Contact template.tpl"));
}

}  // namespace
