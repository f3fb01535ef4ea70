// categories, category-add, category-delete, assign.
#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/manager/CategoryManager.h"

namespace cli {

namespace {

Result<CategoryManager*> Categories() {
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) return Fail("the category databases cannot be opened");
    return categories;
}

// The id of the category named `name`; nothing when there is none.
Result<std::optional<uint32_t>> FindCategory(const std::string& name) {
    const Result<CategoryManager*> categories = Categories();
    if (!categories) return categories.GetStatus();
    Array<CategoryEntry> entries;
    if (!categories.Value()->GetAllCategories(entries)) return Fail("the categories cannot be read");
    for (int i = 0; i < entries.GetSize(); ++i) {
        if (entries[i].name == Str::FromUtf8(name)) return std::optional<uint32_t>(entries[i].id);
    }
    return std::optional<uint32_t>();
}

// The id of the category named `name`, failing when there is none.
Result<uint32_t> ExistingCategory(const std::string& name) {
    const Result<std::optional<uint32_t>> id = FindCategory(name);
    if (!id) return id.GetStatus();
    if (!id.Value()) return Fail("no category " + name);
    return *id.Value();
}

Status List(Context& context, const Args& args) {
    if (!args.empty()) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    const Result<CategoryManager*> categories = Categories();
    if (!categories) return categories.GetStatus();
    Array<CategoryEntry> entries;
    if (!categories.Value()->GetAllCategories(entries)) return Fail("the categories cannot be read");
    for (int i = 0; i < entries.GetSize(); ++i) context.out << entries[i].id << "\t" << entries[i].name.ToUtf8() << "\n";
    return Status::Ok();
}

Status AddOne(Context& context, const Args& args) {
    if (args.size() != 1 || args[0].empty()) throw UsageError("");
    const Result<Str> name = CategoryName(args[0]);
    if (!name) return name.GetStatus();
    if (Status device = OpenDevice(context); !device) return device;
    const Result<CategoryManager*> categories = Categories();
    if (!categories) return categories.GetStatus();
    uint32_t id = 0;
    if (categories.Value()->AddCategory(name.Value(), id) == CategoryManager::kAddFailed) {
        return Fail("cannot add the category " + args[0]);
    }
    return Status::Ok();
}

Status DeleteOne(Context& context, const Args& args) {
    if (args.size() != 1) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    const Result<CategoryManager*> categories = Categories();
    if (!categories) return categories.GetStatus();
    const Result<uint32_t> id = ExistingCategory(args[0]);
    if (!id) return id.GetStatus();
    if (!categories.Value()->DeleteCategory(id.Value()))
        return Fail("the category " + args[0] + " is in use");
    return Status::Ok();
}

Status Assign(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    const uint32_t oid = ParseOid(args[0]);
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    Contact contact;
    if (!session.Manager().ReadContact(oid, contact)) return Fail("no contact " + args[0]);
    Array<uint32_t> ids;
    for (size_t i = 1; i < args.size(); ++i) {
        const Result<uint32_t> id = ExistingCategory(args[i]);
        if (!id) return id.GetStatus();
        ids.Add(id.Value());
    }
    // Saved with the contact, so that every program (the index too) learns of the change.
    contact.categories = ids;
    const ContactWrite written = session.Manager().UpdateContact(contact, true);
    if (!written.record || !written.categories) return Fail("the categories cannot be written");
    session.Changed();
    return Status::Ok();
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
