#include "index/contact_index/ContactIndex.h"

#include <algorithm>
#include <utility>

#include "core/diag/ErrorLog.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/contact_index/IndexEntry.h"
#include "index/contact_index/IndexRebuild.h"
#include "index/mapped/BothHold.h"
#include "index/props/PropsStore.h"
#include "index/words/WordIndex.h"
#include "platform/locale/Locale.h"
#include "store/contact/Contact.h"

ContactIndex::ContactIndex() : ContactIndex(AbcGroupTable::Instance()) {}

ContactIndex::ContactIndex(const AbcGroupTable& groups, std::u16string wordsPath, std::u16string propsPath)
    : groups_(groups),
      props_(std::make_unique<PropsStore>(std::move(propsPath))),
      words_(std::make_unique<WordIndex>(groups, std::move(wordsPath))) {
    // A complete save of a file clears its invalid flag; a cancelled or failed one leaves it.
    props_->File().SetSavedCallback([this] { SetFlag(kPropsFlagValue, 0); });
    words_->Store().File().SetSavedCallback([this] { SetFlag(kWordsFlagValue, 0); });
}

ContactIndex::~ContactIndex() { Close(); }

IndexOpen ContactIndex::Open(IndexDatabase& database, int mode) {
    Close();
    if (!OpenFiles() || !BuiltWithCurrentKeys()) {
        Close();
        return kOpenFailed;
    }
    database_ = &database;
    filesPosition_ = PairPosition();
    DatabaseState state;
    const bool known = database.ReadState(state);
    const bool stale = !known || props_->IsNeedInspect(state.modified, state.records, mode != 0);
    if (filesPosition_.Known()) {
        backlog_ = database.ChangesAfter(filesPosition_);
        // A journal that lists no change of a contact since the position vouches for the files only
        // when the database is as they recorded it: the same time and count. A volume swapped for
        // another at the same journal number (a copy of the device) shows here.
        if (backlog_ && backlog_->contacts.empty() &&
            (!known || props_->IsNeedInspect(state.modified, state.records, false))) {
            backlog_.reset();
            return kOpenStale;
        }
        if (backlog_ && (stale || backlog_->Size() != 0)) return kOpenBehind;
        backlog_.reset();
    }
    return stale ? kOpenStale : kOpenReady;
}

// The two files are read and checked at the same time, pim_index2.dat on a thread of its own (the
// objects share nothing); both are joined here, and a failure of either fails the open.
bool ContactIndex::OpenFiles() {
    return BothHold([this] { return props_->Open(true); }, [this] { return words_->Open(); });
}

JournalPosition ContactIndex::PairPosition() const {
    const uint32_t words = words_->Store().File().FileChecksum();
    if (words == 0 || props_->File().FileChecksum() == 0 || props_->WordsChecksum() != words) return {};
    return props_->Position();
}

std::optional<ContactBacklog> ContactIndex::TakeBacklog() { return std::exchange(backlog_, std::nullopt); }

// An image marked by a failed change keeps its mark (and its position).
void ContactIndex::HoldsChangesUpTo(const JournalPosition& position) {
    if (!IsOpen() || props_->IsUpdating() || !BeginChange()) return;
    props_->SetPosition(position);
    (void)EndChange(IndexChange::Done);
}

bool ContactIndex::FilesCatchUpCheaply(size_t atMost) {
    // An image marked by a failed change is saved with its mark, so that the next start rebuilds.
    if (!filesPosition_.Known() || database_ == nullptr || props_->IsUpdating() || FilesFlaggedInvalid()) {
        return false;
    }
    const std::optional<ContactBacklog> backlog = database_->ChangesAfter(filesPosition_);
    return backlog && backlog->Size() <= atMost;
}

bool ContactIndex::Create(IndexDatabase& database, uint32_t propsSizeHint) {
    Close();
    if (!props_->Create(propsSizeHint) || !words_->Create()) {
        Close();
        return false;
    }
    database_ = &database;
    RecordKeys();
    return true;
}

bool ContactIndex::Rebuild(IndexDatabase& database, IndexRebuild& gathered) {
    Save(false);
    uint64_t recordBytes = 0;
    for (const IndexRebuild::Entry& entry : gathered.Entries()) recordBytes += entry.record.size() + 16;
    if (!Create(database, static_cast<uint32_t>(std::min<uint64_t>(recordBytes, UINT32_MAX / 2)))) {
        return false;
    }
    props_->SetUpdating(true);
    props_->SetPosition(gathered.Position());
    std::vector<WordIndex::Entry> entries;
    entries.reserve(gathered.Count());
    for (IndexRebuild::Entry& entry : gathered.Entries()) {
        entry.words.slot = props_->AddEncoded(entry.record);
        if (entry.words.slot == 0) return false;
        std::vector<uint8_t>().swap(entry.record);  // stored now; not held through the word trees
        entries.push_back(std::move(entry.words));
    }
    return EndChange(words_->Fill(entries) ? IndexChange::Done : IndexChange::Failed) == IndexChange::Done;
}

void ContactIndex::Save(bool background) {
    if (!IsOpen()) return;
    if (background) {
        // pim_index2.dat is replaced only after pim_index1.dat: a crash between the two leaves
        // pim_index2.dat with the older database time, and the pair is taken as stale.
        // Whether the background saves replace both files is not known here: the pair is not
        // caught up from the journal.
        filesPosition_ = {};
        props_->SetWordsChecksum(0);
        // pim_index2.dat is not saved when pim_index1.dat cannot be (its save would wait for none).
        if (!words_->Store().File().StartSave() || !props_->File().StartSave(&words_->Store().File()))
            ErrorLog(u"Unable to save the index files!!!", "ContactIndex", __LINE__);
    } else {
        props_->File().CancelSave();
        words_->Store().File().CancelSave();
    }
}

