#pragma once
// The trash: deleted contacts kept for kKeepDays in the database "Brevane Trash" of the contacts'
// volume (docs/trash.md), with the versions of contacts that the last undoable action changed and
// that action's own record. A contact goes to the trash in the same store transaction as its
// delete, so it is never both gone and not kept. Nothing in the trash is a contact: no list,
// search or lookup sees it.
//
// A trash record holds every property of the contact's record as it was (the picture, the
// ringtone and the further values with it), its UID, the names of its categories and its
// speed-dial buttons, and the trash's own properties (kProp...).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"

class ContactManager;

// What a contact keeps beside its record outside the store's transactions (the speed-dial
// buttons): taken as bytes when the contact goes, handed back with its new object identifier
// after a restore is committed, moved to the merged contact after a merge is.
class ContactAttachments {
public:
    virtual ~ContactAttachments() = default;
    virtual std::vector<uint8_t> Capture(uint32_t oid) = 0;
    // False when they could not all be put back or moved.
    [[nodiscard]] virtual bool Restore(std::span<const uint8_t> kept, uint32_t oid) = 0;
    [[nodiscard]] virtual bool Move(uint32_t from, uint32_t to) = 0;
};

enum class TrashRole : uint32_t {
    Deleted = 1,  // a deleted contact: listed, restorable
    Before = 2,   // a contact as it was before the last action changed it
    Action = 3,   // the last undoable action
};

// One record of the trash, without the contact.
struct TrashItem {
    uint32_t trashOid = 0;  // the trash record
    TrashRole role = TrashRole::Deleted;
    uint32_t original = 0;  // the contact's object identifier (Deleted, Before)
    uint64_t when = 0;      // when it was kept (a file time)
    uint32_t action = 0;    // the action that kept it
    uint32_t kind = 0;      // the action's kind (Action)
};

class ContactTrash {
public:
    static constexpr char16_t kDatabaseName[] = u"Brevane Trash";
    static constexpr uint64_t kKeepDays = 30;
    static constexpr uint64_t kFileTimeDay = 864000000000ULL;

    // Trash properties (numbers no contact property uses).
    static constexpr uint16_t kPropRole = 0x7F00;         // UI4, TrashRole
    static constexpr uint16_t kPropOriginal = 0x7F01;     // UI4, the contact's object identifier
    static constexpr uint16_t kPropWhen = 0x7F02;         // FILETIME
    static constexpr uint16_t kPropAction = 0x7F03;       // UI4, the action's number
    static constexpr uint16_t kPropCategories = 0x7F04;   // BLOB, category names (UTF-16LE, each NUL-ended)
    static constexpr uint16_t kPropAttachments = 0x7F05;  // BLOB, ContactAttachments' bytes
    static constexpr uint16_t kPropFingerprint = 0x7F06;  // UI4, Fingerprint() of what the action wrote
    static constexpr uint16_t kPropKind = 0x7F07;         // UI4, the action's kind
    static constexpr uint16_t kPropAdded = 0x7F08;        // BLOB, (oid, fingerprint) pairs of UI4

    ContactTrash(ContactManager& manager, ContactAttachments* attachments)
        : manager_(manager), attachments_(attachments) {}

    // Opens the database, making it when missing, and drops the deleted contacts kept longer than
    // kKeepDays. False when the database cannot be opened or made.
    [[nodiscard]] bool Open();

    // Every record, in store order; nothing when the trash cannot be read.
    std::optional<std::vector<TrashItem>> Items();
    // The contact of a Deleted or Before record, with its categories (ids, made when missing).
    [[nodiscard]] bool ReadContact(uint32_t trashOid, Contact& contact, Contact::PictureLoad picture);

    // Keeps stored contact `oid` with `role` for `action` (its attachments too for Deleted). The
    // caller deletes or changes it in the same transaction.
    [[nodiscard]] bool Keep(uint32_t oid, TrashRole role, uint32_t action);
    // Writes the contact of a Deleted record anew (a new object identifier, given back in
    // `restored`) and drops the record; the attachments follow once FinishRestores runs after the
    // commit.
    [[nodiscard]] bool Restore(uint32_t trashOid, uint32_t& restored);
    // Points the attachments of the restores made since at their contacts. False when any failed.
    [[nodiscard]] bool FinishRestores();
    [[nodiscard]] bool Drop(uint32_t trashOid);

    // Writes the record of action `number`, with the fingerprints of the contacts it added, and
    // gives its Before records the fingerprints of the contacts as the action left them. The
    // action's last step, in its transaction.
    [[nodiscard]] bool WriteAction(uint32_t kind, uint32_t number, std::span<const uint32_t> added);
    // The (oid, fingerprint) pairs of the contacts action record `trashOid` added.
    std::vector<std::pair<uint32_t, uint32_t>> AddedBy(uint32_t trashOid);
    // The fingerprint kept in record `trashOid`.
    std::optional<uint32_t> KeptFingerprint(uint32_t trashOid);

    // A number that changes whenever anything of stored contact `oid` changes; nothing when it
    // cannot be read (it is gone).
    std::optional<uint32_t> Fingerprint(uint32_t oid);

private:
    [[nodiscard]] bool ReadRecord(CCeDBDatabase& db, uint32_t oid, CCeDBRecord& record);
    void PurgeOld();

    ContactManager& manager_;
    ContactAttachments* attachments_;
    CCeDBDatabase db_;
    std::vector<std::pair<std::vector<uint8_t>, uint32_t>> pendingAttachments_;
};
