#include "manager/contacts/ContactManager.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "categories/manager/CategoryManager.h"
#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "core/result/StatusText.h"
#include "index/alphabet/AbcChoice.h"
#include "manager/contacts/ReadPass.h"
#include "manager/coord/CoordEngine.h"
#include "manager/index/GatherThread.h"
#include "manager/index/StoreReadFailure.h"
#include "platform/locale/Locale.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/objectstore/StoreErrors.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "store/contact/NamedValues.h"
#include "store/contact/ValueLimits.h"
#include "store/db/CeDBProp.h"
#include "store/db/CeDBRecord.h"
#include "store/objectmodel/ObjectModelConnection.h"

ContactManager::ContactManager(std::unique_ptr<ManagedIndex> index)
    : index_(std::move(index)), saveTimer_(kSaveTimerClass, [this] { OnSaveTimer(); }) {}

ContactManager::~ContactManager() { Close(); }

bool ContactManager::Init(CoordEngine* coord) {
    Close();
    coord_ = coord;
    ReloadAbcGroupTable();
    open_ = saveTimer_.Create();
    // The store hands its notifications to the user-interface thread; a late one after Close is
    // dropped.
    const auto deliver = [this](const plat::Notification& notification) {
        if (open_) OnNotification(notification);
    };
    if (!open_ || !db_.Open(deliver) || !queue_.Create([this] { HandleQueue(); })) return FailInit();
    IndexOpen opened = index_->Open(0);
    const bool usable = opened == IndexOpen::Ready || opened == IndexOpen::Behind;
    const bool flagged = usable && Maintains() && index_->FilesFlaggedInvalid();
    if (flagged) opened = IndexOpen::Failed;
    if (opened == IndexOpen::Failed && !Maintains()) return FailInit();
    BringIndexUp(opened);
    return true;
}

// Closes what Init opened, keeping the thread's last error (what failed) for Init's caller.
bool ContactManager::FailInit() {
    const uint32_t code = plat::GetLastError();
    const std::string why = plat::LastErrorMessage();
    Close();
    plat::SetLastError(code, why);
    return false;
}

bool ContactManager::Maintains() const { return coord_ == nullptr || coord_->IsMaster(); }

void ContactManager::BringIndexUp(IndexOpen opened) {
    if (!Maintains()) return;
    if (opened == IndexOpen::Failed) FullRebuild();
    if (opened == IndexOpen::Stale) CheckIndex();
    if (opened == IndexOpen::Behind) CatchUp();
}

// Reads again the contacts changed since the files were saved: a removed one leaves the index, the
// others are indexed as they are now. A contact whose category assignments changed is read with
// its categories; the others keep those the index holds (none for a new one), since their
// assignments did not change, which spares reading the assignments' sorted view. A changed
// assignment must belong to one of the contacts read; otherwise its contact is not known here and
// the whole index is checked instead.
void ContactManager::CatchUp() {
    const ReadPass reading(db_.Contacts().VolumeId());
    const std::optional<ContactBacklog> backlog = index_->TakeBacklog();
    plat::DatabaseStatus status;
    const uint32_t records = db_.Contacts().GetStatus(status) ? status.recordCount : 0;
    if (!backlog || backlog->Size() > std::max<size_t>(kUnsavedContactsAtMost, records / kCatchUpShare)) {
        return CheckIndex();
    }
    std::unordered_set<uint32_t> assigned(backlog->categoryItems.begin(), backlog->categoryItems.end());
    for (const uint32_t oid : backlog->contacts) {
        Contact contact;
        if (!db_.Contacts().SeekToRecord(oid) || !ReadCurrent(contact, Contact::PictureLoad::Skip)) {
            if (index_->Remove(oid) == IndexChange::Failed) IndexFailed(__LINE__);
            continue;
        }
        if (assigned.erase(contact.GetRecordId()) == 1) {
            if (CategoryManager* categories = CategoryManager::Instance())
                if (!categories->LoadContactCategories(contact)) return CheckIndex();  // unsure: check all
        } else {
            for (const uint32_t id : index_->CategoriesOf(oid)) contact.categories.Add(id);
            contact.categoriesLoaded = true;
        }
        if (index_->Update(contact) != IndexChange::Done) IndexFailed(__LINE__);
    }
    // The journal listed every change it holds; an index that still does not count the store's
    // contacts was built from another history (a restored or swapped volume) and is checked whole.
    if (!assigned.empty() || index_->ListAll(IndexOrder::Name, nullptr).size() != records)
        return CheckIndex();
    beingUpdated_ = true;
    index_->HoldsChangesUpTo(backlog->upTo);
}

