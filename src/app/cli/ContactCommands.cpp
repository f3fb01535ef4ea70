// add, update, delete, import, export: changes of contacts and their transfer as vCards.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/manager/CategoryManager.h"
#include "store/vcard/ContactTransfer.h"

namespace cli {

namespace {

// The identifiers of the named categories, made when missing.
Array<uint32_t> CategoryIds(const std::vector<Str>& names) {
    Array<uint32_t> ids;
    CategoryManager* categories = names.empty() ? nullptr : CategoryManager::Instance();
    if (!names.empty() && categories == nullptr) throw Failure("the category databases cannot be opened");
    for (const Str& name : names) {
        uint32_t id = 0;
        if (categories->AddCategory(name, id) == CategoryManager::kAddFailed || id == 0) {
            throw Failure("cannot add the category " + name.ToUtf8());
        }
        ids.Add(id);
    }
    return ids;
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

// Reads one file; what was left out is named on standard error, with how many contacts were read.
// A file that gives no contact fails the whole import.
std::vector<ImportedContact> ReadImportFile(Context& context, const std::string& path) {
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    const ReadStatus status = ImportContacts(ReadFile(path), contacts, skipped);
    for (const ReadSkip& skip : skipped) context.err << path << ": " << skip.ToString() << "\n";
    if (!status.ok()) throw Failure(path + ": " + status.ToString());
    const auto lost =
        std::count_if(skipped.begin(), skipped.end(), [](const ReadSkip& s) { return s.LosesContact(); });
    context.err << path << ": " << contacts.size() << " of " << contacts.size() + static_cast<size_t>(lost)
                << " contacts read\n";
    if (!skipped.empty()) context.status = kDoneWithSkips;
    return contacts;
}

void Import(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    std::vector<ImportedContact> all;
    for (const std::string& path : args) {
        for (ImportedContact& contact : ReadImportFile(context, path)) all.push_back(std::move(contact));
    }
    Session session(context);
    for (ImportedContact& imported : all) {
        imported.contact.categories = CategoryIds(imported.categories);
        if (!session.Manager().AddContact(imported.contact, true)) throw Failure("a contact cannot be written");
        session.Changed();
    }
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
