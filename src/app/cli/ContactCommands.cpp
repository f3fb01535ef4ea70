// add, update, delete, import, export: changes of contacts and their transfer as vCards.
#include <algorithm>
#include <functional>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/cli/Actions.h"
#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "categories/manager/CategoryManager.h"
#include "manager/duplicates/DuplicateMatcher.h"
#include "store/contact/ContactMerge.h"
#include "store/vcard/ImportAhead.h"

namespace cli {

namespace {

// The identifiers of the named categories, made when missing. `known` keeps the identifiers found
// so far, for a caller that names the same categories again and again.
Result<Array<uint32_t>> CategoryIds(const std::vector<Str>& names,
                                    std::map<std::u16string, uint32_t>& known) {
    Array<uint32_t> ids;
    CategoryManager* categories = names.empty() ? nullptr : CategoryManager::Instance();
    if (!names.empty() && categories == nullptr) return Fail("the category databases cannot be opened");
    for (const Str& name : names) {
        uint32_t& id = known[std::u16string(name.View())];
        if (id == 0 && (categories->AddCategory(name, id) == CategoryManager::kAddFailed || id == 0)) {
            return Fail("cannot add the category " + name.ToUtf8());
        }
        ids.Add(id);
    }
    return ids;
}

// Sets the contact's categories to the named ones, made when missing.
Status SetCategories(Contact& contact, const std::vector<Str>& names) {
    std::map<std::u16string, uint32_t> known;
    Result<Array<uint32_t>> ids = CategoryIds(names, known);
    if (!ids) return ids.GetStatus();
    contact.categories = std::move(ids).Value();
    return Status::Ok();
}

// Applies the FIELD=VALUE arguments from `first` on, in order, up to the first that fails.
Status ApplyFields(Contact& contact, const Args& args, size_t first, std::vector<Str>& names) {
    for (size_t i = first; i < args.size(); ++i) {
        if (Status applied = ApplyField(contact, args[i], names); !applied) return applied;
    }
    return Status::Ok();
}

// Records with the session what of a written contact is missing: "<subject>; its categories
// could not be <verb>". Nothing when the write is whole.
void ReportParts(Session& session, const ContactWrite& written, const std::string& subject,
                 const char* verb) {
    std::string missing;
    if (!written.categories) missing = "its categories";
    if (!written.namedValues) {
        missing += std::string(missing.empty() ? "" : " and ") + "its numbers and addresses";
    }
    if (!missing.empty()) session.Missed(subject + "; " + missing + " could not be " + verb);
    for (const std::string& cut : written.limited) session.Cut(subject + ": " + cut);
}

Status Add(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    Contact contact;
    std::vector<Str> names;
    if (Status applied = ApplyFields(contact, args, 0, names); !applied) return applied;
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    if (Status set = SetCategories(contact, names); !set) return set;
    const ContactWrite written = session.Manager().AddContact(contact, true);
    if (!written.record) return Fail("the contact cannot be written; nothing was stored");
    session.Changed();
    ReportParts(session, written, "the contact was stored as " + FormatOid(contact.GetOid()), "written");
    if (Status finished = session.Finish(); !finished) return finished;
    context.out << FormatOid(contact.GetOid()) << "\n";
    return Status::Ok();
}

Status Update(Context& context, const Args& args) {
    if (args.size() < 2) throw UsageError("");
    const uint32_t oid = ParseOid(args[0]);
    Contact probe;
    std::vector<Str> names;
    if (Status applied = ApplyFields(probe, args, 1, names); !applied) return applied;
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    Contact contact;
    if (!session.Manager().ReadContact(oid, contact)) return Fail("no contact " + args[0]);
    CategoryManager* categories = CategoryManager::Instance();
    if (categories != nullptr && !categories->LoadContactCategories(contact))
        return Fail("cannot read the categories of " + args[0]);
    if (Status applied = ApplyFields(contact, args, 1, names); !applied) return applied;
    if (!names.empty()) {
        if (Status set = SetCategories(contact, names); !set) return set;
    }
    const ContactWrite written = session.Manager().UpdateContact(contact, true);
    if (!written.record) return Fail("the contact cannot be written; nothing was changed");
    session.Changed();
    ReportParts(session, written, "the contact was changed", "written");
    return session.Finish();
}

Status Delete(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    std::vector<uint32_t> oids;
    for (const std::string& arg : args) oids.push_back(ParseOid(arg));
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    Actions actions(session);
    if (Status opened = actions.Open(); !opened) return opened;
    const ActionResult result = actions->Delete(oids);
    if (!result.done) return Fail(result.message);
    session.Changed(static_cast<uint32_t>(oids.size()));
    return session.Finish();
}

// The file's bytes, held once (a large import file is most of what the import holds).
Result<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail("cannot read " + path);
    std::string bytes;
    std::error_code error;
    if (const uintmax_t size = std::filesystem::file_size(path, error); !error) bytes.reserve(size);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (in.bad()) return Fail("cannot read " + path);
    return bytes;
}

// Reads one file, handing each contact to `take` as it is read; with `report`, what was left out
// is named on standard error, with how many contacts were read. A file that gives no contact fails
// the whole import (it hands none on). The number of contacts read.
//
// A pass that writes reads ahead on a second thread, so that the parsing runs beside the writes. It
// runs once the session has made the application object: Qt takes the first thread that uses it
// for its main thread, and the reading thread decodes pictures.
Result<size_t> ReadImportFile(Context& context, const std::string& path, bool report, const ContactSink& take,
                              bool writing) {
    std::vector<ReadSkip> skipped;
    size_t read = 0;
    const auto counted = [&](ImportedContact&& contact) {
        ++read;
        return take(std::move(contact));
    };
    const Result<std::string> bytes = ReadFile(path);
    if (!bytes) return bytes.GetStatus();
    const ReadStatus status = writing ? ForEachImportedAhead(bytes.Value(), skipped, counted)
                                      : ForEachImported(bytes.Value(), skipped, counted);
    if (report) {
        for (const ReadSkip& skip : skipped) context.err << path << ": " << skip.ToString() << "\n";
    }
    if (!status.ok()) return Fail(path + ": " + status.ToString());
    if (!report) return read;
    const auto lost =
        std::count_if(skipped.begin(), skipped.end(), [](const ReadSkip& s) { return s.LosesContact(); });
    context.err << path << ": " << read << " of " << read + static_cast<size_t>(lost) << " contacts read\n";
    if (!skipped.empty()) context.status = kDoneWithSkips;
    return read;
}

// How many of the `written` contacts the store holds: after a failed commit, the ones written
// since the commit before it are gone.
size_t StoredOf(Session& session, const std::vector<uint32_t>& written) {
    Contact contact;
    return static_cast<size_t>(std::count_if(written.begin(), written.end(), [&](uint32_t oid) {
        return session.Manager().ReadContact(oid, contact);
    }));
}

// Writes the contacts it is handed, one at a time, until one cannot be written; after that it
// only lets the reading go on, so that the import can tell how many there were. With a matcher, a
// card that duplicates a stored contact is merged into it instead (kept for undo as it was first).
class ImportWriter {
public:
    ImportWriter(Session& session, ContactActions& actions, uint32_t action, const DuplicateMatcher* matcher)
        : session_(session), actions_(actions), action_(action), matcher_(matcher) {}

