// The contacts from the SIM card in the contacts frame's model on a real store: left out of the
// list, its searches and its company groups while HideSim is on, there when it is off; their
// copies are the phone's own; the editor is refused for them.

#include <set>

#include "ListDevice.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/ui/MessageBox.h"
#include "screen/list/ContactsFrameModel.h"
#include "screen/list/FrameCommands.h"
#include "screen/list/ListKeys.h"
#include "support/MessageBoxRecorder.h"

namespace {

class SimContacts : public ListDevice {
protected:
    void SetUp() override {
        ListDevice::SetUp();
        anna = Add({{kFieldFirst, u"Anna"}, {kFieldCompany, u"Acme"}, {kFieldMobile, u"+1 555 123 4567"}});
        mum = Add({{kFieldFirst, u"Mum"}, {kFieldMobile, u"+44 7700 900123"}}, true);
        taxi =
            Add({{kFieldFirst, u"Taxi Rapid"}, {kFieldMobile, u"+49 151 23456789"}, {kFieldCompany, u"Acme"}},
                true);
        model = std::make_unique<ContactsFrameModel>(Manager(), formats, host, announced);
        model->Start(200, 300);
    }

    void SetHideSim(uint32_t value) {
        ASSERT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kHideSim, value));
        model->ReadHideSim();
        model->RebuildList();
    }

    std::set<uint32_t> Listed() const { return {model->List().Oids().begin(), model->List().Oids().end()}; }
    std::set<uint32_t> Searched(std::u16string_view text) {
        model->OnSearchText(text);
        std::set<uint32_t> found = Listed();
        model->OnSearchText(u"");
        return found;
    }

    PhoneTemplates formats;
    FakeFilterHost host;
    Announcements announced;
    std::unique_ptr<ContactsFrameModel> model;
    uint32_t anna = 0, mum = 0, taxi = 0;
};

TEST_F(SimContacts, HideSimLeavesThemOutOfTheListItsSearchesAndItsGroups) {
    const struct {
        uint32_t hideSim;
        std::set<uint32_t> all, byName, byDigits, byKeypad;
        const char* acmeHeader;
    } cases[] = {
        {1, {anna}, {}, {}, {}, "Acme (1)"},
        {0, {anna, mum, taxi}, {taxi}, {taxi}, {mum}, "Acme (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hideSim);
        SetHideSim(c.hideSim);
        EXPECT_EQ(Listed(), c.all);
        EXPECT_EQ(Searched(u"taxi"), c.byName);
        EXPECT_EQ(Searched(u"23456789"), c.byDigits);
        // A word beginning like the key the index marks them with finds nothing more.
        EXPECT_EQ(Searched(u"~sim"), std::set<uint32_t>{});
        model->OnKey(kVkNumpad0 + 6, KeySource::List);  // MNO
        model->OnKey(kVkNumpad0 + 8, KeySource::List);  // TUV
        EXPECT_EQ(Listed(), c.byKeypad);
        model->OnSearchText(u"");

        model->OnCommand(framecmd::kSortCompany);
        std::vector<std::string> rows;
        for (int row = 0; row < model->List().RowCount(); ++row)
            rows.push_back(model->RowText(row).name.ToUtf8());
        EXPECT_NE(std::find(rows.begin(), rows.end(), c.acmeHeader), rows.end());
        model->OnCommand(framecmd::kSortName);
    }
}

TEST_F(SimContacts, TheEditorIsRefusedForThemAndTheirCopiesAreThePhonesOwn) {
    MessageBoxRecorder boxes;
    Contact contact;
    ASSERT_TRUE(Manager().ReadContact(anna, contact));
    EXPECT_FALSE(RefuseEditOfSimContact(contact));
    ASSERT_TRUE(Manager().ReadContact(mum, contact));
    EXPECT_TRUE(RefuseEditOfSimContact(contact));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"Cannot edit SIM contact !");
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);

    SetHideSim(0);
    const auto at = std::find(model->List().Oids().begin(), model->List().Oids().end(), mum);
    ASSERT_NE(at, model->List().Oids().end());
    ASSERT_TRUE(model->List().Select(static_cast<int>(at - model->List().Oids().begin())));
    const FrameEffect copied = model->OnCommand(framecmd::kDuplicate);
    ASSERT_NE(copied.oid, 0u);
    Settle([&] { return Indexed(copied.oid); });
    ASSERT_TRUE(Manager().ReadContact(copied.oid, contact));
    EXPECT_FALSE(contact.IsFromSim());
    SetHideSim(1);
    EXPECT_EQ(Listed(), (std::set<uint32_t>{anna, copied.oid}));
}

}  // namespace
