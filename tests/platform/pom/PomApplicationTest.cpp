#include "platform/pom/PomApplication.h"

#include <gtest/gtest.h>

#include "platform/pom/PomDefs.h"
#include "platform/pom/PomItem.h"
#include "support/TempDevice.h"

namespace {

uint32_t ItemRef(uint32_t number) { return plat::pom::kKindContact << plat::pom::kItemKindShift | number; }

plat::CeOid Found(plat::pom::Application& app, uint32_t number) {
    const auto item = app.GetItemFromOid(ItemRef(number));
    return item ? item->Oid() : 0;
}

}  // namespace

// Contacts are found by item number whichever was asked first: the newest (whose walk stops
// early), older ones the walk skipped, one saved after it, and none for a deleted one.
TEST(PomApplication, FindsEveryContactByItemNumberWhateverTheOrderOfTheQuestions) {
    TempDevice device;
    plat::CeGuid volume;
    ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume));
    const plat::DbHandle db = plat::OpenDatabase(volume, plat::pom::kContactsDatabase, nullptr, {});
    ASSERT_NE(db, plat::kInvalidDbHandle);
    const auto add = [&] {
        const std::vector props{plat::PropVal::Text(plat::MakePropId(0x3A06, plat::CEVT_LPWSTR), u"x")};
        return plat::WriteRecordProps(db, 0, props);
    };
    std::vector<plat::CeOid> oids;  // item numbers count from 1
    for (int i = 0; i < 6; ++i) oids.push_back(add());

    plat::pom::Application app;
    ASSERT_TRUE(app.Logon());
    EXPECT_EQ(Found(app, 6), oids[5]);
    EXPECT_EQ(Found(app, 3), oids[2]);
    ASSERT_TRUE(plat::DeleteRecord(db, oids[3]));
    EXPECT_EQ(Found(app, 4), 0u);
    oids.push_back(add());
    EXPECT_EQ(Found(app, 7), oids[6]);
    EXPECT_EQ(Found(app, 1), oids[0]);
    EXPECT_EQ(Found(app, 5), oids[4]);
    (void)plat::CloseDatabase(db);     // clean-up
    (void)plat::UnmountDbVol(volume);  // clean-up
}