bool ContactManager::ReadCurrent(Contact& contact, Contact::PictureLoad picture) {
    CCeDBRecord record;
    const plat::CeOid oid = db_.Contacts().Read(record);
    if (oid == 0) return false;
    contact.LoadFromRecord(record, picture);
    contact.SetOid(oid);
    return true;
}

// The category ids of every contact by record identifier value, read in one pass; nothing when
// they cannot be read (each contact's are then read with it).
std::optional<ContactManager::Assignments> ContactManager::ReadAllCategories() {
    Assignments all;
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr || !categories->GetAllContactCategories(all)) return std::nullopt;
    return all;
}

// The current record as the index takes it: without its picture, with its category ids, from `all`
// when given (none when they cannot be read).
bool ContactManager::ReadForIndex(Contact& contact, const std::optional<Assignments>& all) {
    if (!ReadCurrent(contact, Contact::PictureLoad::Skip)) return false;
    if (contact.GetRecordId() == 0) return true;
    if (all) {
        const auto found = all->find(contact.GetRecordId());
        if (found != all->end()) contact.categories = found->second;
        contact.categoriesLoaded = true;
    } else if (CategoryManager* categories = CategoryManager::Instance()) {
        (void)categories->LoadContactCategories(contact);  // indexed without them when unreadable
    }
    return true;
}

// The record identifier value the store gave the record (0 when it cannot be read).
uint32_t ContactManager::ReadRecordId(uint32_t oid) {
    constexpr uint32_t kRecordIdProp = plat::MakePropId(kPropRecordId, plat::CEVT_AUTO_I4);
    CCeDBRecord record;
    if (!db_.Contacts().SeekToRecord(oid) || db_.Contacts().Read(record, &kRecordIdProp, 1) != oid) return 0;
    const CCeDBProp* value = record.Find(kPropRecordId);
    return value != nullptr && !value->IsNotFound() ? value->GetULong() : 0;
}

bool ContactManager::ReadTexts(uint32_t oid, std::span<const int> fields, StdContact& contact) {
    if (!db_.Contacts().IsOpen() || !db_.Contacts().SeekToRecord(oid)) return false;
    std::vector<uint32_t> propIds;
    for (const int field : fields)
        propIds.push_back(plat::MakePropId(TextFieldProp(field), plat::CEVT_LPWSTR));
    CCeDBRecord record;
    if (db_.Contacts().Read(record, propIds.data(), static_cast<int>(propIds.size())) == 0) return false;
    for (int i = 0; i < record.GetCount(); ++i) {
        const CCeDBProp& prop = *record.GetAt(i);
        if (!prop.IsNotFound()) contact.SetText(TextFieldOfProp(prop.GetNumber()), Str(prop.GetText()));
    }
    return true;
}

bool ContactManager::ReadContact(uint32_t oid, Contact& contact, Contact::PictureLoad picture) {
    return db_.Contacts().IsOpen() && db_.Contacts().SeekToRecord(oid) && ReadCurrent(contact, picture);
}

ContactManager::Batch::Batch(ContactManager& manager) : volume_(manager.db_.Contacts().VolumeId()) {
    open_ = !volume_.IsZero() && plat::BeginWriteBatch(volume_);
}

ContactManager::Batch::~Batch() {
    if (!open_) return;
    // A destructor cannot report the failure; the change that was being ended reported its own.
    if (!End()) ErrorLog(u"Unable to commit a batch of changes!!!", "ContactManager", __LINE__);
}

Status ContactManager::Batch::End() {
    const bool began = open_;
    open_ = false;
    return OkOr(began && plat::EndWriteBatch(volume_), kStrBatchNotCommitted);
}

void ContactManager::Batch::Cancel() {
    if (open_ && !plat::CancelWriteBatch(volume_))
        ErrorLog(u"Unable to cancel a batch of changes!!!", "ContactManager", __LINE__);
}

bool ContactManager::NotificationsDelivered() {
    const plat::CeGuid& volume = db_.Contacts().VolumeId();
    return volume.IsZero() || plat::NotificationsDelivered(volume);
}

// Runs one change of a contact as one step of a write batch, so that it is committed whole; when
// the commit fails nothing of it stays.
template <typename Change>
ContactWrite ContactManager::Whole(Change change) {
    Batch batch(*this);
    const ContactWrite written = change();
    return batch.End() ? written : ContactWrite{};
}

