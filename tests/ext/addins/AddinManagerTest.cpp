// The add-in table from the device registry, the submenu, the command range and the dialler
// add-in; the end-to-end tests load the project's own add-in, CardExport.dll, from the build tree.
#include "ext/addins/AddinManager.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/registry/Registry.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "support/ContactOf.h"
#include "support/HostFiles.h"
#include "support/MessageBoxRecorder.h"
#include "support/ProgramLog.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t F = addin::kFirstCommandId;

fs::path BuiltAddin() { return fs::path(BREVANE_PEER_DIR).parent_path().parent_path() / "src/app/addins/CardExport.dll"; }

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

class AddinManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove(device_.Host(u"\\Windows\\Aygshell.dll"));  // no shell extensions unless a test adds them
    }
    static void Register(std::u16string_view subkey, const plat::RegValue& dll, const plat::RegValue& menu) {
        const std::u16string key = std::u16string(kAddinsKey) + u"\\" + std::u16string(subkey);
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, key, u"DLL", dll));
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, key, u"Menu", menu));
    }
    static void Register(std::u16string_view subkey, std::u16string_view dll, std::u16string_view menu) {
        Register(subkey, plat::RegValue::String(dll), plat::RegValue::String(menu));
    }
    void PutFile(std::u16string_view devicePath, const fs::path& from = {}) {
        const fs::path host = device_.Host(devicePath);
        fs::create_directories(host.parent_path());
        if (from.empty()) {
            std::ofstream(host) << "library";
        } else {
            fs::copy_file(from, host, fs::copy_options::overwrite_existing);
        }
    }
    void InstallCardExport(std::u16string_view devicePath) {
        ASSERT_TRUE(fs::exists(BuiltAddin())) << BuiltAddin() << " is built with the target brevane_addin_cardexport";
        PutFile(devicePath, BuiltAddin());
    }
    static uint32_t AddContact(const char16_t* first, const char16_t* last) {
        CCeDBDatabase contacts;
        EXPECT_TRUE(contacts.Open(kContactsDbName));
        const Contact contact = ContactOf({{kFieldFirst, first}, {kFieldLast, last}});
        CCeDBRecord record;
        contact.SaveToRecord(contacts, record, false);
        return contacts.Write(record, CCeDBDatabase::kWriteNew);
    }

    TempDevice device_;
    AddinManager manager_;
};

}  // namespace

TEST_F(AddinManagerTest, TheTableTakesTenUsableEntriesInKeyOrder) {
    for (int i = 0; i < 11; ++i) {
        const std::u16string n = {char16_t(u'0' + i / 10), char16_t(u'0' + i % 10)};
        PutFile(u"\\Program Files\\A" + n + u".dll");
        Register(u"Add" + n, u"\\Program Files\\A" + n + u".dll", u"Menu " + n);
    }
    Register(u"Add00a", u"\\Program Files\\missing.dll", u"Missing");            // no such file
    Register(u"Add00b", plat::RegValue::Dword(1), plat::RegValue::String(u"W"));  // DLL of the wrong type
    Register(u"Add00c", u"\\Program Files\\A00.dll", std::u16string(260, u'x'));  // longer than its buffer
    manager_.Load(F);
    const std::vector<AddinEntry>& table = manager_.Addins();
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(std::pair(table.front().menu, table.back().menu), std::pair(Str(u"Menu 00"), Str(u"Menu 09")));
}

TEST_F(AddinManagerTest, ABareNameFoundInWindowsGetsItsFullPath) {
    PutFile(u"\\Windows\\BtDialer.DLL");
    Register(u"Dialer", u"btdialer.dll", u"Dial");
    Register(u"Other", u"\\Other.dll", u"Other");  // nowhere on the device
    manager_.Load(F);
    ASSERT_EQ(manager_.Addins().size(), 1u);
    EXPECT_EQ(manager_.DialerAddInCommand(), static_cast<int>(F));
    EXPECT_EQ(manager_.DialerAddInDll().View(), u"\\Windows\\btdialer.dll");
}

TEST_F(AddinManagerTest, NothingRegisteredAddsNothingAndClaimsNoCommand) {
    manager_.Load(F);
    MenuDescription menu;
    const uint32_t selected[] = {5};
    EXPECT_FALSE(manager_.BuildMenu(menu, selected));
    EXPECT_EQ(std::pair(menu.empty(), manager_.DialerAddInCommand()), std::pair(true, -1));
    // The extensions' range is this menu's: F + 64 is claimed, F - 1 and F + 78 are other menus' commands.
    EXPECT_EQ(std::tuple(manager_.Invoke(F - 1, selected), manager_.Invoke(F + 64, selected), manager_.Invoke(F + 78, selected)),
              std::tuple(false, true, false));
}

