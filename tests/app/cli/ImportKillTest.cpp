// A real import (brevane-cli import in a process of its own) killed at random moments: afterwards
// every contact of the file is in the store whole (its values, categories and named values) or not
// at all, none is there twice, and the index opened next holds exactly the stored contacts. The
// moments are drawn over the time an import that was not killed spent from its first write to the
// volume (the file read and parsed before matter little) to its end; BREVANE_IMPORT_KILLS sets how
// many kills (3 by default).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "app/cli/DemoContacts.h"
#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "platform/loop/EventLoop.h"
#include "platform/pom/CategoryDatabases.h"
#include "store/contact/ContactFields.h"
#include "store/contact/NamedValues.h"
#include "store/db/DbNames.h"
#include "store/vcard/ContactTransfer.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kContacts = 4000;

class ImportKill : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        file_ = device_.Root().parent_path() / "contacts.vcf";
        std::ofstream out(file_, std::ios::binary);
        for (const DemoContact& demo : DemoContacts::Generate(kContacts)) out << ExportContact(demo.contact, demo.categories);
        out.close();
        std::ifstream in(file_, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<ImportedContact> contacts;
        std::vector<ReadSkip> skipped;
        ASSERT_TRUE(ImportContacts(bytes, contacts, skipped).ok());
        ASSERT_TRUE(skipped.empty());
        for (ImportedContact& imported : contacts) source_[DemoContacts::Key(imported.contact)] = std::move(imported);
        ASSERT_EQ(source_.size(), static_cast<size_t>(kContacts));
    }

    // Starts brevane-cli import on the device at `root`.
    static pid_t StartImport(const std::filesystem::path& root, const std::filesystem::path& file) {
        return SpawnProgram({BREVANE_CLI, "--root", root.string(), "import", file.string()});
    }

    // The size of the volume's write-ahead log: it grows from the import's first write on.
    static uintmax_t LogSize(const std::filesystem::path& root) {
        std::error_code ec;
        const uintmax_t size = std::filesystem::file_size(root / "pim.vol-wal", ec);
        return ec ? 0 : size;
    }

    // Waits until the import writes to the volume; false when it ended first.
    static bool AwaitFirstWrite(const std::filesystem::path& root, pid_t pid) {
        const uintmax_t before = LogSize(root);
        while (LogSize(root) == before) {
            if (waitpid(pid, nullptr, WNOHANG) != 0) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return true;
    }

    static uint32_t RecordCount(std::u16string_view name) {
        CCeDBDatabase db;
        plat::DatabaseInfo info;
        return db.Open(std::u16string(name).c_str()) && db.GetInfo(info) ? info.recordCount : 0;
    }

    // Checks the device's store and index against the file; returns the contacts stored.
    size_t CheckWholeOrAbsent() {
        ContactManager& manager = ContactManager::Instance();
        EXPECT_TRUE(manager.Init(nullptr));
        CategoryManager* categories = CategoryManager::Instance();
        EXPECT_NE(categories, nullptr);
        std::set<std::u16string> seen;
        std::vector<uint32_t> stored;
        size_t named = 0, assigned = 0;
        CCeDBDatabase& records = manager.Databases().Contacts();
        for (bool more = records.SeekFirst(); more; more = records.SeekNext()) {
            const uint32_t oid = records.CurrentRecordId();
            Contact contact;
            if (!manager.ReadContact(oid, contact)) {
                ADD_FAILURE() << "contact " << oid << " cannot be read";
                continue;
            }
            stored.push_back(oid);
            const std::u16string key = DemoContacts::Key(contact);
            EXPECT_TRUE(seen.insert(key).second) << "a contact is stored twice: " << Str(key).ToUtf8();
            const auto found = source_.find(key);
            if (found == source_.end()) {
                ADD_FAILURE() << "a stored contact is not one of the file's: " << Str(key).ToUtf8();
                continue;
            }
            Array<Str> names;
            EXPECT_TRUE(categories != nullptr && categories->GetContactCategoryNames(contact, names));
            std::vector<Str> got(names.begin(), names.end()), expected = found->second.categories;
            std::sort(got.begin(), got.end());
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(got, expected) << Str(key).ToUtf8();
            Contact wanted;
            wanted.Assign(found->second.contact);
            // The store may fill an empty File As; categories were compared by name above.
            if (wanted.GetText(kFieldFileAs).IsEmpty()) wanted.SetText(kFieldFileAs, contact.GetText(kFieldFileAs));
            wanted.categories.RemoveAll();
            contact.categories.RemoveAll();
            EXPECT_TRUE(contact.Equals(wanted)) << "a contact is stored in part: " << Str(key).ToUtf8();
            named += NamedValuesOf(contact).size();
            assigned += expected.size();
        }
        // Nothing of an absent contact is left: every named value and assignment belongs to one.
        EXPECT_EQ(RecordCount(kNamedPropsDbName), named);
        EXPECT_EQ(RecordCount(plat::pom::kCategoryAssocDb), assigned);
        OidVector indexed = manager.Index().ListAll(IndexOrder::Name, nullptr);
        std::sort(indexed.begin(), indexed.end());
        std::sort(stored.begin(), stored.end());
        EXPECT_EQ(indexed, stored) << "the index differs from the store";
        ContactManager::Release();
        return stored.size();
    }

    TempDevice device_;
    std::filesystem::path file_;
    std::map<std::u16string, ImportedContact> source_;
};

TEST_F(ImportKill, EveryContactIsWholeOrAbsentAndIndexedOnce) {
    const pid_t whole = StartImport(device_.Root(), file_);
    ASSERT_NE(whole, 0);
    ASSERT_TRUE(AwaitFirstWrite(device_.Root(), whole));
    const auto start = Clock::now();
    ASSERT_EQ(WaitExit(whole), 0);
    const auto length = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_EQ(CheckWholeOrAbsent(), static_cast<size_t>(kContacts));

    const char* asked = std::getenv("BREVANE_IMPORT_KILLS");
    const int kills = asked != nullptr ? std::atoi(asked) : 3;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < kills; ++round) {
        TempDevice device;
        const auto delay = std::chrono::milliseconds(random() % (length.count() + 1));
        SCOPED_TRACE("killed " + std::to_string(delay.count()) + " ms after its first write, of " +
                     std::to_string(length.count()));
        const pid_t pid = StartImport(device.Root(), file_);
        ASSERT_NE(pid, 0);
        AwaitFirstWrite(device.Root(), pid);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
        WaitExit(pid);
        const size_t stored = CheckWholeOrAbsent();
        RecordProperty("stored_after_kill_" + std::to_string(round), static_cast<int>(stored));
    }
}

}  // namespace
