#include "categories/ringtones/CallFilter.h"

#include <gtest/gtest.h>

#include "categories/manager/CategoryManager.h"
#include "categories/ringtones/CallFilterMenu.h"
#include "categories/ringtones/CallerGroups.h"
#include "platform/pom/VolumeDevice.h"
#include "platform/registry/Registry.h"

namespace {

constexpr std::u16string_view kSection = u"Software\\Velmora\\PIM\\CatFilter";

// The section as the caller-ID program reads it: "All", then the ids by "Count" (nothing for
// "Count" when it is missing).
struct Stored {
    std::optional<uint32_t> all;
    std::vector<int32_t> ids;
    bool hasCount = false;
    bool operator==(const Stored&) const = default;
};

Stored ReadStored() {
    plat::Registry& registry = plat::DeviceRegistry();
    Stored stored;
    if (auto all = registry.GetValue(plat::Hive::CurrentUser, kSection, u"All")) stored.all = all->AsDword();
    const auto count = registry.GetValue(plat::Hive::CurrentUser, kSection, u"Count");
    stored.hasCount = count.has_value();
    for (uint32_t i = 0; count && i < count->AsDword().value_or(0); ++i) {
        const std::string name = std::to_string(i);
        const auto id = registry.GetValue(plat::Hive::CurrentUser, kSection, std::u16string(name.begin(), name.end()));
        stored.ids.push_back(static_cast<int32_t>(id->AsDword().value()));
    }
    return stored;
}

class CallFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char16_t* name : {u"Work", u"Family", u"Club"}) {
            uint32_t id = 0;
            ASSERT_EQ(CategoryManager::Instance()->AddCategory(name, id), CategoryManager::kAddCreated);
        }
        ASSERT_TRUE(CategoryManager::Instance()->GetAllCategories(categories_));  // Club, Family, Work
        club_ = Id(0), family_ = Id(1), work_ = Id(2);
    }
    int32_t Id(int index) { return static_cast<int32_t>(categories_[index].id); }
    void Store(const std::vector<std::pair<std::u16string, plat::RegValue>>& values) {
        plat::DeviceRegistry().DeleteKey(plat::Hive::CurrentUser, kSection);
        for (const auto& [name, value] : values) plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, kSection, name, value);
    }
    static plat::RegValue D(int32_t v) { return plat::RegValue::Dword(static_cast<uint32_t>(v)); }

    VolumeDevice device_;
    Array<CategoryEntry> categories_;
    int32_t club_ = 0, family_ = 0, work_ = 0;
};

template <typename T>
Array<T> Arr(std::initializer_list<T> items) {
    Array<T> out;
    for (const T& item : items) out.Add(item);
    return out;
}

}  // namespace

TEST_F(CallFilterTest, LoadDropsZeroAndRepeatsAndStoresACompleteListAsAll) {
    Store({{u"All", D(0)}, {u"Count", D(4)}, {u"0", D(work_)}, {u"1", D(0)}, {u"2", D(work_)}, {u"3", D(-1)}});
    CallFilter filter;
    filter.Load();
    EXPECT_EQ(filter.FilteredIds(), (std::vector<int32_t>{work_, -1}));
    EXPECT_FALSE(filter.IsEnabled(work_));
    EXPECT_TRUE(filter.IsEnabled(family_));
    EXPECT_EQ(ReadStored().ids, (std::vector<int32_t>{work_, 0, work_, -1}));  // not rewritten

    Store({{u"All", D(0)}, {u"Count", D(6)}, {u"0", D(-2)}, {u"1", D(club_)}, {u"2", D(-1)},
           {u"3", D(work_)}, {u"4", D(family_)}, {u"5", D(-3)}});
    filter.Load();
    EXPECT_TRUE(filter.All());
    EXPECT_EQ(ReadStored(), (Stored{1u, {}, false}));

    // Values of the wrong type count as missing: a text "All" is 0, a text id is skipped.
    Store({{u"All", plat::RegValue::String(u"1")}, {u"Count", D(2)}, {u"0", plat::RegValue::String(u"7")},
           {u"1", D(family_)}});
    filter.Load();
    EXPECT_FALSE(filter.All());
    EXPECT_EQ(filter.FilteredIds(), (std::vector<int32_t>{family_}));
}

