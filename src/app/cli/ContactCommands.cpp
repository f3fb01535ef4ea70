// add, update, delete, import, export: changes of contacts and their transfer as vCards.
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/manager/CategoryManager.h"
#include "store/vcard/ContactTransfer.h"

namespace cli {

namespace {

// The identifiers of the named categories, made when missing. `known` keeps the identifiers found
// so far, for a caller that names the same categories again and again.
Array<uint32_t> CategoryIds(const std::vector<Str>& names, std::map<std::u16string, uint32_t>& known) {
    Array<uint32_t> ids;
    CategoryManager* categories = names.empty() ? nullptr : CategoryManager::Instance();
    if (!names.empty() && categories == nullptr) throw Failure("the category databases cannot be opened");
    for (const Str& name : names) {
        uint32_t& id = known[std::u16string(name.View())];
        if (id == 0 && (categories->AddCategory(name, id) == CategoryManager::kAddFailed || id == 0)) {
            throw Failure("cannot add the category " + name.ToUtf8());
        }
        ids.Add(id);
    }
    return ids;
}

Array<uint32_t> CategoryIds(const std::vector<Str>& names) {
    std::map<std::u16string, uint32_t> known;
    return CategoryIds(names, known);
}

void Add(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    Contact contact;
    std::vector<Str> names;
    for (const std::string& arg : args) ApplyField(contact, arg, names);
    Session session(context);
    contact.categories = CategoryIds(names);
    if (!session.Manager().AddContact(contact, true)) throw Failure("the contact cannot be written");
    session.Changed();
    session.Finish();
    context.out << FormatOid(contact.GetOid()) << "\n";
}

void Update(Context& context, const Args& args) {
    if (args.size() < 2) throw UsageError("");
    const uint32_t oid = ParseOid(args[0]);
    Contact probe;
    std::vector<Str> names;
    for (size_t i = 1; i < args.size(); ++i) ApplyField(probe, args[i], names);
    Session session(context);
    Contact contact;
    if (!session.Manager().ReadContact(oid, contact)) throw Failure("no contact " + args[0]);
    if (CategoryManager* categories = CategoryManager::Instance()) categories->LoadContactCategories(contact);
    for (size_t i = 1; i < args.size(); ++i) ApplyField(contact, args[i], names);
    if (!names.empty()) contact.categories = CategoryIds(names);
    if (!session.Manager().UpdateContact(contact, true)) throw Failure("the contact cannot be written");
    session.Changed();
}

void Delete(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    std::vector<uint32_t> oids;
    for (const std::string& arg : args) oids.push_back(ParseOid(arg));
    Session session(context);
    for (size_t i = 0; i < oids.size(); ++i) {
        Contact contact;
        if (!session.Manager().ReadContact(oids[i], contact)) throw Failure("no contact " + args[i]);
    }
    for (size_t i = 0; i < oids.size(); ++i) {
        if (!session.Manager().DeleteContact(oids[i])) throw Failure("cannot delete " + args[i]);
        session.Changed();
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Import(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    std::deque<ImportedContact> all;  // grows without moving what it holds
    for (const std::string& path : args) {
        std::vector<ImportedContact> contacts;
        const ReadStatus status = ImportContacts(ReadFile(path), contacts);
        if (!status.ok()) throw Failure(path + ": " + status.ToString());
        for (ImportedContact& contact : contacts) all.push_back(std::move(contact));
    }
    Session session(context);
    ContactManager::Batch batch(session.Manager());
    std::map<std::u16string, uint32_t> categories;
    for (ImportedContact& imported : all) {
        imported.contact.categories = CategoryIds(imported.categories, categories);
        if (!session.Manager().AddContact(imported.contact, true)) throw Failure("a contact cannot be written");
        session.Changed();
    }
    if (!batch.End()) throw Failure("the contacts cannot be written");
    session.Finish();
    context.out << "imported " << all.size() << " contacts\n";
}

void Export(Context& context, const Args& args) {
    std::vector<uint32_t> oids;
    for (const std::string& arg : args) oids.push_back(ParseOid(arg));
    Session session(context);
    if (oids.empty()) oids = session.Manager().Index().ListAll(IndexOrder::Name, nullptr);
    CategoryManager* categories = CategoryManager::Instance();
    for (const uint32_t oid : oids) {
        Contact contact;
        if (!session.Manager().ReadContact(oid, contact)) throw Failure("no contact " + FormatOid(oid));
        Array<Str> names;
        if (categories != nullptr) categories->GetContactCategoryNames(contact, names);
        std::vector<Str> list;
        for (int i = 0; i < names.GetSize(); ++i) list.push_back(names[i]);
        context.out << ExportContact(contact, list);
    }
}

}  // namespace

void AddContactCommands(CommandTable& table) {
    table.push_back({"add", "FIELD=VALUE...", Add});
    table.push_back({"update", "OID FIELD=VALUE...", Update});
    table.push_back({"delete", "OID...", Delete});
    table.push_back({"import", "FILE...", Import});
    table.push_back({"export", "[OID...]", Export});
}

}  // namespace cli
