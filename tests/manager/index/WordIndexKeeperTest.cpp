// The program's index on a real device folder: the contact manager with WordIndexKeeper over the
// device's index files, searched through ContactSearch. Adds, updates and deletes are found (and
// no longer found) by words and trailing digits, and a reopen finds the saved files holding the
// same; a save whose file replacement fails, and a change whose heap cannot grow, are reported,
// and the next start holds every stored contact. Files left unsaved are caught up from the
// journal, or checked whole when it cannot tell.
#include "manager/index/WordIndexKeeper.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "categories/manager/CategoryManager.h"
#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "index/format/Words.h"
#include "index/mapped/FileSeal.h"
#include "index/props/PropsFormat.h"
#include "index/props/PropsStore.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "support/ContactOf.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

constexpr int kWaitMs = 30000;

// While it lives, files of this process (shared memory included) cannot grow past `bytes`: it stands
// in for a full /dev/shm. A write past the limit fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limited{bytes, old_.rlim_max};
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int);
    bool ok_ = false;
};

class KeptIndex : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        Connect();
    }

    void Connect() {
        manager = std::make_unique<ContactManager>(std::make_unique<WordIndexKeeper>());
        ASSERT_TRUE(manager->Init(nullptr));
    }

    // Hands the notifications of every change so far to the index, now.
    void Settle() {
        ASSERT_TRUE(plat::RunUntil([&] { return manager->NotificationsDelivered(); }, kWaitMs));
        manager->FlushQueue();
    }

    uint32_t Add(const char16_t* first, const char16_t* last, const char16_t* mobile) {
        Contact contact = ContactOf({{kFieldFirst, first}, {kFieldLast, last}, {kFieldMobile, mobile}});
        EXPECT_TRUE(manager->AddContact(contact, true).Complete());
        return contact.GetOid();
    }

    OidVector Typed(std::u16string_view text) {
        ContactSearch search(*manager);
        return search.Typed(text, ListOrder::Name, {}).oids;
    }

    // Each text finds exactly its contacts.
    void ExpectFound(const std::vector<std::pair<std::u16string, OidVector>>& cases) {
        for (const auto& [text, oids] : cases) EXPECT_EQ(Typed(text), oids) << Str(text).ToUtf8();
    }

    TempDevice device;
    std::unique_ptr<ContactManager> manager;
};

}  // namespace

TEST_F(KeptIndex, ChangesAreFoundAndKeptAcrossAReopen) {
    const uint32_t anna = Add(u"Anna", u"Berger", u"+1 555 010 1234");
    const uint32_t bern = Add(u"Bern", u"Adler", u"+1 555 020 9876");
    Settle();
    ExpectFound(
        {{u"ann", {anna}}, {u"ADL", {bern}}, {u"ber", {bern, anna}}, {u"0101234", {anna}}, {u"x", {}}});
    ContactSearch search(*manager);
    EXPECT_EQ(search.Lookup(u"5550209876"), OidVector{bern});

    Contact changed;
    ASSERT_TRUE(manager->ReadContact(anna, changed));
    changed.SetText(kFieldLast, Str(u"Zeller"));
    changed.SetText(kFieldMobile, Str(u"+1 555 030 5555"));
    ASSERT_TRUE(manager->UpdateContact(changed, true).Complete());
    ASSERT_TRUE(manager->DeleteContact(bern).record);
    Settle();
    const std::vector<std::pair<std::u16string, OidVector>> after = {{u"zel", {anna}},     {u"0101234", {}},
                                                                     {u"0305555", {anna}}, {u"adler", {}},
                                                                     {u"0209876", {}},     {u"", {anna}}};
    ExpectFound(after);

    ASSERT_TRUE(manager->SaveNow());
    manager.reset();
    Connect();
    ExpectFound(after);
}

TEST_F(KeptIndex, AFailedFileReplacementIsReportedAndTheNextStartHoldsEveryContact) {
    const uint32_t anna = Add(u"Anna", u"Berger", u"");
    Settle();
    const std::filesystem::path words = device.Host(u"\\pim_index1.dat");
    std::filesystem::remove(words);
    std::filesystem::create_directories(words / "blocker");
    EXPECT_FALSE(manager->SaveNow());
    const uint32_t bern = Add(u"Bern", u"Adler", u"");
    Settle();
    manager.reset();
    std::filesystem::remove_all(words);

    Connect();
    ExpectFound({{u"berger", {anna}}, {u"adler", {bern}}, {u"", {bern, anna}}});
}

