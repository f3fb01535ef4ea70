#include <gtest/gtest.h>

#include "phone/menu/PhoneFields.h"
#include "phone/speed/CSpeedInfoStore.h"
#include "phone/speed/FakeSpeedContacts.h"
#include "phone/speed/SpeedToolsMenu.h"
#include "platform/ui/MessageBox.h"
#include "store/contact/Contact.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDevice.h"

namespace {

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
        for (const auto& [oid, name] : {std::pair(1u, u"Cleo"), std::pair(2u, u"Abe"), std::pair(3u, u"Bo")}) {
            contacts.Add(oid, name, u"", u"+15550000");
        }
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
    FakeContacts contacts;
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
