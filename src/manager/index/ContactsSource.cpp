#include "manager/index/ContactsSource.h"

#include <array>

#include "categories/manager/CategoryManager.h"
#include "platform/pom/CategoryDatabases.h"
#include "store/db/DbNames.h"

namespace {

constexpr uint32_t TextProp(uint16_t number) { return (uint32_t{number} << 16) | plat::CEVT_LPWSTR; }

constexpr std::array<uint32_t, 5> kKeyProps = {TextProp(kPropFileAs), TextProp(kPropTitle), TextProp(kPropFirst),
                                               TextProp(kPropLast), TextProp(kPropCompany)};

}  // namespace

bool ContactsSource::Open() { return db_.Open(kContactsDbName); }

bool ContactsSource::ReadSortKeys(uint32_t oid, SortKeys& out) {
    out = SortKeys{};
    CCeDBRecord record;
    if (!db_.SeekToRecord(oid) || db_.Read(record, kKeyProps.data(), static_cast<int>(kKeyProps.size())) == 0) {
        return false;
    }
    Str* const targets[] = {&out.fileAs, &out.title, &out.first, &out.last, &out.company};
    for (size_t i = 0; i < kKeyProps.size(); ++i) {
        const CCeDBProp* prop = record.Find(plat::PropNumber(kKeyProps[i]));
        if (prop != nullptr && !prop->IsNotFound() && prop->GetType() == plat::CEVT_LPWSTR) *targets[i] = Str(prop->GetText());
    }
    return true;
}

bool ContactsSource::ReadState(DatabaseState& out) {
    plat::DatabaseStatus status;
    if (!db_.GetStatus(status)) return false;
    out.modified = status.lastModified;
    out.records = status.recordCount;
    return true;
}

// Both databases' rows are read in one committed state; without the assignments database (the
// category databases are made on first use) the journal cannot tell whose categories changed.
bool ContactsSource::ReadJournal(int64_t after, plat::JournalChanges& changes) {
    if (!db_.IsOpen()) return false;
    if (!assignments_.IsOpen() && !assignments_.Open(plat::pom::kCategoryAssocDb.data())) return false;
    const plat::CeOid databases[] = {db_.DatabaseId(), assignments_.DatabaseId()};
    return plat::ReadJournalChanges(db_.VolumeId(), after, databases, changes) && changes.head >= 0;
}

JournalPosition ContactsSource::JournalHead() {
    plat::JournalChanges changes;
    if (!db_.IsOpen() || !plat::ReadJournalChanges(db_.VolumeId(), 0, {}, changes) || changes.head < 0)
        return {};
    return {db_.VolumeId().bytes, changes.head};
}

std::optional<uint32_t> ContactsSource::AssignedContact(plat::CeOid assignment) {
    CCeDBRecord record;
    if (!assignments_.SeekToRecord(assignment) ||
        assignments_.Read(record, &plat::pom::kPropAssocItem, 1) != assignment) {
        return std::nullopt;
    }
    const CCeDBProp* item = record.Find(plat::PropNumber(plat::pom::kPropAssocItem));
    if (item == nullptr || item->IsNotFound()) return std::nullopt;
    return ContactOfItemRef(item->GetULong()).value_or(0);
}

std::optional<ContactBacklog> ContactsSource::ChangesAfter(const JournalPosition& from) {
    plat::JournalChanges changes;
    if (from.volume != db_.VolumeId().bytes || !ReadJournal(from.seq, changes) || !changes.complete) {
        return std::nullopt;
    }
    ContactBacklog backlog;
    backlog.upTo = {from.volume, changes.head};
    for (const plat::JournalChanges::Record& changed : changes.records) {
        if (changed.database == db_.DatabaseId()) {
            backlog.contacts.push_back(changed.oid);
            continue;
        }
        const std::optional<uint32_t> contact = AssignedContact(changed.oid);
        if (!contact) return std::nullopt;
        if (*contact != 0) backlog.categoryItems.push_back(*contact);
    }
    return backlog;
}