bool ContactIndex::WaitForSaves() {
    if (!IsOpen()) return true;
    bool saved = true;
    for (MemoryMappedFile* file : {&props_->File(), &words_->Store().File()}) {
        file->WaitSave();
        saved = saved && file->LastSave() != SaveState::Failed;
    }
    return saved;
}

bool ContactIndex::SaveNow() {
    if (!IsOpen()) return true;
    filesPosition_ = {};
    if (!words_->Store().File().SaveNow()) return false;
    props_->SetWordsChecksum(words_->Store().File().FileChecksum());
    if (!props_->File().SaveNow()) return false;
    filesPosition_ = props_->Position();
    return true;
}

void ContactIndex::Close() {
    words_->Close();
    props_->Close();
    database_ = nullptr;
    filesPosition_ = {};
    backlog_.reset();
}

bool ContactIndex::IsOpen() const { return props_->IsOpen() && words_->IsOpen(); }

void ContactIndex::SetFlag(std::u16string_view name, uint32_t value) const {
    if (!SettingsStore::WriteDword(settings::kSettings, name, value))
        ErrorLog(u"Unable to write the index files' flag", "ContactIndex", __LINE__);
}

void ContactIndex::MarkFilesInvalid() {
    SetFlag(kPropsFlagValue, 1);
    SetFlag(kWordsFlagValue, 1);
}

bool ContactIndex::FilesFlaggedInvalid() const {
    return SettingsStore::ReadDword(settings::kSettings, kPropsFlagValue, 0) != 0 ||
           SettingsStore::ReadDword(settings::kSettings, kWordsFlagValue, 0) != 0;
}

bool ContactIndex::BuiltWithCurrentKeys() const {
    const Str collation = SettingsStore::ReadString(settings::kSettings, kCollationValue, u"");
    const Str alphabet = SettingsStore::ReadString(settings::kSettings, kAlphabetValue, u"");
    return collation.View() == Str::FromUtf8(plat::CollationVersion()).View() &&
           alphabet.View() == groups_.Signature().View();
}

void ContactIndex::RecordKeys() const {
    // Keys not recorded make the next open rebuild.
    (void)SettingsStore::WriteString(settings::kSettings, kCollationValue,
                                     Str::FromUtf8(plat::CollationVersion()).View());
    (void)SettingsStore::WriteString(settings::kSettings, kAlphabetValue, groups_.Signature().View());
}

bool ContactIndex::BeginChange() {
    if (!IsOpen() || database_ == nullptr) return false;
    props_->SetUpdating(true);
    return true;
}

// After a change that did not fail, clears the update flag and stamps the database's time; a
// failed change leaves the flag set, so the files are refused at their next open and rebuilt.
IndexChange ContactIndex::EndChange(IndexChange change) {
    if (change == IndexChange::Failed) return change;
    DatabaseState state;
    if (database_ != nullptr && database_->ReadState(state)) {
        props_->SetDatabaseTime(static_cast<uint32_t>(state.modified),
                                static_cast<uint32_t>(state.modified >> 32));
    }
    props_->SetUpdating(false);
    return change;
}

IndexChange ContactIndex::AddContact(const Contact& contact, std::u16string_view note, uint32_t slot) {
    if (!BeginChange()) return IndexChange::Failed;
    return EndChange(words_->AddContact(IndexEntryOf(contact, note, slot), *database_));
}

IndexChange ContactIndex::UpdateContact(const Contact& contact, std::u16string_view note, uint32_t slot) {
    if (!BeginChange()) return IndexChange::Failed;
    // A held contact is replaced by the add, keeping its places where they still hold; what a
    // failed add left of a contact without a slot is removed first.
    const bool held = words_->FindSlot(contact.GetOid()).has_value();
    if (!held && words_->RemoveContact(contact.GetOid()) == IndexChange::Failed) return IndexChange::Failed;
    return EndChange(words_->AddContact(IndexEntryOf(contact, note, slot), *database_));
}

IndexChange ContactIndex::RemoveContact(uint32_t oid) {
    if (!IsOpen()) return IndexChange::Failed;
    if (!words_->FindSlot(oid)) return IndexChange::NotHeld;
    if (!BeginChange()) return IndexChange::Failed;
    return EndChange(words_->RemoveContact(oid));
}

std::optional<uint32_t> ContactIndex::FindSlot(uint32_t oid) const { return words_->FindSlot(oid); }

OidVector ContactIndex::Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                               SearchTree tree) const {
    return words_->Search(query, order, filter, tree);
}

OidVector ContactIndex::ListAll(IndexOrder order, const OidVector* filter) const {
    return words_->ListAll(order, filter);
}

OidVector ContactIndex::CategoryMembers(std::span<const uint32_t> ids) const { return words_->CategoryMembers(ids); }

OidVector ContactIndex::SimContacts() const { return words_->Holders(kSimContactKey); }

std::vector<uint32_t> ContactIndex::CategoriesOf(uint32_t oid) const { return words_->CategoriesOf(oid); }

PropsStore& ContactIndex::Props() { return *props_; }
const WordIndex& ContactIndex::Words() const { return *words_; }