TEST_F(CallFilterTest, AnIdOfADeletedCategoryDoesNotCountAsAllCategories) {
    // As many ids as categories, but one is stale: Family is still let through.
    Store({{u"All", D(0)}, {u"Count", D(6)}, {u"0", D(-1)}, {u"1", D(-2)}, {u"2", D(-3)},
           {u"3", D(club_)}, {u"4", D(work_)}, {u"5", D(99999)}});
    CallFilter filter;
    filter.Load();
    EXPECT_FALSE(filter.All());
    EXPECT_TRUE(filter.IsEnabled(family_));
}

TEST_F(CallFilterTest, EnableAllAfterDisableAllAndOneGroupOutOfAll) {
    CallFilter filter;
    filter.Load();
    ASSERT_TRUE(filter.DisableAll());
    EXPECT_EQ(ReadStored(), (Stored{1u, {}, false}));
    ASSERT_TRUE(filter.EnableAll());
    EXPECT_EQ(ReadStored(), (Stored{0u, {}, true}));

    ASSERT_TRUE(filter.DisableAll());
    ASSERT_TRUE(filter.SetEnabled(family_, true));
    EXPECT_EQ(ReadStored(), (Stored{0u, {club_, work_, -3, -1, -2}, true}));
    for (int32_t id : {club_, work_, -1, -2, -3}) EXPECT_FALSE(filter.IsEnabled(id)) << id;
    EXPECT_TRUE(filter.IsEnabled(family_));

    // Keeping the last one away again makes the list complete: stored as "All".
    ASSERT_TRUE(filter.SetEnabled(family_, false));
    EXPECT_EQ(ReadStored(), (Stored{1u, {}, false}));
    // Keeping a group away while all are kept away changes nothing.
    ASSERT_TRUE(filter.SetEnabled(-1, false));
    EXPECT_TRUE(filter.All());
    EXPECT_FALSE(filter.IsEnabled(family_));
}

TEST_F(CallFilterTest, ChecksOfTheRingtoneDialog) {
    CallFilter filter;
    filter.Load();
    // Every row but "Default Ringtone" unchecked, every category listed.
    ASSERT_TRUE(filter.SetFromChecks(Arr<int32_t>({0, -1, -2, -3, club_, family_, work_}),
                                     Arr<bool>({true, false, false, false, false, false, false})));
    EXPECT_EQ(ReadStored(), (Stored{1u, {}, false}));
    // Only the categories in use listed (Work): the ids are stored one by one.
    ASSERT_TRUE(filter.SetFromChecks(Arr<int32_t>({0, -1, -2, -3, work_}),
                                     Arr<bool>({false, false, false, false, false})));
    EXPECT_EQ(ReadStored(), (Stored{0u, {-1, -2, -3, work_}, true}));
    EXPECT_TRUE(filter.IsEnabled(0));
}

TEST_F(CallFilterTest, SubmenuChecksAndCommands) {
    CallFilter filter;
    filter.Load();
    ASSERT_TRUE(RunCallFilterCommand(filter, categories_, kCmdCallFilterDisableAll));
    ASSERT_TRUE(RunCallFilterCommand(filter, categories_, kCmdCallFilterFirstCategory + 2));  // Work on
    ASSERT_TRUE(RunCallFilterCommand(filter, categories_, kCmdCallFilterNoContact));          // -2 on
    EXPECT_FALSE(RunCallFilterCommand(filter, categories_, kCmdCallFilterFirstCategory + 3));  // no such
    EXPECT_FALSE(RunCallFilterCommand(filter, categories_, 25299));

    const MenuDescription menu = BuildCallFilterMenu(filter, categories_);
    std::vector<std::tuple<uint32_t, std::u16string, bool>> items;
    for (const MenuItem& item : menu) items.emplace_back(item.id, item.text.View(), item.IsChecked());
    EXPECT_EQ(items, (std::vector<std::tuple<uint32_t, std::u16string, bool>>{
                         {25300, u"Enable All", false},
                         {25301, u"Disable All", false},
                         {0, u"", false},
                         {25302, u"Private (no number)", false},
                         {25303, u"Unknown (no entry)", true},
                         {25304, u"Without category", false},
                         {25305, u"Club", false},
                         {25306, u"Family", false},
                         {25307, u"Work", true},
                     }));
    EXPECT_TRUE(menu[2].separator);
    ASSERT_TRUE(RunCallFilterCommand(filter, categories_, kCmdCallFilterEnableAll));
    EXPECT_TRUE(BuildCallFilterMenu(filter, categories_)[0].IsChecked());
}
