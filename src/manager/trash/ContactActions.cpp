#include "manager/trash/ContactActions.h"

#include <algorithm>
#include <cstdio>

#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "store/contact/ContactMerge.h"

namespace {

std::string Hex(uint32_t oid) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", oid);
    return text;
}

ActionResult Failed(std::string message) {
    ActionResult result;
    result.message = std::move(message);
    return result;
}

// Commits the transaction when every step went (`ok`), else undoes it; the result says which.
ActionResult Commit(ContactManager::Transaction& transaction, bool ok, const std::string& failure,
                    ActionResult done) {
    if (!ok) {
        transaction.Cancel();
        (void)transaction.End();  // cancelled: nothing is left to commit
        return Failed(failure + "; nothing was changed");
    }
    if (!transaction.End()) return Failed("the store could not commit the change; nothing was changed");
    done.done = true;
    return done;
}

const char* KindName(uint32_t kind) {
    switch (static_cast<ActionKind>(kind)) {
        case ActionKind::Delete: return "delete";
        case ActionKind::Merge: return "merge";
        case ActionKind::Import: return "import";
    }
    return "change";
}

std::optional<TrashItem> LastActionItem(const std::vector<TrashItem>& items) {
    std::optional<TrashItem> last;
    for (const TrashItem& item : items) {
        if (item.role == TrashRole::Action && (!last || item.action > last->action)) last = item;
    }
    return last;
}

}  // namespace

std::string ContactActions::Describe(uint32_t oid) {
    const std::optional<std::vector<TrashItem>> items = trash_.Items();
    const bool inTrash = items && std::any_of(items->begin(), items->end(), [&](const TrashItem& item) {
                             return item.role == TrashRole::Deleted && item.original == oid;
                         });
    return inTrash ? Hex(oid) + " is in the trash (restore it first)"
                   : "there is no contact " + Hex(oid) + " (deleted meanwhile?)";
}

std::optional<uint32_t> ContactActions::Begin() {
    const std::optional<std::vector<TrashItem>> items = trash_.Items();
    if (!items) return std::nullopt;
    uint32_t last = 0;
    for (const TrashItem& item : *items) {
        last = std::max(last, item.action);
        if (item.role != TrashRole::Deleted && !trash_.Drop(item.trashOid)) return std::nullopt;
    }
    return last + 1;
}

bool ContactActions::Changing(uint32_t oid, uint32_t action) {
    return trash_.Keep(oid, TrashRole::Before, action);
}

bool ContactActions::End(ActionKind kind, uint32_t action, std::span<const uint32_t> added) {
    return trash_.WriteAction(static_cast<uint32_t>(kind), action, added);
}

ActionResult ContactActions::Delete(std::span<const uint32_t> oids) {
    Contact contact;
    for (const uint32_t oid : oids) {
        if (!manager_.ReadContact(oid, contact, Contact::PictureLoad::Skip)) return Failed(Describe(oid));
    }
    ContactManager::Transaction transaction(manager_);
    const std::optional<uint32_t> action = Begin();
    bool ok = action.has_value();
    std::string failure = "the trash cannot be written";
    for (size_t i = 0; ok && i < oids.size(); ++i) {
        ok = trash_.Keep(oids[i], TrashRole::Deleted, *action);
        const ContactWrite deleted = ok ? manager_.DeleteContact(oids[i]) : ContactWrite{};
        if (ok && !(deleted.record && deleted.categories)) failure = "cannot delete " + Hex(oids[i]);
        ok = ok && deleted.record && deleted.categories;
    }
    ok = ok && End(ActionKind::Delete, *action, {});
    ActionResult done;
    done.message = "deleted " + std::to_string(oids.size()) + " contacts";
    return Commit(transaction, ok, failure, std::move(done));
}

ActionResult ContactActions::CheckMerge(std::span<const uint32_t> oids) {
    if (oids.size() < 2) return Failed("a merge needs two contacts or more");
    for (size_t i = 0; i < oids.size(); ++i) {
        if (std::find(oids.begin(), oids.begin() + static_cast<std::ptrdiff_t>(i), oids[i]) !=
            oids.begin() + static_cast<std::ptrdiff_t>(i)) {
            return Failed("cannot merge " + Hex(oids[i]) + " with itself");
        }
        Contact contact;
        if (!manager_.ReadContact(oids[i], contact, Contact::PictureLoad::Skip))
            return Failed(Describe(oids[i]));
    }
    ActionResult fine;
    fine.done = true;
    return fine;
}

ActionResult ContactActions::Merge(std::span<const uint32_t> oids) {
    if (ActionResult checked = CheckMerge(oids); !checked.done) return checked;
    std::vector<Contact> contacts(oids.size());
    CategoryManager* categories = CategoryManager::Instance();
    for (size_t i = 0; i < oids.size(); ++i) {
        if (!manager_.ReadContact(oids[i], contacts[i]) ||
            (contacts[i].GetRecordId() != 0 &&
             (categories == nullptr || !categories->LoadContactCategories(contacts[i])))) {
            return Failed("cannot read " + Hex(oids[i]) + " whole; nothing was changed");
        }
    }
    ActionResult done;
    Contact merged;
    merged.Assign(contacts[0]);
    for (size_t i = 1; i < contacts.size(); ++i) {
        for (const std::string& value : MergeContact(merged, contacts[i]).notKept)
            done.notKept.push_back(value + " of " + Hex(oids[i]));
    }
    ContactManager::Transaction transaction(manager_);
    const std::optional<uint32_t> action = Begin();
    bool ok = action && Changing(oids[0], *action);
    for (size_t i = 1; ok && i < oids.size(); ++i) ok = trash_.Keep(oids[i], TrashRole::Deleted, *action);
    std::string failure = ok ? "" : "the contacts cannot be kept for undo (deleted meanwhile?)";
    if (ok && !manager_.UpdateContact(merged, true).Complete()) {
        ok = false;
        failure = "the merged contact cannot be written";
    }
    for (size_t i = 1; ok && i < oids.size(); ++i) {
        const ContactWrite deleted = manager_.DeleteContact(oids[i]);
        ok = deleted.record && deleted.categories;
        if (!ok) failure = "cannot delete " + Hex(oids[i]);
    }
    if (ok && !End(ActionKind::Merge, *action, {})) {
        ok = false;
        failure = "the trash cannot be written";
    }
    done.message = Hex(oids[0]);
    done.oids = {oids[0]};
    ActionResult result = Commit(transaction, ok, failure, std::move(done));
    for (size_t i = 1; result.done && i < oids.size(); ++i) {
        if (attachments_ != nullptr && !attachments_->Move(oids[i], oids[0])) result.attachmentsMissed = true;
    }
    return result;
}

