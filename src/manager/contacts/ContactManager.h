#pragma once
// ContactManager: owns the open contacts database and the contact index, makes every add, change
// and delete of a contact, and turns the store's change notifications (of every program, this
// one included) into ordered calls on its observers (ContactManagerListener.h). Changes are queued
// and handled in one batch 500 ms after the last of a burst; every change to the index schedules
// a save of its files 2000 ms later. Everything runs on the user-interface thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "core/result/Status.h"
#include "manager/contacts/ContactWrite.h"
#include "manager/index/ManagedIndex.h"
#include "manager/listener/ContactManagerListener.h"
#include "manager/listener/ObserverList.h"
#include "manager/queue/ContactDBMsgStack.h"
#include "manager/timer/WindowTimer.h"
#include "platform/objectstore/Notification.h"
#include "store/contact/Contact.h"
#include "store/db/ContactsDb.h"

class CoordEngine;

class ContactManager {
public:
    // The hidden window that owns the index-save timer.
    static constexpr char16_t kSaveTimerClass[] = u"DB_EVENTS_LISTENER_CLS";
    static constexpr uint32_t kSaveDelayMs = 2000;
    static constexpr uint32_t kStrBatchNotCommitted = 44007;
    // A batch of this many queued changes or more is handled as one full rebuild.
    static constexpr int kRebuildThreshold = 15;
    // At this many queued changes the listener hears OnManyChanges(1).
    static constexpr int kManyChanges = 10;
    // Full rebuilds report steps 0, 1..18 (one per eighteenth of the records), 19 and 20.
    static constexpr uint32_t kProgressUnits = 18;
    static constexpr uint32_t kProgressLast = 20;
    // SaveNow leaves the index files as they are while the next open brings them up to date by
    // reading at most this many contacts again (about 0.3 ms each at 100,000 contacts, so a few
    // tens of ms at most, against the 0.3 s or more of writing both files whole).
    static constexpr size_t kUnsavedContactsAtMost = 64;
    // A catch-up at open reads and places each changed contact (about a millisecond each), a check
    // reads every contact and builds the index in bulk (a few tens of µs each): beyond one changed
    // contact in this many (and more than kUnsavedContactsAtMost) the check is the cheaper.
    static constexpr uint32_t kCatchUpShare = 32;

    // The process's manager over the program's word index, made on first use.
    static ContactManager& Instance();
    // Closes and forgets the process's manager (the next Instance makes a new one).
    static void Release();

    explicit ContactManager(std::unique_ptr<ManagedIndex> index);
    ~ContactManager();
    ContactManager(const ContactManager&) = delete;
    ContactManager& operator=(const ContactManager&) = delete;

    // Opens everything and brings the index up to date (a master rebuilds or checks it; a slave
    // only takes valid files). False leaves the manager closed and the thread's last error
    // (plat::GetLastError, LastErrorMessage) saying what failed. Observers added before hear the
    // rebuild's progress.
    [[nodiscard]] bool Init(CoordEngine* coord);
    [[nodiscard]] bool IsOpen() const { return open_; }

    // The observers hear every event from their Add to their Remove, in the order they were
    // added (ObserverList.h says what adding and removing during an event does). Close keeps them;
    // an observer removes itself before it goes.
    void AddListener(ContactManagerListener& listener) { listeners_.Add(listener); }
    void RemoveListener(ContactManagerListener& listener) { listeners_.Remove(listener); }

    // The contact as the store holds it; with PictureLoad::Skip its picture is not decoded (what
    // only names a contact, such as a list's row, need not pay for a large picture).
    [[nodiscard]] bool ReadContact(uint32_t oid, Contact& contact,
                                   Contact::PictureLoad picture = Contact::PictureLoad::Decode);
    // Only the text fields `fields` of the contact (a list row's names): none of its other values
    // is read from the store, however large.
    [[nodiscard]] bool ReadTexts(uint32_t oid, std::span<const int> fields, StdContact& contact);
    // Each tells what reached the store (ContactWrite.h). Each change is committed whole: its
    // record, category assignments, named values and the object model's save are one store
    // transaction (or one step of an open Batch); when that commit fails nothing of it stays (all
    // parts false). When the record cannot be written, nothing is: neither categories nor named
    // values change.
    ContactWrite AddContact(Contact& contact, bool writeNote);
    ContactWrite UpdateContact(Contact& contact, bool writeNote);
    // Nothing is deleted (all parts false) when the contact's category assignments cannot be
    // removed; otherwise the named values and the record follow them.
    ContactWrite DeleteContact(uint32_t oid);

