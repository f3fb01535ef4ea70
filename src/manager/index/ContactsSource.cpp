#include "manager/index/ContactsSource.h"

#include <array>

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