// Every way a contact comes in passes here: its values are brought within the store's limits first.
ContactWrite ContactManager::AddContact(Contact& contact, bool writeNote) {
    std::vector<std::string> limited = ApplyValueLimits(contact);
    ContactWrite written = Whole([&] { return WriteNewContact(contact, writeNote); });
    written.limited = std::move(limited);
    return written;
}

ContactWrite ContactManager::UpdateContact(Contact& contact, bool writeNote) {
    std::vector<std::string> limited = ApplyValueLimits(contact);
    ContactWrite written = Whole([&] { return WriteContactChanges(contact, writeNote); });
    written.limited = std::move(limited);
    return written;
}

ContactWrite ContactManager::DeleteContact(uint32_t oid) {
    return Whole([&] { return RemoveContact(oid); });
}

// The assignments of a contact just written: added for a new contact, made equal to its list for a
// changed one. Without a category store only a contact without categories is complete.
bool ContactManager::WriteCategories(const Contact& contact, bool created) {
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) return contact.categories.IsEmpty();
    // The caller reports the contact's categories as not written (ContactWrite), in its own words.
    return (created ? categories->AddContactCategories(contact, contact.categories)
                    : categories->SetContactCategories(contact, contact.categories))
        .IsOk();
}

ContactWrite ContactManager::WriteNewContact(Contact& contact, bool writeNote) {
    ContactWrite written;
    CCeDBDatabase& contacts = db_.Contacts();
    CCeDBRecord record;
    contact.StampChange(contacts, plat::FileTimeNow(), true);
    contact.SaveToRecord(contacts, record, writeNote);
    const plat::CeOid oid = contacts.IsOpen() ? contacts.Write(record, CCeDBDatabase::kWriteNew) : 0;
    if (oid == 0) return written;
    written.record = true;
    contact.SetOid(oid);
    contact.SetRecordId(ReadRecordId(oid));
    written.categories = WriteCategories(contact, true);
    written.namedValues = db_.Named().IsOpen() && SaveNamedValues(db_.Named(), contact);
    ObjectModelConnection::Instance().SaveContact(oid, contact.GetRecordId());
    return written;
}

ContactWrite ContactManager::WriteContactChanges(Contact& contact, bool writeNote) {
    ContactWrite written;
    CCeDBDatabase& contacts = db_.Contacts();
    if (!contacts.IsOpen() || !contacts.SeekToRecord(contact.GetOid())) return written;
    CCeDBRecord record;
    contact.StampChange(contacts, plat::FileTimeNow(), false);
    contact.SaveChangesToRecord(contacts, record, writeNote);
    record.SetOid(contact.GetOid());
    if (contacts.Write(record, CCeDBDatabase::kWriteUpdate) == 0) return written;
    written.record = true;
    written.categories = WriteCategories(contact, false);
    written.namedValues = db_.Named().IsOpen() && UpdateNamedValues(db_.Named(), contact);
    ObjectModelConnection::Instance().SaveContact(contact.GetOid(), contact.GetRecordId());
    return written;
}

// The category assignments go first, and a contact whose assignments cannot be removed is kept
// (nothing of it is deleted): an assignment left behind would name a contact that is gone and keep
// its category from ever being deleted. A contact without a record identifier value has none. Then
// the named values; the record itself goes through the object model, and directly when that fails.
ContactWrite ContactManager::RemoveContact(uint32_t oid) {
    ContactWrite deleted;
    Contact contact;
    if (!ReadContact(oid, contact)) return deleted;
    if (contact.GetRecordId() != 0) {
        CategoryManager* categories = CategoryManager::Instance();
        if (categories == nullptr || !categories->RemoveContactCategories(contact)) return deleted;
    }
    deleted.categories = true;
    deleted.namedValues = db_.Named().IsOpen() && DeleteNamedValues(db_.Named(), contact);
    deleted.record = (contact.GetRecordId() != 0 &&
                      ObjectModelConnection::Instance().DeleteContact(contact.GetRecordId()) == 1 &&
                      !db_.Contacts().SeekToRecord(oid)) ||
                     db_.Contacts().DeleteRecord(oid);
    return deleted;
}