    // Gathers the changes made while it lives into few store commits (each change still whole),
    // for a caller that makes many at once, such as an import: one lock and one commit for many
    // contacts instead of several for each. The other programs of the device, and this manager's
    // index, learn of the changes at each commit. A failed commit fails the change that was being
    // ended, or End: the changes since the previous commit are lost.
    class Batch {
    public:
        explicit Batch(ContactManager& manager);
        // Ends a batch its owner did not end (when it leaves by an exception, which reports the
        // failure): a failed commit of what is left is logged, as a destructor cannot report it.
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Commits what is left; fails with kStrBatchNotCommitted when that failed (or the batch
        // could not begin).
        Status End();
        // Undoes the batch's changes since its previous commit (a failure is logged: the commit
        // that follows then fails or holds them).
        void Cancel();

    private:
        plat::CeGuid volume_;
        bool open_ = false;
    };

    // Changes that are committed together or not at all (a merge: the merged contact written and
    // the others deleted). It holds two levels of batch, so that the store never commits it
    // part-way (it commits a long batch only where a level directly inside the outermost ends); a
    // process killed before End leaves none of it. Cancel undoes what it made so far.
    class Transaction {
    public:
        explicit Transaction(ContactManager& manager) : outer_(manager), inner_(manager) {}
        // Ends both levels, the outer also when the inner's end failed; the first failure.
        Status End() {
            Status inner = inner_.End();
            Status outer = outer_.End();
            return inner ? outer : inner;
        }
        void Cancel() { inner_.Cancel(); }

    private:
        Batch outer_;
        Batch inner_;
    };

    // True when the notifications of every change committed to the contacts' volume so far have
    // reached this manager (they arrive while the event loop runs).
    [[nodiscard]] bool NotificationsDelivered();

    void Reopen();
    void Reindex();
    // Brings the index to hold exactly the records of the database, as a rebuild does and at its
    // cost (replacing every contact one by one cost a thousand times more at 100,000 contacts),
    // without reporting progress.
    void CheckIndex();
    // Saves pending changes, waits for the save (a failure is logged; SaveNow reports it to a
    // caller that must know), closes the databases, the index and the timers, and forgets the
    // coordination engine.
    void Close();
    // Handles the queued changes now instead of after the quiet time.
    void FlushQueue();
    // Brings the index files up to date on this thread, waiting for nothing else (the tool does
    // this before it exits): saves them whole, or leaves them as they are when the journal lets
    // the next open catch them up cheaply (kUnsavedContactsAtMost). False when either file could
    // not be written.
    [[nodiscard]] bool SaveNow();
    [[nodiscard]] bool HasUnsavedChanges() const { return beingUpdated_; }
    // Whether this instance keeps the index (the master, or no coordination at all).
    [[nodiscard]] bool Maintains() const;

    ManagedIndex& Index() { return *index_; }
    CContactsDb& Databases() { return db_; }
    ContactDBMsgStack& Queue() { return queue_; }

private:
    void OnNotification(const plat::Notification& notification);
    void QueueChange(uint32_t kind, uint32_t parent, uint32_t oid);
    void HandleQueue();
    void ApplyChange(const QueuedChange& change, std::unordered_set<uint32_t>& current);
    void FullRebuild();
    void Rebuild(bool reportProgress);
    [[nodiscard]] bool FailInit();
    void BringIndexUp(IndexOpen opened);
    void CatchUp();
    void IndexHoldsEveryChange();
    void StartSaveTimer();
    void OnSaveTimer();
    [[noreturn]] void IndexFailed(int line);
    [[nodiscard]] bool ReadCurrent(Contact& contact, Contact::PictureLoad picture);
    using Assignments = std::unordered_map<uint32_t, Array<uint32_t>>;
    std::optional<Assignments> ReadAllCategories();
    [[nodiscard]] bool ReadForIndex(Contact& contact, const std::optional<Assignments>& all);
    uint32_t ReadRecordId(uint32_t oid);
    template <typename Change>
    ContactWrite Whole(Change change);
    ContactWrite WriteNewContact(Contact& contact, bool writeNote);
    ContactWrite WriteContactChanges(Contact& contact, bool writeNote);
    ContactWrite RemoveContact(uint32_t oid);
    [[nodiscard]] bool WriteCategories(const Contact& contact, bool created);

    std::unique_ptr<ManagedIndex> index_;
    CContactsDb db_;
    ContactDBMsgStack queue_;
    CoordEngine* coord_ = nullptr;
    ObserverList<ContactManagerListener> listeners_;
    WindowTimer saveTimer_;
    bool open_ = false;
    bool beingUpdated_ = false;
};
