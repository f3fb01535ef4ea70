// The category list and add dialogs on a device's category databases: the two listing modes,
// checks carried over, adding (with the refused characters) and deleting (with the refusal).
#include "categories/filter/CategoryListDialog.h"

#include "categories/CategoryMaker.h"
#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"

using namespace catfilter;

namespace {

class CategoryDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CategoryManager::Instance(), nullptr);
        work = categories_.Make(u"Work", true);
        golf = categories_.Make(u"Golf", true);
        zoo = categories_.Make(u"Zoo", false);
    }
    static std::vector<std::u16string> Listed(const CategoryListDialog& dialog) {
        std::vector<std::u16string> names;
        for (int i = 0; i < dialog.Count(); ++i) names.emplace_back(dialog.EntryText(i).View());
        return names;
    }

    TempDevice device_;
    MessageBoxRecorder boxes;
    CategoryMaker categories_;
    uint32_t work = 0, golf = 0, zoo = 0;
};

TEST_F(CategoryDialogs, InUseModeHidesUnusedCategoriesAndChecksFollowTheList) {
    CategoryListDialog all({zoo}, true);
    EXPECT_FALSE(all.ShowsAllBox());
    EXPECT_EQ(Listed(all), (std::vector<std::u16string>{u"Golf", u"Work", u"Zoo"}));
    EXPECT_EQ(all.Checked(), (std::vector<uint32_t>{zoo}));

    CategoryListDialog inUse({zoo, work}, false);
    EXPECT_TRUE(inUse.ShowsAllBox() && !inUse.ShowAll());
    EXPECT_EQ(Listed(inUse), (std::vector<std::u16string>{u"Golf", u"Work"}));
    EXPECT_EQ(inUse.Checked(), (std::vector<uint32_t>{work})) << "a category no longer listed drops out";
    inUse.Toggle(0);
    inUse.SetShowAll(true);
    EXPECT_EQ(Listed(inUse).size(), 3u);
    inUse.Toggle(2);
    EXPECT_EQ(inUse.Checked(), (std::vector<uint32_t>{golf, work, zoo})) << "in list order";
    inUse.SetShowAll(false);
    EXPECT_EQ(inUse.Checked(), (std::vector<uint32_t>{golf, work}));
}

TEST_F(CategoryDialogs, NewRefusesCommasAndSemicolonsAndFindsAnExistingName) {
    CategoryAddDialog add;
    EXPECT_EQ(add.OnOk(u"Friends, old"), CategoryAddDialog::Ok::Refused);
    EXPECT_EQ(add.OnOk(u"a;b"), CategoryAddDialog::Ok::Refused);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"Category names cannot contain ' , ' or ' ; ' symbols.");
    EXPECT_EQ(boxes.Boxes()[0].caption, u"Add category");
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);
    EXPECT_EQ(add.OnOk(u"   "), CategoryAddDialog::Ok::Empty);
    EXPECT_EQ(add.OnOk(u" Bank "), CategoryAddDialog::Ok::Accepted);
    EXPECT_EQ(add.Name(), u"Bank");

    CategoryListDialog dialog({}, false);
    EXPECT_EQ(dialog.Add(add.Name()), CategoryListDialog::AddResult::Added);
    EXPECT_TRUE(dialog.ShowAll()) << "the new category is not in use: every category is listed";
    EXPECT_EQ(dialog.EntryText(dialog.Current()), u"Bank");
    EXPECT_TRUE(dialog.Checked().empty()) << "added, not checked";

    CategoryListDialog again({}, false);
    EXPECT_EQ(again.Add(u"Zoo"), CategoryListDialog::AddResult::Existed);
    EXPECT_EQ(again.EntryText(again.Current()), u"Zoo");
}

TEST_F(CategoryDialogs, DeleteRefusesACategoryInUseAndKeepsThePosition) {
    CategoryListDialog dialog({work, golf}, true);
    dialog.SetCurrent(1);  // Work, in use
    EXPECT_FALSE(dialog.DeleteCurrent());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"This category can not be deleted because there are references to it.");
    EXPECT_EQ(boxes.Boxes()[0].caption, u"Brevane");
    EXPECT_EQ(dialog.Checked(), (std::vector<uint32_t>{golf})) << "unchecked even though it stays";
    EXPECT_EQ(dialog.Current(), 1);

    dialog.SetCurrent(2);  // Zoo, the last entry
    EXPECT_TRUE(dialog.DeleteCurrent());
    EXPECT_EQ(Listed(dialog), (std::vector<std::u16string>{u"Golf", u"Work"}));
    EXPECT_EQ(dialog.Current(), 1) << "the last one went: one less";
}

}  // namespace
