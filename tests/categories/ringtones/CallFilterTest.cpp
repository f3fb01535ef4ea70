#include "categories/ringtones/CallFilter.h"

#include <gtest/gtest.h>

#include "categories/ArrayOf.h"
#include "categories/manager/CategoryManager.h"
#include "categories/ringtones/RingtoneListModel.h"
#include "categories/ringtones/RingtoneManager.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"

namespace {

constexpr std::u16string_view kSection = u"Software\\Velmora\\PIM\\CatFilter";
constexpr plat::Hive kHkcu = plat::Hive::CurrentUser;

// The section as the caller-ID program reads it: "All", "Count" (-1 when there is none), then the
// "Count" numbered ids.
using Stored = std::vector<int64_t>;

Stored ReadStored() {
    plat::Registry& registry = plat::DeviceRegistry();
    Stored stored{registry.GetValue(kHkcu, kSection, u"All").value().AsDword().value_or(98), -1};
    if (const auto count = registry.GetValue(kHkcu, kSection, u"Count")) stored[1] = *count->AsDword();
    for (int64_t i = 0; i < stored[1]; ++i) {
        const std::string name = std::to_string(i);
        const auto id = registry.GetValue(kHkcu, kSection, std::u16string(name.begin(), name.end()));
        stored.push_back(static_cast<int32_t>(id->AsDword().value()));
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
        filter_.Load();
    }
    int32_t Id(int index) { return static_cast<int32_t>(categories_[index].id); }
    // Replaces the section with "All" 0 and the given ids (as stored by another program).
    void StoreIds(std::initializer_list<plat::RegValue> ids) {
        (void)plat::DeviceRegistry().DeleteKey(kHkcu, kSection);  // there may be none yet
        EXPECT_TRUE(plat::DeviceRegistry().SetValue(kHkcu, kSection, u"All", plat::RegValue::Dword(0)));
        EXPECT_TRUE(plat::DeviceRegistry().SetValue(
            kHkcu, kSection, u"Count", plat::RegValue::Dword(static_cast<uint32_t>(ids.size()))));
        for (int i = 0; const plat::RegValue& id : ids) {
            const std::string name = std::to_string(i++);
            EXPECT_TRUE(plat::DeviceRegistry().SetValue(kHkcu, kSection,
                                                        std::u16string(name.begin(), name.end()), id));
        }
    }
    static plat::RegValue D(int32_t v) { return plat::RegValue::Dword(static_cast<uint32_t>(v)); }

    TempDevice device_;
    Array<CategoryEntry> categories_;
    int32_t club_ = 0, family_ = 0, work_ = 0;
    CallFilter filter_;
};

}  // namespace

TEST_F(CallFilterTest, LoadDropsZeroRepeatsAndForeignValuesAndStoresACompleteListAsAll) {
    StoreIds({D(work_), D(0), D(work_), plat::RegValue::String(u"7"), D(-1)});
    filter_.Load();
    EXPECT_EQ(filter_.FilteredIds(), (std::vector<int32_t>{work_, -1}));
    EXPECT_TRUE(filter_.IsEnabled(family_));

    StoreIds({D(-2), D(club_), D(-1), D(work_), D(family_), D(-3)});
    filter_.Load();
    EXPECT_TRUE(filter_.All());
    EXPECT_EQ(ReadStored(), (Stored{1, -1}));

    // As many ids as categories, but one of a deleted category: Family is still let through.
    StoreIds({D(-1), D(-2), D(-3), D(club_), D(work_), D(99999)});
    filter_.Load();
    EXPECT_FALSE(filter_.All());
    EXPECT_TRUE(filter_.IsEnabled(family_));
}

TEST_F(CallFilterTest, EnableAllAfterDisableAllAndOneGroupOutOfAll) {
    ASSERT_TRUE(filter_.DisableAll());
    ASSERT_TRUE(filter_.EnableAll());
    EXPECT_EQ(ReadStored(), (Stored{0, 0}));

    ASSERT_TRUE(filter_.DisableAll());
    ASSERT_TRUE(filter_.SetEnabled(family_, true));
    EXPECT_EQ(ReadStored(), (Stored{0, 5, club_, work_, -3, -1, -2}));
    EXPECT_TRUE(filter_.IsEnabled(family_));

    ASSERT_TRUE(filter_.SetEnabled(family_, false));  // the list is complete again
    EXPECT_EQ(ReadStored(), (Stored{1, -1}));
}

TEST_F(CallFilterTest, RingtoneDialogRowsAndOk) {
    StdContact anna;
    anna.SetRecordId(5);
    ASSERT_TRUE(CategoryManager::Instance()->AddContactCategories(anna, ArrayOf<uint32_t>({static_cast<uint32_t>(work_)})));
    RingtoneManager ringtones;
    ringtones.Load();
    ASSERT_TRUE(ringtones.SetRingtones(ArrayOf<Str>({Str(u"Work"), RequireStr(41441)}), ArrayOf<Str>({Str(u"\\w.wav"), Str(u"\\d.wav")})));
    ASSERT_TRUE(filter_.SetEnabled(-2, false));

    RingtoneListModel model;
    ASSERT_TRUE(model.Load(filter_, ringtones));
    std::vector<std::tuple<int32_t, std::u16string, bool, std::u16string>> rows;
    for (const RingtoneRow& row : model.Rows()) rows.emplace_back(row.id, row.name.View(), row.checked, row.ringtone.View());
    EXPECT_EQ(rows, (std::vector<std::tuple<int32_t, std::u16string, bool, std::u16string>>{
                        {0, u"Default Ringtone", true, u"\\d.wav"},
                        {-1, u"Private (no number)", true, u""},
                        {-2, u"Unknown (no entry)", false, u""},
                        {-3, u"Without category", true, u""},
                        {work_, u"Work", true, u"\\w.wav"}}));  // only the category in use

    model.ToggleCheck(0);  // the default row stays checked
    for (int row = 1; row < 5; ++row) model.ToggleCheck(row == 2 ? 99 : row);
    model.SetRingtone(4, u"\\new.wav");
    ASSERT_TRUE(model.Apply(filter_, ringtones));
    EXPECT_EQ(ReadStored(), (Stored{0, 4, -1, -2, -3, work_}));  // not every category listed
    Array<Str> paths;
    ringtones.RingtonesFor(ArrayOf<Str>({Str(u"Work")}), paths);
    EXPECT_EQ(paths[0], u"\\new.wav");

    // Every category listed and every row unchecked: the complete list is stored as "All".
    ASSERT_TRUE(SettingsStore::WriteDword(u"Settings", u"CID_UseAllCat", 1));
    ASSERT_TRUE(filter_.EnableAll());
    ASSERT_TRUE(model.Load(filter_, ringtones));
    ASSERT_EQ(model.Rows().GetSize(), 7);
    for (int row = 1; row < 7; ++row) model.ToggleCheck(row);
    ASSERT_TRUE(model.Apply(filter_, ringtones));
    EXPECT_EQ(ReadStored(), (Stored{1, -1}));
}
