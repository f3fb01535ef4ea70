#pragma once
// CategoryManager: the one object that touches the platform's category databases: "CategoryMainDB"
// (one record per category) and "CategoryAssocDB" (one record per item-to-category assignment).
// It lists, adds and deletes categories, reads a contact's categories and rewrites them when the
// contact is saved. A single instance per process and device, made on first use.
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

#include "categories/manager/CategoryEntry.h"
#include "core/array/Array.h"
#include "core/result/Status.h"
#include "core/str/Str.h"
#include "store/db/CeDBDatabase.h"

class Contact;
class StdContact;

// Item kinds in the top four bits of an item reference.
inline constexpr uint32_t kItemKindContact = 0x8;
inline constexpr uint32_t kItemKindOther4 = 0x4;
inline constexpr uint32_t kItemKindOtherC = 0xC;
inline constexpr uint32_t kItemKindShift = 28;
inline constexpr uint32_t kItemNumberBits = (1u << kItemKindShift) - 1;

// The item reference of a contact's record; ContactItemRef(0) is the first of that kind, where the
// contacts' assignments begin in the assignments' order.
constexpr uint32_t ContactItemRef(uint32_t recordId) {
    return (kItemKindContact << kItemKindShift) | recordId;
}
// The contact's record a reference names; nothing when it names an item of another kind.
constexpr std::optional<uint32_t> ContactOfItemRef(uint32_t ref) {
    if (ref >> kItemKindShift != kItemKindContact) return std::nullopt;
    return ref & kItemNumberBits;
}

class CategoryManager {
public:
    // The manager, opening both databases on the first call. When they cannot be opened the
    // platform is asked to create them and the open is tried once more; when that fails too the
    // result is null and the next call tries again. Callers treat null as "no categories".
    static CategoryManager* Instance();
    virtual ~CategoryManager();
    CategoryManager(const CategoryManager&) = delete;
    CategoryManager& operator=(const CategoryManager&) = delete;

    enum AddResult : int { kAddFailed = 0, kAddCreated = 1, kAddExists = 2 };
    // Adds a category; kAddExists (nothing written, `id` that category's) when one of exactly
    // that name exists; kAddFailed, writing nothing, for a name IsAllowedName refuses.
    int AddCategory(const Str& name, uint32_t& id);
    // Whether a category may be made with this name: the platform joins an item's category names
    // with ", " into one text, so a name holding "," or ";" would read back as several.
    [[nodiscard]] static bool IsAllowedName(std::u16string_view name);
    // The operations below that return a Status fail with kStrUnreadable when a read fails, kStrNotStored
    // when a write fails.
    static constexpr uint32_t kStrUnreadable = 44000;
    static constexpr uint32_t kStrNotStored = 44001;
    static constexpr uint32_t kStrInUse = 44002;
    static constexpr uint32_t kStrNotDeleted = 44003;

    // Only when nothing refers to it: StatusCode::Invalid when something does, NotFound for an
    // unknown id (kStrInUse, kStrNotDeleted).
    Status DeleteCategory(uint32_t id);

    // Lists ordered by name. A read failure other than the end of the database empties the list
    // and fails.
    Status GetAllCategories(Array<CategoryEntry>& entries);
    // The categories assigned to at least one contact.
    Status GetCategoriesInUse(Array<CategoryEntry>& entries);
    [[nodiscard]] bool GetCategoryName(uint32_t id, Str& name);
    // The names of the ids that have a category, ordered by name.
    Status GetCategoryNames(const Array<uint32_t>& ids, Array<Str>& names);

    // A contact's assignments, keyed by its record identifier value; a contact without one has no
    // categories and these fail (StatusCode::Invalid).
    Status GetContactCategories(const StdContact& contact, Array<uint32_t>& ids);
    Status GetContactCategoryNames(const StdContact& contact, Array<Str>& names);
    // Fills the contact's category ids from the store unless they were read already.
    Status LoadContactCategories(Contact& contact);
    // Every contact's category ids (ascending) by its record identifier value, in one pass over
    // the assignments: for a caller that needs them all (a full rebuild of the index).
    Status GetAllContactCategories(std::unordered_map<uint32_t, Array<uint32_t>>& byRecordId);
    // One assignment per id (for a contact just created); ids repeated in the list go once.
    Status AddContactCategories(const StdContact& contact, const Array<uint32_t>& ids);
    // Makes the assignments equal to `ids`, writing and deleting only the difference.
    Status SetContactCategories(const StdContact& contact, const Array<uint32_t>& ids);
    Status RemoveContactCategories(const StdContact& contact);

    // Names joined for one line of display: "a, b, c".
    static Str JoinNames(const Array<Str>& names);

private:
    CategoryManager() = default;
    [[nodiscard]] bool Open();
    [[nodiscard]] bool ReadCategory(uint32_t id, CategoryEntry& entry, bool& failed);
    [[nodiscard]] bool VisitItem(uint32_t itemRef, const std::function<void(const CCeDBRecord&)>& visit);
    [[nodiscard]] bool DeleteRecords(const Array<plat::CeOid>& records);

    CCeDBDatabase main_;   // "CategoryMainDB" ordered by id
    CCeDBDatabase assoc_;  // "CategoryAssocDB" ordered by (item, category)
    CCeDBDatabase byName_;  // "CategoryMainDB" ordered by name, opened by the first AddCategory
};

// Sorts category entries (or names) by name with the device locale's collation.
void SortByName(Array<CategoryEntry>& entries);
void SortByName(Array<Str>& names);
