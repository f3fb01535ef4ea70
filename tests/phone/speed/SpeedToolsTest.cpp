#include <gtest/gtest.h>

#include <map>

#include "phone/menu/PhoneFields.h"
#include "phone/speed/CSpeedInfoStore.h"
#include "phone/speed/SpeedContacts.h"
#include "phone/speed/SpeedToolsMenu.h"
#include "platform/ui/MessageBox.h"
#include "store/contact/Contact.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"

namespace {

class Contacts : public SpeedContacts {
public:
    bool Read(uint32_t oid, Contact& contact) override {
        const auto it = names.find(oid);
        if (it == names.end()) return false;
        contact.SetText(kFieldFirst, it->second);
        contact.SetText(kFieldMobile, u"+15550000");
        contact.SetOid(oid);
        return true;
    }
    std::optional<uint32_t> FirstFound(const Str&) override { return std::nullopt; }
    std::map<uint32_t, const char16_t*> names{{1, u"Cleo"}, {2, u"Abe"}, {3, u"Bo"}};
};

// The enabled state of the menu's commands, in menu order, as "id:0|1".
std::vector<std::string> Enabled(const MenuDescription& menu) {
    std::vector<std::string> out;
    const auto walk = [&out](const auto& self, const std::vector<MenuItem>& items) -> void {
        for (const MenuItem& item : items) {
            if (item.id != 0) out.push_back(std::to_string(item.id) + ":" + (item.enabled ? "1" : "0"));
            self(self, item.submenu);
        }
    };
    walk(walk, menu.items);
    return out;
}

class SpeedTools : public testing::Test {
protected:
    void SetUp() override {
        store.Load(2, 2);  // cells 0 1 / 2 3
        ASSERT_TRUE(store.Assign(0, 1, kTagMobile));
        ASSERT_TRUE(store.Assign(3, 2, kTagMobile));
    }
    std::vector<int> Cells() const {
        std::vector<int> cells;
        for (const SpeedRecord& r : store.Records()) cells.push_back(r.index);
        return cells;
    }
    TempDevice device;
    Contacts contacts;
    CSpeedInfoStore store{contacts};
};

}  // namespace

TEST_F(SpeedTools, TheMenuEnablesWhatTheSelectedCellAllows) {
    EXPECT_EQ(Enabled(SpeedToolsMenu(store, 0)),
              (std::vector<std::string>{"41447:1", "41424:0", "41425:1", "41427:0", "41426:1", "41448:1", "41413:1",
                                        "41415:1", "41410:1"}));
    EXPECT_EQ(Enabled(SpeedToolsMenu(store, 1)),
              (std::vector<std::string>{"41447:0", "41424:0", "41425:0", "41427:0", "41426:0", "41448:0", "41413:1",
                                        "41415:1", "41410:1"}))
        << "an empty cell has nothing to rename, move or clear";
}

TEST_F(SpeedTools, ClearingAsksOnlyForEverything) {
    MessageBoxRecorder boxes;
    int selected = 2;
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClear, selected), SpeedToolsOutcome::None) << "an empty cell";
    selected = 3;
    EXPECT_EQ(ApplySpeedTools(store, kSpeedRename, selected), SpeedToolsOutcome::OpenRename);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedLeft, selected), SpeedToolsOutcome::Redraw);
    EXPECT_EQ(selected, 2) << "the selection follows a move";
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClear, selected), SpeedToolsOutcome::Redraw);
    EXPECT_EQ(Cells(), std::vector<int>{0});
    EXPECT_TRUE(boxes.Boxes().empty());

    boxes.Answer(plat::IDNO);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClearAll, selected), SpeedToolsOutcome::None);
    EXPECT_EQ(Cells(), std::vector<int>{0});
    boxes.Answer(plat::IDYES);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClearAll, selected), SpeedToolsOutcome::Redraw);
    EXPECT_TRUE(store.Records().empty());
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_YESNO | plat::MB_ICONWARNING);
    EXPECT_EQ(ApplySpeedTools(store, kSpeedClose, selected), SpeedToolsOutcome::Close);
}