// The word index's heap runs out of memory in the middle of indexing a change: the change is
// reported as failed (a fatal error and its log line), the index is marked so that its images are
// never trusted again, and the next start agrees with the store, the failed contact included.
TEST_F(KeptIndex, AChangeWhoseHeapCannotGrowIsReportedAndTheNextStartAgreesWithTheStore) {
    const uint32_t anna = Add(u"Anna", u"Berger", u"");
    Settle();
    ASSERT_TRUE(manager->SaveNow());
    std::vector<uint8_t> note;  // twenty thousand words, as UTF-16LE
    char word[16];
    for (int n = 100000; n < 120000; ++n) {
        std::snprintf(word, sizeof word, "n%d ", n);
        for (const char* c = word; *c != '\0'; ++c) note.insert(note.end(), {static_cast<uint8_t>(*c), 0});
    }
    Contact noted;
    noted.SetText(kFieldLast, Str(u"Noted"));
    noted.SetNote(ByteBlock(std::move(note)));
    ASSERT_TRUE(manager->AddContact(noted, true).Complete());
    const uint32_t bern = noted.GetOid();
    ASSERT_TRUE(plat::RunUntil([&] { return manager->NotificationsDelivered(); }, kWaitMs));
    {
        const auto size = [&](const char16_t* path) { return std::filesystem::file_size(device.Host(path)); };
        FileSizeLimit limit(std::max(size(u"\\pim_index1.dat"), size(u"\\pim_index2.dat")) + 8192);
        ASSERT_TRUE(limit.Ok());
        EXPECT_THROW(manager->FlushQueue(), FatalError);
    }
    const std::string log = ReadHostFile(device.Host(ErrorLogPath()));
    EXPECT_NE(log.find("Unable open memory as mapped file!!!\t\tIndexStore"), std::string::npos) << log;
    EXPECT_NE(log.find("Unable perform db operation!!!"), std::string::npos) << log;
    // Images written after the failure are refused when opened with their check.
    EXPECT_TRUE(manager->SaveNow());
    manager.reset();
    {
        PropsStore props;
        EXPECT_FALSE(props.Open(true));
        EXPECT_TRUE(props.Open(false));
        EXPECT_TRUE(props.IsUpdating());
    }

    Connect();
    ExpectFound({{u"berger", {anna}}, {u"n100000", {bern}}, {u"n119999", {bern}}, {u"", {anna, bern}}});
}

// Changes whose index was left unsaved (a one-shot tool leaves the files when the journal holds
// what changed since them) are found at the next start, which reads only those contacts again: an
// update that gives a contact a category, an add with one, a delete. The files are those of the
// last save, and nothing was checked whole (no rebuild marked the files).
TEST_F(KeptIndex, ChangesLeftUnsavedAreCaughtUpFromTheJournalAtTheNextStart) {
    uint32_t work = 0;
    ASSERT_NE(CategoryManager::Instance()->AddCategory(Str(u"Work"), work), CategoryManager::kAddFailed);
    const uint32_t anna = Add(u"Anna", u"Berger", u"+1 555 010 1234");
    const uint32_t bern = Add(u"Bern", u"Adler", u"");
    Contact dora;  // in a category; a later change of her number keeps her there
    dora.SetText(kFieldLast, Str(u"Dietz"));
    dora.categories.Add(work);
    ASSERT_TRUE(manager->AddContact(dora, true).Complete());
    Settle();
    ASSERT_TRUE(manager->SaveNow());
    const std::string words = ReadHostFile(device.Host(u"\\pim_index1.dat"));
    const std::string props = ReadHostFile(device.Host(u"\\pim_index2.dat"));

    Contact changed;
    ASSERT_TRUE(manager->ReadContact(anna, changed));
    changed.SetText(kFieldLast, Str(u"Zeller"));
    changed.categories.Add(work);
    ASSERT_TRUE(manager->UpdateContact(changed, true).Complete());
    Contact carl;
    carl.SetText(kFieldLast, Str(u"Cramer"));
    carl.categories.Add(work);
    ASSERT_TRUE(manager->AddContact(carl, true).Complete());
    ASSERT_TRUE(manager->DeleteContact(bern).record);
    dora.SetText(kFieldMobile, Str(u"+1 555 040 4444"));
    ASSERT_TRUE(manager->UpdateContact(dora, true).Complete());
    Settle();
    ASSERT_TRUE(manager->SaveNow());
    EXPECT_EQ(ReadHostFile(device.Host(u"\\pim_index1.dat")), words) << "the files are left as they were";
    EXPECT_EQ(ReadHostFile(device.Host(u"\\pim_index2.dat")), props);
    manager.reset();

    Connect();
    EXPECT_FALSE(manager->Index().FilesFlaggedInvalid()) << "caught up, not checked whole";
    ExpectFound({{u"zel", {anna}},
                 {u"adler", {}},
                 {u"cram", {carl.GetOid()}},
                 {u"0101234", {anna}},
                 {u"0404444", {dora.GetOid()}},
                 {u"", {carl.GetOid(), dora.GetOid(), anna}}});
    const uint32_t ids[] = {work};
    OidVector members = manager->Index().CategoryMembers(ids);
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members, (OidVector{anna, dora.GetOid(), carl.GetOid()}));
    EXPECT_EQ(manager->Index().CategoryMembers({}), OidVector{}) << "nobody is left without a category";
}

