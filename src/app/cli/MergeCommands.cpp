// duplicates, merge, undo, trash: finding and merging duplicates, the trash and undo.
#include <algorithm>

#include "app/cli/Actions.h"
#include "app/cli/ContactFields.h"
#include "manager/duplicates/DuplicateScan.h"

namespace cli {

namespace {

// The failure of a result; a result that left speed-dial buttons behind is reported.
Status Check(Session& session, const ActionResult& result) {
    if (!result.done) return Fail(result.message);
    session.Changed(static_cast<uint32_t>(std::max<size_t>(result.oids.size(), 1)));
    if (result.attachmentsMissed) session.Missed("the speed-dial buttons could not all follow the contacts");
    return Status::Ok();
}

// Opens the session, then the trash that records its actions.
Status OpenBoth(Session& session, Actions& actions) {
    if (Status opened = session.Open(); !opened) return opened;
    return actions.Open();
}

std::vector<uint32_t> Oids(const Args& args) {
    std::vector<uint32_t> oids;
    for (const std::string& arg : args) oids.push_back(ParseOid(arg));
    return oids;
}

Status Duplicates(Context& context, const Args& args) {
    if (!args.empty()) throw UsageError("");
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    const std::optional<std::vector<DuplicateKeys>> keys = GatherKeys(session.Manager());
    if (!keys) return Fail("the contacts cannot be read");
    const ListOrder order = StoredListOrder();
    for (const DuplicateGroup& group : FindDuplicates(*keys)) {
        context.out << "# " << Str(DescribeLinks(group.links)).ToUtf8() << "\n";
        for (const uint32_t oid : group.oids)
            context.out << FormatOid(oid) << "\t" << RowText(session.Manager(), oid, order) << "\n";
    }
    return session.Finish();
}

Status Merge(Context& context, const Args& args) {
    if (args.size() < 2) throw UsageError("");
    const std::vector<uint32_t> oids = Oids(args);
    Session session(context);
    Actions actions(session);
    if (Status opened = OpenBoth(session, actions); !opened) return opened;
    const ActionResult result = actions->Merge(oids);
    if (Status checked = Check(session, result); !checked) return checked;
    for (const std::string& value : result.notKept) session.Cut("not kept in the merged contact: " + value);
    if (Status finished = session.Finish(); !finished) return finished;
    context.out << FormatOid(oids[0]) << "\n";
    return Status::Ok();
}

Status Undo(Context& context, const Args& args) {
    if (!args.empty()) throw UsageError("");
    Session session(context);
    Actions actions(session);
    if (Status opened = OpenBoth(session, actions); !opened) return opened;
    const ActionResult result = actions->Undo();
    if (Status checked = Check(session, result); !checked) return checked;
    if (Status finished = session.Finish(); !finished) return finished;
    context.out << result.message << "\n";
    return Status::Ok();
}

Status TrashList(Context& context, Session& session) {
    Actions actions(session);
    if (Status trash = actions.Open(); !trash) return trash;
    const std::optional<std::vector<TrashItem>> items = actions->Trash().Items();
    if (!items) return Fail("the trash cannot be read");
    std::vector<TrashItem> deleted;
    std::copy_if(items->begin(), items->end(), std::back_inserter(deleted),
                 [](const TrashItem& item) { return item.role == TrashRole::Deleted; });
    std::stable_sort(deleted.begin(), deleted.end(),
                     [](const TrashItem& a, const TrashItem& b) { return a.when > b.when; });
    const ListOrder order = StoredListOrder();
    for (const TrashItem& item : deleted) {
        Contact contact;
        if (!actions->Trash().ReadContact(item.trashOid, contact, Contact::PictureLoad::Skip)) {
            return Fail("the trash entry of " + FormatOid(item.original) + " cannot be read");
        }
        context.out << FormatOid(item.original) << "\t" << RowName(contact, order).ToUtf8() << "\n";
    }
    return Status::Ok();
}

Status Trash(Context& context, const Args& args) {
    if (args.empty() || (args[0] != "restore" && args.size() != 1) ||
        (args[0] == "restore" && args.size() < 2)) {
        throw UsageError("");
    }
    const std::vector<uint32_t> oids =
        args[0] == "restore" ? Oids({args.begin() + 1, args.end()}) : std::vector<uint32_t>{};
    if (args[0] != "list" && args[0] != "restore" && args[0] != "empty") throw UsageError("");
    Session session(context);
    if (args[0] == "list") {
        if (Status opened = session.Open(); !opened) return opened;
        if (Status listed = TrashList(context, session); !listed) return listed;
        return session.Finish();
    }
    Actions actions(session);
    if (Status opened = OpenBoth(session, actions); !opened) return opened;
    const ActionResult result = args[0] == "empty" ? actions->Empty() : actions->Restore(oids);
    if (Status checked = Check(session, result); !checked) return checked;
    if (Status finished = session.Finish(); !finished) return finished;
    for (size_t i = 0; i < result.oids.size(); ++i) {
        context.out << "restored " << FormatOid(oids[i]) << " as " << FormatOid(result.oids[i]) << "\n";
    }
    return Status::Ok();
}

}  // namespace

void AddMergeCommands(CommandTable& table) {
    table.push_back({"duplicates", "", "lists groups of contacts that are likely one person",
                     "prints per group a line # REASON, then OID<TAB>row text lines", "", Duplicates});
    table.push_back(
        {"merge", "OID OID...", "merges the other contacts into the first",
         "OID  the contact that stays, then the contacts merged into it (they are deleted)\n"
         "prints the first OID; a value the merged contact could not take is named on standard error",
         "3 values were named that the merged contact could not take", Merge});
    table.push_back(
        {"undo", "", "undoes the last delete, merge or import", "prints what it restored", "", Undo});
    table.push_back({"trash", "list | restore OID... | empty", "the deleted contacts, kept for 30 days",
                     "list     prints OID<TAB>row text lines, the last deleted first\n"
                     "restore  puts the contacts back (new OIDs); prints: restored OID as OID\n"
                     "empty    drops every deleted contact for good",
                     "", Trash});
}

}  // namespace cli
