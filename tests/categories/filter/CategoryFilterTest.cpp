// The category filter on a real device registry and category databases: what it restores at
// start, the menu it offers, what each choice does and what it leaves in the settings.
#include "categories/filter/CategoryFilter.h"

#include <optional>

#include "categories/CategoryMaker.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

using namespace catfilter;

namespace {

constexpr int kBar = 26;  // menu-bar height: Init's height (n + 4) * kBar gives n menu categories

class FakeHost : public CategoryFilterHost {
public:
    int MenuBarHeight() override { return kBar; }
    int ScreenDpiX() override { return 192; }
    int TextWidth(std::u16string_view text) override { return static_cast<int>(text.size()) * 10; }
    bool ChooseCategories(bool inUseOnly, const std::vector<uint32_t>& initial, std::vector<uint32_t>& chosen) override {
        lastInUseOnly = inUseOnly;
        lastInitial = initial;
        if (!answer) return false;
        chosen = *answer;
        return true;
    }
    std::vector<uint32_t> AllContacts() override { return contacts; }

    std::optional<std::vector<uint32_t>> answer;  // nothing: Cancel
    std::vector<uint32_t> contacts;
    bool lastInUseOnly = false;
    std::vector<uint32_t> lastInitial;
};

struct Shown {
    std::u16string text;
    uint32_t command;
    bool checked;
    bool operator==(const Shown&) const = default;
};

class CategoryFilterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CategoryManager::Instance(), nullptr); }

    uint32_t Category(const char16_t* name, bool inUse = true) { return categories_.Make(name, inUse); }
    std::unique_ptr<CategoryFilter> Started(int menuCategories = 5, int width = 400) {
        auto filter = std::make_unique<CategoryFilter>(host_);
        filter->Init(width, (menuCategories + 4) * kBar + kBar / 2);
        return filter;
    }
    static std::vector<Shown> Menu(CategoryFilter& filter) {
        MenuDescription menu;
        EXPECT_TRUE(filter.BuildMenu(menu));
        std::vector<Shown> shown;
        for (const MenuItem& item : menu.items) shown.push_back({std::u16string(item.text.View()), item.id, item.IsChecked()});
        return shown;
    }
    static void Store(std::u16string_view name, const plat::RegValue& value) {
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, u"Software\\Velmora\\PIM\\Settings", name, value));
    }
    static std::vector<uint32_t> StoredList(std::u16string_view section) { return SettingsStore::ReadDwordList(section); }

    TempDevice device_;
    FakeHost host_;
    CategoryMaker categories_;
};

}  // namespace

TEST_F(CategoryFilterTest, StartRestoresOnlyConsistentStoredStates) {
    const uint32_t work = Category(u"Work");
    struct Case { plat::RegValue stat, active; std::vector<uint8_t> data; FilterState state; bool isActive; std::u16string label; std::vector<uint32_t> ids; };
    const std::vector<uint8_t> workAndTail{static_cast<uint8_t>(work), static_cast<uint8_t>(work >> 8),
                                           static_cast<uint8_t>(work >> 16), static_cast<uint8_t>(work >> 24), 1, 2, 3};
    const Case cases[] = {
        {plat::RegValue::Dword(3), plat::RegValue::Dword(0), {}, kAllContacts, false, u"All Contacts", {}},
        {plat::RegValue::String(u"2"), plat::RegValue::Dword(1), {}, kAllContacts, false, u"All Contacts", {}},
        {plat::RegValue::Dword(2), plat::RegValue::Dword(0), {}, kNoCategories, true, u"No Categories", {}},
        {plat::RegValue::Dword(1), plat::RegValue::Dword(1), workAndTail, kChosenCategories, true, u"Work", {work}},
        {plat::RegValue::Dword(1), plat::RegValue::Dword(1), {1, 2, 3}, kAllContacts, false, u"All Contacts", {}},
        // a category deleted by another program: the filter starts with everyone shown
        {plat::RegValue::Dword(1), plat::RegValue::Dword(1), {0x77, 0x77, 0, 0}, kAllContacts, false, u"All Contacts", {}},
    };
    for (const Case& c : cases) {
        Store(u"CatFltStat", c.stat);
        Store(u"CatFltActive", c.active);
        Store(u"CatFltData", plat::RegValue::Binary(c.data));
        auto filter = Started();
        SCOPED_TRACE(Str(c.label).ToUtf8());
        EXPECT_EQ(std::tuple(filter->State(), filter->Active(), std::u16string(filter->Label().View()), filter->Ids()),
                  std::tuple(c.state, c.isActive, c.label, c.ids));
    }
    // The deleted category's id is written away at the next choice, which changes nothing.
    auto filter = Started();
    EXPECT_FALSE(filter->ApplyMenuChoice(kCommandAll));
    EXPECT_TRUE(SettingsStore::ReadBinary(u"Settings", u"CatFltData").empty());
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", u"CatFltStat", 9), 0u);
}

