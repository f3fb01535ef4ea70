// The project's add-in on the contact list's context menu, end to end: registered on the device,
// offered under "Outlook Plugin", run on the contact the menu was opened on. What an add-in that
// cannot run says is the add-in manager's test.

#include "ListScreen.h"
#include "ext/addins/AddinTable.h"
#include "phone/PhoneTestSupport.h"
#include "platform/programs/Standins.h"
#include "platform/registry/Registry.h"
#include "support/HostFiles.h"

namespace {

class AddinMenuScreen : public ListScreen {
protected:
    static void Register(std::u16string_view name, std::u16string_view dll, std::u16string_view menu) {
        const std::u16string key = std::u16string(kAddinsKey) + u"\\" + std::u16string(name);
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, key, u"DLL", plat::RegValue::String(dll)));
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, key, u"Menu", plat::RegValue::String(menu)));
    }
    // Opens the context menu on the row of `name` and chooses `item` of its "Outlook Plugin".
    void ChooseAddin(ContactsFrame& frame, const QString& name, const QString& item) {
        CoolList& list = frame.List().Window();
        const int row = static_cast<int>(Rows(frame).indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        const auto holdOn = [&] { QTest::mouseClick(list.Widget(), Qt::RightButton, {}, list.RowRect(row).center()); };
        EXPECT_TRUE(WithPopup(holdOn, [&](QMenu& menu) {
            QMenu* addins = OpenSubmenu(menu, "Outlook Plugin");
            if (addins == nullptr) {
                ADD_FAILURE() << "no add-ins in " << Texts(menu).join(" | ").toStdString();
                menu.close();
                return;
            }
            SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu, addins}, "list_addin_menu");
            ChooseByKeys(*addins, item);
        }));
    }
};

TEST_F(AddinMenuScreen, TheProjectsAddinExportsTheContactItWasOpenedOn) {
    const auto built = plat::FindBuiltAddin("CardExport.dll");
    ASSERT_TRUE(built) << "CardExport.dll is built with the target brevane_addin_cardexport";
    ASSERT_TRUE(plat::InstallDeviceFile(device_.Device(), *built, u"\\Windows\\CardExport.dll"));
    Register(u"CardExport", u"CardExport.dll", u"Save as vCard");
    ContactsFrame& frame = Start();
    Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}});
    Add({{kFieldFirst, u"Bo"}, {kFieldLast, u"Lind"}});

    ChooseAddin(frame, Rows(frame).filter("Lind").value(0), "Save as vCard");
    const std::string cards = ReadHostFile(device_.Host(u"\\My Documents\\Contacts.vcf"));
    EXPECT_NE(cards.find("Lind;Bo"), std::string::npos) << cards;
    EXPECT_EQ(cards.find("Smith"), std::string::npos) << "only the contact the menu was opened on";
    const std::vector<std::string> log = ProgramLog(device_);
    EXPECT_NE(std::find(log.begin(), log.end(), "CardExport.dll\tCePimCommand\t1\t\\My Documents\\Contacts.vcf"), log.end());
    EXPECT_TRUE(boxes_.Boxes().empty());
}

}  // namespace