// When the journal cannot tell what changed since the files' position, or the files are not a pair
// saved together, the next start checks the index whole and agrees with the store all the same;
// a change the journal cannot trace to its contact (a removed category assignment) is saved at
// once instead of being left to the next start.
TEST_F(KeptIndex, WhatTheJournalCannotTellIsCheckedWholeOrSaved) {
    using namespace PropsFormat;
    const struct {
        const char* what;
        uint32_t at;        // a word of pim_index2.dat changed before the next start (0: none)
        bool dropCategory;  // the change takes the contact's category away
        bool leftUnsaved;   // the files stay as they were at the last save
    } cases[] = {
        {"a position past the journal's head", kPositionLowAt, false, true},
        {"a position of another volume", kVolumeAt, false, true},
        {"files that are not one pair", kWordsChecksumAt, false, true},
        {"a removed category assignment", 0, true, false},
    };
    uint32_t work = 0;
    ASSERT_NE(CategoryManager::Instance()->AddCategory(Str(u"Work"), work), CategoryManager::kAddFailed);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Contact anna;
        anna.SetText(kFieldLast, Str(u"Berger"));
        anna.SetText(kFieldMobile, Str(u"+1 555 010 1234"));
        anna.categories.Add(work);
        ASSERT_TRUE(manager->AddContact(anna, true).Complete());
        Settle();
        ASSERT_TRUE(manager->SaveNow());
        const std::string words = ReadHostFile(device.Host(u"\\pim_index1.dat"));

        anna.SetText(kFieldMobile, Str(u"+1 555 030 5555"));
        if (c.dropCategory) anna.categories.RemoveAll();
        ASSERT_TRUE(manager->UpdateContact(anna, true).Complete());
        Settle();
        ASSERT_TRUE(manager->SaveNow());
        EXPECT_EQ(ReadHostFile(device.Host(u"\\pim_index1.dat")) == words, c.leftUnsaved);
        manager.reset();
        if (c.at != 0) {
            const std::string file = ReadHostFile(device.Host(u"\\pim_index2.dat"));
            std::vector<uint8_t> image(file.begin(), file.end() - 4);  // the seal is made again
            StoreWord(image.data() + c.at, LoadWord(image.data() + c.at) + 1000);
            const std::vector<uint8_t> sealed = SealImage(image);
            std::ofstream(device.Host(u"\\pim_index2.dat"), std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(sealed.data()),
                       static_cast<std::streamsize>(sealed.size()));
        }

        Connect();
        EXPECT_EQ(manager->Index().FilesFlaggedInvalid(), c.at != 0) << "checked whole";
        ExpectFound({{u"0305555", {anna.GetOid()}}, {u"0101234", {}}});
        const uint32_t ids[] = {work};
        EXPECT_EQ(manager->Index().CategoryMembers(ids).size(), c.dropCategory ? 0u : 1u);
        ASSERT_TRUE(manager->DeleteContact(anna.GetOid()).record);
        Settle();
        ASSERT_TRUE(manager->SaveNow());
    }
}