TEST_F(CategoryFilterTest, TheMenuFillsUpWithCategoriesInUseSortedByName) {
    for (const char16_t* name : {u"Golf", u"Work", u"Auto", u"Zoo", u"Music", u"Bank", u"Ideas"}) Category(name);
    Category(u"Aardvark", false);  // not in use: never offered by itself
    auto filter = Started(5);
    EXPECT_EQ(Menu(*filter), (std::vector<Shown>{{u"Recent", 1, false}, {u"All Contacts", 2, true}, {u"No Categories", 3, false},
                                                 {u"Auto", 4, false}, {u"Bank", 5, false}, {u"Golf", 6, false},
                                                 {u"Ideas", 7, false}, {u"Music", 8, false}, {u"More...", 9, false}}));
    EXPECT_TRUE(filter->MenuList().Ids().empty()) << "entries taken from the categories in use stay out of the list";

    // Choosing "Music": it becomes the filter and enters the menu's list.
    EXPECT_TRUE(filter->ApplyMenuChoice(8));
    EXPECT_EQ(std::u16string(filter->Label().View()), u"Music");
    const std::vector<Shown> menu = Menu(*filter);
    EXPECT_EQ(menu[1], (Shown{u"All Contacts", 2, false}));
    EXPECT_EQ(menu[7], (Shown{u"Music", 8, true}));
    EXPECT_FALSE(filter->ApplyMenuChoice(8)) << "choosing it again changes nothing";
    EXPECT_FALSE(filter->ApplyMenuChoice(42)) << "a command the menu did not hold";

    filter.reset();  // the frame closes: the menu's list is saved
    CategoryFilter{host_};  // one that never got to Init keeps the stored list
    EXPECT_EQ(StoredList(u"CatMenu").size(), 1u);
    auto again = Started(5);
    EXPECT_EQ(std::u16string(again->Label().View()), u"Music");
    EXPECT_EQ(again->MenuList().Ids(), StoredList(u"CatMenu"));
}

TEST_F(CategoryFilterTest, MoreChoosesSeveralCategoriesAndCancelKeepsEverything) {
    const uint32_t a = Category(u"Alpha"), b = Category(u"Beta"), c = Category(u"Gamma");
    auto filter = Started(2);
    Menu(*filter);
    host_.answer.reset();
    EXPECT_FALSE(filter->ApplyMenuChoice(filter->MoreCommand()));
    EXPECT_EQ(filter->State(), kAllContacts);

    host_.answer = std::vector<uint32_t>{c, a, b};
    EXPECT_TRUE(filter->ApplyMenuChoice(filter->MoreCommand()));
    EXPECT_TRUE(host_.lastInUseOnly);
    EXPECT_EQ(std::pair(std::u16string(filter->Label().View()), filter->Ids()),
              std::pair(std::u16string(u"Multiple..."), std::vector<uint32_t>{c, a, b}));
    EXPECT_EQ(filter->MenuList().Ids(), (std::vector<uint32_t>{a, c})) << "the first two chosen, the first most recent";
    for (const Shown& entry : Menu(*filter)) {
        const bool isCategory = entry.text == u"Alpha" || entry.text == u"Beta" || entry.text == u"Gamma";
        EXPECT_EQ(entry.checked, isCategory) << Str(entry.text).ToUtf8();
    }
    EXPECT_EQ(SettingsStore::ReadBinary(u"Settings", u"CatFltData").size(), 12u);

    // The "Category List" command shows every category; none checked means everyone.
    host_.answer = std::vector<uint32_t>{};
    EXPECT_TRUE(filter->ChooseCategories());
    EXPECT_FALSE(host_.lastInUseOnly);
    EXPECT_EQ(host_.lastInitial, (std::vector<uint32_t>{c, a, b}));
    EXPECT_EQ(filter->State(), kAllContacts);
    EXPECT_TRUE(SettingsStore::ReadBinary(u"Settings", u"CatFltData").empty());

    EXPECT_TRUE(filter->ApplyMenuChoice(kCommandNone));
    EXPECT_EQ(std::make_tuple(filter->State(), filter->Active()), std::make_tuple(kNoCategories, true));
    EXPECT_EQ(Menu(*filter)[2], (Shown{u"No Categories", 3, true}));
}

TEST_F(CategoryFilterTest, ShortMenusHoldNoCategories) {
    Category(u"Work");
    auto filter = Started(-2);
    EXPECT_EQ(filter->MenuList().Capacity(), 0);
    EXPECT_EQ(Menu(*filter).size(), 4u);
    host_.answer = std::vector<uint32_t>{1, 2};
    (void)filter->ChooseCategories();  // what it changed is checked below
    EXPECT_TRUE(filter->MenuList().Ids().empty());
}

TEST_F(CategoryFilterTest, RecentShowsStoredAndTouchedContactsThatStillExist) {
    ASSERT_TRUE(SettingsStore::WriteDwordList(u"CatRecent", std::vector<uint32_t>{0x10, 0, 0x11, 0x12, 0x10}));
    auto filter = Started();
    filter->TouchContact(0x12);
    filter->TouchContact(0x20);
    host_.contacts = {0x10, 0x12, 0x20};
    Menu(*filter);
    EXPECT_TRUE(filter->ApplyMenuChoice(kCommandRecent));
    EXPECT_EQ(filter->Recent().Oids(), (std::vector<uint32_t>{0x20, 0x12, 0x10}));
    EXPECT_EQ(Menu(*filter)[0], (Shown{u"Recent", 1, true}));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", u"CatFltStat", 0), 3u);
    filter.reset();
    EXPECT_EQ(StoredList(u"CatRecent"), (std::vector<uint32_t>{0x20, 0x12, 0x10}));
    EXPECT_EQ(Started()->State(), kAllContacts) << "Recent is never restored at start";
}
