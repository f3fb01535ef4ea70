// account add|list|remove and sync: CardDAV accounts and two-way syncs with their address books.
#include <fstream>
#include <iostream>
#include <iterator>

#include "app/cli/Session.h"
#include "platform/http/Http.h"
#include "sync/account/Accounts.h"
#include "sync/engine/SyncEngine.h"

namespace cli {

namespace {

constexpr const char* kAccountUsage =
    "account add NAME URL --user USER [--password-file FILE] [--addressbook HREF] [--ca-file PEM] | "
    "account list | account remove NAME";

struct AddOptions {
    std::string name, url, user, passwordFile, addressBook, caFile;
};

AddOptions ParseAdd(const Args& args) {
    AddOptions options;
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* target = arg == "--user"            ? &options.user
                              : arg == "--password-file" ? &options.passwordFile
                              : arg == "--addressbook"   ? &options.addressBook
                              : arg == "--ca-file"       ? &options.caFile
                                                         : nullptr;
        if (target != nullptr) {
            if (i + 1 >= args.size() || args[i + 1].empty()) throw BadArgument(arg + " needs a value");
            *target = args[++i];
        } else if (arg.starts_with("-")) {
            throw BadArgument("unknown option " + arg + " (a password is never given as an argument)");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2 || options.user.empty()) throw UsageError(kAccountUsage);
    options.name = positional[0];
    options.url = positional[1];
    if (!carddav::accounts::IsValidName(options.name))
        throw BadArgument("an account name is 1 to 64 letters, digits, '-', '_' or '.'");
    if (!options.url.starts_with("http://") && !options.url.starts_with("https://"))
        throw BadArgument("the URL must begin with http:// or https://");
    return options;
}

// The password: the file's first line, or standard input's.
Result<std::string> ReadPassword(const std::string& file) {
    std::string password;
    if (file.empty()) {
        std::getline(std::cin, password);
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in) return Fail("cannot read the password file " + file);
        std::getline(in, password);
    }
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return password;
}

std::unique_ptr<plat::HttpClient> ClientFor(const carddav::Account& account, const std::string& password) {
    plat::HttpSettings settings;
    settings.user = account.user;
    settings.password = password;
    settings.caFile = account.caFile;
    return plat::MakeHttpClient(settings);
}

Status AddAccount(Context& context, const Args& args) {
    const AddOptions options = ParseAdd(args);
    Result<std::string> read = ReadPassword(options.passwordFile);
    if (!read) return read.GetStatus();
    const std::string password = std::move(read).Value();
    if (Status opened = OpenDevice(context); !opened) return opened;
    if (carddav::accounts::Find(options.name)) return Fail("there is an account " + options.name + " already");
    carddav::Account account{options.name, options.url, {}, options.user, options.caFile, {}, {}, {}};
    if (!account.caFile.empty()) account.caFile = std::filesystem::absolute(account.caFile).string();
    try {
        auto http = ClientFor(account, password);
        carddav::DavClient dav(*http);
        account.book = dav.Discover(options.url, options.addressBook);
        const std::string where = carddav::accounts::StorePassword(account, password);
        carddav::accounts::Save(account);
        context.err << "brevane-cli: the password of " << account.name << " is kept in " << where << "\n";
    } catch (const carddav::DavError& error) {
        return Fail(std::string("no account was added: ") + error.what());
    } catch (const carddav::AccountError& error) {
        return Fail(std::string("no account was added: ") + error.what());
    }
    context.out << account.book << "\n";
    return Status::Ok();
}

Status ListAccounts(Context& context) {
    if (Status opened = OpenDevice(context); !opened) return opened;
    for (const carddav::Account& account : carddav::accounts::List()) {
        context.out << account.name << "\t" << account.book << "\t" << account.user << "\t"
                    << (account.lastSync.empty() ? "never" : account.lastSync + " " + account.lastOutcome)
                    << "\n";
    }
    return Status::Ok();
}

Status RemoveAccount(Context& context, const std::string& name) {
    if (Status opened = OpenDevice(context); !opened) return opened;
    const auto account = carddav::accounts::Find(name);
    if (!account) return Fail("no account " + name);
    carddav::accounts::Remove(*account);
    return Status::Ok();
}

Status AccountCommand(Context& context, const Args& args) {
    if (args.empty()) throw UsageError(kAccountUsage);
    if (args[0] == "add") return AddAccount(context, args);
    if (args[0] == "list" && args.size() == 1) return ListAccounts(context);
    if (args[0] == "remove" && args.size() == 2) return RemoveAccount(context, args[1]);
    throw UsageError(kAccountUsage);
}

std::string Summary(const carddav::SyncReport& r) {
    return "sent " + std::to_string(r.sent) + ", received " + std::to_string(r.received) + ", deleted " +
           std::to_string(r.deletedHere) + " here, " + std::to_string(r.deletedThere) + " there, " +
           std::to_string(r.conflicts) + " conflicts";
}

Result<std::vector<carddav::Account>> Chosen(const Args& args) {
    std::vector<carddav::Account> chosen;
    for (const std::string& arg : args) {
        if (arg.starts_with("-")) continue;
        auto account = carddav::accounts::Find(arg);
        if (!account) return Fail("no account " + arg);
        chosen.push_back(std::move(*account));
    }
    if (chosen.empty()) chosen = carddav::accounts::List();
    if (chosen.empty()) return Fail("there is no account (add one with: brevane-cli account add)");
    return chosen;
}

Status ListConflicts(Context& context, const std::vector<carddav::Account>& accounts) {
    for (const carddav::Account& account : accounts) {
        const carddav::SyncState state = carddav::SyncState::Load(carddav::accounts::StateFile(account.name));
        for (const carddav::Conflict& c : state.conflicts) {
            context.out << account.name << "\t" << c.name << "\t" << c.property << "\t" << c.localValue
                        << "\t" << c.serverValue << "\t" << c.when << "\n";
        }
    }
    return Status::Ok();
}

// Syncs one account; false (after naming what failed and what was done) when the sync failed.
bool SyncAccount(Context& context, Session& session, carddav::Account& account, bool named) {
    carddav::SyncReport report;
    std::string failure;
    try {
        auto http = ClientFor(account, carddav::accounts::Password(account));
        carddav::DavClient dav(*http);
        carddav::LocalContacts local(session.Manager());
        carddav::SyncEngine engine(dav, local, account.book, carddav::accounts::StateFile(account.name));
        try {
            engine.Run(report);
        } catch (...) {
            session.Changed(static_cast<uint32_t>(local.Writes()));
            throw;
        }
        session.Changed(static_cast<uint32_t>(local.Writes()));
        for (const std::string& cut : local.Cut()) session.Cut(account.name + ": " + cut);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    const std::string summary = Summary(report);
    for (const std::string& refused : report.refused)
        context.err << "brevane-cli: " << account.name << ": refused: " << refused << "\n";
    if (!report.refused.empty() && context.status == kDone) context.status = kDoneWithSkips;
    carddav::accounts::RecordSync(account, failure.empty() ? "done: " + summary : "failed: " + failure);
    if (!failure.empty()) {
        session.Missed("the sync of " + account.name + " failed: " + failure +
                       "; done before it failed: " + summary);
        return false;
    }
    context.out << (named ? account.name + ": " : "") << summary << "\n";
    return true;
}

Status SyncCommand(Context& context, const Args& args) {
    bool conflicts = false;
    for (const std::string& arg : args) {
        if (arg == "--conflicts")
            conflicts = true;
        else if (arg.starts_with("-"))
            throw BadArgument("unknown option " + arg);
    }
    if (Status opened = OpenDevice(context); !opened) return opened;
    Result<std::vector<carddav::Account>> chosen = Chosen(args);
    if (!chosen) return chosen.GetStatus();
    std::vector<carddav::Account> accounts = std::move(chosen).Value();
    if (conflicts) return ListConflicts(context, accounts);
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    // A failed account is named through the session, whose Finish reports it.
    for (carddav::Account& account : accounts)
        (void)SyncAccount(context, session, account, accounts.size() > 1);
    return session.Finish();
}

}  // namespace

void AddSyncCommands(CommandTable& table) {
    table.push_back({"account",
                     "add NAME URL --user USER [--password-file FILE] [--addressbook HREF] [--ca-file PEM] | "
                     "list | remove NAME",
                     "CardDAV accounts: adds one (finding its address book), lists or removes them",
                     "add: URL  the server, or the address book itself; the password is read from FILE or\n"
                     "  standard input (never an argument); prints the address book's URL\n"
                     "list: prints NAME<TAB>URL<TAB>USER<TAB>last sync\n"
                     "remove: forgets the account, its password and sync state; the contacts stay",
                     "", AccountCommand});
    table.push_back({"sync", "[NAME...] [--conflicts]",
                     "two-way sync with the accounts' address books (all when none is named)",
                     "prints: sent N, received N, deleted N here, N there, N conflicts\n"
                     "--conflicts: lists the kept conflict records (ACCOUNT<TAB>contact<TAB>property<TAB>\n"
                     "  this device's value<TAB>the server's value, which was kept<TAB>time)",
                     "3 done, but the server refused cards (each named on standard error)", SyncCommand});
}

}  // namespace cli