std::optional<std::string> ContactActions::ChangedSince(const std::vector<TrashItem>& items,
                                                        const TrashItem& action) {
    for (const TrashItem& item : items) {
        if (item.role != TrashRole::Before || item.action != action.action) continue;
        const std::optional<uint32_t> now = trash_.Fingerprint(item.original);
        if (!now) return Hex(item.original) + " was deleted since the " + KindName(action.kind);
        if (now != trash_.KeptFingerprint(item.trashOid))
            return Hex(item.original) + " was changed since the " + KindName(action.kind);
    }
    for (const auto& [oid, print] : trash_.AddedBy(action.trashOid)) {
        const std::optional<uint32_t> now = trash_.Fingerprint(oid);
        if (now && *now != print) return Hex(oid) + " was changed since the " + KindName(action.kind);
    }
    return std::nullopt;
}

ActionResult ContactActions::Undo() {
    const std::optional<std::vector<TrashItem>> items = trash_.Items();
    if (!items) return Failed("the trash cannot be read");
    const std::optional<TrashItem> action = LastActionItem(*items);
    if (!action) return Failed("there is nothing to undo");
    if (const std::optional<std::string> why = ChangedSince(*items, *action))
        return Failed(*why + "; nothing was undone");
    ContactManager::Transaction transaction(manager_);
    bool ok = true;
    size_t reverted = 0, removed = 0;
    ActionResult done;
    for (const TrashItem& item : *items) {
        if (!ok || item.action != action->action) continue;
        if (item.role == TrashRole::Before) {
            Contact before, now;
            ok = trash_.ReadContact(item.trashOid, before, Contact::PictureLoad::Decode) &&
                 manager_.ReadContact(item.original, now, Contact::PictureLoad::Skip);
            before.SetRecordId(now.GetRecordId());
            ok = ok && manager_.UpdateContact(before, true).Complete() && trash_.Drop(item.trashOid);
            ++reverted;
        } else if (item.role == TrashRole::Deleted) {
            uint32_t restored = 0;
            ok = trash_.Restore(item.trashOid, restored);
            done.oids.push_back(restored);
        }
    }
    Contact contact;
    for (const auto& [oid, print] : trash_.AddedBy(action->trashOid)) {
        if (!ok || !manager_.ReadContact(oid, contact, Contact::PictureLoad::Skip)) continue;
        const ContactWrite deleted = manager_.DeleteContact(oid);
        ok = deleted.record && deleted.categories;
        ++removed;
    }
    ok = ok && trash_.Drop(action->trashOid);
    done.message = std::string("undid the ") + KindName(action->kind) + ": " +
                   std::to_string(done.oids.size()) + " restored, " + std::to_string(reverted) +
                   " changed back, " + std::to_string(removed) + " removed";
    ActionResult result = Commit(transaction, ok, "the undo could not be written", std::move(done));
    if (result.done && !trash_.FinishRestores()) result.attachmentsMissed = true;
    return result;
}

ActionResult ContactActions::Restore(std::span<const uint32_t> originals) {
    const std::optional<std::vector<TrashItem>> items = trash_.Items();
    if (!items) return Failed("the trash cannot be read");
    std::vector<uint32_t> chosen;
    for (const uint32_t oid : originals) {
        const TrashItem* latest = nullptr;
        for (const TrashItem& item : *items) {
            if (item.role == TrashRole::Deleted && item.original == oid &&
                (latest == nullptr || item.when >= latest->when))
                latest = &item;
        }
        if (latest == nullptr) return Failed(Hex(oid) + " is not in the trash; nothing was restored");
        chosen.push_back(latest->trashOid);
    }
    ContactManager::Transaction transaction(manager_);
    ActionResult done;
    bool ok = true;
    for (size_t i = 0; ok && i < chosen.size(); ++i) {
        uint32_t restored = 0;
        ok = trash_.Restore(chosen[i], restored);
        done.oids.push_back(restored);
    }
    ActionResult result = Commit(transaction, ok, "the contacts cannot be written back", std::move(done));
    if (result.done && !trash_.FinishRestores()) result.attachmentsMissed = true;
    return result;
}

ActionResult ContactActions::Empty() {
    const std::optional<std::vector<TrashItem>> items = trash_.Items();
    if (!items) return Failed("the trash cannot be read");
    ContactManager::Transaction transaction(manager_);
    bool ok = true;
    for (const TrashItem& item : *items) ok = ok && trash_.Drop(item.trashOid);
    ActionResult done;
    done.message = "emptied the trash";
    return Commit(transaction, ok, "the trash cannot be emptied", std::move(done));
}
