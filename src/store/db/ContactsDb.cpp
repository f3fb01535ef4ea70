#include "store/db/ContactsDb.h"

#include <algorithm>
#include <vector>

#include "platform/locale/Locale.h"
#include "store/db/DbNames.h"
#include "store/db/DbScan.h"

namespace {

// Appends the company of each record, skipping empty and missing ones and equal neighbours.
void CollectCompany(const CCeDBRecord& record, Array<Str>& names) {
    const CCeDBProp* company = record.Find(plat::PropNumber(kCompanyProp));
    if (company == nullptr || company->IsNotFound() || company->GetType() != plat::CEVT_LPWSTR) return;
    const std::u16string_view text = company->GetText();
    if (text.empty() || (!names.IsEmpty() && names[names.GetSize() - 1] == text)) return;
    names.Add(Str(text));
}

void SortAndCollapse(Array<Str>& names) {
    std::vector<Str> sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end(), [](const Str& a, const Str& b) { return plat::CompareText(a.View(), b.View()) < 0; });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    names.RemoveAll();
    for (const Str& name : sorted) names.Add(name);
}

}  // namespace

bool CContactsDb::Open(plat::NotifyCallback notify) {
    Close();
    if (!contacts_.Open(kContactsDbName, nullptr, 0, std::move(notify))) return false;
    contacts_.ReadContactsFlag();
    const plat::SortProp keys[] = {{kNamedKeyProp, 0}, {kNamedKindProp, 0}};
    if (!named_.Open(kNamedPropsDbName, keys, 2)) {
        contacts_.Close();
        return false;
    }
    return true;
}

void CContactsDb::Close() {
    named_.Close();
    contacts_.Close();
}

bool CContactsDb::GetCompanyNames(Array<Str>& names) {
    names.RemoveAll();
    const uint32_t wanted[] = {kCompanyProp};
    const auto collect = [&names](const CCeDBRecord& record) { CollectCompany(record, names); };
    CCeDBDatabase byCompany;
    const plat::SortProp key{kCompanyProp, 0};
    bool read = false;
    if (byCompany.Open(kContactsDbName, &key, 1)) {
        read = ScanDatabase(byCompany, wanted, 1, collect);
    } else {
        read = ScanDatabase(contacts_, wanted, 1, collect);
        SortAndCollapse(names);
    }
    if (!read) names.RemoveAll();
    return read;
}
