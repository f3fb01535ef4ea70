// index check|rebuild|stats, watch.
#include <chrono>

#include "app/cli/ContactFields.h"
#include "app/cli/Session.h"
#include "platform/loop/EventLoop.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"

namespace cli {

namespace {

Status Index(Context& context, const Args& args) {
    if (args.size() != 1 || (args[0] != "check" && args[0] != "rebuild" && args[0] != "stats")) throw UsageError("");
    Session session(context);
    if (Status opened = session.Open(); !opened) return opened;
    ContactManager& manager = session.Manager();
    if (args[0] != "stats" && !manager.Maintains()) return Fail("another program keeps the index");
    if (args[0] == "check") manager.CheckIndex();
    if (args[0] == "rebuild") manager.Reindex();
    if (Status finished = session.Finish(); !finished) return finished;
    const size_t contacts = manager.Index().ListAll(IndexOrder::Name, nullptr).size();
    context.out << "contacts\t" << contacts << "\n";
    context.out << "words\t" << manager.Index().WordCount() << "\n";
    for (const char* file : {"pim_index1.dat", "pim_index2.dat"}) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(context.root / file, ec);
        context.out << file << "\t" << (ec ? 0 : size) << "\n";
    }
    return Status::Ok();
}

const char* KindName(uint32_t type) {
    switch (type) {
        case plat::DB_CEOID_CREATED: return "created";
        case plat::DB_CEOID_RECORD_DELETED: return "deleted";
        case plat::DB_CEOID_CHANGED: return "changed";
        default: return nullptr;
    }
}

Status Watch(Context& context, const Args& args) {
    long count = -1;
    long timeout = -1;
    for (size_t i = 0; i < args.size(); i += 2) {  // an option and its value
        const bool valued = i + 1 < args.size() && !args[i + 1].empty() &&
                            args[i + 1].find_first_not_of("0123456789") == std::string::npos;
        if (!valued || (args[i] != "--count" && args[i] != "--timeout")) throw UsageError("");
        long& option = args[i] == "--count" ? count : timeout;
        option = std::stol(args[i + 1]);
    }
    if (Status device = OpenDevice(context); !device) return device;
    plat::EnsureApplication();
    long seen = 0;
    CCeDBDatabase db;
    const bool opened = db.Open(kContactsDbName, nullptr, 0, [&](const plat::Notification& n) {
        const char* kind = KindName(n.type);
        if (kind == nullptr || (count >= 0 && seen >= count)) return;
        ++seen;
        context.out << kind << " " << FormatOid(n.oid) << std::endl;
    });
    if (!opened) return Fail("cannot open the contacts store");
    const int waitMs = timeout < 0 ? -1 : static_cast<int>(timeout * 1000);
    // A watch that reaches its time-out ends as asked.
    (void)plat::RunUntil([&] { return count >= 0 && seen >= count; }, waitMs);
    return Status::Ok();
}

}  // namespace

void AddIndexCommands(CommandTable& table) {
    table.push_back({"index", "check|rebuild|stats", "checks, rebuilds or describes the index",
                     "check    checks the index against the store, updating or rebuilding it\n"
                     "rebuild  rebuilds it from the store\n"
                     "stats    prints its figures: contacts, distinct words and the sizes of both files\n"
                     "check and rebuild fail (1) while another program keeps the index",
                     "", Index});
    table.push_back({"watch", "[--count N] [--timeout SECONDS]", "prints the store's change notifications",
                     "--count N          stops after N lines\n--timeout SECONDS  stops after that time\n"
                     "prints created|changed|deleted OID lines",
                     "", Watch});
}

}  // namespace cli
