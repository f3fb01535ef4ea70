#include "store/contact/NamedValues.h"

#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"

namespace {

CCeDBProp* TextBlock(const Str& text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
    const auto size = static_cast<uint32_t>((text.GetLength() + 1) * sizeof(char16_t));
    return new CCeDBProp(3, bytes, size, true, plat::CEVT_BLOB);
}

bool WriteNamedValue(CCeDBDatabase& named, uint32_t key, const NamedValue& value) {
    CCeDBRecord record;
    record.Add(new CCeDBProp(1, key));
    record.Add(new CCeDBProp(2, value.kind));
    record.Add(TextBlock(value.text));
    return named.Write(record, CCeDBDatabase::kWriteNew) != 0;
}

// The records keyed `key` whose kind is a phone number or an e-mail address.
std::vector<plat::CeOid> RecordsOf(CCeDBDatabase& named, uint32_t key) {
    std::vector<plat::CeOid> found;
    const bool advancing = named.autoAdvance;
    named.autoAdvance = false;
    const uint32_t ids[] = {kNamedKeyProp, kNamedKindProp};
    bool more = named.SeekEqual(CCeDBProp(1, key));
    while (more) {
        CCeDBRecord record;
        const plat::CeOid oid = named.Read(record, ids, 2);
        const CCeDBProp* keyProp = record.Find(1);
        const CCeDBProp* kind = record.Find(2);
        if (oid == 0 || keyProp == nullptr || keyProp->IsNotFound() || keyProp->GetULong() != key) break;
        if (kind != nullptr && !kind->IsNotFound() &&
            (kind->GetULong() == kNamedPhone || kind->GetULong() == kNamedEmail)) {
            found.push_back(oid);
        }
        more = named.SeekNext();
    }
    named.autoAdvance = advancing;
    return found;
}

}  // namespace

std::vector<NamedValue> NamedValuesOf(const StdContact& contact) {
    std::vector<NamedValue> values;
    for (int field : kPhoneFieldsNamedOrder) {
        Str number = contact.GetText(field);
        if (number.IsEmpty()) continue;
        number.MakeReverse();
        values.push_back({kNamedPhone, number});
    }
    for (int field : kEmailFields) {
        const Str& address = contact.GetText(field);
        if (!address.IsEmpty()) values.push_back({kNamedEmail, address});
    }
    return values;
}

bool SaveNamedValues(CCeDBDatabase& named, const StdContact& contact) {
    const std::vector<NamedValue> values = NamedValuesOf(contact);
    if (values.empty()) return true;
    if (contact.GetRecordId() == 0) return false;
    for (const NamedValue& value : values) {
        if (!WriteNamedValue(named, NamedKey(contact), value)) return false;
    }
    return true;
}

bool DeleteNamedValues(CCeDBDatabase& named, const StdContact& contact) {
    if (contact.GetRecordId() == 0) return true;  // never keyed, so nothing is stored
    for (const plat::CeOid oid : RecordsOf(named, NamedKey(contact))) {
        if (!named.DeleteRecord(oid)) return false;
    }
    return true;
}

bool UpdateNamedValues(CCeDBDatabase& named, const StdContact& contact) {
    if (!named.IsOpen()) return true;
    return DeleteNamedValues(named, contact) && SaveNamedValues(named, contact);
}