void ContactManager::OnNotification(const plat::Notification& notification) {
    switch (notification.type) {
        case plat::DB_CEOID_CREATED: return QueueChange(kChangeCreated, notification.parent, notification.oid);
        case plat::DB_CEOID_RECORD_DELETED: return QueueChange(kChangeDeleted, notification.parent, notification.oid);
        case plat::DB_CEOID_CHANGED: return QueueChange(kChangeChanged, notification.parent, notification.oid);
        case plat::DB_CEOID_VOLUME:
            if (notification.volume == db_.Contacts().VolumeId() && Maintains()) {
                beingUpdated_ = true;
                FullRebuild();
                listeners_.Notify(&ContactManagerListener::OnContactsReloaded);
            }
            return;
        default: return;
    }
}

void ContactManager::QueueChange(uint32_t kind, uint32_t parent, uint32_t oid) {
    if (coord_ != nullptr && !coord_->IsMaster()) return;
    if (queue_.Empty()) listeners_.Notify(&ContactManagerListener::OnBusy, true);
    queue_.Push({kind, parent, oid});
    if (queue_.Count() == kManyChanges) listeners_.Notify(&ContactManagerListener::OnManyChanges, true);
}

void ContactManager::HandleQueue() {
    if (coord_ != nullptr && !coord_->IsMaster()) return;
    Array<QueuedChange> changes = queue_.Take();
    if (changes.GetSize() > 0) {
        const ReadPass reading(db_.Contacts().VolumeId());
        beingUpdated_ = true;
        // Only the contacts' own changes count: the volume's other databases (named values,
        // category assignments, the trash) change with them, and counting theirs made a merge or
        // a delete of a few contacts look like a burst worth a full rebuild.
        const auto own = std::count_if(changes.begin(), changes.end(), [&](const QueuedChange& change) {
            return change.parent == db_.Contacts().DatabaseId();
        });
        if (own >= kRebuildThreshold) {
            // A rebuild reads everything; the list (several entries per contact of an import) is
            // not held through it.
            changes.RemoveAll();
            // False only when this instance is no master: then no slave uses the files.
            if (coord_ != nullptr) (void)coord_->StopSlaves();
            FullRebuild();
            listeners_.Notify(&ContactManagerListener::OnContactsReloaded);
        } else {
            std::unordered_set<uint32_t> current;
            for (int i = 0; i < changes.GetSize(); ++i) ApplyChange(changes[i], current);
        }
        StartSaveTimer();
        if (coord_ != nullptr) (void)coord_->ReloadSlaves();  // as above: a master's reload is posted
    }
    listeners_.Notify(&ContactManagerListener::OnBusy, false);
    listeners_.Notify(&ContactManagerListener::OnManyChanges, false);
}

// `current` holds the contacts indexed from their record earlier in the same batch: the record is
// read once per batch, so its later changes in the batch (the object model's save that follows
// every add) are already in the index and only reported.
void ContactManager::ApplyChange(const QueuedChange& change, std::unordered_set<uint32_t>& current) {
    if (change.parent != db_.Contacts().DatabaseId()) return;
    if (change.kind == kChangeDeleted) {
        current.erase(change.oid);
        const IndexChange removed = index_->Remove(change.oid);
        if (removed == IndexChange::Failed) IndexFailed(__LINE__);
        if (removed == IndexChange::Done)
            listeners_.Notify(&ContactManagerListener::OnContactDeleted, change.oid);
        return;
    }
    if (change.kind == kChangeChanged && current.contains(change.oid)) {
        listeners_.Notify(&ContactManagerListener::OnContactChanged, change.oid);
        return;
    }
    Contact contact;
    // Gone again before the batch: its delete follows.
    if (!db_.Contacts().SeekToRecord(change.oid) || !ReadForIndex(contact, std::nullopt)) return;
    current.insert(change.oid);
    if (change.kind == kChangeCreated) {
        if (index_->Add(contact) != IndexChange::Done) IndexFailed(__LINE__);
        listeners_.Notify(&ContactManagerListener::OnContactAdded, change.oid);
    } else {
        if (index_->Update(contact) != IndexChange::Done) IndexFailed(__LINE__);
        listeners_.Notify(&ContactManagerListener::OnContactChanged, change.oid);
    }
}

// The index marked itself for a rebuild when the change failed (IndexResults.h); the fatal error
// ends the program, whose next start rebuilds the index from the database.
void ContactManager::IndexFailed(int line) {
    ErrorLog(u"Unable perform db operation!!!", "ContactManager", line);
    throw FatalError(kFatalDatabase, 0);
}

void ContactManager::FullRebuild() { Rebuild(true); }

void ContactManager::CheckIndex() { Rebuild(false); }

