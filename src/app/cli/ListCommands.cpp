// list, search, abc, lookup: the contact list as the program builds it.
#include <algorithm>
#include <optional>

#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/filter/RecentContactList.h"
#include "categories/manager/CategoryManager.h"
#include "manager/search/ListRows.h"
#include "store/contact/StdContact.h"

namespace cli {

namespace {

constexpr const char* kListOptionsHelp =
    "--order ORDER     name, fileas or company (default: the stored sort order)\n"
    "--category NAME   only contacts having one of the named categories (repeatable)\n"
    "prints OID<TAB>row text lines; company order adds a # COMPANY (N) line before each group";

struct ListOptions {
    std::optional<ListOrder> order;  // none: the stored order, read once the device is open
    CategoryRestriction filter;
    bool recent = false;  // the recently used contacts instead, as the filter's Recent choice
    Args rest;  // the arguments that are not options
};

ListOrder ParseOrder(const std::string& name) {
    if (name == "name") return ListOrder::Name;
    if (name == "fileas") return ListOrder::FileAs;
    if (name == "company") return ListOrder::Company;
    throw UsageError("");
}

ListOptions ParseOptions(const Args& args, std::vector<std::string>& categoryNames, bool recentAllowed) {
    ListOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--order" && i + 1 < args.size()) {
            options.order = ParseOrder(args[++i]);
        } else if (args[i] == "--category" && i + 1 < args.size()) {
            categoryNames.push_back(args[++i]);
            options.filter.active = true;
        } else if (args[i] == "--no-category") {
            options.filter.active = true;
        } else if (args[i] == "--recent" && recentAllowed) {
            options.recent = true;
        } else if (args[i].starts_with("--")) {
            throw UsageError("");
        } else {
            options.rest.push_back(args[i]);
        }
    }
    return options;
}

// The ids of the named categories; a name no category has fails the request.
Status ResolveCategories(ListOptions& options, const std::vector<std::string>& names) {
    if (names.empty()) return Status::Ok();
    CategoryManager* categories = CategoryManager::Instance();
    Array<CategoryEntry> entries;
    if (categories == nullptr || !categories->GetAllCategories(entries))
        return Fail("no categories on this device");
    for (const std::string& name : names) {
        bool found = false;
        for (int i = 0; i < entries.GetSize() && !found; ++i) {
            found = entries[i].name == Str::FromUtf8(name);
            if (found) options.filter.ids.push_back(entries[i].id);
        }
        if (!found) return Fail("no category " + name);
    }
    return Status::Ok();
}

void Print(Context& context, ContactManager& manager, const ContactList& list, ListOrder order) {
    if (!list.companies) {
        for (const uint32_t oid : list.oids) context.out << FormatOid(oid) << "\t" << RowText(manager, oid, order) << "\n";
        return;
    }
    const std::vector<uint32_t>& flat = list.companies->flat;
    size_t group = 0;
    for (size_t at = 0; at < flat.size(); at += flat[at] + 1, ++group) {
        context.out << "# " << list.companies->companies[group].ToUtf8() << " (" << flat[at] << ")\n";
        for (uint32_t i = 1; i <= flat[at]; ++i) {
            context.out << FormatOid(flat[at + i]) << "\t" << RowText(manager, flat[at + i], order) << "\n";
        }
    }
}

// Parses the options, opens the session and prints what `make` builds from the rest.
template <typename Make>
Status RunList(Context& context, const Args& args, size_t restCount, Make make, bool recentAllowed = false) {
    std::vector<std::string> names;
    ListOptions options = ParseOptions(args, names, recentAllowed);
    if (options.rest.size() != restCount) throw UsageError("");
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    if (!options.order) options.order = StoredListOrder();
    if (Status resolved = ResolveCategories(options, names); !resolved) return resolved;
    Print(context, session.Manager(), make(session.Search(), options), *options.order);
    return Status::Ok();
}

std::vector<int> PressedGroups(const std::string& digits) {
    std::vector<int> groups;
    for (const char digit : digits) {
        if (digit < '2' || digit > '9') throw UsageError("");
        groups.push_back(digit - '2');
    }
    return groups;
}

// The stored recent contacts that are still in the store, most recent first; categories play no
// part. The stored list is only read.
ContactList RecentContacts(ContactSearch& search) {
    RecentContactList recent;
    recent.Load();
    const ContactList all = search.ListAll(ListOrder::Name, CategoryRestriction{});
    ContactList list;
    for (const uint32_t oid : recent.Oids()) {
        if (std::find(all.oids.begin(), all.oids.end(), oid) != all.oids.end()) list.oids.push_back(oid);
    }
    return list;
}

Status List(Context& context, const Args& args) {
    return RunList(
        context, args, 0,
        [](ContactSearch& search, const ListOptions& o) {
            return o.recent ? RecentContacts(search) : search.ListAll(*o.order, o.filter);
        },
        true);
}

Status SearchText(Context& context, const Args& args) {
    return RunList(context, args, 1, [](ContactSearch& search, const ListOptions& o) {
        return search.Typed(Str::FromUtf8(o.rest[0]).View(), *o.order, o.filter);
    });
}

Status Abc(Context& context, const Args& args) {
    for (const std::string& arg : args) {
        if (!arg.starts_with("--")) PressedGroups(arg);
    }
    return RunList(context, args, 1, [](ContactSearch& search, const ListOptions& o) {
        return search.Alphabet(PressedGroups(o.rest[0]), *o.order, o.filter);
    });
}

Status Lookup(Context& context, const Args& args) {
    if (args.size() != 1 || args[0].size() < ContactSearch::kMinLookupDigits ||
        args[0].find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError("");
    }
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    ContactList list;
    list.oids = session.Search().Lookup(Str::FromUtf8(args[0]).View());
    Print(context, session.Manager(), list, ListOrder::Name);
    return Status::Ok();
}

}  // namespace

std::string RowText(ContactManager& manager, uint32_t oid, ListOrder order) {
    // A contact the index lists but the store no longer has (deleted meanwhile) is drawn as an
    // unnamed row, as the list draws it.
    StdContact contact;
    if (!manager.ReadTexts(oid, RowNameFields(), contact)) return RowName(StdContact(), order).ToUtf8();
    return RowName(contact, order).ToUtf8();
}

void AddListCommands(CommandTable& table) {
    table.push_back(
        {"list", "[--order name|fileas|company] [--category NAME]... [--no-category] [--recent]",
         "lists the contacts",
         std::string(kListOptionsHelp) +
             "\n--no-category     only contacts without a category\n--recent          the recent contacts",
         "", List});
    table.push_back({"search", "[--order name|fileas|company] [--category NAME]... TEXT",
                     "the contacts with a word beginning with each word of TEXT",
                     std::string(kListOptionsHelp) + "\nTEXT              the search box's text", "",
                     SearchText});
    table.push_back({"abc", "[--order name|fileas|company] DIGITS", "the alphabet search of the keypad",
                     "--order ORDER  as list\nDIGITS         each of 2 to 9 presses that keypad button", "",
                     Abc});
    table.push_back({"lookup", "DIGITS (at least 6)", "the contacts with a number ending in DIGITS",
                     "DIGITS  at least 6 digits; prints OID<TAB>row text lines in name order", "", Lookup});
}

}  // namespace cli
