#pragma once
// ContactIndex: the index the contact manager keeps in step with the contacts database. It owns
// the properties store (the further values of every contact, pim_index2.dat) and the word index
// (every word of every contact, the name and File As orders and the map from contact to its
// properties slot, pim_index1.dat). Searches and listings never touch the database; only adding
// a contact reads the sort texts of the contacts it is placed between.
//
// All calls come from one thread. Every change is made with the properties store's
// update-in-progress flag set, so an image saved in the middle of a change is refused at the next
// open and the index rebuilt.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "index/contact_index/IndexDatabase.h"
#include "index/words/IndexResults.h"
#include "index/words/SearchTypes.h"

class AbcGroupTable;
class Contact;
class IndexRebuild;
class PropsStore;
class WordIndex;

class ContactIndex {
public:
    // Results of Open (IndexResults.h): Failed for files missing, damaged, saved mid-update, or
    // made with another collation or alphabet; Stale when they must be checked against the database.
    static constexpr IndexOpen kOpenFailed = IndexOpen::Failed;
    static constexpr IndexOpen kOpenReady = IndexOpen::Ready;
    static constexpr IndexOpen kOpenStale = IndexOpen::Stale;
    static constexpr IndexOpen kOpenBehind = IndexOpen::Behind;

    // Settings values (section "Settings"): the invalid flag of each file, set before a rebuild and
    // cleared by each complete save of that file, the collation the orders were built with, and the
    // alphabet groups the group tree's keys were made with (AbcGroupTable::Signature).
    static constexpr std::u16string_view kWordsFlagValue = u"pim_index1.dat";
    static constexpr std::u16string_view kPropsFlagValue = u"pim_index2.dat";
    static constexpr std::u16string_view kCollationValue = u"IndexCollation";
    static constexpr std::u16string_view kAlphabetValue = u"IndexAlphabet";

    // `groups` makes the alphabet-group keys; the process-wide table when none is given.
    ContactIndex();
    explicit ContactIndex(const AbcGroupTable& groups,
                          std::u16string wordsPath = u"\\pim_index1.dat",
                          std::u16string propsPath = u"\\pim_index2.dat");
    ~ContactIndex();
    ContactIndex(const ContactIndex&) = delete;
    ContactIndex& operator=(const ContactIndex&) = delete;

    // Opens both files against `database` (kept for the comparators until Close). `mode` 0 at
    // start (stale when the modification time or the record count differ), 1 on a reopen (stale
    // only when the record count differs). Failed closes both files. Behind when the files were
    // read from disk as a pair saved together and the journal still lists every change after the
    // position they hold: the caller reads the contacts of TakeBacklog again and then calls
    // HoldsChangesUpTo. Without a usable position the modification time and count decide.
    IndexOpen Open(IndexDatabase& database, int mode);
    // The changes found by the last Open that returned Behind (taken once).
    std::optional<ContactBacklog> TakeBacklog();
    // Records that the index holds every change up to `position` (after a catch-up, or when every
    // change committed so far has been handed to it) and stamps the database's time.
    void HoldsChangesUpTo(const JournalPosition& position);
    // Whether the files on disk, left as they are, would be brought up to date at the next open
    // by reading again at most `atMost` contacts: they were read or written whole by this object
    // as a pair, and the journal still lists every change after their position.
    [[nodiscard]] bool FilesCatchUpCheaply(size_t atMost);
    // New empty files (the old ones are deleted); `propsSizeHint` sizes pim_index2.dat. False (both
    // closed) when either image cannot be made.
    [[nodiscard]] bool Create(IndexDatabase& database, uint32_t propsSizeHint = 0);
    // The full rebuild: Create, then every gathered contact indexed in bulk (the same words,
    // lists, maps and orders as adding each in turn) and the database time stored.
    [[nodiscard]] bool Rebuild(IndexDatabase& database, IndexRebuild& gathered);
    // With `background`: starts the background save of both files. Without: cancels running saves.
    void Save(bool background);
    // Returns once neither file has a background save running; false when the last save started
    // for either file failed to write it (a cancelled save is no failure: it was replaced).
    [[nodiscard]] bool WaitForSaves();
    // Writes both files now on the calling thread (for a caller that would wait for the saves):
    // pim_index1.dat first, so that a crash between the two leaves pim_index2.dat with the older
    // database time, and the pair is taken as stale and brought up to date at the next open.
    // pim_index2.dat records the checksum of the pim_index1.dat written before it, so that only a
    // pair saved together is caught up from the journal. False when either could not be written.
    [[nodiscard]] bool SaveNow();
    // Waits for running saves, then lets go of both images.
    void Close();
    [[nodiscard]] bool IsOpen() const;

    void MarkFilesInvalid();
    [[nodiscard]] bool FilesFlaggedInvalid() const;

    // Indexes the contact (its words, its place in both orders, its slot). Failed when a step
    // failed; what was added before stays, and the files are marked for a rebuild.
    IndexChange AddContact(const Contact& contact, std::u16string_view note, uint32_t slot);
    // RemoveContact, then AddContact; a failed removal fails the update.
    IndexChange UpdateContact(const Contact& contact, std::u16string_view note, uint32_t slot);
    // NotHeld (nothing changed) when the index does not hold `oid`.
    IndexChange RemoveContact(uint32_t oid);
    std::optional<uint32_t> FindSlot(uint32_t oid) const;

    // Contacts having, for every token of `query`, a word that begins with it, in the order
    // `order`; limited to `filter` when one is given (any order, duplicates allowed). In the text
    // tree a token typed without marks also finds the words that differ from it only by them
    // (SearchSpelling, Tokenizer.h).
    OidVector Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                     SearchTree tree) const;
    // Every contact in the order `order`; limited to `filter` when one is given.
    OidVector ListAll(IndexOrder order, const OidVector* filter) const;
    // The contacts having any of the categories `ids` (ascending); with none, the contacts with an
    // item number and no category.
    OidVector CategoryMembers(std::span<const uint32_t> ids) const;
    // The contacts from the SIM card (ascending), from the index alone.
    OidVector SimContacts() const;
    // The categories the index holds for the contact, ascending.
    std::vector<uint32_t> CategoriesOf(uint32_t oid) const;

    // The further values of every contact (ReadRecord, AddRecord, UpdateRecord, RemoveRecord).
    PropsStore& Props();
    const WordIndex& Words() const;

private:
    [[nodiscard]] bool BeginChange();
    IndexChange EndChange(IndexChange change);
    // Whether the files were built with the device's collation and with this index's alphabet
    // groups; files built otherwise hold orders or group keys that no longer hold.
    [[nodiscard]] bool BuiltWithCurrentKeys() const;
    void RecordKeys() const;
    void SetFlag(std::u16string_view name, uint32_t value) const;
    [[nodiscard]] bool OpenFiles();
    // The position of the files as read from disk, when they were saved together as a pair.
    JournalPosition PairPosition() const;

    const AbcGroupTable& groups_;
    std::unique_ptr<PropsStore> props_;
    std::unique_ptr<WordIndex> words_;
    IndexDatabase* database_ = nullptr;
    // The position the files on disk hold when they are a pair this object read or wrote whole.
    JournalPosition filesPosition_;
    std::optional<ContactBacklog> backlog_;
};