void ContactManager::Rebuild(bool reportProgress) {
    const ReadPass reading(db_.Contacts().VolumeId());
    beingUpdated_ = true;
    index_->MarkFilesInvalid();
    const auto progress = [&](uint32_t step) {
        if (reportProgress) listeners_.Notify(&ContactManagerListener::OnProgress, step);
    };
    progress(0);
    plat::DatabaseStatus status;
    const uint32_t count = db_.Contacts().GetStatus(status) ? status.recordCount : 0;
    const uint32_t unit = count / kProgressUnits;
    ReloadAbcGroupTable();
    index_->BeginRebuild(count);
    uint32_t read = 0;
    uint32_t shown = 0;
    uint32_t step = 0;
    const std::optional<Assignments> categories = ReadAllCategories();
    CCeDBDatabase& contacts = db_.Contacts();
    // The gathering formats dates in the device's locale: it is read from the registry here, on the
    // thread that owns the registry, before the gathering starts.
    plat::LocaleName();
    const uint64_t damage = plat::VolumeDamageSeen().count;
    GatherThread gathering(*index_);
    bool more = contacts.SeekFirst();
    for (; more; more = contacts.SeekNext()) {
        Contact contact;
        if (!ReadForIndex(contact, categories)) break;
        gathering.Add(std::move(contact));
        ++read;
        const uint32_t now = unit == 0 ? read : read / unit;
        if (now != shown && step < kProgressUnits) {
            shown = now;
            progress(++step);
        }
    }
    // The pass must end past the last record with nothing damaged met on the way (a category
    // assignment included); otherwise the contacts read so far are not the store's index.
    const bool whole = !more && plat::GetLastError() == plat::ERROR_NO_MORE_ITEMS &&
                       plat::VolumeDamageSeen().count == damage;
    const std::string why = plat::VolumeDamageSeen().count != damage ? plat::VolumeDamageSeen().message
                                                                     : plat::LastErrorMessage();
    gathering.Finish();
    if (!whole) throw StoreReadFailure(why);
    if (shown != kProgressUnits) progress(++step);
    if (!index_->FinishRebuild()) IndexFailed(__LINE__);
    progress(kProgressLast);
    StartSaveTimer();
}

void ContactManager::Reopen() {
    index_->Close();
    const IndexOpen opened = index_->Open(1);
    if ((opened == IndexOpen::Ready || opened == IndexOpen::Behind) && index_->FilesFlaggedInvalid()) {
        StartSaveTimer();
        return;
    }
    BringIndexUp(opened);
}

void ContactManager::Reindex() {
    listeners_.Notify(&ContactManagerListener::OnBusy, true);
    // False only when this instance is no master: then no slave uses the files.
    if (coord_ != nullptr) (void)coord_->StopSlaves();
    FullRebuild();
    if (coord_ != nullptr) (void)coord_->ReloadSlaves();
    listeners_.Notify(&ContactManagerListener::OnBusy, false);
}

void ContactManager::StartSaveTimer() {
    beingUpdated_ = true;
    if (!saveTimer_.Start(kSaveDelayMs)) OnSaveTimer();  // save at once
}

void ContactManager::OnSaveTimer() {
    if (index_->IsOpen()) index_->Save(true);
    beingUpdated_ = false;
}

void ContactManager::FlushQueue() {
    if (!queue_.Empty()) HandleQueue();
}

bool ContactManager::SaveNow() {
    saveTimer_.Stop();
    bool saved = true;
    if (index_->IsOpen() && beingUpdated_) {
        IndexHoldsEveryChange();
        saved =
            index_->FilesCatchUpCheaply(kUnsavedContactsAtMost) ? index_->WaitForSaves() : index_->SaveNow();
    } else {
        saved = index_->WaitForSaves();
    }
    beingUpdated_ = false;
    return saved;
}

// When every change committed to the volume so far has been handed to this manager and taken
// into the index, the index holds the journal up to its head (read first, so that no change
// committed after it is counted in).
void ContactManager::IndexHoldsEveryChange() {
    if (!Maintains()) return;
    const JournalPosition head = index_->JournalHead();
    if (head.Known() && NotificationsDelivered() && queue_.Empty()) index_->HoldsChangesUpTo(head);
}

void ContactManager::Close() {
    if (Maintains() && beingUpdated_ && !SaveNow()) {
        ErrorLog(u"Unable to save the index files!!!", "ContactManager", __LINE__);
    }
    queue_.Destroy();
    db_.Close();
    index_->Close();
    saveTimer_.Destroy();
    open_ = false;
    beingUpdated_ = false;
    coord_ = nullptr;  // the engine may go before this manager does
}