    bool operator()(ImportedContact&& card) {
        if (!stopped_.empty()) return true;
        Result<Array<uint32_t>> ids = CategoryIds(card.categories, categories_);
        if (!ids) {
            stopped_ = MessageOf(ids.GetStatus());
            return true;
        }
        card.contact.categories = std::move(ids).Value();
        if (matcher_ != nullptr && Merged(card)) return true;
        const ContactWrite write = session_.Manager().AddContact(card.contact, true);
        if (!write.record) {
            stopped_ = "the next cannot be written";
            return true;
        }
        written_.push_back(card.contact.GetOid());
        session_.Changed();
        const std::string subject = "the contact " + FormatOid(card.contact.GetOid()) + " was imported";
        ReportParts(session_, write, subject, "written");
        for (const std::string& dropped : card.dropped) session_.Cut(subject + ": " + dropped);
        return true;
    }

    std::string& Stopped() { return stopped_; }
    const std::vector<uint32_t>& Written() const { return written_; }
    size_t MergedCount() const { return merged_; }

private:
    // True when the card was merged into the contact it duplicates (or the import stopped); a
    // contact that only has the same name takes the card only when the card adds nothing to it.
    bool Merged(const ImportedContact& card) {
        const std::optional<DuplicateMatch> match = matcher_->Find(card.contact);
        if (!match) return false;
        Contact stored;
        CategoryManager* categories = CategoryManager::Instance();
        if (!session_.Manager().ReadContact(match->oid, stored) ||
            (stored.GetRecordId() != 0 &&
             (categories == nullptr || !categories->LoadContactCategories(stored)))) {
            return false;  // gone meanwhile: the card is added
        }
        Contact merged;
        merged.Assign(stored);
        const MergeOutcome outcome = MergeContact(merged, card.contact);
        if (!merged.Equals(stored)) {
            if (match->nameOnly) return false;
            if (!actions_.Changing(match->oid, action_)) {
                stopped_ = "the contact " + FormatOid(match->oid) + " cannot be kept for undo";
                return true;
            }
            const ContactWrite write = session_.Manager().UpdateContact(merged, true);
            if (!write.record) {
                stopped_ = "the contact " + FormatOid(match->oid) + " cannot be written";
                return true;
            }
            session_.Changed();
            ReportParts(session_, write, "a card was merged into " + FormatOid(match->oid), "written");
            for (const std::string& value : outcome.notKept) {
                session_.Cut("not kept in " + FormatOid(match->oid) + ": " + value + " of a card");
            }
        }
        ++merged_;
        return true;
    }

