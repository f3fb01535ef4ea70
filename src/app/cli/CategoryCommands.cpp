// categories, category-add, category-delete, assign.
#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/manager/CategoryManager.h"

namespace cli {

namespace {

CategoryManager& Categories() {
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) throw Failure("the category databases cannot be opened");
    return *categories;
}

std::optional<uint32_t> FindCategory(const std::string& name) {
    Array<CategoryEntry> entries;
    if (!Categories().GetAllCategories(entries)) throw Failure("the categories cannot be read");
    for (int i = 0; i < entries.GetSize(); ++i) {
        if (entries[i].name == Str::FromUtf8(name)) return entries[i].id;
    }
    return std::nullopt;
}

void List(Context& context, const Args& args) {
    if (!args.empty()) throw UsageError("");
    OpenDevice(context);
    Array<CategoryEntry> entries;
    if (!Categories().GetAllCategories(entries)) throw Failure("the categories cannot be read");
    for (int i = 0; i < entries.GetSize(); ++i) context.out << entries[i].id << "\t" << entries[i].name.ToUtf8() << "\n";
}

void AddOne(Context& context, const Args& args) {
    if (args.size() != 1 || args[0].empty()) throw UsageError("");
    const Str name = CategoryName(args[0]);
    OpenDevice(context);
    uint32_t id = 0;
    if (Categories().AddCategory(name, id) == CategoryManager::kAddFailed) {
        throw Failure("cannot add the category " + args[0]);
    }
}

void DeleteOne(Context& context, const Args& args) {
    if (args.size() != 1) throw UsageError("");
    OpenDevice(context);
    const std::optional<uint32_t> id = FindCategory(args[0]);
    if (!id) throw Failure("no category " + args[0]);
    if (!Categories().DeleteCategory(*id)) throw Failure("the category " + args[0] + " is in use");
}

void Assign(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    const uint32_t oid = ParseOid(args[0]);
    Session session(context);
    Contact contact;
    if (!session.Manager().ReadContact(oid, contact)) throw Failure("no contact " + args[0]);
    Array<uint32_t> ids;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::optional<uint32_t> id = FindCategory(args[i]);
        if (!id) throw Failure("no category " + args[i]);
        ids.Add(*id);
    }
    // Saved with the contact, so that every program (the index too) learns of the change.
    contact.categories = ids;
    const ContactWrite written = session.Manager().UpdateContact(contact, true);
    if (!written.record || !written.categories) throw Failure("the categories cannot be written");
    session.Changed();
}

}  // namespace

void AddCategoryCommands(CommandTable& table) {
    table.push_back(
        {"categories", "", "lists every category in name order", "prints ID<TAB>name lines", "", List});
    table.push_back({"category-add", "NAME", "adds a category", "NAME  the new category's name", "", AddOne});
    table.push_back({"category-delete", "NAME", "deletes a category no contact is assigned to",
                     "NAME  the category (exit 1 when a contact has it)", "", DeleteOne});
    table.push_back({"assign", "OID NAME...", "sets a contact's categories to exactly those named",
                     "OID   the contact\nNAME  an existing category; none clears the contact's categories",
                     "", Assign});
}

}  // namespace cli
