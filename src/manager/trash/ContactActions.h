#pragma once
// The changes of contacts that can be undone: a delete (of one contact or many), a merge and an
// import. Each is one store transaction with its bookkeeping in the trash (ContactTrash.h): the
// contacts it deletes kept as they were, the contacts it changes kept as they were before, and
// its own record; so a process killed in the middle leaves all of it or none. Only the last
// action can be undone; a new one forgets the one before (its deleted contacts stay in the trash).
//
// Undo puts every contact back as the action found it, unless another change came since to a
// contact the action left: then it changes nothing and says which contact.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "manager/trash/ContactTrash.h"

enum class ActionKind : uint32_t { Delete = 1, Merge = 2, Import = 3 };

struct ActionResult {
    bool done = false;
    std::string message;               // why it failed, or what was done
    std::vector<uint32_t> oids;        // the contacts restored (new identifiers), or the merged one
    std::vector<std::string> notKept;  // a merge: the values the merged contact could not take
    bool attachmentsMissed = false;    // the speed-dial buttons could not all follow
};

class ContactActions {
public:
    ContactActions(ContactManager& manager, ContactAttachments* attachments)
        : manager_(manager), trash_(manager, attachments), attachments_(attachments) {}

    [[nodiscard]] bool Open() { return trash_.Open(); }
    ContactTrash& Trash() { return trash_; }

    // Every contact must be stored; all are deleted or none.
    ActionResult Delete(std::span<const uint32_t> oids);
    // Merges the others into the first (ContactMerge.h); the others are deleted.
    ActionResult Merge(std::span<const uint32_t> oids);

    // An import as one undoable action, within the caller's Transaction: Begin, then Changing
    // before each stored contact the import changes, then End with the contacts it added.
    std::optional<uint32_t> Begin();
    [[nodiscard]] bool Changing(uint32_t oid, uint32_t action);
    [[nodiscard]] bool End(ActionKind kind, uint32_t action, std::span<const uint32_t> added);

    ActionResult Undo();
    // Puts the deleted contacts (by their identifiers when deleted) back.
    ActionResult Restore(std::span<const uint32_t> originals);
    // Drops everything the trash holds (undo then has nothing left).
    ActionResult Empty();

private:
    std::string Describe(uint32_t oid);
    ActionResult CheckMerge(std::span<const uint32_t> oids);
    std::optional<std::string> ChangedSince(const std::vector<TrashItem>& items, const TrashItem& action);

    ContactManager& manager_;
    ContactTrash trash_;
    ContactAttachments* attachments_;
};