    Session& session_;
    ContactActions& actions_;
    uint32_t action_;
    const DuplicateMatcher* matcher_;
    std::map<std::u16string, uint32_t> categories_;
    std::vector<uint32_t> written_;
    size_t merged_ = 0;
    std::string stopped_;
};

// Writes every contact in one batch, each as it is read, so that a large file is never held
// parsed whole. With several files each is read through first, so that one giving no contact
// stops the import before anything is written. When a write or a commit fails the import stops,
// and the store is asked which of the contacts written so far it holds: that count is the one
// reported. The import is the last undoable action once it is committed whole.
Status Import(Context& context, const Args& given) {
    Args args = given;
    const bool merge = !args.empty() && args[0] == "--merge";
    if (merge) args.erase(args.begin());
    if (args.empty()) throw UsageError("");
    const bool checkFirst = args.size() > 1;
    if (checkFirst) {
        for (const std::string& path : args) {
            const Result<size_t> checked = ReadImportFile(
                context, path, true, [](ImportedContact&&) { return true; }, false);
            if (!checked) return checked.GetStatus();
        }
    }
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    Actions actions(session);
    if (Status opened = actions.Open(); !opened) return opened;
    DuplicateMatcher matcher;
    if (merge && !matcher.Load(session.Manager()))
        return Fail("the stored contacts cannot be read; nothing was imported");
    ContactManager::Batch batch(session.Manager());
    const std::optional<uint32_t> action = actions->Begin();
    if (!action) return Fail("the trash cannot be written; nothing was imported");
    ImportWriter writer(session, *actions, *action, merge ? &matcher : nullptr);
    size_t read = 0;
    for (const std::string& path : args) {
        const Result<size_t> file = ReadImportFile(context, path, !checkFirst, std::ref(writer), true);
        if (!file) return file.GetStatus();
        read += file.Value();
    }
    std::string& stopped = writer.Stopped();
    if (stopped.empty() && !actions->End(ActionKind::Import, *action, writer.Written())) {
        session.Missed("the import cannot be undone (its record could not be written)");
    }
    if (!batch.End()) stopped += std::string(stopped.empty() ? "" : "; ") + "a commit of the store failed";
    const size_t imported = stopped.empty() ? writer.Written().size() : StoredOf(session, writer.Written());
    if (!stopped.empty()) {
        session.Missed("imported " + std::to_string(imported) + " of " + std::to_string(read) +
                       " contacts (the store holds them; the others were not stored); " + stopped);
    }
    if (Status finished = session.Finish(); !finished) return finished;
    context.out << "imported " << imported << " contacts";
    if (merge) context.out << ", merged " << writer.MergedCount();
    context.out << "\n";
    return Status::Ok();
}

Status Export(Context& context, const Args& args) {
    std::vector<uint32_t> oids;
    for (const std::string& arg : args) oids.push_back(ParseOid(arg));
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    if (oids.empty()) oids = session.Manager().Index().ListAll(IndexOrder::Name, nullptr);
    CategoryManager* categories = CategoryManager::Instance();
    for (const uint32_t oid : oids) {
        Contact contact;
        if (!session.Manager().ReadContact(oid, contact)) return Fail("no contact " + FormatOid(oid));
        Array<Str> names;
        if (categories != nullptr && !categories->GetContactCategoryNames(contact, names))
            return Fail("cannot read the categories of " + FormatOid(oid));
        std::vector<Str> list;
        for (int i = 0; i < names.GetSize(); ++i) list.push_back(names[i]);
        context.out << ExportContact(contact, list);
    }
    return Status::Ok();
}

}  // namespace

void AddContactCommands(CommandTable& table) {
    table.push_back({"add", "FIELD=VALUE...", "adds a contact and prints its OID", kFieldHelp, "", Add});
    table.push_back({"update", "OID FIELD=VALUE...", "changes the given fields of a contact",
                     std::string("OID  the contact\n") + kFieldHelp + "\nan empty VALUE clears the field", "",
                     Update});
    table.push_back({"delete", "OID...", "deletes the contacts",
                     "OID  a contact; every one must exist, or nothing is deleted\n"
                     "the contacts go to the trash (trash, undo), all of them or none",
                     "", Delete});
    table.push_back(
        {"import", "[--merge] FILE...", "adds the contacts of vCard (2.1, 3.0, 4.0) and CSV files",
         "FILE  a vCard file (several cards a file) or a CSV export with a header row\n"
         "--merge  a card that duplicates a stored contact (the same UID, or the same name and a shared\n"
         "         number or e-mail address) is merged into it; prints: imported N contacts, merged N\n"
         "what cannot be read is skipped and named on standard error; prints: imported N contacts",
         "3 some was skipped (a file with nothing readable is 1)", Import});
    table.push_back({"export", "[OID...]", "prints contacts as vCard 3.0",
                     "OID  a contact; all contacts when none is given", "", Export});
}

}  // namespace cli