TEST_F(AddinManagerTest, TheProjectsAddinWritesTheSelectedContactsAsOneFile) {
    InstallCardExport(u"\\Windows\\CardExport.dll");
    Register(u"Export", u"CardExport.dll", u"Save as vCard");
    const uint32_t anna = AddContact(u"Anna", u"Smith");
    const uint32_t bo = AddContact(u"Bo", u"Lind");
    manager_.Load(F);
    MenuDescription menu;
    const uint32_t selected[] = {anna, bo};
    ASSERT_TRUE(manager_.BuildMenu(menu, selected));
    ASSERT_EQ(menu[1].submenu.at(0).text.View(), u"Save as vCard");

    ASSERT_TRUE(manager_.Invoke(menu[1].submenu[0].id, selected));
    const std::string cards = ReadHostFile(device_.Host(u"\\My Documents\\Contacts.vcf"));
    EXPECT_EQ(Occurrences(cards, "BEGIN:VCARD\r\n"), 2u);
    EXPECT_LT(cards.find("Smith;Anna"), cards.find("Lind;Bo"));
    const std::string command = "\tCardExport.dll\tCePimCommand\t2\t\\My Documents\\Contacts.vcf\n";
    EXPECT_EQ(Occurrences(ReadProgramLog(device_), command), 1u);

    MessageBoxRecorder boxes;
    manager_.ReportInterruptedCommand();
    EXPECT_TRUE(boxes.Boxes().empty()) << "a command that returned leaves no mark";

    const uint32_t one[] = {bo};
    ASSERT_TRUE(manager_.Invoke(F, one));
    EXPECT_EQ(ReadHostFile(device_.Host(u"\\My Documents\\Contacts.vcf")), cards) << "an existing file is never replaced";
    EXPECT_EQ(Occurrences(ReadHostFile(device_.Host(u"\\My Documents\\Contacts (2).vcf")), "BEGIN:VCARD"), 1u);
}

TEST_F(AddinManagerTest, AnAddinThatCannotRunDoesNothingAndSaysWhy) {
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::cos)), &info), 0);
    PutFile(u"\\Windows\\Plain.dll", info.dli_fname);
    Register(u"Plain", u"Plain.dll", u"Plain");
    PutFile(u"\\Windows\\Text.dll");  // not a library at all
    Register(u"Text", u"Text.dll", u"Text");
    manager_.Load(F);
    const uint32_t selected[] = {AddContact(u"Anna", u"Smith")};
    const std::string before = ReadProgramLog(device_);
    MessageBoxRecorder boxes;
    EXPECT_TRUE(manager_.Invoke(F, selected));
    EXPECT_TRUE(manager_.Invoke(F + 1, selected));
    EXPECT_EQ(ReadProgramLog(device_), before);
    EXPECT_FALSE(fs::exists(device_.Host(u"\\My Documents\\Contacts.vcf")));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"The add-in \"Plain\" (\\Windows\\Plain.dll) has no command to run.");
    EXPECT_NE(boxes.Boxes()[1].text.find(u"\"Text\" (\\Windows\\Text.dll) cannot be loaded"), std::u16string::npos);
}

TEST_F(AddinManagerTest, AnAddinThatCrashesIsNamedAtTheNextStart) {
    PutFile(u"\\Windows\\Crash.dll", BREVANE_CRASH_ADDIN);
    Register(u"Crash", u"Crash.dll", u"Crashes");
    manager_.Load(F);
    const uint32_t selected[] = {AddContact(u"Anna", u"Smith")};
    GTEST_FLAG_SET(death_test_style, "fast");
    // The child opens the registry anew: a database connection is not carried across a fork.
    EXPECT_DEATH((plat::CloseDeviceRegistry(), manager_.Invoke(F, selected)), "");
    MessageBoxRecorder boxes;
    manager_.ReportInterruptedCommand();
    manager_.ReportInterruptedCommand();  // told once
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text.find(u"The add-in \"Crashes\" (\\Windows\\Crash.dll) ended the program"), 0u);
}

TEST_F(AddinManagerTest, ShellExtensionsShareTheSubmenuAndGetTheSelection) {
    const std::string before = ReadProgramLog(device_);
    const fs::path shell = device_.Host(u"\\Windows\\Aygshell.dll");
    {
        TempDevice fresh;  // a new device gets the shell library when the stand-ins are built
        if (!fs::exists(fresh.Host(u"\\Windows\\Aygshell.dll"))) GTEST_SKIP() << "the stand-in shell library is not built";
        fs::copy_file(fresh.Host(u"\\Windows\\Aygshell.dll"), shell);
    }
    PutFile(u"\\Windows\\A.dll");
    Register(u"A", u"A.dll", u"First add-in");
    manager_.Load(F);
    MenuDescription menu;
    const uint32_t selected[] = {0x1234, 0x5678};
    ASSERT_TRUE(manager_.BuildMenu(menu, selected));
    const std::vector<MenuItem>& popup = menu[1].submenu;
    ASSERT_EQ(popup.size(), 2u);
    EXPECT_EQ(std::pair(popup[1].id, popup[1].enabled), std::pair(F + 1, true));
    EXPECT_TRUE(manager_.Invoke(F + 1, selected));
    const std::string log = ReadProgramLog(device_).substr(before.size());
    EXPECT_NE(log.find("SHLoadContextMenuExtensions\tContacts\tMain_ContextMenu\t"), std::string::npos) << log;
    EXPECT_NE(log.find("ItemRefArray"), std::string::npos) << log;
    EXPECT_EQ(manager_.Extensions().GetState(), ShellExtensions::kAvailable);
}

TEST_F(AddinManagerTest, AnAddinRunsOnlyWhileTheObjectModelIsAvailable) {
    fs::remove(device_.Host(u"\\pim.vol"));
    InstallCardExport(u"\\Windows\\CardExport.dll");
    Register(u"Export", u"CardExport.dll", u"Save");
    manager_.Load(F);
    const uint32_t selected[] = {1};
    MessageBoxRecorder boxes;
    EXPECT_TRUE(manager_.Invoke(F, selected));
    EXPECT_FALSE(fs::exists(device_.Host(u"\\My Documents\\Contacts.vcf")));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(u"the contacts store is not available"), std::u16string::npos);
}
